// CaptureSession: the capture's frame loop.
#include "tools/capture/CaptureSession.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>

#include "driver/QRN2Base.h"
#include "engine/Quarn2.h"
#include "platform/Files.h"
#include "platform/Message.h"
#include "platform/Process.h"
#include "driver/DemoScenes.h"
#include "tools/capture/DemoSetup.h"
#include "tools/capture/EncoderPipe.h"
#include "frames/FrameClock.h"
#include "frames/FrameImage.h"
#include "tools/capture/PendingFile.h"
#include "frames/PngFile.h"
#include "tools/capture/Progress.h"

namespace {
constexpr long long LongestDemoSeconds = 24 * 3600;

struct TStill {
  long long Frame;
  std::unique_ptr<TPendingFile> File;
};

struct TSheetTile {
  long long Frame;
  TImage Tile;
};

TCaptureStatus Fail(const std::string& text) {
  ShowMessage("capture", text, TMessageIcon::Error);
  return TCaptureStatus::Failed;
}

std::string SecondsText(long long frame, int fps) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f s", static_cast<double>(frame) / fps);
  return text;
}

bool CreateAll(std::vector<TPendingFile*> files, std::string& error) {
  for (TPendingFile* f : files)
    if (f && !f->Create(error)) return false;
  return true;
}

// Clears the frame clock and the counter source when the run ends, however.
struct TClockGuard {
  TClockGuard() { InstallFrameClock(); }
  ~TClockGuard() { RemoveFrameClock(); }
};
}  // namespace

TCaptureStatus RunCapture(const TCaptureOptions& o, TCaptureReport& report, TRenderFrame render) {
  if (!render) render = DemoRenderFrame;
  report = TCaptureReport{};
  const bool video = !o.Video.empty();
  if (video && !ProgramInPath("ffmpeg"))
    return Fail("ffmpeg not found in PATH: install it (apt-get install ffmpeg) to write videos; "
                "stills and contact sheets need no ffmpeg");

  // Every output is claimed before the long run, so a bad path fails at once.
  std::string error;
  std::unique_ptr<TPendingFile> videoFile = video ? std::make_unique<TPendingFile>(o.Video) : nullptr;
  std::unique_ptr<TPendingFile> sheetFile =
      o.ContactSheet.empty() ? nullptr : std::make_unique<TPendingFile>(o.ContactSheet);
  std::vector<TStill> stills;
  std::vector<TPendingFile*> claimed = {videoFile.get(), sheetFile.get()};
  for (const TStillRequest& s : o.Stills) {
    stills.push_back({FrameAt(s.Time, o.Fps), std::make_unique<TPendingFile>(s.File)});
    claimed.push_back(stills.back().File.get());
  }
  if (!CreateAll(claimed, error)) return Fail(error);

  if (!EnterDemoDirectory(o.DataDir, error)) return Fail(error);
  TClockGuard clock;  // before start-up creates the demo's timer
  // Muted: the video takes the music from its file, and frame k must show
  // k / fps exactly, not a clock held back for a sound card's buffer.
  TDemoOptions quiet;
  quiet.Mute = true;
  // Drawn at the output's size (the largest 4:3 in it): nothing is scaled
  // afterwards.
  UseFrameSizedWindow(quiet, o.SizeGiven ? FittingScale(800, 600, o.Width, o.Height) : 1);
  quiet.Msaa = o.Msaa;
  if (!DemoStartup(quiet)) return Fail("The demo could not open its offscreen window");

  // Where everything lies in frames.
  long long limit = o.End ? FrameAt(*o.End, o.Fps) : LongestDemoSeconds * o.Fps;
  for (const TStill& s : stills) limit = std::max(limit, s.Frame);
  std::vector<TSheetTile> sheet;
  if (sheetFile) {
    const std::vector<double> times = o.SheetTimes.empty() ? ContactSheetTimes(Driver.Track) : o.SheetTimes;
    if (times.empty()) return Fail("The sync track holds no scene to show on a contact sheet");
    for (double t : times) {
      sheet.push_back({FrameAt(t, o.Fps), {}});
      limit = std::max(limit, sheet.back().Frame);
    }
  }
  const long long demoLast = LastDemoFrame(Driver.Track, o.Fps, limit);
  report.DemoLast = demoLast;
  auto pastTheEnd = [&](long long frame) { return demoLast >= 0 && frame > demoLast; };
  for (const TStill& s : stills)
    if (pastTheEnd(s.Frame))
      return Fail("The still " + s.File->FinalPath() + " lies past the demo's end at " + SecondsText(demoLast, o.Fps));
  for (const TSheetTile& t : sheet)
    if (pastTheEnd(t.Frame))
      return Fail("A contact sheet time lies past the demo's end at " + SecondsText(demoLast, o.Fps));
  long long lastToDraw = -1;
  if (video) {
    const double start = o.StartPattern >= 0 ? Driver.Track.PatternStart(o.StartPattern) : o.Start;
    report.VideoFirst = FirstFrameFrom(start, o.Fps);
    report.VideoLast = o.End ? FrameAt(*o.End, o.Fps) : demoLast;
    if (demoLast >= 0) report.VideoLast = std::min(report.VideoLast, demoLast);
    if (report.VideoLast < 0)
      return Fail("The demo does not end on its own (its sync track holds at one pattern): give --end");
    if (report.VideoFirst > report.VideoLast)
      return Fail("--start lies past the demo's end at " + SecondsText(demoLast, o.Fps));
    lastToDraw = report.VideoLast;
  }
  for (const TStill& s : stills) lastToDraw = std::max(lastToDraw, s.Frame);
  for (const TSheetTile& t : sheet) lastToDraw = std::max(lastToDraw, t.Frame);

  // The GL may have drawn a smaller frame than asked (its largest).
  const int frameWidth = CurrentRenderScale().Width, frameHeight = CurrentRenderScale().Height;
  const int outWidth = o.SizeGiven ? o.Width : frameWidth, outHeight = o.SizeGiven ? o.Height : frameHeight;
  const bool boxed = outWidth != frameWidth || outHeight != frameHeight;
  TEncoderPipe encoder;
  if (video) {
    TEncoderSettings s;
    s.Width = outWidth;
    s.Height = outHeight;
    s.Fps = o.Fps;
    s.FirstFrame = report.VideoFirst;
    s.Frames = report.VideoLast - report.VideoFirst + 1;
    s.Codec = o.Codec;
    s.Output = videoFile->TempPath();
    s.Matroska = LowerExtension(o.Video) == ".mkv";
    const std::string music = ResolvePath("music.mp3");
    if (!o.Mute && std::filesystem::exists(music))
      s.Music = std::filesystem::absolute(music).string();
    else if (!o.Mute)
      ShowMessage("capture", "No music.mp3: the video is silent", TMessageIcon::Warning);
    if (!encoder.Start(s, error)) return Fail(error);
  }

  const auto began = std::chrono::steady_clock::now();
  TProgressBar bar(lastToDraw + 1);
  TImage frame, out;  // out: the frame between its bars, when it has them
  long long k = 0;
  for (; k <= lastToDraw; ++k) {
    SetClockToFrame(k, o.Fps);
    if (!DemoContinues()) break;
    render();
    const bool inVideo = video && k >= report.VideoFirst;
    const bool still = std::any_of(stills.begin(), stills.end(), [k](const TStill& s) { return s.Frame == k; });
    const bool tile = std::any_of(sheet.begin(), sheet.end(), [k](const TSheetTile& t) { return t.Frame == k; });
    if (inVideo || still || tile) {
      ReadFrame(frameWidth, frameHeight, frame);
      for (TSheetTile& t : sheet)
        if (t.Frame == k) t.Tile = Resize(DropAlpha(frame), o.TileWidth, o.TileHeight);
      if (boxed) {
        // A spare from the encoder is such an image: its bars are black still.
        if (out.Width != outWidth || out.Height != outHeight) out = MakeImage(outWidth, outHeight, 4);
        Paste(out, frame, (outWidth - frameWidth) / 2, (outHeight - frameHeight) / 2);
      }
      TImage& picture = boxed ? out : frame;
      for (TStill& s : stills)
        if (s.Frame == k && !WritePng(s.File->TempPath(), DropAlpha(picture), error))
          return Fail("Cannot write " + s.File->FinalPath());
      if (inVideo && !encoder.Write(picture, error)) return Fail(error);  // takes the picture
    }
    DemoEndFrame();
    bar.Update(k + 1);
  }
  bar.Finish();
  report.FramesDrawn = k;
  if (Driver.QuitRequested) {
    encoder.Abort();
    ShowMessage("capture", "Interrupted: nothing was written", TMessageIcon::Warning);
    return TCaptureStatus::Interrupted;
  }
  if (k <= lastToDraw) return Fail("The demo ended at frame " + std::to_string(k - 1) + ", before the capture did");
  if (video && !encoder.Finish(error)) return Fail(error);
  DemoShutdown();
  if (sheetFile) {
    std::vector<TImage> tiles;
    for (TSheetTile& t : sheet) tiles.push_back(std::move(t.Tile));
    if (!WritePng(sheetFile->TempPath(), ComposeGrid(tiles, o.SheetColumns, 4), error))
      return Fail("Cannot write " + sheetFile->FinalPath());
  }
  report.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  for (TPendingFile* f : claimed)
    if (f && !f->Commit(error)) return Fail(error);
  return TCaptureStatus::Done;
}
