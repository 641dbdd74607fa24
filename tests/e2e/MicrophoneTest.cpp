// The real program listening through a private JACK server: the notes read from its screen are answered by
// playing them, rendered as a piano sounds, into its microphone port.
#include "tests/e2e/ScreenReader.h"
#include "tests/e2e/XSession.h"
#include "tests/microphone/JackPlayer.h"
#include "tests/microphone/Signals.h"
#include "tests/support/JackServer.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace lirasto::e2e;
using namespace lirasto::test;
using namespace std::chrono_literals;

// Each note read is answered by playing it, and a note of another name played first is judged wrong.
TEST(EndToEndMicrophone, AnswersTheNotesReadByPlayingThemAndJudgesAWrongNoteWrong)
{
    JackServer server;
    ASSERT_TRUE(server.Running()) << server.Error();
    TempDir workDir;
    // Without the right note replayed after a wrong answer, the program makes no sound of its own here.
    std::ofstream(workDir.Path() / "vantrel.ini") << "[Options]\nReplayRightNote=0\n";
    VirtualDisplay display;
    ChildProcess program(
        {LIRASTO_PROGRAM, "--microphone"},
        {"DISPLAY=" + display.Name(), "QT_QPA_PLATFORM=xcb", "XDG_DATA_HOME=" + (workDir.Path() / "data").string()},
        workDir.Path());
    const ReferencePictures references = ReferencePictures::Load(LIRASTO_ARTWORK_DIR);
    std::optional<Window> window;
    std::optional<QPoint> staff;
    ASSERT_TRUE(PollUntil(
        [&] { return (window = FindWindowByTitle(display.Connection(), "DEMO Lirasto - Notes")).has_value(); }, 20s));
    ASSERT_TRUE(PollUntil(
        [&] {
            const std::optional<QPoint> seen = std::exchange(staff, FindStaffOrigin(window->Grab()));
            return staff && seen == staff;
        },
        20s, 200ms));
    std::unique_ptr<JackPlayer> player;
    ASSERT_TRUE(
        PollUntil([&] { return (player = std::make_unique<JackPlayer>("Lirasto Notes microphone:audio in"))->Ready(); },
                  10s, 200ms))
        << "no microphone port";
    window->Click(*staff + QPoint(95, 433));

    const auto play = [&](int note) {
        // Below the lowest note listened for (E2), the same name an octave up.
        player->Play(RenderNote(0, note < 40 ? note + 12 : note, 100, 0.4, 0.2));
    };
    const auto markIs = [&](Verdict verdict) { return ReadAnswerMark(window->Grab(), *staff) == verdict; };
    for (int round = 0; round < 3; ++round) {
        std::optional<StaffReading> question;
        ASSERT_TRUE(PollUntil(
            [&] {
                const QImage shot = window->Grab();
                return ReadAnswerMark(shot, *staff) == Verdict::None &&
                       (question = ReadStaff(shot, *staff, references)).has_value();
            },
            5s))
            << "no question in round " << round;
        const int right = question->naturalNote + (question->pitchClass - question->naturalNote % 12 + 18) % 12 - 6;
        if (round == 1) {
            play(right + 2);
            EXPECT_TRUE(PollUntil([&] { return markIs(Verdict::Wrong); }, 5s)) << question->Describe();
        }
        play(right);
        ASSERT_TRUE(PollUntil([&] { return markIs(Verdict::Right); }, 5s))
            << question->Describe() << "; the mark shows "
            << (markIs(Verdict::Wrong)  ? "wrong"
                : markIs(Verdict::None) ? "nothing"
                                        : "right");
        // The next question comes with the clock's next second.
        ASSERT_TRUE(PollUntil([&] { return markIs(Verdict::None); }, 5s));
    }
}
