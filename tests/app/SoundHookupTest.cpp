#include "tests/app/MainWindowFixture.h"

#include "app/OptionsPage.h"
#include "app/SoundHookup.h"
#include "audio/PianoSound.h"
#include "controls/SkinCheckBox.h"
#include "tests/support/JackServer.h"

#include <QDir>
#include <QKeyEvent>
#include <fstream>
#include <thread>

using namespace lirasto::test;
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
    void key(QEvent::Type type, int qtKey, quint32 scanCode)
    {
        QKeyEvent event(type, qtKey, Qt::NoModifier, scanCode, 0, 0);
        QCoreApplication::sendEvent(form->cbLevel, &event);
    }
    static int threads() { return int(QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size()); }
};

// The stored volume applies at start and M mutes, ticking Mute; a hundred keys sound through JACK, and closing
// the window while one sounds leaves no thread behind.
TEST_F(SoundInTheWindow, FollowsTheOptionsPlaysAHundredKeysAndClosesWhileOneSounds)
{
    JackServer server;
    ASSERT_TRUE(server.running()) << server.error();
    std::ofstream(workDir() / "vantrel.ini") << "[Options]\nVolume=30\n";
    openShown();
    const int threadsBefore = threads();
    ASSERT_TRUE(startUntil([](TSoundHookup& h) { return h.Sound().outputDriver() == "jack"; }));
    EXPECT_EQ(form->SoundHookup()->Sound().volume(), 30);
    key(QEvent::KeyPress, Qt::Key_M, 58);
    EXPECT_TRUE(form->SoundHookup()->Sound().muted() && form->OptionsPage().Tick(lirasto::settings::TOption::Mute)->isChecked());
    key(QEvent::KeyPress, Qt::Key_M, 58);
    for (int i = 0; i < 100; ++i) {
        key(QEvent::KeyPress, Qt::Key_A, 38);
        key(QEvent::KeyRelease, Qt::Key_A, 38);
    }
    key(QEvent::KeyPress, Qt::Key_H, 43);
    closeForm();
    EXPECT_EQ(threads(), threadsBefore);
}

// A damaged SoundFont: the window plays on silently, and the Options page says why.
TEST_F(SoundInTheWindow, DamagedSoundFontIsNamedOnTheOptionsPage)
{
    std::ofstream(workDir() / "broken.sf2") << std::string(70000, 'Z');
    qputenv("LIRASTO_SOUNDFONT", QByteArray::fromStdString((workDir() / "broken.sf2").string()));
    openShown();
    EXPECT_TRUE(startUntil([](TSoundHookup& h) { return h.StatusLabel()->Caption() == "No SoundFont found"; }));
    qunsetenv("LIRASTO_SOUNDFONT");
    key(QEvent::KeyPress, Qt::Key_A, 38);
    form->PageControl->setCurrentWidget(form->tsOptions);
    EXPECT_TRUE(form->SoundHookup()->StatusLabel()->isVisible());
}

} // namespace
