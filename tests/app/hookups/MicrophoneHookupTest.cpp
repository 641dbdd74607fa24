#include "app/hookups/MicrophoneHookup.h"
#include "app/options/OptionsPage.h"
#include "controls/TSkinLabel.h"
#include "microphone/MicrophoneInput.h"
#include "tests/app/window/MainWindowFixture.h"
#include "tests/microphone/JackPlayer.h"
#include "tests/microphone/Signals.h"
#include "tests/support/EventWait.h"
#include "tests/support/JackServer.h"

#include <fstream>

namespace lirasto::test {
namespace {

using lirasto::settings::TOption;

// The device chosen survives the settings file whatever characters its name holds.
TEST(MicrophoneDevice, KeepsItsNameThroughTheFile)
{
    TempDir dir;
    const std::string path = (dir.path() / "vantrel.ini").string();
    for (const QString name : {"", "hw:1,0", "Микрофон ♯ = [1]; 50%"}) {
        ASSERT_TRUE(lirasto::settings::WriteMicrophoneDevice(name, path));
        EXPECT_EQ(lirasto::settings::ReadMicrophoneDevice(path), name);
    }
}

// A note played into the window's microphone answers as a key pressed would: by its name, or by the very
// note when answers are octave-exact.
class MicrophoneWindow : public MainWindowTest
{};

TEST_F(MicrophoneWindow, PlayedNoteAnswersByNameOrExactlyWhenAsked)
{
    JackServer server(48000, 256);
    ASSERT_TRUE(server.running()) << server.error();
    openShown();
    form->OptionsPage().SetOption(TOption::Microphone, 1);
    form->StartSubsystems();
    TMicrophoneInput& input = form->Microphone()->Input();
    ASSERT_TRUE(waitFor([&] { return input.listening() || !input.problem().isEmpty(); }, 10000));
    ASSERT_TRUE(input.listening()) << input.problem().toStdString();
    EXPECT_TRUE(caption(form->Microphone()->StatusLabel()).endsWith(":audio in"));
    JackPlayer player(input.jackPortName().toStdString());
    ASSERT_TRUE(player.ready());

    form->bStartClick(form->bStart);
    tick();
    int note = core().CurrentNote();
    player.play(RenderNote(24, note < 40 ? note + 12 : note, 100, 0.4, 0.2));
    ASSERT_TRUE(waitFor([&] { return core().Score() == 5; }, 5000)) << caption(form->lAnswer).toStdString();
    EXPECT_EQ(caption(form->lAnswer), "RIGHT!");

    form->OptionsPage().SetOption(TOption::OctaveExact, 1);
    tick();
    note = core().CurrentNote();
    player.play(RenderNote(24, note + (note < 60 ? 12 : -12), 100, 0.4, 0.2));
    ASSERT_TRUE(waitFor([&] { return caption(form->lAnswer) == "WRONG!"; }, 5000));
    EXPECT_EQ(core().Score(), 5);
    // The window lets go of the server before the server stops: a JACK client closed while libjack's thread still
    // reports the lost server can be cancelled holding the C library's locale lock, and the test would hang at exit.
    closeForm();
}

// Switched on without its module, the microphone says why on the Options page and the game plays on.
TEST_F(MicrophoneWindow, SaysWhyWithoutItsModule)
{
    TempDir empty;
    const QByteArray modules = qgetenv("LIRASTO_MODULE_DIR");
    qputenv("LIRASTO_MODULE_DIR", empty.path().c_str());
    openShown();
    form->SetMicrophoneForced(true);
    form->StartSubsystems();
    TSkinLabel* status = form->Microphone()->StatusLabel();
    EXPECT_TRUE(waitFor([&] { return caption(status).contains("lirasto-microphone.so"); }, 10000))
        << caption(status).toStdString();
    EXPECT_TRUE(caption(status).startsWith("No microphone: "));
    EXPECT_FALSE(form->OptionsPage().Options().On(TOption::Microphone)) << "a run's switch is not stored";
    qputenv("LIRASTO_MODULE_DIR", modules);
}

} // namespace
} // namespace lirasto::test
