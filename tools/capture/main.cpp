// capture: renders the demo frame-exactly, headless, to a video with its
// music, to PNG stills or to a contact sheet. See CaptureUsage().
#include <cstdio>

#include "engine/GLErrors.h"
#include "platform/Files.h"
#include "platform/Message.h"
#include "tools/capture/CaptureOptions.h"
#include "tools/capture/CaptureSession.h"
#include "tools/capture/DemoSetup.h"

int main(int argc, char** argv) {
  const TParsedOptions parsed = ParseCaptureOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (parsed.Options.Help) {
    std::fputs(CaptureUsage(), stdout);
    return 0;
  }
  if (!parsed.Error.empty()) {
    ShowMessage("capture", parsed.Error + " (capture --help lists the options)", TMessageIcon::Error);
    return 2;
  }
  const TCaptureOptions& o = parsed.Options;
  UseHeadlessDrivers();
  TCaptureReport report;
  TCaptureStatus status;
  try {
    status = RunCapture(o, report);
  } catch (const EInOutError& e) {
    ShowMessage("Error", e.what(), TMessageIcon::Error);
    return 1;
  }
  if (status == TCaptureStatus::Interrupted) return 130;
  if (status == TCaptureStatus::Failed) return 1;

  const double fps = report.Seconds > 0 ? report.FramesDrawn / report.Seconds : 0;
  std::printf("Drew %lld frames at %d fps in %.1f s (%.1f frames/s, %.2fx real time)\n", report.FramesDrawn, o.Fps,
              report.Seconds, fps, fps / o.Fps);
  if (!o.Video.empty())
    std::printf("Video: %s (demo time %.3f to %.3f s)\n", o.Video.c_str(),
                static_cast<double>(report.VideoFirst) / o.Fps, static_cast<double>(report.VideoLast) / o.Fps);
  for (const TStillRequest& s : o.Stills) std::printf("Still: %s\n", s.File.c_str());
  if (!o.ContactSheet.empty()) std::printf("Contact sheet: %s\n", o.ContactSheet.c_str());
  // The files are written all the same: they show what the errors did.
  if (GLErrorsSeen() > 0) {
    ShowMessage("capture", std::to_string(GLErrorsSeen()) + " GL errors in this run", TMessageIcon::Error);
    return 1;
  }
  return 0;
}
