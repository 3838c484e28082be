// Helpers shared by the tests: temporary directories, sync files, a counter
// the test drives, captured messages and an offscreen GL window.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/Display.h"

// A fresh directory under the system's temp dir, removed at the end.
// With enter = true the process works inside it until destruction.
class TTempDir {
 public:
  explicit TTempDir(bool enter = false);
  ~TTempDir();
  const std::filesystem::path& Path() const { return Dir; }
  std::filesystem::path operator/(const std::string& name) const { return Dir / name; }

 private:
  std::filesystem::path Dir, Previous;
};

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
// Four tables of 101 little-endian floats; `ends` fills the first table.
std::vector<std::uint8_t> SyncBytes(const std::vector<float>& ends);
// A short 16-bit mono WAV of a sine tone.
void WriteWav(const std::filesystem::path& path, double seconds);

// A counter the test sets; installed while the object lives.
class TFakeCounter {
 public:
  explicit TFakeCounter(std::uint64_t frequency = 1000000, bool highRes = true);
  ~TFakeCounter();
  static void Set(std::uint64_t ticks);
  static void SetSeconds(double seconds);
  static void Advance(std::uint64_t ticks);
  static std::uint64_t Now();
  // Ticks added after every reading (0: readings don't move the counter).
  static void SetStepPerRead(std::uint64_t ticks);
};

// Every message shown while the object lives, as (caption, text).
class TMessageCapture {
 public:
  TMessageCapture();
  ~TMessageCapture();
  const std::vector<std::pair<std::string, std::string>>& Messages() const;
};

// Opens the 800x600 window on SDL's offscreen driver once per process.
const TWindowRec& TestWindow();
// RGBA of one pixel of the current frame target.
std::vector<std::uint8_t> ReadPixel(int x, int y);

// GL errors a test provokes on purpose. Any other GL error reported while a
// test runs fails it (the guard in TestMain).
void AllowGLErrors(long long count);
long long AllowedGLErrors();
