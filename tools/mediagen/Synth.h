// Synth: the small signal-processing kit the music is made of: stereo
// buffers, a seeded noise source, band-limited oscillators, a state-variable
// filter, envelopes, a stereo delay and a reverb. Plain value types; no
// global state, so the same score always renders the same samples.
#pragma once
#include <cstdint>
#include <vector>

struct TBus {
  std::vector<float> L, R;
  explicit TBus(std::size_t frames = 0) : L(frames, 0.0f), R(frames, 0.0f) {}
  std::size_t Frames() const { return L.size(); }
  // Adds a mono signal at a sample offset, panned (-1 left .. 1 right).
  void AddMono(std::size_t at, const std::vector<float>& mono, float gain, float pan);
  void Mix(const TBus& other, float gain);
};

// xorshift32: seeded, so every render is the same.
class TNoise {
 public:
  explicit TNoise(std::uint32_t seed) : State(seed ? seed : 1u) {}
  float Next();  // uniform in [-1, 1)
 private:
  std::uint32_t State;
};

double MidiHz(double note);

// Band-limited sawtooth and square with polyBLEP edges.
class TOscillator {
 public:
  explicit TOscillator(double phase = 0.0) : Phase(phase) {}
  float Saw(double hz);
  float Square(double hz, double width = 0.5);
  float Sine(double hz);
 private:
  double Phase;
};

// Topology-preserving state-variable filter (trapezoidal, stable when swept).
class TFilter {
 public:
  void Set(double cutoffHz, double q);
  float Low(float x);
  float Band(float x);
  float High(float x);
 private:
  void Tick(float x);
  double G = 0, K = 1, A1 = 0, A2 = 0, A3 = 0;
  double Ic1 = 0, Ic2 = 0, V1 = 0, V2 = 0, In = 0;
};

// One-pole lowpass for smoothing and damping.
struct TOnePole {
  float State = 0;
  float Coef = 0;
  void Set(double cutoffHz);
  float Process(float x) { return State += Coef * (x - State); }
};

// Attack, decay to sustain, release after `length` seconds; t in seconds.
float Adsr(double t, double length, double attack, double decay, double sustain, double release);

// Ping-pong delay: the bus is replaced by its echoes only.
void PingPongDelay(TBus& bus, double seconds, float feedback, double dampHz);
// A plate-like reverb (parallel combs into allpasses per side); wet only.
void Reverb(TBus& bus, float roomSize, float damping);
