// The real program heard through a private JACK server, played with real X mouse events.
#include "tests/audio/SoundProbe.h"
#include "tests/e2e/ScreenReader.h"
#include "tests/e2e/XSession.h"
#include "tests/support/JackServer.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <sys/wait.h>
#include <thread>

using namespace lirasto::e2e;
using namespace lirasto::test;
using namespace std::chrono_literals;

namespace {

// A white key of the piano's second octave (C3 = 48), and the Start button, from the staff picture's corner.
QPoint whiteKey(int index)
{
    return {156 + 20 * index, 358};
}
const QPoint kStart(95, 433);

// A key held sounds at its pitch after silence; once a wrong answer's key goes up, the right note follows.
TEST(EndToEndSound, HeldKeySoundsAtItsPitchAndTheRightNoteFollowsAWrongAnswer)
{
    JackServer server;
    ASSERT_TRUE(server.running()) << server.error();
    JackCapture capture;
    // The program's output closes when silent and opens again for a note: follow it.
    std::atomic<bool> done{false};
    std::thread follower([&] {
        while (!done)
            capture.connect("Lirasto Notes:", 10ms);
    });
    TempDir workDir;
    VirtualDisplay display;
    ChildProcess program({LIRASTO_PROGRAM}, {"DISPLAY=" + display.name(), "QT_QPA_PLATFORM=xcb"}, workDir.path());
    const ReferencePictures references = ReferencePictures::load(LIRASTO_ARTWORK_DIR);
    std::optional<Window> window;
    std::optional<QPoint> staff;
    std::optional<StaffReading> question;
    ASSERT_TRUE(pollUntil(
        [&] { return (window = findWindowByTitle(display.connection(), "DEMO Lirasto - Notes")).has_value(); }, 20s));
    // The first frames may come before the page has its final place: wait until the staff stays put.
    ASSERT_TRUE(pollUntil(
        [&] {
            const std::optional<QPoint> seen = std::exchange(staff, findStaffOrigin(window->grab()));
            return staff && seen == staff;
        },
        20s, 200ms));
    window->click(*staff + kStart);
    ASSERT_TRUE(pollUntil([&] { return (question = readStaff(window->grab(), *staff, references)).has_value(); }, 5s));
    const int right = question->naturalNote + (question->pitchClass - question->naturalNote % 12 + 18) % 12 - 6;
    const int wrong = question->pitchClass == 0 ? 50 : 48;

    const size_t press = capture.frames();
    window->press(*staff + whiteKey(wrong == 48 ? 0 : 1));
    while (capture.frames() < press + capture.at(1.2))
        std::this_thread::sleep_for(10ms);
    const size_t up = capture.frames();
    window->release();
    while (capture.frames() < up + capture.at(1.6))
        std::this_thread::sleep_for(10ms);
    done = true;
    follower.join();

    EXPECT_LT(peakOf(capture.take(press - std::min(press, capture.at(0.5)), press)), 1e-4) << "sound before the press";
    EXPECT_NEAR(centsOff(estimatePitch(capture.take(press + capture.at(0.3), up), capture.rate()), wrong), 0, 10);
    const std::vector<float> replay = capture.take(up + capture.at(0.75), up + capture.at(1.6));
    EXPECT_NEAR(centsOff(estimatePitch(replay, capture.rate()), right), 0, 10) << question->describe();
    window->requestClose();
    const std::optional<int> status = program.waitForExit(10s);
    EXPECT_TRUE(status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0);
}

} // namespace
