// Accuracy of the microphone's note detector on notes rendered through FluidSynth (piano, guitar, violin,
// flute, choir) from E2 to C7, each with room noise 20 dB below the note; beside it, in the same run and on
// the same signals, aubio's own note tracker with the same window and hop. Also the detector's delay from
// the note's start in the signal to its answer, and its cost as a share of one core.
#include "microphone/PitchDetector.h"
#include "tests/microphone/Signals.h"

#include <aubio/aubio.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace lirasto::test;

namespace {

struct TTally
{
    int Right = 0, Octave = 0, Wrong = 0, Missed = 0, Extra = 0;
    void Add(int expected, const std::vector<int>& starts)
    {
        if (starts.empty())
            ++Missed;
        else if (starts.front() == expected)
            ++Right;
        else if ((starts.front() - expected) % 12 == 0)
            ++Octave;
        else
            ++Wrong;
        Extra += std::max(0, int(starts.size()) - 1);
    }
    void Print(const char* name, int total) const
    {
        std::printf("%-24s right %6.2f %%  octave errors %5.2f %%  other wrong %5.2f %%  missed %5.2f %%  extra "
                    "answers %d\n",
                    name, 100.0 * Right / total, 100.0 * Octave / total, 100.0 * Wrong / total, 100.0 * Missed / total,
                    Extra);
    }
};

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

// The notes aubio's tracker starts from `from` on (what it hears in the noise before the note is not counted).
std::vector<int> aubioNotes(const std::vector<float>& signal, std::size_t from)
{
    aubio_notes_t* notes = new_aubio_notes("default", 2048, 256, kSignalRate);
    // Its silence threshold above the room noise, as our gate is.
    aubio_notes_set_silence(notes, -45.0f);
    fvec_t* out = new_fvec(3);
    std::vector<float> hop(256);
    std::vector<int> starts;
    for (std::size_t at = 0; at + 256 <= signal.size(); at += 256) {
        std::copy_n(signal.begin() + std::ptrdiff_t(at), 256, hop.begin());
        fvec_t in{256, hop.data()};
        aubio_notes_do(notes, &in, out);
        if (out->data[0] > 0 && at + 256 >= from)
            starts.push_back(int(std::lround(out->data[0])));
    }
    del_fvec(out);
    del_aubio_notes(notes);
    return starts;
}

} // namespace

int main()
{
    const struct
    {
        const char* Name;
        int Program;
    } instruments[] = {{"piano", 0}, {"guitar", 24}, {"violin", 40}, {"flute", 73}, {"choir", 52}};
    TTally ours, theirs, theirsClean;
    std::vector<TTally> perInstrument(std::size(instruments));
    std::vector<double> delaysMs;
    double cpu = 0, audioSeconds = 0;
    int total = 0;
    const std::size_t lead = kSignalRate / 5;
    for (std::size_t i = 0; i < std::size(instruments); ++i) {
        for (int note = 40; note <= 96; ++note) {
            const std::vector<float> rendered = RenderNote(instruments[i].Program, note, 90, 0.6, 0.3);
            if (rendered.empty()) {
                std::fprintf(stderr, "no SoundFont at %s\n", SoundFontPath().c_str());
                return 1;
            }
            // The note's start: its first sample above a thousandth of its peak.
            std::size_t onset = 0;
            float peak = 0;
            for (float s : rendered)
                peak = std::max(peak, std::fabs(s));
            while (onset < rendered.size() && std::fabs(rendered[onset]) < peak * 1e-3f)
                ++onset;
            std::vector<float> signal(lead, 0.0f);
            MixInto(signal, rendered, lead);
            theirsClean.Add(note, aubioNotes(signal, lead + onset));
            // Room noise 20 dB below the held note, over the silence before it as well.
            const float noteRms = RmsOf(std::vector<float>(rendered.begin(), rendered.begin() + kSignalRate / 2));
            MixInto(signal, Noise(double(signal.size()) / kSignalRate, noteRms * 0.1f, uint32_t(note * 7 + i)), 0);

            lirasto::mic::TPitchDetector detector(lirasto::mic::TDetectorSettings{});
            std::vector<lirasto::mic::THeard> heard;
            const double before = cpuSeconds();
            for (std::size_t at = 0; at < signal.size(); at += 256)
                detector.Process(signal.data() + at, std::min<std::size_t>(256, signal.size() - at), heard);
            cpu += cpuSeconds() - before;
            audioSeconds += double(signal.size()) / kSignalRate;
            std::vector<int> starts;
            for (const auto& h : heard)
                if (h.On) {
                    if (starts.empty())
                        delaysMs.push_back(1000.0 * double(h.Frame - int64_t(lead + onset)) / kSignalRate);
                    starts.push_back(h.Note);
                }
            ours.Add(note, starts);
            perInstrument[i].Add(note, starts);
            theirs.Add(note, aubioNotes(signal, lead + onset));
            ++total;
        }
    }
    std::printf("%d held notes, E2..C7, 5 instruments, room noise at -20 dB\n", total);
    ours.Print("our detector", total);
    theirs.Print("aubio's note tracker", total);
    theirsClean.Print("the same, without noise", total);
    for (std::size_t i = 0; i < std::size(instruments); ++i)
        perInstrument[i].Print(instruments[i].Name, 57);
    std::sort(delaysMs.begin(), delaysMs.end());
    if (!delaysMs.empty())
        std::printf("detector delay from the note's start: median %.1f ms, p99 %.1f ms (signal time)\n",
                    delaysMs[delaysMs.size() / 2], delaysMs[std::min(delaysMs.size() - 1, delaysMs.size() * 99 / 100)]);
    std::printf("detector cost: %.2f %% of one core (%.2f s of CPU for %.1f s of sound)\n", 100.0 * cpu / audioSeconds,
                cpu, audioSeconds);
    return 0;
}
