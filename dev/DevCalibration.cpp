// DevCalibration: the click track's bytes and the flash's rule.
#include "dev/DevCalibration.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int Rate = 44100;

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xffff);
  Put16(out, v >> 16);
}
}  // namespace

std::vector<std::uint8_t> CalibrationClicks() {
  const auto frames = static_cast<std::uint32_t>(CalibrationSeconds * Rate);
  std::vector<std::int16_t> pcm(frames, 0);
  for (double beat = 0; beat < CalibrationSeconds; beat += CalibrationBeat) {
    const auto at = static_cast<std::size_t>(std::lround(beat * Rate));
    for (std::size_t i = 0; i < Rate * 4 / 1000 && at + i < pcm.size(); ++i)
      pcm[at + i] = static_cast<std::int16_t>(24000 * std::sin(2 * M_PI * 2000.0 * static_cast<double>(i) / Rate));
  }
  std::vector<std::uint8_t> wav;
  const std::uint32_t data = frames * 2;
  for (const char c : {'R', 'I', 'F', 'F'}) wav.push_back(static_cast<std::uint8_t>(c));
  Put32(wav, 36 + data);
  for (const char c : {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}) wav.push_back(static_cast<std::uint8_t>(c));
  Put32(wav, 16);
  Put16(wav, 1);  // PCM
  Put16(wav, 1);  // mono
  Put32(wav, Rate);
  Put32(wav, Rate * 2);
  Put16(wav, 2);
  Put16(wav, 16);
  for (const char c : {'d', 'a', 't', 'a'}) wav.push_back(static_cast<std::uint8_t>(c));
  Put32(wav, data);
  for (const std::int16_t s : pcm) Put16(wav, static_cast<std::uint16_t>(s));
  return wav;
}

bool CalibrationFlashes(double time) {
  if (time < 0) return false;
  return std::fmod(time, CalibrationBeat) < CalibrationFlash;
}

int CalibrationOffset(int offsetMs, int steps) {
  return std::clamp(offsetMs + steps * CalibrationStepMs, -CalibrationLargestMs, CalibrationLargestMs);
}
