#include "audio/PianoSound.h"
#include "game/GameEvents.h"
#include "tests/audio/SoundProbe.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>

#include <array>
#include <cmath>

using namespace lirasto::test;
using namespace std::chrono_literals;

namespace {

constexpr double kRate = 48000.0;

struct Offline
{
    TPianoSound sound{TSoundSetup{{}, {}, kRate}};
    Offline()
    {
        sound.start();
        EXPECT_TRUE(sound.waitStarted(10s));
        EXPECT_EQ(sound.status(), TPianoSound::TStatus::Ready) << sound.statusText().toStdString();
    }
    std::vector<float> render(double seconds)
    {
        std::vector<float> left(size_t(seconds * kRate)), right(left.size());
        EXPECT_EQ(sound.render(left.data(), right.data(), int(left.size())), int(left.size()));
        left.insert(left.end(), right.begin(), right.end());
        return left;
    }
    std::vector<float> left(double seconds)
    {
        std::vector<float> all = render(seconds);
        all.resize(all.size() / 2);
        return all;
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

// Every key the questions use sounds at its equal-tempered pitch (A4 = 440 Hz).
TEST(PianoSound, EveryQuestionNoteSoundsWithinTenCentsOfEqualTemperament)
{
    Offline piano;
    for (int note = BassLowestNote; note <= TrebleHighestNote; ++note) {
        piano.sound.noteOn(note);
        piano.left(1.0); // the unison strings beat while the hammer's attack dies away
        const double hz = estimatePitch(piano.left(1.0), kRate);
        piano.sound.noteOff(note);
        piano.left(1.0);
        EXPECT_NEAR(centsBetween(hz, equalTemperedHz(note)), 0.0, 10.0) << "note " << note << ": " << hz << " Hz";
    }
}

// Four keys held at full volume stay below full scale, whatever the register.
TEST(PianoSound, FourKeysAtFullVolumeDoNotClip)
{
    for (const auto& chord : {std::array{36, 40, 43, 48}, std::array{36, 37, 38, 39}, std::array{60, 64, 67, 72},
                              std::array{84, 86, 87, 88}}) {
        Offline piano;
        for (int note : chord)
            piano.sound.noteOn(note);
        const double peak = peakOf(piano.render(2.0));
        EXPECT_LT(peak, 1.0) << "chord from " << chord[0];
        EXPECT_GT(peak, 0.1) << "chord from " << chord[0];
    }
}

// Muting silences what sounds and what is pressed while muted; half volume is 6 dB down.
TEST(PianoSound, MuteSilencesAndHalfVolumeIsSixDecibelsDown)
{
    Offline piano;
    for (int note : {48, 60, 64, 67})
        piano.sound.noteOn(note);
    piano.render(0.3);
    piano.sound.setMuted(true);
    piano.sound.noteOn(72);
    piano.render(1.5);
    EXPECT_LT(peakOf(piano.render(0.5)), 1e-4);
    piano.sound.setMuted(false);
    piano.sound.allNotesOff();
    piano.render(3.0);

    double level[2];
    for (int i : {0, 1}) {
        piano.sound.setVolume(i == 0 ? 100 : 50);
        piano.sound.noteOn(60);
        level[i] = rms(piano.render(1.0));
        piano.sound.noteOff(60);
        piano.render(3.0);
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
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        out.close();
        TPianoSound sound(TSoundSetup{path, {}, kRate});
        sound.start();
        ASSERT_TRUE(sound.waitStarted(10s)) << name;
        EXPECT_EQ(sound.statusText(), QStringLiteral("No SoundFont found")) << name;
        sound.noteOn(60);
        float buffer[64];
        EXPECT_EQ(sound.render(buffer, buffer, 32), 0) << name;
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
    sound.noteOff(60);
    EXPECT_TRUE(sound.outputDriver().isEmpty());
    qunsetenv("JACK_DEFAULT_SERVER");
}
