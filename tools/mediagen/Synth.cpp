// Synth: all state lives in the objects; doubles where phase must not drift.
#include "tools/mediagen/Synth.h"

#include <algorithm>
#include <cmath>

#include "tools/mediagen/Arrangement.h"

namespace {
constexpr double Pi = 3.14159265358979323846;
constexpr double Rate = SampleRate;

double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}
}  // namespace

void TBus::AddMono(std::size_t at, const std::vector<float>& mono, float gain, float pan) {
  const double angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0) * Pi / 4;
  const float gl = static_cast<float>(std::cos(angle) * std::sqrt(2.0)) * gain;
  const float gr = static_cast<float>(std::sin(angle) * std::sqrt(2.0)) * gain;
  const std::size_t n = at < Frames() ? std::min(mono.size(), Frames() - at) : 0;
  for (std::size_t i = 0; i < n; ++i) {
    L[at + i] += mono[i] * gl;
    R[at + i] += mono[i] * gr;
  }
}

void TBus::Mix(const TBus& other, float gain) {
  const std::size_t n = std::min(Frames(), other.Frames());
  for (std::size_t i = 0; i < n; ++i) {
    L[i] += other.L[i] * gain;
    R[i] += other.R[i] * gain;
  }
}

float TNoise::Next() {
  State ^= State << 13;
  State ^= State >> 17;
  State ^= State << 5;
  return static_cast<float>(State >> 8) / 8388608.0f - 1.0f;
}

double MidiHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

float TOscillator::Saw(double hz) {
  const double dt = hz / Rate;
  double v = 2.0 * Phase - 1.0 - PolyBlep(Phase, dt);
  Phase += dt;
  Phase -= std::floor(Phase);
  return static_cast<float>(v);
}

float TOscillator::Square(double hz, double width) {
  const double dt = hz / Rate;
  double v = Phase < width ? 1.0 : -1.0;
  v += PolyBlep(Phase, dt);
  double t2 = Phase - width + 1.0;
  t2 -= std::floor(t2);
  v -= PolyBlep(t2, dt);
  Phase += dt;
  Phase -= std::floor(Phase);
  return static_cast<float>(v);
}

float TOscillator::Sine(double hz) {
  const double v = std::sin(2.0 * Pi * Phase);
  Phase += hz / Rate;
  Phase -= std::floor(Phase);
  return static_cast<float>(v);
}

void TFilter::Set(double cutoffHz, double q) {
  cutoffHz = std::clamp(cutoffHz, 20.0, Rate * 0.45);
  G = std::tan(Pi * cutoffHz / Rate);
  K = 1.0 / std::max(q, 0.05);
  A1 = 1.0 / (1.0 + G * (G + K));
  A2 = G * A1;
  A3 = G * A2;
}

void TFilter::Tick(float x) {
  In = x;
  const double v3 = x - Ic2;
  V1 = A1 * Ic1 + A2 * v3;
  V2 = Ic2 + A2 * Ic1 + A3 * v3;
  Ic1 = 2 * V1 - Ic1;
  Ic2 = 2 * V2 - Ic2;
}

float TFilter::Low(float x) {
  Tick(x);
  return static_cast<float>(V2);
}
float TFilter::Band(float x) {
  Tick(x);
  return static_cast<float>(V1);
}
float TFilter::High(float x) {
  Tick(x);
  return static_cast<float>(In - K * V1 - V2);
}

void TOnePole::Set(double cutoffHz) { Coef = static_cast<float>(1.0 - std::exp(-2.0 * Pi * cutoffHz / Rate)); }

float Adsr(double t, double length, double attack, double decay, double sustain, double release) {
  auto held = [&](double u) {
    if (u < attack) return u / attack;
    u -= attack;
    if (u < decay) return 1.0 - (1.0 - sustain) * (u / decay);
    return sustain;
  };
  if (t < 0) return 0.0f;
  if (t < length) return static_cast<float>(held(t));
  const double after = t - length;
  if (after >= release) return 0.0f;
  return static_cast<float>(held(length) * (1.0 - after / release) * (1.0 - after / release));
}

void PingPongDelay(TBus& bus, double seconds, float feedback, double dampHz) {
  const std::size_t d = static_cast<std::size_t>(seconds * Rate);
  std::vector<float> lineL(d, 0.0f), lineR(d, 0.0f);
  TOnePole dampL, dampR;
  dampL.Set(dampHz);
  dampR.Set(dampHz);
  std::size_t pos = 0;
  for (std::size_t i = 0; i < bus.Frames(); ++i) {
    const float outL = lineL[pos], outR = lineR[pos];
    const float in = 0.5f * (bus.L[i] + bus.R[i]);
    // The input enters on the left; each pass crosses to the other side.
    lineL[pos] = dampL.Process(in + outR * feedback);
    lineR[pos] = dampR.Process(outL * feedback);
    bus.L[i] = outL;
    bus.R[i] = outR;
    if (++pos == d) pos = 0;
  }
}

namespace {

struct TComb {
  std::vector<float> Line;
  std::size_t Pos = 0;
  float Store = 0;
  float Process(float x, float feedback, float damp) {
    const float out = Line[Pos];
    Store = out * (1 - damp) + Store * damp;
    Line[Pos] = x + Store * feedback;
    if (++Pos == Line.size()) Pos = 0;
    return out;
  }
};

struct TAllpass {
  std::vector<float> Line;
  std::size_t Pos = 0;
  float Process(float x) {
    const float b = Line[Pos];
    Line[Pos] = x + b * 0.5f;
    if (++Pos == Line.size()) Pos = 0;
    return b - x;
  }
};

void ReverbSide(std::vector<float>& io, int spread, float roomSize, float damping) {
  static const int combLengths[] = {1116, 1188, 1277, 1356, 1422, 1491};
  static const int allpassLengths[] = {556, 441, 341, 225};
  std::vector<TComb> combs;
  for (int len : combLengths) combs.push_back({std::vector<float>(len + spread, 0.0f)});
  std::vector<TAllpass> allpasses;
  for (int len : allpassLengths) allpasses.push_back({std::vector<float>(len + spread, 0.0f)});
  for (float& s : io) {
    const float in = s * 0.015f;
    float out = 0;
    for (TComb& c : combs) out += c.Process(in, roomSize, damping);
    for (TAllpass& a : allpasses) out = a.Process(out);
    s = out;
  }
}

}  // namespace

void Reverb(TBus& bus, float roomSize, float damping) {
  ReverbSide(bus.L, 0, roomSize, damping);
  ReverbSide(bus.R, 23, roomSize, damping);
}
