#include "audio/PianoSound.h"
#include "game/GameEvents.h"
#include "tests/audio/SoundProbe.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace lirasto::test;
using namespace std::chrono_literals;

namespace {

constexpr double kRate = 48000.0;

struct Offline : TPianoSound
{
    explicit Offline(const QString& soundFont = {}) : TPianoSound(TSoundSetup{soundFont, {}, kRate})
    {
        start();
        EXPECT_TRUE(waitStarted(10s));
    }
    // Left channel only, or left then right.
    std::vector<float> play(double seconds, bool both = false)
    {
        std::vector<float> left(size_t(seconds * kRate)), right(left.size());
        render(left.data(), right.data(), int(left.size()));
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

} // namespace

// Every key the questions use sounds at its equal-tempered pitch (A4 = 440 Hz) once the unison strings settle.
TEST(PianoSound, EveryQuestionNoteSoundsWithinTenCentsOfEqualTemperament)
{
    Offline piano;
    ASSERT_EQ(piano.status(), TPianoSound::TStatus::Ready) << piano.statusText().toStdString();
    for (int note = BassLowestNote; note <= TrebleHighestNote; ++note) {
        piano.noteOn(note);
        piano.play(1.0);
        const double hz = estimatePitch(piano.play(1.0), kRate);
        piano.noteOff(note);
        piano.play(1.0);
        EXPECT_NEAR(centsOff(hz, note), 0.0, 10.0) << "note " << note << ": " << hz << " Hz";
    }
}

// Four keys at full volume stay below full scale in every register; muting silences
// what sounds and what is pressed while muted; half volume is 6 dB down.
TEST(PianoSound, FourKeysDoNotClipMuteSilencesHalfVolumeIsSixDecibelsDown)
{
    for (const auto& chord : {std::vector{36, 40, 43, 48}, {36, 37, 38, 39}, {60, 64, 67, 72}, {84, 86, 87, 88}}) {
        Offline piano;
        for (int note : chord)
            piano.noteOn(note);
        EXPECT_LT(peakOf(piano.play(2.0, true)), 1.0) << "chord from " << chord[0];
        piano.setMuted(true);
        piano.noteOn(70);
        piano.play(1.5);
        EXPECT_LT(peakOf(piano.play(0.5, true)), 1e-4) << "chord from " << chord[0];
    }
    Offline piano;
    double level[2];
    for (int i : {0, 1}) {
        piano.setVolume(100 - 50 * i);
        piano.noteOn(60);
        level[i] = rms(piano.play(1.0, true));
        piano.noteOff(60);
        piano.play(3.0);
    }
    EXPECT_NEAR(20 * std::log10(level[1] / level[0]), -6.0, 1.0);
}

// A SoundFont that is missing or broken leaves the program silent, saying why.
TEST(PianoSound, MissingOrDamagedSoundFontReportsNoSoundFont)
{
    TempDir dir;
    QFile real(TPianoSound::findSoundFont());
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
        const QString path = QString::fromStdString((dir.path() / name).string());
        QFile out(path);
        if (bytes != "-") {
            ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.flush());
        }
        Offline piano(path);
        EXPECT_EQ(piano.statusText(), QStringLiteral("No SoundFont found")) << name;
        piano.noteOn(60);
        EXPECT_EQ(piano.render(nullptr, nullptr, 32), 0) << name;
    }
}

// No output that opens: the program plays on silently and says so.
TEST(PianoSound, NoOutputReportsNoSoundOutput)
{
    qputenv("JACK_DEFAULT_SERVER", "lirasto-no-such-server");
    TPianoSound sound(TSoundSetup{{}, {QStringLiteral("jack"), QStringLiteral("no-such-driver")}, kRate});
    sound.start();
    ASSERT_TRUE(sound.waitStarted(10s));
    EXPECT_EQ(sound.statusText(), QStringLiteral("No sound output"));
    sound.noteOn(60);
    EXPECT_TRUE(sound.outputDriver().isEmpty());
    qunsetenv("JACK_DEFAULT_SERVER");
}
