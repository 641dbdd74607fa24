#include "tests/app/MainWindowFixture.h"

#include "app/OptionsPage.h"
#include "app/SoundHookup.h"
#include "audio/PianoSound.h"
#include "controls/SkinCheckBox.h"
#include "controls/SkinSlider.h"
#include "tests/support/JackServer.h"

#include <QDir>
#include <QKeyEvent>
#include <fstream>
#include <thread>

using namespace lirasto::test;
using settings::TOption;
using namespace std::chrono_literals;

namespace {

class SoundInTheWindow : public MainWindowTest
{
protected:
    bool startUntil(const std::function<bool(TSoundHookup&)>& done)
    {
        form->StartSubsystems();
        for (int ms = 0; ms < 15000 && !done(*form->SoundHookup()); ++ms, std::this_thread::sleep_for(1ms))
            QCoreApplication::processEvents();
        return done(*form->SoundHookup());
    }
    void key(int qtKey, quint32 scanCode, bool release = true)
    {
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, scanCode, 0, 0);
        QKeyEvent up(QEvent::KeyRelease, qtKey, Qt::NoModifier, scanCode, 0, 0);
        QCoreApplication::sendEvent(form->cbLevel, &press);
        if (release)
            QCoreApplication::sendEvent(form->cbLevel, &up);
    }
    static int threads() { return int(QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size()); }
};

// The stored volume applies at start, M mutes and ticks Mute, the slider's value is stored; a hundred keys sound
// through JACK, and closing the window while one sounds leaves no thread behind.
TEST_F(SoundInTheWindow, FollowsTheOptionsPlaysAHundredKeysAndClosesWhileOneSounds)
{
    JackServer server;
    ASSERT_TRUE(server.running()) << server.error();
    std::ofstream(workDir() / "vantrel.ini") << "[Options]\nVolume=30\n";
    openShown();
    const int threadsBefore = threads();
    ASSERT_TRUE(startUntil([](TSoundHookup& h) { return h.Sound().outputDriver() == "jack"; }));
    TPianoSound& sound = form->SoundHookup()->Sound();
    EXPECT_EQ(form->SoundHookup()->VolumeSlider()->value(), 30);
    key(Qt::Key_M, 58);
    EXPECT_TRUE(sound.muted() && form->OptionsPage().Tick(TOption::Mute)->isChecked());
    key(Qt::Key_M, 58);
    form->SoundHookup()->VolumeSlider()->setValue(55);
    EXPECT_TRUE(sound.volume() == 55 && !sound.muted());
    for (int i = 0; i < 100; ++i)
        key(Qt::Key_A, 38);
    key(Qt::Key_H, 43, false);
    closeForm();
    EXPECT_EQ(threads(), threadsBefore);
    EXPECT_EQ(settings::ReadOptions("vantrel.ini").Get(TOption::Volume), 55);
}

// A damaged SoundFont: the window plays on silently, and the Options page says why.
TEST_F(SoundInTheWindow, DamagedSoundFontIsNamedOnTheOptionsPage)
{
    std::ofstream(workDir() / "broken.sf2") << std::string(70000, 'Z');
    qputenv("LIRASTO_SOUNDFONT", QByteArray::fromStdString((workDir() / "broken.sf2").string()));
    openShown();
    EXPECT_TRUE(startUntil([](TSoundHookup& h) { return h.StatusLabel()->Caption() == "No SoundFont found"; }));
    qunsetenv("LIRASTO_SOUNDFONT");
    key(Qt::Key_A, 38);
    form->PageControl->setCurrentWidget(form->tsOptions);
    EXPECT_TRUE(form->SoundHookup()->StatusLabel()->isVisible());
}

} // namespace
