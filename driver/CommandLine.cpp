// CommandLine: each option is checked where it is read, so an error names
// the word that caused it.
#include "driver/CommandLine.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "driver/DemoScenes.h"

namespace {
constexpr int SmallestSide = 16, LargestSide = 16384;
constexpr double LongestStart = 24 * 3600;
constexpr double LargestAudioOffsetMs = 2000;

bool ParseNumber(std::string_view text, double& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc{} && end == text.data() + text.size();
}

// "WxH" with both sides within the limits.
bool ParseSize(std::string_view text, int& width, int& height) {
  const std::size_t x = text.find('x');
  if (x == std::string_view::npos) return false;
  auto number = [](std::string_view digits, int& value) {
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return ec == std::errc{} && end == digits.data() + digits.size() && value >= SmallestSide &&
           value <= LargestSide;
  };
  return number(text.substr(0, x), width) && number(text.substr(x + 1), height);
}
}  // namespace

std::string DemoUsage(const char* program) {
  return std::string("usage: ") + program +
         " [options]\n"
         "  --help          this text\n"
         "  --fullscreen    fill the screen (the default)\n"
         "  --window        play in a window of the frame's size (800x600 at scale 1)\n"
         "  --size WxH      play in a window of that size; the frame is scaled to fit\n"
         "  --no-vsync      draw as fast as the machine can, not paced to the display\n"
         "  --mute          play without the music\n"
         "  --loop          start over after the last frame (for an exhibition screen)\n"
         "  --start SECONDS begin at that demo time, the music from the same point\n"
         "  --pattern N     begin at the start of pattern N (0 to " +
         std::to_string(FinalePattern) + ")\n"
         "  --audio-offset MS\n"
         "                  the sound output's own delay, which the demo cannot see\n"
         "                  (Bluetooth, an HDMI receiver): positive, the sound comes later\n"
         "  --scale K       draw K pixels a unit of the 800x600 frame (0.25 to 8), or\n"
         "                  native: as many as the screen has (the default on a GPU;\n"
         "                  a software renderer draws at 1)\n"
         "  --msaa N        anti-aliasing with N samples a pixel (0, 2, 4 or 8; the\n"
         "                  default is 4 on a GPU, 0 on a software renderer)\n"
         "  --dev           development mode: F1 panel, pause, seek, reload of test.snc\n"
         "  --data DIR      read the media from DIR (or DIR/data); without it: data/ here,\n"
         "                  else data/ beside the program, else the installed media\n";
}

bool ParseDemoOptions(int argc, const char* const* argv, TDemoOptions& options, std::string& error) {
  bool window = false, fullscreen = false, sized = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    auto value = [&](std::string_view& out) {
      if (i + 1 >= argc) {
        error = std::string(a) + " needs a value";
        return false;
      }
      out = argv[++i];
      return true;
    };
    std::string_view v;
    if (a == "--help" || a == "-h") {
      options.Help = true;
    } else if (a == "--fullscreen") {
      fullscreen = true;
    } else if (a == "--window") {
      window = true;
    } else if (a == "--size") {
      if (!value(v)) return false;
      if (!ParseSize(v, options.WindowWidth, options.WindowHeight)) {
        error = "--size takes WIDTHxHEIGHT, each " + std::to_string(SmallestSide) + " to " +
                std::to_string(LargestSide) + ": not " + std::string(v);
        return false;
      }
      window = sized = true;
    } else if (a == "--scale") {
      if (!value(v)) return false;
      double scale = 0;
      if (v == "native") {
        options.Scale = TScaleChoice::Native;
      } else if (ParseNumber(v, scale) && scale >= SmallestRenderScale && scale <= LargestRenderScale) {
        options.Scale = TScaleChoice::Fixed;
        options.ScaleValue = scale;
      } else {
        error = "--scale takes native or a number from 0.25 to 8: not " + std::string(v);
        return false;
      }
    } else if (a == "--msaa") {
      if (!value(v)) return false;
      if (!ParseSampleCount(v, options.Msaa)) {
        error = "--msaa takes 0, 2, 4 or 8: not " + std::string(v);
        return false;
      }
    } else if (a == "--no-vsync") {
      options.Paced = false;
    } else if (a == "--mute") {
      options.Mute = true;
    } else if (a == "--loop") {
      options.Loop = true;
    } else if (a == "--dev") {
      options.Dev = true;
    } else if (a == "--start") {
      if (!value(v)) return false;
      double seconds = -1;
      if (!ParseNumber(v, seconds) || !(seconds >= 0 && seconds <= LongestStart)) {
        error = "--start takes seconds from 0 to " + std::to_string(static_cast<int>(LongestStart)) + ": not " +
                std::string(v);
        return false;
      }
      options.StartSeconds = seconds;
    } else if (a == "--audio-offset") {
      if (!value(v)) return false;
      double ms = 0;
      if (!ParseNumber(v, ms) || !(std::abs(ms) <= LargestAudioOffsetMs)) {
        error = "--audio-offset takes milliseconds from -2000 to 2000: not " + std::string(v);
        return false;
      }
      options.AudioOffsetMs = ms;
    } else if (a == "--pattern") {
      if (!value(v)) return false;
      int pattern = -1;
      const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), pattern);
      if (ec != std::errc{} || end != v.data() + v.size() || pattern < 0 || pattern > FinalePattern) {
        error = "--pattern takes 0 to " + std::to_string(FinalePattern) + ": not " + std::string(v);
        return false;
      }
      options.StartPattern = pattern;
    } else if (a == "--data") {
      if (!value(v)) return false;
      if (v.empty()) {
        error = "--data needs a directory";
        return false;
      }
      options.DataDir = v;
    } else {
      error = "unknown option " + std::string(a);
      return false;
    }
  }
  if (options.StartPattern >= 0 && options.StartSeconds > 0) {
    error = "--start and --pattern cannot go together";
    return false;
  }
  if (window && fullscreen) {
    error = "--fullscreen cannot go with --window or --size";
    return false;
  }
  options.Fullscreen = !window;
  // A window of the frame's own size holds the frame's pixels.
  if (window && !sized && options.Scale == TScaleChoice::Fixed) UseFrameSizedWindow(options, options.ScaleValue);
  return true;
}

void UseFrameSizedWindow(TDemoOptions& options, double scale) {
  const TRenderScale frame = RenderScaleOf(scale, 800, 600);
  options.Scale = TScaleChoice::Fixed;
  options.ScaleValue = scale;
  options.Fullscreen = false;
  options.WindowWidth = frame.Width;
  options.WindowHeight = frame.Height;
}
