// DevCalibration: the development mode's view for an output's own delay.
// A click sounds on every beat and the screen flashes white on it; the
// viewer moves the sound's offset until the two meet, and passes the
// offset found to the demo as --audio-offset.
// Needs: nothing (plain numbers and bytes).
#pragma once
#include <cstdint>
#include <vector>

constexpr double CalibrationBeat = 0.5;          // seconds: 120 beats a minute
constexpr double CalibrationFlash = 0.05;        // seconds the screen stays white
constexpr double CalibrationSeconds = 30;        // the click track's length
constexpr int CalibrationStepMs = 5;             // a key moves the offset this much
constexpr int CalibrationLargestMs = 2000;       // as far as --audio-offset goes

// A 16-bit mono WAV at 44.1 kHz: 4 ms of 2 kHz at every beat.
std::vector<std::uint8_t> CalibrationClicks();
// Whether the screen is white at `time` of the click track.
bool CalibrationFlashes(double time);
// The offset after `steps` key presses (negative: the sound earlier), kept
// within what --audio-offset takes.
int CalibrationOffset(int offsetMs, int steps);
