// EncoderPipe: ffmpeg fed raw frames through a pipe, muxing the music so
// that it starts at demo time 0. A thread of its own feeds the pipe, so the
// next frame is drawn while ffmpeg takes the last one.
// Needs: platform/Process, ffmpeg in PATH.
#pragma once
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/Process.h"
#include "tools/capture/CaptureOptions.h"
#include "frames/FrameImage.h"

struct TEncoderSettings {
  int Width = 800, Height = 600;  // the frames given, and the file's
  int Fps = 60;
  long long FirstFrame = 0;  // frame index of the video's first frame
  long long Frames = 0;      // how many frames the video holds
  TVideoCodec Codec = TVideoCodec::H264;
  std::string Music;         // absolute path; empty: a silent video
  std::string Output;        // the file ffmpeg writes
  bool Matroska = false;     // else MP4
};

// ffmpeg's command line for these settings.
std::vector<std::string> EncoderArguments(const TEncoderSettings& s);

class TEncoderPipe {
 public:
  ~TEncoderPipe();  // kills an encoder that was not finished
  bool Start(const TEncoderSettings& settings, std::string& error);
  // Queues one RGBA frame of Width x Height, top row first, and
  // hands back in `frame` a spare image to read the next one into. Waits
  // while the queue is full. False once the encoder has stopped.
  bool Write(TImage& frame, std::string& error);
  // Ends the input and waits for the file to be complete.
  bool Finish(std::string& error);
  void Abort();

 private:
  void Feed();
  bool StopFeeding();  // joins the thread; false when a write failed

  TChildProcess Child;
  std::thread Feeder;
  std::mutex Lock;
  std::condition_variable Changed;
  std::deque<TImage> Queued;
  std::vector<TImage> Spare;
  bool Closing = false, Failed = false;
};
