#include "microphone/PitchDetector.h"
#include "tests/microphone/Signals.h"

#include <gtest/gtest.h>

#include <stdexcept>

using lirasto::mic::TDetectorSettings;
using lirasto::mic::THeard;
using lirasto::mic::TPitchDetector;
using namespace lirasto::test;

namespace {

// The notes that started, in order, after feeding `signal` in JACK-sized blocks.
std::vector<int> startsIn(TPitchDetector& detector, const std::vector<float>& signal)
{
    std::vector<THeard> heard;
    for (std::size_t at = 0; at < signal.size(); at += 256)
        detector.Process(signal.data() + at, std::min<std::size_t>(256, signal.size() - at), heard);
    std::vector<int> starts;
    for (const THeard& h : heard)
        if (h.On)
            starts.push_back(h.Note);
    return starts;
}

std::vector<int> startsIn(const std::vector<float>& signal)
{
    TPitchDetector detector(TDetectorSettings{});
    return startsIn(detector, signal);
}

std::vector<float> withSilence(std::vector<float> signal)
{
    std::vector<float> out(kSignalRate / 10, 0.0f);
    MixInto(out, signal, out.size());
    out.resize(out.size() + kSignalRate / 5, 0.0f);
    return out;
}

} // namespace

// Every note from E2 to C7 is heard once, at its own pitch, as a plain tone and as a piano renders it.
TEST(PitchDetector, HearsEveryNoteOfTheRangeOnce)
{
    for (int note = 40; note <= 96; ++note) {
        EXPECT_EQ(startsIn(withSilence(Tone(note, 0.4, 0.3f))), std::vector<int>{note}) << "tone " << note;
        const std::vector<float> piano = RenderNote(0, note, 90, 0.4);
        ASSERT_FALSE(piano.empty()) << "no SoundFont at " << SoundFontPath();
        EXPECT_EQ(startsIn(withSilence(piano)), std::vector<int>{note}) << "piano " << note;
    }
}

struct TOnsetCase
{
    const char* Name;
    int Program;
    int Note;
    int Velocity;
};

class PitchDetectorOnsets : public testing::TestWithParam<TOnsetCase>
{};

// Soft and loud attacks of plucked, bowed and blown notes are one answer each.
TEST_P(PitchDetectorOnsets, HearsOneNoteWhateverItsAttack)
{
    const TOnsetCase& c = GetParam();
    EXPECT_EQ(startsIn(withSilence(RenderNote(c.Program, c.Note, c.Velocity, 1.0))), std::vector<int>{c.Note});
}

INSTANTIATE_TEST_SUITE_P(Attacks, PitchDetectorOnsets,
                         testing::Values(TOnsetCase{"PianoSoft", 0, 60, 25}, TOnsetCase{"PianoLoud", 0, 60, 127},
                                         TOnsetCase{"GuitarLowE", 24, 40, 40}, TOnsetCase{"GuitarLoud", 24, 52, 127},
                                         TOnsetCase{"ViolinSoft", 40, 67, 30}, TOnsetCase{"FluteSoft", 73, 79, 30},
                                         TOnsetCase{"ChoirHeld", 52, 57, 80}),
                         [](const auto& info) { return std::string(info.param.Name); });

// The same note struck again while it still rings is a second answer; a note held is one.
TEST(PitchDetector, HearsANoteStruckAgainAsANewAnswer)
{
    std::vector<float> signal = RenderNote(0, 64, 70, 0.6, 0.0);
    MixInto(signal, RenderNote(0, 64, 100, 0.6), signal.size());
    EXPECT_EQ(startsIn(withSilence(signal)), (std::vector<int>{64, 64}));
    EXPECT_EQ(startsIn(withSilence(RenderNote(73, 72, 80, 2.0))), std::vector<int>{72});
}

// Two different notes in a row are two answers, even when the second starts before the first has faded.
TEST(PitchDetector, HearsTwoNotesInARow)
{
    std::vector<float> signal = RenderNote(24, 45, 90, 0.5, 0.0);
    MixInto(signal, RenderNote(24, 50, 90, 0.5), signal.size() - 2000);
    EXPECT_EQ(startsIn(withSilence(signal)), (std::vector<int>{45, 50}));
}

// Noise alone, loud or soft, is never a note.
TEST(PitchDetector, HearsNoNoteInNoise)
{
    for (float rms : {0.001f, 0.01f, 0.1f})
        EXPECT_TRUE(startsIn(Noise(2.0, rms, 7)).empty()) << rms;
}

// A chord is no single answer, unless it is its lowest note.
TEST(PitchDetector, HearsAChordAsNothingOrItsLowestNote)
{
    const std::vector<std::vector<int>> chords{{60, 64, 67}, {48, 55, 64}, {57, 60, 64}, {43, 47, 50, 55}};
    for (const std::vector<int>& chord : chords) {
        for (int note : startsIn(withSilence(RenderChord(0, chord, 90, 1.0))))
            EXPECT_EQ(note, chord.front()) << "chord from " << chord.front();
    }
}

// Notes the program plays itself, and their ringing, are not the player's; another note played meanwhile is.
TEST(PitchDetector, HearsNotTheProgramsOwnSound)
{
    TPitchDetector detector(TDetectorSettings{});
    detector.OwnNoteOn(60);
    const std::vector<float> own = withSilence(RenderNote(0, 60, 100, 0.5, 0.6));
    const auto letGo = std::ptrdiff_t(kSignalRate * 6 / 10); // the lead's 0.1 s and the 0.5 s held
    EXPECT_TRUE(startsIn(detector, {own.begin(), own.begin() + letGo}).empty());
    detector.OwnNoteOff(60);
    EXPECT_TRUE(startsIn(detector, {own.begin() + letGo, own.end()}).empty());
    EXPECT_EQ(startsIn(detector, withSilence(RenderNote(0, 62, 100, 0.5))), std::vector<int>{62});
    // The player who heard the program's note and strikes it while it still sounds is heard.
    detector.OwnNoteOn(65);
    std::vector<float> playedBack = RenderNote(0, 65, 70, 1.0, 0.0);
    MixInto(playedBack, RenderNote(24, 53, 110, 0.5), kSignalRate * 3 / 4);
    EXPECT_EQ(startsIn(detector, playedBack), std::vector<int>{53});
    detector.OwnNoteOff(65);
    // Once the tail is over, the same note is the player's again.
    EXPECT_EQ(startsIn(detector, withSilence(RenderNote(0, 60, 100, 0.5))), std::vector<int>{60});
}

// The metronome's clicks (wood blocks, the bar's first accented) are no note, alone or over a note held:
// the held note stays one answer and a note played on the beat is still heard.
TEST(PitchDetector, HearsNoNoteInTheMetronomesClicks)
{
    constexpr int kAccent = 76, kClick = 77;
    constexpr std::size_t kBeat = kSignalRate / 2; // 120 beats a minute
    std::vector<float> clicks(kSignalRate / 10, 0.0f);
    for (int beat = 0; beat < 8; ++beat)
        MixInto(clicks, beat % 4 == 0 ? RenderClick(kAccent, 127) : RenderClick(kClick, 90),
                kSignalRate / 10 + beat * kBeat);
    ASSERT_GT(RmsOf(clicks), 0.0f) << "no SoundFont at " << SoundFontPath();
    // The signal starts after withSilence's 100 ms lead, the first click 100 ms into it.
    const auto told = [&] {
        auto detector = std::make_unique<TPitchDetector>(TDetectorSettings{});
        detector->OwnClicks(kSignalRate / 5, kBeat, 8);
        return detector;
    };
    EXPECT_TRUE(startsIn(*told(), withSilence(clicks)).empty());
    for (const auto& [program, note] : {std::pair{73, 72}, std::pair{52, 57}, std::pair{40, 67}}) {
        std::vector<float> held = RenderNote(program, note, 80, 4.0);
        MixInto(held, clicks);
        EXPECT_EQ(startsIn(*told(), withSilence(held)), std::vector<int>{note}) << "under clicks, program " << program;
    }
    std::vector<float> onTheBeat = clicks;
    MixInto(onTheBeat, RenderNote(0, 64, 80, 0.4), kSignalRate / 10 + 5 * kBeat);
    std::vector<THeard> heard;
    told()->Process(withSilence(onTheBeat).data(), withSilence(onTheBeat).size(), heard);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].Note, 64);
    // Decided once the click faded, but dated from the note's own attack.
    EXPECT_NEAR(double(heard[0].StartFrame), double(kSignalRate / 5 + 5 * kBeat), kSignalRate * 0.012);
    // Told of none, the detector would take the clicks for notes: the test's clicks are loud enough to matter.
    EXPECT_FALSE(startsIn(withSilence(clicks)).empty());
}

// The range and the gate leave out what they are set to leave out.
TEST(PitchDetector, HearsOnlyWithinTheRangeAndAboveTheGate)
{
    TPitchDetector narrow(TDetectorSettings{48000, 72, 60, -50.0f});
    EXPECT_EQ(narrow.Settings().LowestNote, 60);
    EXPECT_TRUE(startsIn(narrow, withSilence(Tone(55, 0.4, 0.3f))).empty());
    EXPECT_EQ(startsIn(narrow, withSilence(Tone(72, 0.4, 0.3f))), std::vector<int>{72});
    TPitchDetector gated(TDetectorSettings{});
    gated.SetGateDb(-20.0f);
    EXPECT_TRUE(startsIn(gated, withSilence(Tone(60, 0.4, 0.02f))).empty());
    EXPECT_THROW(TPitchDetector(TDetectorSettings{0}), std::invalid_argument);
    EXPECT_EQ(TPitchDetector(TDetectorSettings{96000}).Window(), 4096);
}
