// CommandLine: the demo's options. Without any, the program is what it has
// always been: fullscreen, paced to the display, with its music, its media
// from data/ in the working directory.
// Needs: driver/DemoScenes (the patterns one can start at), engine/RenderScale.
#pragma once
#include <string>

#include "engine/RenderScale.h"

struct TDemoOptions {
  bool Help = false;
  bool Fullscreen = true;
  int WindowWidth = 800, WindowHeight = 600;  // for a window
  bool Paced = true;                          // vsync, or sleeping to the refresh
  bool Mute = false;
  bool Loop = false;          // start over after the last frame
  bool Dev = false;           // the development mode: panel, seeking, reloads
  double StartSeconds = 0;    // begin at this demo time ...
  int StartPattern = -1;      // ... or at the start of this pattern
  double AudioOffsetMs = 0;   // the output's own delay: positive, the sound comes later
  // Every scene drawn once, unseen, before the clock starts, so that no
  // frame of the play waits for GL to take what a scene needs. The program
  // does; tools and tests that draw on a fixed clock need not.
  bool DrawScenesFirst = false;
  std::string DataDir;  // empty: data/ here, beside the program, or installed
  // The frame's pixels a unit and multisampling (-1: the renderer's choice).
  TScaleChoice Scale = TScaleChoice::Auto;
  double ScaleValue = 1;
  int Msaa = -1;
};

// Every option with a line of its own, for --help and after an error.
std::string DemoUsage(const char* program);

// Fills `options` from the arguments after the program's name. False with
// a one-line `error` for an unknown option, a missing or bad value, or
// options that contradict each other.
bool ParseDemoOptions(int argc, const char* const* argv, TDemoOptions& options, std::string& error);

// A window holding the frame at a fixed scale, pixel for pixel: the frame is
// drawn straight into it (tools and tests draw at a scale of their own).
void UseFrameSizedWindow(TDemoOptions& options, double scale);
