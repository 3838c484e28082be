// EncoderPipe: raw RGBA in through stdin; the music comes from its file.
#include "tools/capture/EncoderPipe.h"

#include <cstdio>

namespace {
// Frames waiting for the encoder: enough for it to catch up in the
// moments the renderer leaves a core idle.
constexpr std::size_t QueueDepth = 6;

std::string Seconds(long long frames, int fps) {
  char text[64];
  std::snprintf(text, sizeof text, "%.9f", static_cast<double>(frames) / fps);
  return text;
}
}  // namespace

std::vector<std::string> EncoderArguments(const TEncoderSettings& s) {
  std::vector<std::string> a = {"ffmpeg", "-hide_banner", "-nostdin", "-loglevel", "error", "-y"};
  a.insert(a.end(), {"-f", "rawvideo", "-pixel_format", "rgb0", "-video_size",
                     std::to_string(s.Width) + "x" + std::to_string(s.Height), "-framerate",
                     std::to_string(s.Fps), "-i", "pipe:0"});
  if (!s.Music.empty()) {
    // Video time 0 is demo time FirstFrame / fps, and the music starts at
    // demo time 0: skip that much of it, and end it with the last frame.
    // Seeking an input that is decoded is sample-exact.
    a.insert(a.end(), {"-ss", Seconds(s.FirstFrame, s.Fps), "-t", Seconds(s.Frames, s.Fps), "-i", s.Music});
  }
  a.insert(a.end(), {"-map", "0:v"});
  if (!s.Music.empty()) a.insert(a.end(), {"-map", "1:a"});

  // The frames come drawn at the file's size: nothing is scaled here.
  if (s.Codec == TVideoCodec::H264) {
    // BT.709 in limited range, stated in the stream so players agree.
    const std::string filter = "scale=out_color_matrix=bt709:out_range=tv";
    // The fastest preset: with the drawing on the same two cores, the others
    // keep a capture from running in real time. The files are larger.
    a.insert(a.end(), {"-vf", filter, "-c:v", "libx264", "-preset", "ultrafast", "-crf", "18", "-pix_fmt",
                       "yuv420p", "-colorspace", "bt709", "-color_primaries", "bt709", "-color_trc", "bt709",
                       "-color_range", "tv"});
    if (!s.Music.empty()) a.insert(a.end(), {"-c:a", "aac", "-b:a", "192k"});
  } else {
    a.insert(a.end(), {"-c:v", "ffv1", "-level", "3", "-g", "1", "-slices", "4", "-slicecrc", "1", "-pix_fmt",
                       "bgr0"});
    if (!s.Music.empty()) a.insert(a.end(), {"-c:a", "flac"});
  }
  if (s.Matroska) {
    a.insert(a.end(), {"-f", "matroska"});
  } else {
    a.insert(a.end(), {"-movflags", "+faststart", "-f", "mp4"});
  }
  a.push_back(s.Output);
  return a;
}

TEncoderPipe::~TEncoderPipe() { Abort(); }

bool TEncoderPipe::Start(const TEncoderSettings& settings, std::string& error) {
  std::string why;
  if (!StartChild(Child, EncoderArguments(settings), why)) {
    error = "Cannot start the video encoder: " + why;
    return false;
  }
  Closing = Failed = false;
  Feeder = std::thread(&TEncoderPipe::Feed, this);
  return true;
}

void TEncoderPipe::Feed() {
  std::unique_lock<std::mutex> hold(Lock);
  for (;;) {
    Changed.wait(hold, [this] { return Closing || !Queued.empty(); });
    if (Queued.empty()) return;  // closing, and everything written
    TImage frame = std::move(Queued.front());
    Queued.pop_front();
    hold.unlock();
    const bool written = WriteToChild(Child, frame.Pixels.data(), frame.Pixels.size());
    hold.lock();
    Spare.push_back(std::move(frame));
    Changed.notify_all();
    if (!written) {
      Failed = true;
      Queued.clear();
      return;
    }
  }
}

bool TEncoderPipe::Write(TImage& frame, std::string& error) {
  {
    std::unique_lock<std::mutex> hold(Lock);
    Changed.wait(hold, [this] { return Failed || Queued.size() < QueueDepth; });
    if (!Failed) {
      Queued.push_back(std::move(frame));
      frame = Spare.empty() ? TImage{} : std::move(Spare.back());
      if (!Spare.empty()) Spare.pop_back();
      Changed.notify_all();
      return true;
    }
  }
  StopFeeding();
  const int status = FinishChild(Child);
  error = "The video encoder (ffmpeg) stopped early, exit status " + std::to_string(status);
  return false;
}

bool TEncoderPipe::StopFeeding() {
  {
    std::lock_guard<std::mutex> hold(Lock);
    Closing = true;
  }
  Changed.notify_all();
  if (Feeder.joinable()) Feeder.join();
  return !Failed;
}

bool TEncoderPipe::Finish(std::string& error) {
  const bool fed = StopFeeding();
  const int status = FinishChild(Child);
  if (fed && status == 0) return true;
  error = "The video encoder (ffmpeg) " + std::string(fed ? "failed" : "stopped early") + ", exit status " +
          std::to_string(status);
  return false;
}

void TEncoderPipe::Abort() {
  {
    std::lock_guard<std::mutex> hold(Lock);
    Queued.clear();
  }
  // A feeder blocked in the pipe returns once the encoder is gone.
  if (Feeder.joinable()) EndChildNow(Child);
  StopFeeding();
  KillChild(Child);
}
