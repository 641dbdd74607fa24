#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Signals a microphone might hear, for the detector's tests, the benchmarks and the player that plays into
// the program's input port: notes rendered through FluidSynth with the system's General MIDI SoundFont,
// generated tones and room noise.
namespace lirasto::test {

inline constexpr int kSignalRate = 48000;

// One note of General MIDI program `program` (0 piano, 24 guitar, 40 violin, 73 flute, 52 choir), held for
// `seconds` then let go, with `tail` seconds of its release; mono at 48 kHz. Empty when no SoundFont loads.
std::vector<float> RenderNote(int program, int note, int velocity, double seconds, double tail = 0.3);
// Several notes struck together.
std::vector<float> RenderChord(int program, const std::vector<int>& notes, int velocity, double seconds);
// A metronome click as the program's metronome sounds it: a General MIDI percussion note held 50 ms.
std::vector<float> RenderClick(int note, int velocity);
// A tone of `harmonics` partials falling off as 1/k, with a 5 ms attack, at `amplitude` peak.
std::vector<float> Tone(int note, double seconds, float amplitude, int harmonics = 6);
// White noise, the same for the same seed.
std::vector<float> Noise(double seconds, float rmsAmplitude, uint32_t seed = 1);
// Adds `b` into `a` from sample `at` on, growing `a` as needed.
void MixInto(std::vector<float>& a, const std::vector<float>& b, std::size_t at = 0, float gain = 1.0f);
float RmsOf(const std::vector<float>& x);
std::string SoundFontPath();

} // namespace lirasto::test
