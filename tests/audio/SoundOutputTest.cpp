#include "audio/PianoSound.h"
#include "audio/SoundListener.h"
#include "tests/audio/SoundProbe.h"
#include "tests/support/JackServer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>

#include <cmath>
#include <memory>
#include <thread>

using namespace lirasto::test;
using namespace std::chrono_literals;

namespace {

const std::string kPorts = "Lirasto Notes:";

// Runs the event loop (the listener's timers) until the capture holds the frame.
void pumpUntil(const JackCapture& capture, size_t frame)
{
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (capture.frames() < frame && std::chrono::steady_clock::now() < deadline) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        std::this_thread::sleep_for(1ms);
    }
}

size_t seconds(const JackCapture& capture, double s)
{
    return size_t(s * capture.rate());
}

size_t onsetIn(const std::vector<float>& x, double threshold = 0.01)
{
    for (size_t i = 0; i < x.size(); ++i)
        if (std::fabs(x[i]) > threshold)
            return i;
    return x.size();
}

int threadCount()
{
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

double centsOff(const JackCapture& capture, size_t from, size_t to, int note)
{
    return centsBetween(estimatePitch(capture.take(from, to), capture.rate()), equalTemperedHz(note));
}

} // namespace

// A note reaches JACK at its pitch, after silence; closing while it sounds leaves nothing behind.
TEST(SoundOutput, NoteSoundsThroughJackAtItsPitchAndClosingWhileItSoundsLeavesNothing)
{
    JackServer server;
    ASSERT_TRUE(server.running()) << server.error();
    JackCapture capture;
    ASSERT_TRUE(capture.ok());
    const int threadsBefore = threadCount();
    auto sound = std::make_unique<TPianoSound>();
    sound->start();
    ASSERT_TRUE(sound->waitStarted(10s));
    EXPECT_EQ(sound->outputDriver(), QStringLiteral("jack"));
    ASSERT_TRUE(capture.connect(kPorts, 5s));

    const size_t press = capture.frames() + seconds(capture, 0.5);
    pumpUntil(capture, press);
    sound->noteOn(69);
    pumpUntil(capture, press + seconds(capture, 1.5));
    EXPECT_LT(peakOf(capture.take(0, press)), 1e-4);
    EXPECT_NEAR(centsOff(capture, press + seconds(capture, 0.5), press + seconds(capture, 1.5), 69), 0.0, 10.0);

    sound.reset();
    const char** left = jack_get_ports(capture.client(), ("^" + kPorts).c_str(), nullptr, 0);
    EXPECT_EQ(left, nullptr);
    jack_free(left);
    EXPECT_EQ(threadCount(), threadsBefore);
}

// The output closes after the silence and opens again for the next note.
TEST(SoundOutput, OutputClosesAfterSilenceAndReopensOnTheNextNote)
{
    JackServer server;
    ASSERT_TRUE(server.running()) << server.error();
    TSoundSetup setup;
    setup.IdleStop = 300ms;
    TPianoSound sound(setup);
    sound.start();
    ASSERT_TRUE(sound.waitStarted(10s));
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!sound.outputDriver().isEmpty() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(sound.outputDriver().isEmpty());

    JackCapture capture;
    sound.noteOn(57);
    ASSERT_TRUE(capture.connect(kPorts, 5s));
    const size_t from = capture.frames();
    pumpUntil(capture, from + seconds(capture, 1.0));
    EXPECT_NEAR(centsOff(capture, from, from + seconds(capture, 1.0), 57), 0.0, 10.0);
}

// "Play the question" sounds the posed note; a wrong answer is followed by the
// right note 300 ms after its key goes up; a MIDI key is silent by default.
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

    const TQuestion question{1, 0, 1, 64};
    size_t mark = capture.frames();
    listener.QuestionPosed(question);
    pumpUntil(capture, mark + seconds(capture, 1.0));
    EXPECT_NEAR(centsOff(capture, mark + seconds(capture, 0.2), mark + seconds(capture, 1.0), 64), 0.0, 10.0);

    pumpUntil(capture, capture.frames() + seconds(capture, 3.0));
    listener.setPlayQuestion(false);
    listener.KeyDown(61, TInputSource::Midi);
    TJudgement wrong;
    wrong.Question = TQuestion{1, 0, 1, 72};
    listener.AnswerJudged(wrong);
    pumpUntil(capture, capture.frames() + seconds(capture, 0.2));
    mark = capture.frames();
    listener.KeyUp(61, TInputSource::Midi);
    pumpUntil(capture, mark + seconds(capture, 1.3));
    const double onsetMs = 1000.0 * double(onsetIn(capture.take(mark, mark + seconds(capture, 1.3)))) / capture.rate();
    // Counted in captured frames, which a busy machine's dummy server delivers unevenly.
    EXPECT_GE(onsetMs, 250.0);
    EXPECT_LE(onsetMs, 400.0);
    const size_t onset = mark + size_t(onsetMs / 1000.0 * capture.rate());
    EXPECT_NEAR(centsOff(capture, onset + seconds(capture, 0.1), onset + seconds(capture, 0.9), 72), 0.0, 10.0);
}
