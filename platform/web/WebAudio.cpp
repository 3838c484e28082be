// WebAudio: platform/QuarnBASS.h in a browser. The page has the browser
// decode every sound file before the demo starts (media.js, at 44100 Hz as
// the desktop's mixer runs); a load reads the file as the desktop does and
// takes the decoded sound whose file bytes are the same. A playback channel
// (platform/SampleTable's) is an AudioBufferSourceNode through a gain for
// its volume and one a side for its panning, into the context's output,
// started at a context time fixed against the heard clock (OutputLatency).
// Mechanism: Web Audio through EM_JS, on the page's AudioContext, which its
// Start button starts (browsers play sound only after a click).
#include "platform/QuarnBASS.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <vector>

#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/SampleTable.h"

namespace {
// Open only on a running context: without one the demo runs silent, its
// clock on performance.now() (WebClock).
EM_JS(int, web_audio_open, (), {
  const audio = Module.demoAudio;
  if (!audio || !audio.context || audio.context.state !== "running") return 0;
  audio.open = true;
  audio.heard = -Infinity;
  audio.channels = [];
  return 1;
});

// The time of what the context plays from now on.
EM_JS(double, web_audio_context_time, (), { return Module.demoAudio.context.currentTime; });

// The decoded sound of a file with these bytes, or -1.
EM_JS(int, web_audio_find, (const std::uint8_t* data, std::size_t size), {
  const sounds = Module.demoAudio.sounds || [];
  const i = DemoMedia.findByBytes(sounds, HEAPU8.subarray(data, data + size));
  return i >= 0 && sounds[i].buffer ? i : -1;
});

EM_JS(double, web_audio_rate, (int sound), { return Module.demoAudio.sounds[sound].buffer.sampleRate; });

EM_JS(int, web_audio_playing, (int channel), {
  const c = Module.demoAudio.channels[channel];
  return c && c.playing ? 1 : 0;
});

EM_JS(void, web_audio_stop, (int channel), {
  const c = Module.demoAudio.channels[channel];
  if (!c) return;
  c.playing = false;
  try { c.source.stop(); } catch (e) {}
  c.output.disconnect();
  delete Module.demoAudio.channels[channel];
});

EM_JS(void, web_audio_play, (int channel, int sound, double when, double volume, double left, double right,
                             double offset), {
  const audio = Module.demoAudio, ctx = audio.context;
  const source = ctx.createBufferSource();
  source.buffer = audio.sounds[sound].buffer;
  // Mono comes out on both sides, as the mixer makes it.
  const gain = new GainNode(ctx, {gain: volume, channelCount: 2, channelCountMode: "explicit",
                                  channelInterpretation: "speakers"});
  const split = ctx.createChannelSplitter(2), output = ctx.createChannelMerger(2);
  const sides = [new GainNode(ctx, {gain: left}), new GainNode(ctx, {gain: right})];
  source.connect(gain).connect(split);
  sides.forEach((side, i) => { split.connect(side, i); side.connect(output, 0, i); });
  output.connect(ctx.destination);
  const c = {source, output, playing: true, when, offset};
  source.onended = () => { if (audio.channels[channel] === c) c.playing = false; };
  audio.channels[channel] = c;
  source.start(c.when, offset);
});

EM_JS(double, web_audio_when, (int channel), {
  const c = Module.demoAudio.channels[channel];
  return c ? c.when : 0;
});

// What the clock read last (WebClock), in context seconds.
EM_JS(double, web_audio_heard, (), { return Module.demoAudio.heard; });

EM_JS(void, web_audio_set_offset, (double seconds), { if (Module.demoAudio) Module.demoAudio.offset = seconds; });

EM_JS(void, web_audio_close, (), {
  const audio = Module.demoAudio;
  if (!audio) return;
  for (const c of audio.channels || []) {
    if (!c) continue;
    try { c.source.stop(); } catch (e) {}
    c.output.disconnect();
  }
  audio.channels = [];
  audio.open = false;
});

// The context's time moves in bursts of its output buffer (10 ms and more),
// which a start must not fall behind.
constexpr double BurstAllowance = 0.02;

bool Open = false;
TSampleTable Table;
int Sounds[MaxSamples];  // the page's sound for each loaded index
double Latency = 0;      // the context's, while open
double Offset = 0;       // the output's own delay (SetAudioOffset)

bool ChannelPlays(int channel) { return web_audio_playing(channel) != 0; }

// The context time heard now: the clock's reading (WebClock reads the
// audio while it is open).
double HeardNow() {
  const TCounterSource& clock = MachineCounterSource();
  std::uint64_t ticksPerSecond = 1;
  clock.Frequency(&ticksPerSecond);
  return static_cast<double>(clock.Counter()) / static_cast<double>(ticksPerSecond);
}
}  // namespace

// The latency is fixed when the device opens, as the desktop's mixer buffer
// is: what the context plays then is heard that much later, and every
// playback is scheduled that far ahead of what is heard, so a sound started
// now and the demo's clock, held back by the same amount, meet exactly.
bool InitAudio(void* /*window*/) {
  if (Open) return true;
  Open = web_audio_open() != 0;
  if (Open) Latency = std::max(0.0, web_audio_context_time() - HeardNow()) + BurstAllowance;
  return Open;
}

double OutputLatency() { return Open ? Latency + Offset : 0; }

// WebClock reads the context's time less the offset: a sound is scheduled
// that much further ahead, and heard at the same time on the clock.
void SetAudioOffset(double seconds) {
  Offset = seconds;
  web_audio_set_offset(seconds);
}

double PlaybackHeardIn(std::int32_t handle) {
  const int channel = handle - 1;
  if (!Open || channel < 0 || channel >= PlaybackChannels) return 0;
  return web_audio_when(channel) - web_audio_heard();
}

// The context's own rendering never waits on the demo's thread.
long AudioUnderruns() { return Open ? 0 : -1; }

std::int32_t LoadSample(const std::string& fileName) {
  std::vector<std::uint8_t> bytes;
  if (!Open || !ReadFileBytes(fileName, bytes)) return -1;
  return LoadSampleBytes(bytes);
}

// Only sounds the page decoded before the start are there to take.
bool ReloadSample(std::int32_t index, const std::string& fileName) {
  std::vector<std::uint8_t> bytes;
  if (!Open || !SampleLoadedAt(Table, index) || !ReadFileBytes(fileName, bytes)) return false;
  const int sound = web_audio_find(bytes.data(), bytes.size());
  if (sound < 0) return false;
  StopSample(index);
  Sounds[index] = sound;
  return true;
}

std::int32_t LoadSampleBytes(const std::vector<std::uint8_t>& bytes) {
  const std::int32_t index = NextSampleIndex(Table);
  if (index < 0 || !Open || bytes.empty()) return -1;
  const int sound = web_audio_find(bytes.data(), bytes.size());
  if (sound < 0) return -1;
  Sounds[index] = sound;
  SampleLoaded(Table);
  return index;
}

std::int32_t PlaySample(std::int32_t index, std::int32_t volume, std::int32_t pan) {
  return PlaySampleFrom(index, volume, pan, 0);
}

std::int32_t PlaySampleFrom(std::int32_t index, std::int32_t volume, std::int32_t pan, double seconds) {
  if (!Open || !SampleLoadedAt(Table, index)) return 0;
  const int channel = ChooseChannel(Table, index, ChannelPlays);
  web_audio_stop(channel);
  const int sound = Sounds[index];
  const double rate = web_audio_rate(sound);
  const TPanLevels levels = PanLevels(pan);
  web_audio_play(channel, sound, HeardNow() + OutputLatency(), VolumePercent(volume) / 100.0, levels.Left / 255.0,
                 levels.Right / 255.0, static_cast<double>(OffsetFrames(seconds, static_cast<int>(rate))) / rate);
  return PlaybackStarted(Table, channel);
}

std::int32_t SampleCount() { return Table.Count; }

bool DecodedSound(std::int32_t, TDecodedSound&) { return false; }

void ShutdownAudio() {
  if (Open) web_audio_close();
  Open = false;
  Table = TSampleTable{};
}

void StopSample(std::int32_t index) {
  if (!Open || !SampleLoadedAt(Table, index)) return;
  for (int c = FirstChannel(index); c < FirstChannel(index + 1); ++c) web_audio_stop(c);
}
