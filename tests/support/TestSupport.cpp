#include "support/TestSupport.h"

#include <GL/gl.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <stdexcept>

#include "engine/Quarn2.h"
#include "platform/Clock.h"
#include "platform/Message.h"

namespace fs = std::filesystem;

TTempDir::TTempDir(bool enter) {
  std::random_device rd;
  Dir = fs::temp_directory_path() / ("demo-test-" + std::to_string(getpid()) + "-" + std::to_string(rd()));
  fs::create_directories(Dir);
  if (enter) {
    Previous = fs::current_path();
    fs::current_path(Dir);
  }
}

TTempDir::~TTempDir() {
  std::error_code ec;
  if (!Previous.empty()) fs::current_path(Previous, ec);
  fs::remove_all(Dir, ec);
}

void WriteBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  if (path.has_parent_path()) fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::vector<std::uint8_t> SyncBytes(const std::vector<float>& ends) {
  std::vector<std::uint8_t> bytes(1616, 0);
  for (std::size_t i = 0; i < ends.size() && i < 101; ++i) {
    std::uint32_t bits;
    std::memcpy(&bits, &ends[i], 4);
    for (int k = 0; k < 4; ++k) bytes[i * 4 + k] = static_cast<std::uint8_t>(bits >> (8 * k));
  }
  return bytes;
}

namespace {
std::uint64_t FakeFrequency = 1000000;
bool FakeHighRes = true;
std::uint64_t FakeTicks = 0;
std::uint64_t FakeStep = 0;

bool FakeFrequencyFn(std::uint64_t* f) {
  *f = FakeHighRes ? FakeFrequency : 0;
  return FakeHighRes;
}
std::uint64_t FakeCounterFn() {
  const std::uint64_t now = FakeTicks;
  FakeTicks += FakeStep;
  return now;
}
std::uint32_t FakeTickCountFn() { return static_cast<std::uint32_t>(FakeCounterFn()); }
const TCounterSource FakeSource{FakeFrequencyFn, FakeCounterFn, FakeTickCountFn};

std::vector<std::pair<std::string, std::string>> Captured;
}  // namespace

TFakeCounter::TFakeCounter(std::uint64_t frequency, bool highRes) {
  FakeFrequency = frequency;
  FakeHighRes = highRes;
  FakeTicks = 0;
  FakeStep = 0;
  SetCounterSource(&FakeSource);
}
TFakeCounter::~TFakeCounter() { SetCounterSource(nullptr); }
void TFakeCounter::Set(std::uint64_t ticks) { FakeTicks = ticks; }
void TFakeCounter::SetSeconds(double seconds) {
  FakeTicks = static_cast<std::uint64_t>(seconds * static_cast<double>(FakeHighRes ? FakeFrequency : 1000));
}
void TFakeCounter::Advance(std::uint64_t ticks) { FakeTicks += ticks; }
std::uint64_t TFakeCounter::Now() { return FakeTicks; }
void TFakeCounter::SetStepPerRead(std::uint64_t ticks) { FakeStep = ticks; }

TMessageCapture::TMessageCapture() {
  Captured.clear();
  SetMessageHook([](const std::string& caption, const std::string& text) { Captured.emplace_back(caption, text); });
}
TMessageCapture::~TMessageCapture() { SetMessageHook(nullptr); }
const std::vector<std::pair<std::string, std::string>>& TMessageCapture::Messages() const { return Captured; }

const TWindowRec& TestWindow() {
  static TWindowRec window = [] {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    TWindowRec w = OpenWindow(800, 600, 32, false, "Test");
    if (!WindowOpened(w)) throw std::runtime_error("no offscreen GL context");
    return w;
  }();
  return window;
}

std::vector<std::uint8_t> ReadPixel(int x, int y) {
  std::vector<std::uint8_t> rgba(4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return rgba;
}

namespace {
long long ProvokedGLErrors = 0;
}  // namespace

void AllowGLErrors(long long count) { ProvokedGLErrors += count; }
long long AllowedGLErrors() { return ProvokedGLErrors; }

// A short 16-bit mono WAV of a sine tone.
void WriteWav(const std::filesystem::path& path, double seconds) {
  const std::uint32_t rate = 44100, n = static_cast<std::uint32_t>(seconds * rate);
  std::vector<std::uint8_t> b;
  auto put32 = [&b](std::uint32_t v) { for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i))); };
  auto put16 = [&b](std::uint16_t v) { b.push_back(v & 0xFF); b.push_back(static_cast<std::uint8_t>(v >> 8)); };
  for (char c : std::string("RIFF")) b.push_back(static_cast<std::uint8_t>(c));
  put32(36 + n * 2);
  for (char c : std::string("WAVEfmt ")) b.push_back(static_cast<std::uint8_t>(c));
  put32(16); put16(1); put16(1); put32(rate); put32(rate * 2); put16(2); put16(16);
  for (char c : std::string("data")) b.push_back(static_cast<std::uint8_t>(c));
  put32(n * 2);
  for (std::uint32_t i = 0; i < n; ++i)
    put16(static_cast<std::uint16_t>(static_cast<std::int16_t>(8000 * std::sin(i * 0.05))));
  WriteBytes(path, b);
}
