#include "tests/microphone/Signals.h"

#include <fluidsynth.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <random>

namespace lirasto::test {

std::string SoundFontPath()
{
    if (const char* chosen = std::getenv("LIRASTO_SOUNDFONT"); chosen && *chosen)
        return chosen;
    for (const char* path : {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2",
                             "/usr/share/sounds/sf2/FluidR3_GM.sf2"})
        if (std::filesystem::exists(path))
            return path;
    return {};
}

namespace {

// Renders `seconds` of notes held, then `tail` seconds after they are let go.
std::vector<float> render(int program, const std::vector<int>& notes, int velocity, double seconds, double tail,
                          int channel = 0)
{
    std::vector<float> out;
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", kSignalRate);
    fluid_settings_setint(settings, "synth.reverb.active", 0);
    fluid_settings_setint(settings, "synth.chorus.active", 0);
    fluid_settings_setnum(settings, "synth.gain", 0.5);
    fluid_synth_t* synth = new_fluid_synth(settings);
    const std::string font = SoundFontPath();
    if (synth && !font.empty() && fluid_synth_sfload(synth, font.c_str(), 1) != FLUID_FAILED) {
        fluid_synth_program_change(synth, channel, program);
        for (int note : notes)
            fluid_synth_noteon(synth, channel, note, velocity);
        const auto held = std::size_t(seconds * kSignalRate), total = held + std::size_t(tail * kSignalRate);
        std::vector<float> left(total), right(total);
        fluid_synth_write_float(synth, int(held), left.data(), 0, 1, right.data(), 0, 1);
        for (int note : notes)
            fluid_synth_noteoff(synth, channel, note);
        fluid_synth_write_float(synth, int(total - held), left.data() + held, 0, 1, right.data() + held, 0, 1);
        out.resize(total);
        for (std::size_t i = 0; i < total; ++i)
            out[i] = 0.5f * (left[i] + right[i]);
    }
    if (synth)
        delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return out;
}

} // namespace

std::vector<float> RenderNote(int program, int note, int velocity, double seconds, double tail)
{
    return render(program, {note}, velocity, seconds, tail);
}

std::vector<float> RenderChord(int program, const std::vector<int>& notes, int velocity, double seconds)
{
    return render(program, notes, velocity, seconds, 0.3);
}

std::vector<float> RenderClick(int note, int velocity)
{
    constexpr int kPercussionChannel = 9;
    return render(0, {note}, velocity, 0.05, 0.3, kPercussionChannel);
}

std::vector<float> Tone(int note, double seconds, float amplitude, int harmonics)
{
    const double hz = 440.0 * std::pow(2.0, (note - 69) / 12.0);
    std::vector<float> out(std::size_t(seconds * kSignalRate));
    double norm = 0;
    for (int k = 1; k <= harmonics; ++k)
        norm += 1.0 / k;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / kSignalRate;
        double s = 0;
        for (int k = 1; k <= harmonics && k * hz < kSignalRate / 2.0; ++k)
            s += std::sin(2 * M_PI * k * hz * t) / k;
        out[i] = float(amplitude * std::min(1.0, t / 0.005) * s / norm);
    }
    return out;
}

std::vector<float> Noise(double seconds, float rmsAmplitude, uint32_t seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<float> gauss(0.0f, rmsAmplitude);
    std::vector<float> out(std::size_t(seconds * kSignalRate));
    for (float& s : out)
        s = gauss(random);
    return out;
}

void MixInto(std::vector<float>& a, const std::vector<float>& b, std::size_t at, float gain)
{
    if (a.size() < at + b.size())
        a.resize(at + b.size(), 0.0f);
    for (std::size_t i = 0; i < b.size(); ++i)
        a[at + i] += gain * b[i];
}

float RmsOf(const std::vector<float>& x)
{
    double sum = 0;
    for (float s : x)
        sum += double(s) * s;
    return x.empty() ? 0.0f : float(std::sqrt(sum / double(x.size())));
}

} // namespace lirasto::test
