#include "audio/PianoSound.h"
#include "audio/SoundListener.h"
#include "game/GameEvents.h"
#include "tests/audio/SoundProbe.h"
#include "tests/support/JackServer.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <functional>
#include <memory>
#include <thread>

using namespace lirasto::test;
using namespace std::chrono_literals;

namespace {

constexpr double kRate = 48000.0;

struct Offline : TPianoSound
{
    explicit Offline(const QString& soundFont = {}) : TPianoSound(TSoundSetup{soundFont, {}, kRate})
    {
        Start();
        EXPECT_TRUE(WaitStarted(10s));
    }
    // Left channel only, or left then right.
    std::vector<float> Play(double seconds, bool both = false)
    {
        std::vector<float> left(size_t(seconds * kRate)), right(left.size());
        Render(left.data(), right.data(), int(left.size()));
        if (both)
            left.insert(left.end(), right.begin(), right.end());
        return left;
    }
};

double rms(const std::vector<float>& x)
{
    double sum = 0;
    for (float s : x)
        sum += double(s) * s;
    return std::sqrt(sum / double(x.size()));
}

const std::string kPorts = "Lirasto Notes:";

// Runs the event loop (the listener's timers) until the capture holds the frame.
void pumpUntil(const JackCapture& capture, size_t frame)
{
    for (auto end = std::chrono::steady_clock::now() + 20s;
         capture.Frames() < frame && std::chrono::steady_clock::now() < end;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        std::this_thread::sleep_for(1ms); // leave the dummy server's thread its core
    }
}

double centsIn(const JackCapture& capture, size_t from, double seconds, int note)
{
    pumpUntil(capture, from + capture.At(seconds));
    return CentsOff(SteadyPitch(capture.Take(from, from + capture.At(seconds)), capture.Rate()), note);
}

int threadCount()
{
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

} // namespace

// Every key the questions use sounds at its equal-tempered pitch (A4 = 440 Hz) once the unison strings settle.
TEST(PianoSound, EveryQuestionNoteSoundsWithinTenCentsOfEqualTemperament)
{
    Offline piano;
    ASSERT_EQ(piano.Status(), TPianoSound::TStatus::Ready) << piano.StatusText().toStdString();
    for (int note = kBassLowestNote; note <= kTrebleHighestNote; ++note) {
        piano.NoteOn(note);
        piano.Play(1.0);
        const double hz = EstimatePitch(piano.Play(1.0), kRate);
        piano.NoteOff(note);
        piano.Play(1.0);
        EXPECT_NEAR(CentsOff(hz, note), 0.0, 10.0) << "note " << note << ": " << hz << " Hz";
    }
}

// Four keys at full volume stay below full scale in every register; muting silences
// what sounds and what is pressed while muted; half volume is 6 dB down.
TEST(PianoSound, FourKeysDoNotClipMuteSilencesHalfVolumeIsSixDecibelsDown)
{
    for (const auto& chord : {std::vector{36, 40, 43, 48}, {36, 37, 38, 39}, {60, 64, 67, 72}, {84, 86, 87, 88}}) {
        Offline piano;
        for (int note : chord)
            piano.NoteOn(note);
        EXPECT_LT(PeakOf(piano.Play(2.0, true)), 1.0) << "chord from " << chord[0];
        piano.SetMuted(true);
        piano.NoteOn(70);
        piano.Play(1.5);
        EXPECT_LT(PeakOf(piano.Play(0.5, true)), 1e-4) << "chord from " << chord[0];
    }
    Offline piano;
    double level[2];
    for (int i : {0, 1}) {
        piano.SetVolume(100 - 50 * i);
        piano.NoteOn(60);
        level[i] = rms(piano.Play(1.0, true));
        piano.NoteOff(60);
        piano.Play(3.0);
    }
    EXPECT_NEAR(20 * std::log10(level[1] / level[0]), -6.0, 1.0);
}

// Mouse and computer keys always sound while held; MIDI keys only with "Sound for MIDI keys".
TEST(SoundListener, KeySoundsWhileHeldMidiOnlyWhenAsked)
{
    const std::tuple<TInputSource, bool, bool> cases[] = {{TInputSource::Mouse, false, true},
                                                          {TInputSource::ComputerKeyboard, false, true},
                                                          {TInputSource::Midi, false, false},
                                                          {TInputSource::Midi, true, true}};
    for (const auto& [source, midiSound, heard] : cases) {
        Offline piano;
        TSoundListener listener(piano);
        listener.SetSoundForMidiKeys(midiSound);
        listener.KeyDown(60, source);
        EXPECT_EQ(PeakOf(piano.Play(0.5)) > 0.01, heard) << int(source);
        listener.KeyUp(60, source);
        piano.Play(2.0);
        EXPECT_LT(PeakOf(piano.Play(0.5)), 1e-3) << int(source);
    }
}

// A SoundFont that is missing or broken leaves the program silent, saying why.
TEST(PianoSound, MissingOrDamagedSoundFontReportsNoSoundFont)
{
    TempDir dir;
    QFile real(TPianoSound::FindSoundFont());
    ASSERT_TRUE(real.open(QIODevice::ReadOnly)) << "no system SoundFont";
    const QByteArray whole = real.readAll();
    const std::pair<const char*, QByteArray> files[] = {
        {"missing.sf2", "-"},
        {"empty.sf2", {}},
        {"garbage.sf2", QByteArray(70000, '\x5a')},
        {"header-only.sf2", whole.left(12)},
        {"truncated.sf2", whole.left(100000)},
        {"half.sf2", whole.left(whole.size() / 2)},
        {"sizes-lie.sf2", QByteArray("RIFF\xff\xff\xff\x7fsfbkLIST\xff\xff\xff\x7fINFO", 24)},
        {"chunks-garbled.sf2", whole.left(12) + QByteArray(whole.size() - 12, '\x5a')},
    };
    for (const auto& [name, bytes] : files) {
        const QString path = QString::fromStdString((dir.Path() / name).string());
        QFile out(path);
        if (bytes != "-") {
            ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.flush());
        }
        Offline piano(path);
        EXPECT_EQ(piano.StatusText(), QStringLiteral("No SoundFont found")) << name;
        piano.NoteOn(60);
        EXPECT_EQ(piano.Render(nullptr, nullptr, 32), 0) << name;
    }
    // A FIFO is refused unread: opening it would wait for a writer, and the close for the worker.
    const std::string fifo = (dir.Path() / "fifo.sf2").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    Offline piano(QString::fromStdString(fifo));
    EXPECT_EQ(piano.StatusText(), QStringLiteral("No SoundFont found: fifo.sf2 is not a regular file"));
}

// No output that opens: the program plays on silently and says so.
TEST(PianoSound, NoOutputReportsNoSoundOutput)
{
    qputenv("JACK_DEFAULT_SERVER", "lirasto-no-such-server");
    TPianoSound sound(TSoundSetup{{}, {QStringLiteral("jack"), QStringLiteral("no-such-driver")}, kRate});
    sound.Start();
    ASSERT_TRUE(sound.WaitStarted(10s));
    EXPECT_EQ(sound.StatusText(), QStringLiteral("No sound output"));
    sound.NoteOn(60);
    EXPECT_TRUE(sound.OutputDriver().isEmpty());
    qunsetenv("JACK_DEFAULT_SERVER");
}

// A note reaches JACK's playback ports at its pitch after silence; the output closes after the
// silence and opens for the next note; closing while a note sounds leaves no port or thread.
TEST(SoundOutput, NoteSoundsThroughJackAtItsPitchOutputClosesWhenSilentAndLeavesNothing)
{
    JackServer server;
    ASSERT_TRUE(server.Running()) << server.Error();
    JackCapture capture;
    const int threadsBefore = threadCount();
    TSoundSetup setup;
    setup.IdleStop = 2s;
    auto sound = std::make_unique<TPianoSound>(setup);
    sound->Start();
    ASSERT_TRUE(sound->WaitStarted(10s));
    EXPECT_EQ(sound->OutputDriver(), QStringLiteral("jack"));
    ASSERT_TRUE(capture.Connect(kPorts, 5s));
    // The output goes to the first playback port, whether that connection came before ours or after.
    const auto toPlayback = [&] {
        const char** ports = jack_port_get_all_connections(
            capture.Client(), jack_port_by_name(capture.Client(), (kPorts + "left").c_str()));
        bool found = false;
        for (const char** p = ports; p && *p; ++p)
            found = found || std::string(*p) == "system:playback_1";
        jack_free(ports);
        return found;
    };
    for (auto end = std::chrono::steady_clock::now() + 5s; !toPlayback() && std::chrono::steady_clock::now() < end;)
        std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(toPlayback());

    const size_t press = capture.Frames() + capture.At(0.3);
    pumpUntil(capture, press);
    sound->NoteOn(69);
    EXPECT_NEAR(centsIn(capture, press + capture.At(0.5), 1.0, 69), 0.0, 10.0);
    EXPECT_LT(PeakOf(capture.Take(0, press)), 1e-4);

    sound->NoteOff(69);
    for (auto end = std::chrono::steady_clock::now() + 10s;
         !sound->OutputDriver().isEmpty() && std::chrono::steady_clock::now() < end;)
        pumpUntil(capture, capture.Frames() + 1024);
    ASSERT_TRUE(sound->OutputDriver().isEmpty());
    {
        JackCapture again;
        sound->NoteOn(57);
        ASSERT_TRUE(again.Connect(kPorts, 5s));
        EXPECT_NEAR(centsIn(again, again.Frames(), 1.0, 57), 0.0, 10.0);
    }

    sound.reset();
    const char** left = jack_get_ports(capture.Client(), ("^" + kPorts).c_str(), nullptr, 0);
    EXPECT_EQ(left, nullptr);
    jack_free(left);
    EXPECT_EQ(threadCount(), threadsBefore);
}

// "Play the question" sounds the posed note; a wrong answer is followed by the right
// note 300 ms after its key goes up; a MIDI key is silent by default.
TEST(SoundOutput, QuestionSoundsWhenPosedAndRightNoteFollowsWrongAnswer)
{
    JackServer server;
    ASSERT_TRUE(server.Running()) << server.Error();
    TSoundSetup setup;
    setup.IdleStop = 60s; // the capture's connection would go with a closed output
    TPianoSound sound(setup);
    sound.Start();
    ASSERT_TRUE(sound.WaitStarted(10s));
    JackCapture capture;
    ASSERT_TRUE(capture.Connect(kPorts, 5s));
    TSoundListener listener(sound);
    listener.SetPlayQuestion(true);

    const size_t posed = capture.Frames();
    listener.QuestionPosed(TQuestion{1, 0, 1, 64});
    EXPECT_NEAR(centsIn(capture, posed + capture.At(0.2), 0.8, 64), 0.0, 10.0);

    pumpUntil(capture, capture.Frames() + capture.At(3.0));
    listener.SetPlayQuestion(false);
    listener.KeyDown(61, TInputSource::Midi);
    TJudgement wrong;
    wrong.Question = TQuestion{1, 0, 1, 72};
    listener.AnswerJudged(wrong);
    pumpUntil(capture, capture.Frames() + capture.At(0.2));
    const size_t up = capture.Frames();
    const auto upAt = std::chrono::steady_clock::now();
    listener.KeyUp(61, TInputSource::Midi);
    pumpUntil(capture, up + capture.At(1.3));
    const std::vector<float> after = capture.Take(up, up + capture.At(1.3));
    const auto onset =
        size_t(std::find_if(after.begin(), after.end(), [](float s) { return std::fabs(s) > 0.01f; }) - after.begin());
    ASSERT_LT(onset, after.size());
    // A busy machine may deliver the cycle late, never early.
    const auto delay = capture.HeardAt(up + onset) - upAt;
    EXPECT_GE(delay, 300ms);
    EXPECT_LE(delay, 500ms);
    EXPECT_NEAR(centsIn(capture, up + onset + capture.At(0.1), 0.8, 72), 0.0, 10.0);

    // A stack asked sounds whole, every note together.
    std::vector<int> struck;
    QObject::connect(&sound, &TPianoSound::Sounded, [&struck](int note, bool on) {
        if (on)
            struck.push_back(note);
    });
    listener.SetPlayQuestion(true);
    listener.QuestionPosed(TQuestion{1, 0, 1, 60, {{1, 60, 0}, {1, 64, 0}, {1, 67, 0}}, TExerciseKind::Chords});
    EXPECT_EQ(struck, (std::vector<int>{60, 64, 67}));
}

// The metronome's clicks fall on the beat grid of the rendered samples (within a millisecond, a
// block of the synthesizer) at the slowest and a fast tempo, and the bar's first click is the louder.
TEST(PianoSound, MetronomeClicksFallOnTheBeatGridAccentedOnTheBar)
{
    for (const double bpm : {40.0, 200.0}) {
        Offline piano;
        const double beatMs = 60000.0 / bpm;
        constexpr int kClicks = 6;
        piano.ScheduleClicks(std::chrono::duration<double, std::milli>(100),
                             std::chrono::duration<double, std::milli>(beatMs), kClicks, 4);
        const std::vector<float> out = piano.Play(0.2 + kClicks * beatMs / 1000.0);
        const double beatSamples = beatMs * kRate / 1000.0;
        std::vector<double> onsets, peaks;
        for (int k = 0; k < kClicks; ++k) {
            const auto from = size_t(std::max(0.0, (0.1 * kRate) + (k - 0.4) * beatSamples));
            const auto to = std::min(out.size(), size_t((0.1 * kRate) + (k + 0.5) * beatSamples));
            float peak = 0;
            for (size_t i = from; i < to; ++i)
                peak = std::max(peak, std::abs(out[i]));
            // The click's attack: where it first reaches a third of its peak, well above the last one's tail.
            size_t onset = from;
            while (onset < to && std::abs(out[onset]) < peak / 3)
                ++onset;
            ASSERT_GT(peak, 1e-3f) << bpm << " BPM, click " << k;
            onsets.push_back(double(onset));
            peaks.push_back(peak);
        }
        for (int k = 1; k < kClicks; ++k) {
            // Like with like: the accented clicks against the first, the others against the second.
            const int same = k % 4 == 0 ? 0 : 1;
            if (k == same)
                continue;
            EXPECT_NEAR(onsets[k] - onsets[same], (k - same) * beatSamples, kRate / 1000.0)
                << bpm << " BPM, click " << k;
        }
        EXPECT_GT(peaks[0], peaks[1]) << bpm << " BPM";
        EXPECT_GT(peaks[4], peaks[3]) << bpm << " BPM";
    }
}

// A next batch of clicks, asked for with a clock reading a few milliseconds off the sample clock,
// goes on the last batch's grid: its first (accented) click exactly four beats after the first's.
TEST(PianoSound, MetronomeBatchThatContinuesTheGridKeepsIt)
{
    using Ms = std::chrono::duration<double, std::milli>;
    for (const double offMs : {-7.0, 7.0}) {
        Offline piano;
        const double beatMs = 300;
        piano.ScheduleClicks(Ms(100), Ms(beatMs), 4, 4);
        std::vector<float> out = piano.Play(1.1);
        piano.ScheduleClicks(Ms(100 + 4 * beatMs - 1100 + offMs), Ms(beatMs), 4, 4);
        const std::vector<float> rest = piano.Play(0.6);
        out.insert(out.end(), rest.begin(), rest.end());
        // The attack: where the sound first reaches a third of its peak over the next 150 ms.
        const auto onset = [&](double fromMs) {
            const auto from = size_t(fromMs * kRate / 1000), to = from + size_t(0.15 * kRate);
            const float peak = *std::max_element(out.begin() + long(from), out.begin() + long(to),
                                                 [](float a, float b) { return std::abs(a) < std::abs(b); });
            auto i = from;
            while (i < to && std::abs(out[i]) < std::abs(peak) / 3)
                ++i;
            return double(i);
        };
        EXPECT_NEAR(onset(1250) - onset(50), 4 * beatMs * kRate / 1000, kRate / 1000.0) << offMs << " ms off";
    }
}

// The piano's room (the reverb) rests while the piano is silent and comes back with the next note,
// first or after a pause, clicks alone or a key held long: the note rings on in the room after its
// voice has ended, where the system's piano alone falls exactly silent 1.1 s after the key goes up.
TEST(PianoSound, NoteAfterAPauseStillRingsInTheRoom)
{
    using Ms = std::chrono::duration<double, std::milli>;
    const auto ringsOn = [](Offline& piano) {
        piano.NoteOn(60);
        piano.Play(0.5);
        piano.NoteOff(60);
        piano.Play(1.2);
        return PeakOf(piano.Play(0.3)) > 0.0f;
    };
    const std::pair<const char*, std::function<void(Offline&)>> before[] = {
        {"nothing", [](Offline&) {}},
        {"a note and a pause", [&](Offline& p) { ringsOn(p), p.Play(12.0); }},
        {"clicks alone", [](Offline& p) { p.ScheduleClicks(Ms(10), Ms(500), 8, 4), p.Play(12.0); }},
        {"a key held past the room's rest", [](Offline& p) { p.NoteOn(48), p.Play(8.0), p.NoteOff(48), p.Play(12.0); }},
    };
    for (const auto& [name, body] : before) {
        Offline piano;
        body(piano);
        EXPECT_TRUE(ringsOn(piano)) << "after " << name;
    }
}
