// FrameClock: a demo clock that moves only when told. Frame k of a capture at
// `fps` frames per second reads demo time k / fps and frame time 1 / fps,
// however long the frame took to draw.
// Needs: platform/Clock (the swappable counter the demo timer reads).
#pragma once
#include <cstdint>

// The counter runs at 2^40 ticks per second: the timer's seconds per tick is
// then exactly representable, and a tick is far below a float's resolution
// of any demo time, so the timer's float results are k / fps rounded once.
constexpr std::uint64_t FrameClockFrequency = std::uint64_t{1} << 40;

// Installs the clock at time zero; the demo timer must be created after this.
void InstallFrameClock();
void RemoveFrameClock();

// Every counter reading from now on returns this moment.
void SetClockToFrame(std::int64_t frame, int fps);
void SetClockToSeconds(double seconds);

// The counter value of frame k: k / fps seconds, to the nearest tick.
std::uint64_t FrameTicks(std::int64_t frame, int fps);

// Frame k is drawn at demo time k / fps; the frame shown at time T is the
// last one drawn at or before T.
long long FrameAt(double seconds, int fps);
// The first frame drawn at or after T.
long long FirstFrameFrom(double seconds, int fps);
