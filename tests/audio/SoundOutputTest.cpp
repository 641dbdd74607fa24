#include "audio/PianoSound.h"
#include "audio/SoundListener.h"
#include "tests/audio/SoundProbe.h"
#include "tests/support/JackServer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>

#include <memory>
#include <thread>

using namespace lirasto::test;
using namespace std::chrono_literals;

namespace {

const std::string kPorts = "Lirasto Notes:";

// Runs the event loop (the listener's timers) until the capture holds the frame.
void pumpUntil(const JackCapture& capture, size_t frame)
{
    for (auto end = std::chrono::steady_clock::now() + 20s;
         capture.frames() < frame && std::chrono::steady_clock::now() < end;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        std::this_thread::sleep_for(1ms); // leave the dummy server's thread its core
    }
}

double centsIn(const JackCapture& capture, size_t from, double seconds, int note)
{
    pumpUntil(capture, from + capture.at(seconds));
    return centsOff(estimatePitch(capture.take(from, from + capture.at(seconds)), capture.rate()), note);
}

int threadCount()
{
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

} // namespace

// A note reaches JACK's playback ports at its pitch after silence; the output closes after the
// silence and opens for the next note; closing while a note sounds leaves no port or thread.
TEST(SoundOutput, NoteSoundsThroughJackAtItsPitchOutputClosesWhenSilentAndLeavesNothing)
{
    JackServer server;
    ASSERT_TRUE(server.running()) << server.error();
    JackCapture capture;
    const int threadsBefore = threadCount();
    TSoundSetup setup;
    setup.IdleStop = 2s;
    auto sound = std::make_unique<TPianoSound>(setup);
    sound->start();
    ASSERT_TRUE(sound->waitStarted(10s));
    EXPECT_EQ(sound->outputDriver(), QStringLiteral("jack"));
    ASSERT_TRUE(capture.connect(kPorts, 5s));
    const char** playback =
        jack_port_get_all_connections(capture.client(), jack_port_by_name(capture.client(), (kPorts + "left").c_str()));
    EXPECT_TRUE(playback && std::string(playback[0]) == "system:playback_1");
    jack_free(playback);

    const size_t press = capture.frames() + capture.at(0.3);
    pumpUntil(capture, press);
    sound->noteOn(69);
    EXPECT_NEAR(centsIn(capture, press + capture.at(0.5), 1.0, 69), 0.0, 10.0);
    EXPECT_LT(peakOf(capture.take(0, press)), 1e-4);

    sound->noteOff(69);
    for (auto end = std::chrono::steady_clock::now() + 10s;
         !sound->outputDriver().isEmpty() && std::chrono::steady_clock::now() < end;)
        pumpUntil(capture, capture.frames() + 1024);
    ASSERT_TRUE(sound->outputDriver().isEmpty());
    {
        JackCapture again;
        sound->noteOn(57);
        ASSERT_TRUE(again.connect(kPorts, 5s));
        EXPECT_NEAR(centsIn(again, again.frames(), 1.0, 57), 0.0, 10.0);
    }

    sound.reset();
    const char** left = jack_get_ports(capture.client(), ("^" + kPorts).c_str(), nullptr, 0);
    EXPECT_EQ(left, nullptr);
    jack_free(left);
    EXPECT_EQ(threadCount(), threadsBefore);
}

// "Play the question" sounds the posed note; a wrong answer is followed by the right
// note 300 ms after its key goes up; a MIDI key is silent by default.
TEST(SoundOutput, QuestionSoundsWhenPosedAndRightNoteFollowsWrongAnswer)
{
    JackServer server;
    ASSERT_TRUE(server.running()) << server.error();
    TSoundSetup setup;
    setup.IdleStop = 60s; // the capture's connection would go with a closed output
    TPianoSound sound(setup);
    sound.start();
    ASSERT_TRUE(sound.waitStarted(10s));
    JackCapture capture;
    ASSERT_TRUE(capture.connect(kPorts, 5s));
    TSoundListener listener(sound);
    listener.setPlayQuestion(true);

    const size_t posed = capture.frames();
    listener.QuestionPosed(TQuestion{1, 0, 1, 64});
    EXPECT_NEAR(centsIn(capture, posed + capture.at(0.2), 0.8, 64), 0.0, 10.0);

    pumpUntil(capture, capture.frames() + capture.at(3.0));
    listener.setPlayQuestion(false);
    listener.KeyDown(61, TInputSource::Midi);
    TJudgement wrong;
    wrong.Question = TQuestion{1, 0, 1, 72};
    listener.AnswerJudged(wrong);
    pumpUntil(capture, capture.frames() + capture.at(0.2));
    const size_t up = capture.frames();
    listener.KeyUp(61, TInputSource::Midi);
    pumpUntil(capture, up + capture.at(1.3));
    const std::vector<float> after = capture.take(up, up + capture.at(1.3));
    const auto onset =
        size_t(std::find_if(after.begin(), after.end(), [](float s) { return std::fabs(s) > 0.01f; }) - after.begin());
    // Counted in captured frames, which a busy machine's dummy server delivers unevenly.
    EXPECT_GE(1000.0 * double(onset) / capture.rate(), 250.0);
    EXPECT_LE(1000.0 * double(onset) / capture.rate(), 400.0);
    EXPECT_NEAR(centsIn(capture, up + onset + capture.at(0.1), 0.8, 72), 0.0, 10.0);
}
