// av_sync_bench: when the music is heard against when the demo's clock
// reads its time. The demo plays a click track (an MP3 silent but for a
// click at 0.5 s) on SDL's disk audio driver, which writes each buffer the
// mixer hands it to a file, paced like a device: a watcher thread notes when
// the file grows past each byte, so the moment the click was "played" is
// seen, not computed. The demo runs on its real clock, unpaced, offscreen,
// and the moment its clock reads 0.5 s is read off the clock itself. Prints,
// for a start at 0 and at 0.3 s (the music then played from within, as after
// a seek), the click's moment less the clock's per run (negative: heard
// first), and the mixer's buffer, which the clock allows for. A real device
// plays a buffer after the disk driver would write it: add 11.6 ms.
//
//   av_sync_bench [--data DIR] [--runs N]      (DIR defaults to data)
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchDemo.h"
#include "driver/QRN2Base.h"
#include "platform/Process.h"
#include "platform/QuarnBASS.h"
#include "tools/capture/DemoSetup.h"
#include "tools/mediagen/Arrangement.h"
#include "tools/mediagen/Mp3Out.h"
#include "tools/writers/WriteFile.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {
constexpr double ClickAt = 0.5;

void WriteClickTrack(const fs::path& file) {
  TBus music(static_cast<std::size_t>(2.0 * SampleRate));
  const auto at = static_cast<std::size_t>(ClickAt * SampleRate);
  for (std::size_t i = 0; i < SampleRate / 200; ++i)  // 5 ms of 1 kHz
    music.L[at + i] = music.R[at + i] = 0.8f * static_cast<float>(std::sin(2 * M_PI * 1000.0 * i / SampleRate));
  WriteFileBytes(file.string(), EncodeMp3(music));
}

// The first byte of the first loud sample in a 16-bit stereo file, or -1.
long LoudFrom(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto s = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[i]) | (bytes[i + 1] << 8));
    if (std::abs(s) > 3000) return static_cast<long>(i & ~std::size_t{3});
  }
  return -1;
}

struct TGrowth {
  Clock::time_point At;
  std::uintmax_t Size;
};

// Milliseconds from the frame showing the click's time to the click's
// leaving the mixer; NAN when either was not seen.
double OneRun(const fs::path& work, float start) {
  const fs::path raw = work / "out.raw";
  fs::remove(raw);
  SetEnvironment("SDL_DISKAUDIOFILE", raw.c_str());
  std::atomic<bool> stop{false};
  std::vector<TGrowth> growth;
  std::thread watcher([&] {
    std::error_code ec;
    std::uintmax_t last = 0;
    while (!stop) {
      const std::uintmax_t size = fs::file_size(raw, ec);
      if (!ec && size != last) growth.push_back({Clock::now(), last = size});
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
  });
  TDemoOptions options;
  options.Fullscreen = false;
  options.Paced = false;
  options.StartSeconds = start;  // a later start plays the music from within, as a seek does
  Clock::time_point shown{};
  if (DemoStartup(options)) {
    while (DemoContinues() && Driver.Time < ClickAt + 0.3f) {
      DemoRenderFrame();
      DemoEndFrame();
      // When the clock read the click's time: read live, beside the wall
      // clock, since a frame may do other work (a texture upload) before its
      // own reading.
      const float now = ClockNow();
      if (shown == Clock::time_point{} && now >= ClickAt)
        shown = Clock::now() - std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(now - ClickAt));
    }
  }
  DemoShutdown();
  stop = true;
  watcher.join();
  const long click = LoudFrom(raw);
  if (click < 0 || shown == Clock::time_point{}) return NAN;
  for (const TGrowth& g : growth)
    if (g.Size > static_cast<std::uintmax_t>(click))
      return std::chrono::duration<double, std::milli>(g.At - shown).count();
  return NAN;
}
}  // namespace

int main(int argc, char** argv) {
  std::string dir = "data";
  int runs = 5;
  if (!ParseBenchArgs(argc, argv, "av_sync_bench", dir, {{"--runs", 1, 100, &runs}})) return 2;
  const fs::path work = fs::temp_directory_path() / "av_sync_bench";
  fs::remove_all(work);
  fs::create_directories(work);
  fs::copy(fs::absolute(dir), work / "data", fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  WriteClickTrack(work / "data" / "music.mp3");
  UseHeadlessDrivers();
  SetEnvironment("SDL_AUDIODRIVER", "disk");
  fs::current_path(work);
  std::printf("mixer buffer %d frames; clock allows %.1f ms\n", MixerBufferFrames, 1000.0 * MixerBufferFrames / 44100);
  for (const float start : {0.0f, 0.3f}) {
    std::printf("from %.1f s, click heard - clock at its time (ms):", start);
    for (int k = 0; k < runs; ++k) std::printf(" %+.1f", OneRun(work, start)), std::fflush(stdout);
    std::printf("\n");
  }
  fs::current_path(work.parent_path());
  fs::remove_all(work);
  return 0;
}
