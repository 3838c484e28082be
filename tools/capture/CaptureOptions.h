// CaptureOptions: the capture program's command line, checked and turned into
// plain data. Paths are made absolute, since the capture then works inside
// the demo's data directory.
#pragma once
#include <optional>
#include <string>
#include <vector>

enum class TVideoCodec { H264, FFV1 };

struct TStillRequest {
  double Time = 0;   // demo time, seconds
  std::string File;  // PNG
};

struct TCaptureOptions {
  std::string DataDir = ".";  // the directory holding data/, or data/ itself
  int Fps = 60;
  double Start = 0;                // demo time of the first video frame ...
  int StartPattern = -1;           // ... or the start of this pattern
  bool Mute = false;               // a video without the music
  std::optional<double> End;       // demo time of the last; the demo's end when unset
  int Width = 800, Height = 600;   // output size: the frame is drawn at the
  bool SizeGiven = false;          // largest scale that fits, centred
  int Msaa = 0;                    // samples a pixel; 0: none
  std::string Video;               // .mp4 or .mkv; empty: no video
  TVideoCodec Codec = TVideoCodec::H264;
  std::vector<TStillRequest> Stills;
  std::string ContactSheet;        // PNG; empty: none
  std::vector<double> SheetTimes;  // empty: a few from every scene
  int SheetColumns = 4;
  int TileWidth = 200, TileHeight = 150;
  bool Help = false;
};

struct TParsedOptions {
  TCaptureOptions Options;
  std::string Error;  // empty when the command line was good
};

TParsedOptions ParseCaptureOptions(const std::vector<std::string>& args);
const char* CaptureUsage();

