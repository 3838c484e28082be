// Instruments: patches tuned by ear for a warm, slightly retro sound.
#include "tools/mediagen/Instruments.h"

#include <algorithm>
#include <cmath>

#include "tools/mediagen/Arrangement.h"
#include "tools/mediagen/Synth.h"

namespace {

constexpr double Pi = 3.14159265358979323846;

std::vector<float> Buffer(double seconds) {
  return std::vector<float>(static_cast<std::size_t>(seconds * SampleRate) + 1, 0.0f);
}
double T(std::size_t i) { return static_cast<double>(i) / SampleRate; }

std::vector<float> Kick(const TNoteEvent& e, TNoise& noise) {
  auto out = Buffer(0.45);
  TOscillator osc;
  TFilter click;
  click.Set(3000, 0.7);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = T(i);
    const double hz = 48 + 110 * std::exp(-t / 0.03);
    const double body = osc.Sine(hz) * std::exp(-t / 0.16) * std::min(1.0, t / 0.002);
    const double snap = click.Band(noise.Next()) * std::exp(-t / 0.004);
    out[i] = static_cast<float>(std::tanh(1.6 * body) * 0.9 + snap * 0.6) * e.Velocity;
  }
  return out;
}

std::vector<float> Snare(const TNoteEvent& e, TNoise& noise) {
  auto out = Buffer(0.35);
  TOscillator a, b;
  TFilter hp, bp;
  hp.Set(1800, 0.7);
  bp.Set(5000, 0.9);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = T(i);
    const double tone = (a.Sine(185 * (1 + 0.4 * std::exp(-t / 0.01))) * 0.6 + b.Sine(330) * 0.3) * std::exp(-t / 0.07);
    const float n = noise.Next();
    const double rattle = (hp.High(n) * 0.7 + bp.Band(n) * 0.5) * std::exp(-t / 0.13);
    out[i] = static_cast<float>(tone * 0.7 + rattle) * e.Velocity * 0.8f;
  }
  return out;
}

std::vector<float> Hat(const TNoteEvent& e, TNoise& noise, double decay) {
  auto out = Buffer(decay * 6);
  TFilter hp, bp;
  hp.Set(7500, 0.7);
  bp.Set(10500, 1.2);
  // A touch of metallic ring from detuned squares, as on analogue machines.
  TOscillator m1, m2, m3;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = T(i);
    const double metal = (m1.Square(587) + m2.Square(845) + m3.Square(1253)) * 0.15;
    const double s = hp.High(noise.Next() + static_cast<float>(metal));
    out[i] = static_cast<float>((s * 0.8 + bp.Band(static_cast<float>(s)) * 0.6) * std::exp(-t / decay)) * e.Velocity * 0.5f;
  }
  return out;
}

std::vector<float> Crash(const TNoteEvent& e, TNoise& noise) {
  auto out = Buffer(2.6);
  TFilter hp, bp;
  hp.Set(4200, 0.6);
  bp.Set(7000, 0.8);
  TOscillator m1, m2, m3, m4;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = T(i);
    const double metal = (m1.Square(411) + m2.Square(563) + m3.Square(781) + m4.Square(1097)) * 0.12;
    const double s = hp.High(noise.Next() * 0.8f + static_cast<float>(metal));
    const double env = std::exp(-t / 0.55) * std::min(1.0, t / 0.003);
    out[i] = static_cast<float>((s + bp.Band(static_cast<float>(s)) * 0.5) * env) * e.Velocity * 0.45f;
  }
  return out;
}

std::vector<float> Tom(const TNoteEvent& e, TNoise& noise) {
  auto out = Buffer(0.5);
  TOscillator osc;
  const double base = MidiHz(e.Note);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = T(i);
    const double hz = base * (1 + 0.5 * std::exp(-t / 0.04));
    out[i] = static_cast<float>(osc.Sine(hz) * std::exp(-t / 0.18) + noise.Next() * 0.15 * std::exp(-t / 0.01)) *
             e.Velocity * 0.8f;
  }
  return out;
}

std::vector<float> Riser(const TNoteEvent& e, TNoise& noise) {
  auto out = Buffer(e.Length + 0.3);
  TFilter bp;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = T(i), u = std::min(1.0, t / e.Length);
    if (i % 32 == 0) bp.Set(300 * std::pow(30.0, u), 2.5);
    const double env = t < e.Length ? u * u : std::exp(-(t - e.Length) / 0.05);
    out[i] = static_cast<float>(bp.Band(noise.Next()) * env) * e.Velocity;
  }
  return out;
}

std::vector<float> Bass(const TNoteEvent& e) {
  auto out = Buffer(e.Length + 0.12);
  TOscillator saw, sub(0.25);
  TFilter lp;
  const double hz = MidiHz(e.Note);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = T(i);
    if (i % 16 == 0) lp.Set(hz * 1.5 + (250 + 1800 * e.Brightness) * std::exp(-t / 0.09), 1.1);
    const double s = lp.Low(saw.Saw(hz)) * 0.75 + sub.Sine(hz) * 0.55;
    out[i] = static_cast<float>(std::tanh(1.3 * s) * Adsr(t, e.Length, 0.004, 0.25, 0.7, 0.08)) * e.Velocity;
  }
  return out;
}

std::vector<float> Pad(const TNoteEvent& e) {
  auto out = Buffer(e.Length + 1.2);
  const double hz = MidiHz(e.Note);
  const double detune[] = {-0.11, 0.0, 0.12};  // semitones
  TOscillator osc[3] = {TOscillator(0.1), TOscillator(0.53), TOscillator(0.77)};
  TFilter lp;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = T(i);
    if (i % 32 == 0) lp.Set(900 + 1400 * e.Brightness + 500 * std::sin(2 * Pi * 0.25 * t), 0.8);
    double s = 0;
    for (int k = 0; k < 3; ++k) s += osc[k].Saw(hz * std::pow(2.0, detune[k] / 12));
    out[i] = static_cast<float>(lp.Low(static_cast<float>(s / 3)) * Adsr(t, e.Length, 0.35, 0.6, 0.8, 1.1)) *
             e.Velocity;
  }
  return out;
}

std::vector<float> Arp(const TNoteEvent& e) {
  auto out = Buffer(e.Length + 0.15);
  TOscillator osc;
  TFilter lp;
  const double hz = MidiHz(e.Note);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = T(i);
    if (i % 16 == 0) lp.Set(400 + 5000 * e.Brightness * e.Brightness * std::exp(-t / 0.06) + 600 * e.Brightness, 1.4);
    out[i] = static_cast<float>(lp.Low(osc.Square(hz, 0.3)) * Adsr(t, e.Length * 0.5, 0.002, 0.12, 0.3, 0.1)) *
             e.Velocity * 0.6f;
  }
  return out;
}

std::vector<float> Bell(const TNoteEvent& e) {
  auto out = Buffer(e.Length + 1.4);
  const double hz = MidiHz(e.Note);
  double carrier = 0, modulator = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = T(i);
    const double index = 2.2 * std::exp(-t / 0.35);
    const double s = std::sin(2 * Pi * carrier + index * std::sin(2 * Pi * modulator));
    carrier += hz / SampleRate;
    modulator += 3.5 * hz / SampleRate;
    carrier -= std::floor(carrier);
    modulator -= std::floor(modulator);
    out[i] = static_cast<float>(s * std::exp(-t / 0.9) * std::min(1.0, t / 0.002)) * e.Velocity * 0.55f;
  }
  return out;
}

std::vector<float> Lead(const TNoteEvent& e) {
  auto out = Buffer(e.Length + 0.35);
  TOscillator saw1(0.2), saw2(0.7), sq(0.4), lfo;
  TFilter lp;
  const double hz = MidiHz(e.Note);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = T(i);
    const double vibrato = 1 + 0.006 * std::min(1.0, std::max(0.0, t - 0.25) / 0.3) * lfo.Sine(5.3);
    const double f = hz * vibrato;
    if (i % 16 == 0) lp.Set(f * 1.5 + (1200 + 4000 * e.Brightness) * (0.35 + 0.65 * std::exp(-t / 0.25)), 1.3);
    const double s = saw1.Saw(f * 1.003) * 0.45 + saw2.Saw(f * 0.997) * 0.45 + sq.Square(f * 0.5, 0.5) * 0.3;
    out[i] = static_cast<float>(lp.Low(static_cast<float>(s)) * Adsr(t, e.Length, 0.012, 0.3, 0.75, 0.25)) *
             e.Velocity * 0.7f;
  }
  return out;
}

}  // namespace

TVoiceMix MixOf(TVoice voice) {
  switch (voice) {
    case TVoice::Kick: return {0.95f, 0.02f, 0.0f, false};
    case TVoice::Snare: return {0.55f, 0.25f, 0.0f, false};
    case TVoice::ClosedHat: return {0.35f, 0.05f, 0.0f, false};
    case TVoice::OpenHat: return {0.28f, 0.08f, 0.0f, false};
    case TVoice::Crash: return {0.35f, 0.2f, 0.0f, false};
    case TVoice::Tom: return {0.3f, 0.2f, 0.0f, false};
    case TVoice::Riser: return {0.22f, 0.4f, 0.0f, false};
    case TVoice::Bass: return {0.5f, 0.0f, 0.0f, true};
    case TVoice::Pad: return {0.2f, 0.45f, 0.0f, true};
    case TVoice::Arp: return {0.18f, 0.2f, 0.35f, true};
    case TVoice::Bell: return {0.2f, 0.35f, 0.3f, false};
    case TVoice::Lead: return {0.32f, 0.3f, 0.25f, false};
  }
  return {0, 0, 0, false};
}

std::vector<float> RenderNote(const TNoteEvent& e, std::uint32_t seed) {
  TNoise noise(seed * 2654435761u + 12345u);
  switch (e.Voice) {
    case TVoice::Kick: return Kick(e, noise);
    case TVoice::Snare: return Snare(e, noise);
    case TVoice::ClosedHat: return Hat(e, noise, 0.035);
    case TVoice::OpenHat: return Hat(e, noise, 0.14);
    case TVoice::Crash: return Crash(e, noise);
    case TVoice::Tom: return Tom(e, noise);
    case TVoice::Riser: return Riser(e, noise);
    case TVoice::Bass: return Bass(e);
    case TVoice::Pad: return Pad(e);
    case TVoice::Arp: return Arp(e);
    case TVoice::Bell: return Bell(e);
    case TVoice::Lead: return Lead(e);
  }
  return {};
}
