// CaptureOptions: one pass over the arguments, then checks across options.
#include "tools/capture/CaptureOptions.h"
#include "frames/FrameClock.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "driver/DemoScenes.h"
#include "engine/RenderScale.h"
#include "platform/Files.h"

namespace fs = std::filesystem;

namespace {
constexpr int MaxFps = 1000;
constexpr int MaxSide = 8192;
const std::string ValueOptions[] = {"--data", "--fps",   "--start",         "--end",   "--size",    "--video",
                                    "--codec", "--still", "--contact-sheet", "--times", "--columns", "--tile", "--pattern",
                                    "--msaa"};

bool ParseInt(const std::string& text, int& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || errno != 0 || v < -1000000000L || v > 1000000000L) return false;
  value = static_cast<int>(v);
  return true;
}

bool ParseTime(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return *end == '\0' && std::isfinite(value) && value >= 0 && value < 1e7;
}

bool ParseSize(const std::string& text, int& width, int& height) {
  const std::size_t x = text.find('x');
  return x != std::string::npos && ParseInt(text.substr(0, x), width) &&
         ParseInt(text.substr(x + 1), height) && width > 0 && height > 0 && width <= MaxSide &&
         height <= MaxSide;
}

bool ParseTimes(const std::string& text, std::vector<double>& times) {
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t comma = text.find(',', pos);
    if (comma == std::string::npos) comma = text.size();
    double t;
    if (!ParseTime(text.substr(pos, comma - pos), t)) return false;
    times.push_back(t);
    pos = comma + 1;
  }
  return !times.empty();
}

std::string Absolute(const std::string& path) { return fs::absolute(path).lexically_normal().string(); }

// Checks that need every option; empty when the combination is good.
std::string CheckTogether(TCaptureOptions& o) {
  if (o.Video.empty() && o.Stills.empty() && o.ContactSheet.empty())
    return "nothing to write: give --video, --still or --contact-sheet";
  if (o.StartPattern >= 0 && o.Start > 0) return "--start and --pattern cannot go together";
  if (o.StartPattern >= 0 && o.Video.empty()) return "--pattern needs --video";
  if (o.End && *o.End < o.Start) return "--end is before --start";
  if (o.End && FirstFrameFrom(o.Start, o.Fps) > FrameAt(*o.End, o.Fps))
    return "no frame lies between --start and --end at this frame rate";
  if (!o.Video.empty()) {
    const std::string ext = LowerExtension(o.Video);
    if (ext != ".mp4" && ext != ".mkv") return "the video must be a .mp4 or .mkv file: " + o.Video;
    if (o.Codec == TVideoCodec::FFV1 && ext != ".mkv") return "the ffv1 codec needs a .mkv file";
    if (o.Codec == TVideoCodec::H264 && (o.Width % 2 || o.Height % 2))
      return "h264 needs an even width and height";
  }
  for (const TStillRequest& s : o.Stills)
    if (LowerExtension(s.File) != ".png") return "a still must be a .png file: " + s.File;
  if (!o.ContactSheet.empty() && LowerExtension(o.ContactSheet) != ".png")
    return "the contact sheet must be a .png file: " + o.ContactSheet;
  if (!o.SheetTimes.empty() && o.ContactSheet.empty()) return "--times needs --contact-sheet";

  o.DataDir = Absolute(o.DataDir);
  if (!o.Video.empty()) o.Video = Absolute(o.Video);
  for (TStillRequest& s : o.Stills) s.File = Absolute(s.File);
  if (!o.ContactSheet.empty()) o.ContactSheet = Absolute(o.ContactSheet);
  return {};
}
}  // namespace

TParsedOptions ParseCaptureOptions(const std::vector<std::string>& args) {
  TParsedOptions r;
  TCaptureOptions& o = r.Options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "-h" || a == "--help") {
      o.Help = true;
      return r;
    }
    if (a == "--mute") {
      o.Mute = true;
      continue;
    }
    if (a.rfind("--", 0) != 0) {
      r.Error = "unexpected argument: " + a;
      return r;
    }
    if (std::find(std::begin(ValueOptions), std::end(ValueOptions), a) == std::end(ValueOptions)) {
      r.Error = "unknown option: " + a;
      return r;
    }
    if (i + 1 >= args.size()) {
      r.Error = a + " needs a value";
      return r;
    }
    const std::string& v = args[++i];
    bool ok = true;
    if (a == "--data") {
      o.DataDir = v;
      ok = !v.empty();
    } else if (a == "--fps") {
      ok = ParseInt(v, o.Fps) && o.Fps >= 1 && o.Fps <= MaxFps;
      if (!ok) r.Error = "--fps takes a whole number from 1 to 1000: " + v;
    } else if (a == "--start" || a == "--end") {
      double t;
      ok = ParseTime(v, t);
      if (a == "--start") o.Start = t;
      else o.End = t;
      if (!ok) r.Error = a + " takes a time in seconds, 0 or more: " + v;
    } else if (a == "--pattern") {
      ok = ParseInt(v, o.StartPattern) && o.StartPattern >= 0 && o.StartPattern <= FinalePattern;
      if (!ok) r.Error = "--pattern takes 0 to " + std::to_string(FinalePattern) + ": " + v;
    } else if (a == "--size") {
      ok = ParseSize(v, o.Width, o.Height);
      o.SizeGiven = true;
      if (!ok) r.Error = "--size takes WIDTHxHEIGHT, each 1 to 8192: " + v;
    } else if (a == "--msaa") {
      ok = ParseSampleCount(v, o.Msaa);
      if (!ok) r.Error = "--msaa takes 0, 2, 4 or 8: " + v;
    } else if (a == "--video") {
      o.Video = v;
      ok = !v.empty();
    } else if (a == "--codec") {
      ok = v == "h264" || v == "ffv1";
      o.Codec = v == "ffv1" ? TVideoCodec::FFV1 : TVideoCodec::H264;
      if (!ok) r.Error = "--codec takes h264 or ffv1: " + v;
    } else if (a == "--still") {
      // TIME:FILE; the file name may itself hold colons.
      const std::size_t colon = v.find(':');
      TStillRequest s;
      ok = colon != std::string::npos && ParseTime(v.substr(0, colon), s.Time) && colon + 1 < v.size();
      s.File = ok ? v.substr(colon + 1) : "";
      if (ok) o.Stills.push_back(s);
      if (!ok) r.Error = "--still takes TIME:FILE.png: " + v;
    } else if (a == "--contact-sheet") {
      o.ContactSheet = v;
      ok = !v.empty();
    } else if (a == "--times") {
      ok = ParseTimes(v, o.SheetTimes);
      if (!ok) r.Error = "--times takes demo times in seconds, separated by commas: " + v;
    } else if (a == "--columns") {
      ok = ParseInt(v, o.SheetColumns) && o.SheetColumns >= 1 && o.SheetColumns <= 64;
      if (!ok) r.Error = "--columns takes a whole number from 1 to 64: " + v;
    } else if (a == "--tile") {
      ok = ParseSize(v, o.TileWidth, o.TileHeight);
      if (!ok) r.Error = "--tile takes WIDTHxHEIGHT, each 1 to 8192: " + v;
    }
    if (!ok) {
      if (r.Error.empty()) r.Error = "bad value for " + a + ": " + v;
      return r;
    }
  }
  r.Error = CheckTogether(o);
  return r;
}

const char* CaptureUsage() {
  return "Usage: capture [options]\n"
         "Draws the demo frame by frame on a fixed clock, offscreen, and writes\n"
         "a video, PNG stills or a contact sheet. Frame k shows demo time k/fps.\n"
         "\n"
         "  --data DIR            directory holding data/, or data/ itself (default: .)\n"
         "  --fps N               frames per second, 1 to 1000 (default: 60)\n"
         "  --start T             demo time of the video's first frame, seconds (default: 0)\n"
         "  --pattern N           start the video where pattern N begins (0 to 18)\n"
         "  --end T               demo time of its last frame (default: the demo's end)\n"
         "  --size WxH            size of the video and stills (default: 800x600); the\n"
         "                        frame is drawn at that many pixels (4:3 sizes), or at\n"
         "                        the largest 4:3 that fits, between black bars\n"
         "  --msaa N              anti-aliasing with N samples a pixel: 0 (default), 2, 4, 8\n"
         "  --video FILE          write a video (.mp4 or .mkv) with the music\n"
         "  --mute                the video without the music\n"
         "  --codec h264|ffv1     h264 (default) or lossless FFV1 (.mkv only)\n"
         "  --still T:FILE        write the frame shown at demo time T as a PNG (repeatable)\n"
         "  --contact-sheet FILE  write a PNG grid of frames\n"
         "  --times T1,T2,...     the sheet's demo times (default: a few from every scene)\n"
         "  --columns N           tiles per row of the sheet (default: 4)\n"
         "  --tile WxH            size of a tile (default: 200x150)\n"
         "  -h, --help            show this text\n";
}
