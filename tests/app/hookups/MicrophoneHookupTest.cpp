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
    const std::string path = (dir.Path() / "vantrel.ini").string();
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
    ASSERT_TRUE(server.Running()) << server.Error();
    OpenShown();
    form_->OptionsPage().SetOption(TOption::Microphone, 1);
    form_->StartSubsystems();
    TMicrophoneInput& input = form_->Microphone()->Input();
    ASSERT_TRUE(WaitFor([&] { return input.Listening() || !input.Problem().isEmpty(); }, 10000));
    ASSERT_TRUE(input.Listening()) << input.Problem().toStdString();
    EXPECT_TRUE(Caption(form_->Microphone()->StatusLabel()).endsWith(":audio in"));
    JackPlayer player(input.JackPortName().toStdString());
    ASSERT_TRUE(player.Ready());

    form_->bStartClick(form_->bStart);
    Tick();
    int note = Core().CurrentNote();
    player.Play(RenderNote(24, note < 40 ? note + 12 : note, 100, 0.4, 0.2));
    ASSERT_TRUE(WaitFor([&] { return Core().Score() == 5; }, 5000)) << Caption(form_->lAnswer).toStdString();
    EXPECT_EQ(Caption(form_->lAnswer), "RIGHT!");

    form_->OptionsPage().SetOption(TOption::OctaveExact, 1);
    Tick();
    note = Core().CurrentNote();
    player.Play(RenderNote(24, note + (note < 60 ? 12 : -12), 100, 0.4, 0.2));
    ASSERT_TRUE(WaitFor([&] { return Caption(form_->lAnswer) == "WRONG!"; }, 5000));
    EXPECT_EQ(Core().Score(), 5);
    // The window lets go of the server before the server stops: a JACK client closed while libjack's thread still
    // reports the lost server can be cancelled holding the C library's locale lock, and the test would hang at exit.
    CloseForm();
}

// Switched on without its module, the microphone says why on the Options page and the game plays on.
TEST_F(MicrophoneWindow, SaysWhyWithoutItsModule)
{
    TempDir empty;
    const QByteArray modules = qgetenv("LIRASTO_MODULE_DIR");
    qputenv("LIRASTO_MODULE_DIR", empty.Path().c_str());
    OpenShown();
    form_->SetMicrophoneForced(true);
    form_->StartSubsystems();
    TSkinLabel* status = form_->Microphone()->StatusLabel();
    EXPECT_TRUE(WaitFor([&] { return Caption(status).contains("lirasto-microphone.so"); }, 10000))
        << Caption(status).toStdString();
    EXPECT_TRUE(Caption(status).startsWith("No microphone: "));
    EXPECT_FALSE(form_->OptionsPage().Options().On(TOption::Microphone)) << "a run's switch is not stored";
    qputenv("LIRASTO_MODULE_DIR", modules);
}

} // namespace
} // namespace lirasto::test
