#include "app/hookups/MidiHookup.h"
#include "controls/SkinCheckBox.h"
#include "midi/MidiInput.h"
#include "tests/app/window/MainWindowFixture.h"
#include "tests/support/EventWait.h"
#include "tests/support/JackServer.h"

#include <QElapsedTimer>
#include <QProcess>

#include <fstream>
#include <sstream>
#include <thread>

namespace lirasto::test {
namespace {

// Names the player switched off survive the settings file whatever characters they hold.
TEST(DisabledMidiInputs, KeepEveryNameThroughTheFile)
{
    TempDir dir;
    const std::string path = (dir.Path() / "vantrel.ini").string();
    const QSet<QString> names{"keyboard:out", "a,b%c", "Клавиши ♯", " padded "};
    ASSERT_TRUE(lirasto::settings::WriteDisabledMidiInputs(names, path));
    EXPECT_EQ(lirasto::settings::ReadDisabledMidiInputs(path), names);
    // Names written by hand are read as long as they are well encoded; the rest are skipped.
    std::ofstream(path) << "[Options]\nMidiInputsOff=%zz,,%,a b, a%3ab ,%4\n";
    EXPECT_EQ(lirasto::settings::ReadDisabledMidiInputs(path), (QSet<QString>{"a:b"}));
}

// The window plays from MIDI once its subsystems start: a note sent to our port
// answers the question, and a keyboard found is listed on the Options page with
// a tick that is kept in the settings file and applied at the next start.
class MidiWindow : public MainWindowTest
{};

TEST_F(MidiWindow, NoteAnswersAndKeyboardIsListedAndKeptOff)
{
    JackServer server(48000, 2048);
    ASSERT_TRUE(server.Running()) << server.Error();
    OpenShown();
    form_->StartSubsystems();
    TMidiInput& input = form_->Midi()->Input();
    ASSERT_TRUE(WaitFor([&] { return !input.JackPortName().isEmpty(); }, 5000));
    // No keyboard yet: the page names our port, to connect one by hand.
    const auto port = [&] { return form_->findChild<TSkinLabel*>("lMidiPort"); };
    EXPECT_TRUE(WaitFor([&] { return port() && !port()->isHidden(); }, 2000));
    EXPECT_EQ(port()->Caption(), "Connect a keyboard to the JACK port\n\"Lirasto Notes:MIDI in\"");

    form_->bStartClick(form_->bStart);
    Tick();
    const int note = Core().CurrentNote();
    // A note-on judges at once; a note-on of velocity 0 lets the key go.
    QProcess sender;
    sender.start(QStringLiteral(LIRASTO_MIDI_SEND), {"--connect", input.JackPortName()});
    sender.write(QByteArray("on ") + QByteArray::number(note) + "\n");
    ASSERT_TRUE(WaitFor([&] { return Core().Score() == 5; }, 5000)) << Caption(form_->lAnswer).toStdString();
    EXPECT_EQ(Caption(form_->lAnswer), "RIGHT!");
    EXPECT_TRUE(Core().IsHeld(note, TInputSource::Midi));
    sender.write(QByteArray("on ") + QByteArray::number(note) + " 0\n");
    EXPECT_TRUE(WaitFor([&] { return !Core().IsHeld(note, TInputSource::Midi); }, 5000));

    // A note is judged by when it was played, not by when the window got round to it.
    struct : TGameListener
    {
        std::chrono::milliseconds took{-1};
        void AnswerJudged(const TJudgement& judgement) override { took = judgement.AnswerTime; }
    } judged;
    Core().AddListener(&judged);
    Tick();
    const int next = Core().CurrentNote();
    sender.write(QByteArray("on ") + QByteArray::number(next) + "\n");
    ASSERT_TRUE(sender.waitForBytesWritten(1000));
    std::this_thread::sleep_for(std::chrono::milliseconds(1500)); // the window is busy
    EXPECT_TRUE(WaitFor([&] { return Core().Score() == 10; }, 5000));
    Core().RemoveListener(&judged);
    EXPECT_LT(judged.took.count(), 1000) << "judged when the window took the note, not when it came";
    EXPECT_GE(judged.took.count(), 0);
    sender.closeWriteChannel();
    sender.waitForFinished(5000);

    QProcess keyboard;
    keyboard.start(QStringLiteral(LIRASTO_MIDI_SEND), {"--name", "keyboard", "--physical", "sleep 8000"});
    TSkinCheckBox* box = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            for (TSkinCheckBox* t : form_->findChild<QWidget*>("gbMidi")->findChildren<TSkinCheckBox*>())
                if (t->text() == "keyboard:out" && !t->isHidden())
                    box = t;
            return box != nullptr;
        },
        3000));
    EXPECT_TRUE(form_->findChild<QWidget*>("lNoMidi")->isHidden());
    box->click();
    EXPECT_TRUE(WaitFor([&] { return input.Devices().value(0).Enabled == false; }, 2000));
    std::stringstream ini;
    ini << std::ifstream(WorkDir() / "vantrel.ini").rdbuf();
    EXPECT_NE(ini.str().find("MidiInputsOff=keyboard%3Aout"), std::string::npos) << ini.str();

    CloseForm();
    OpenShown();
    form_->StartSubsystems();
    ASSERT_TRUE(WaitFor([&] { return form_->Midi()->Input().HasDevice(); }, 3000));
    EXPECT_FALSE(form_->Midi()->Input().Devices().value(0).Enabled);
    keyboard.kill();
    keyboard.waitForFinished(2000);
}

// With no MIDI system the Options page says so, and the game plays on.
TEST_F(MidiWindow, WithoutMidiSaysSoAndPlays)
{
    qputenv("JACK_DEFAULT_SERVER", "lirasto-test-no-server");
    OpenShown();
    form_->StartSubsystems();
    ASSERT_TRUE(WaitFor([&] { return form_->Midi()->Input().Scanned(); }, 5000));
    qunsetenv("JACK_DEFAULT_SERVER");
    auto* none = form_->findChild<TSkinLabel*>("lNoMidi");
    if (!form_->Midi()->Input().Systems().contains("ALSA")) { // with the sequencer a keyboard may be there
        EXPECT_FALSE(none->isHidden());
        EXPECT_EQ(none->Caption(), "No MIDI input found");
    }
    form_->bStartClick(form_->bStart);
    Tick();
    Answer(Core().CurrentNote() % 12);
    EXPECT_EQ(Core().Score(), 5);
}

} // namespace
} // namespace lirasto::test
