// The real program heard through a private JACK server, played with real X mouse events.
#include "tests/audio/SoundProbe.h"
#include "tests/e2e/ScreenReader.h"
#include "tests/e2e/XSession.h"
#include "tests/support/JackServer.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using namespace lirasto::e2e;
using namespace lirasto::test;
using namespace std::chrono_literals;

// A key held sounds at its pitch after silence; once a wrong answer's key goes up, the right note follows.
TEST(EndToEndSound, HeldKeySoundsAtItsPitchAndTheRightNoteFollowsAWrongAnswer)
{
    JackServer server;
    ASSERT_TRUE(server.Running()) << server.Error();
    JackCapture capture;
    std::atomic<bool> done{false};
    // The program's output closes when silent and opens again for a note: follow it. Its MIDI input
    // holds the client name "Lirasto Notes" already, so JACK numbers the sound's client.
    std::thread follower([&] {
        while (!done)
            capture.Connect("Lirasto Notes[^:]*:", 10ms);
    });
    TempDir workDir;
    VirtualDisplay display;
    ChildProcess program(
        {LIRASTO_PROGRAM},
        {"DISPLAY=" + display.Name(), "QT_QPA_PLATFORM=xcb", "XDG_DATA_HOME=" + (workDir.Path() / "data").string()},
        workDir.Path());
    const ReferencePictures references = ReferencePictures::Load(LIRASTO_ARTWORK_DIR);
    std::optional<Window> window;
    std::optional<QPoint> staff; // the Start button and the keys are found from its corner
    std::optional<StaffReading> question;
    ASSERT_TRUE(PollUntil(
        [&] { return (window = FindWindowByTitle(display.Connection(), "DEMO Lirasto - Notes")).has_value(); }, 20s));
    const auto settled = [&] { // the first frames may come before the page has its final place
        const std::optional<QPoint> seen = std::exchange(staff, FindStaffOrigin(window->Grab()));
        return staff && seen == staff;
    };
    ASSERT_TRUE(PollUntil(settled, 20s, 200ms));
    window->Click(*staff + QPoint(95, 433));
    ASSERT_TRUE(PollUntil([&] { return (question = ReadStaff(window->Grab(), *staff, references)).has_value(); }, 5s));
    const int right = question->naturalNote + (question->pitchClass - question->naturalNote % 12 + 18) % 12 - 6;
    const int wrong = question->pitchClass == 0 ? 50 : 48; // D3 or C3, white keys of the second octave

    const size_t press = capture.Frames(), up = press + capture.At(1.2), end = up + capture.At(1.6);
    window->Press(*staff + QPoint(wrong == 48 ? 156 : 176, 358));
    for (size_t until : {up, end}) {
        while (capture.Frames() < until)
            std::this_thread::sleep_for(5ms);
        if (until == up)
            window->Release();
    }
    done = true;
    follower.join();
    EXPECT_LT(PeakOf(capture.Take(press - std::min(press, capture.At(0.5)), press)), 1e-4) << "sound before the press";
    EXPECT_NEAR(CentsOff(SteadyPitch(capture.Take(press + capture.At(0.3), up), capture.Rate()), wrong), 0, 10)
        << capture.Xruns() << " cycles missed";
    const std::vector<float> replay = capture.Take(up + capture.At(0.75), end);
    EXPECT_NEAR(CentsOff(SteadyPitch(replay, capture.Rate()), right), 0, 10)
        << question->Describe() << "; " << capture.Xruns() << " cycles missed";
}
