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
#include <sstream>
#include <thread>

using namespace lirasto::test;
using namespace std::chrono_literals;
using settings::TOption;

namespace {

int threadCount()
{
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

bool pumpUntil(const std::function<bool()>& done)
{
    for (auto end = std::chrono::steady_clock::now() + 15s; !done(); std::this_thread::sleep_for(1ms)) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        QCoreApplication::processEvents();
    }
    return true;
}

class SoundInTheWindow : public MainWindowTest
{
protected:
    void key(QEvent::Type type, int qtKey, quint32 scanCode)
    {
        QKeyEvent event(type, qtKey, Qt::NoModifier, scanCode, 0, 0);
        QCoreApplication::sendEvent(form->cbLevel, &event);
    }
    void tap(int qtKey, quint32 scanCode)
    {
        key(QEvent::KeyPress, qtKey, scanCode);
        QCoreApplication::processEvents();
        key(QEvent::KeyRelease, qtKey, scanCode);
    }
};

// The stored volume applies at start; M and the slider change the sound and are stored; a hundred keys sound
// through JACK, and closing the window while one sounds leaves no thread behind.
TEST_F(SoundInTheWindow, FollowsTheOptionsPlaysAHundredKeysAndClosesWhileOneSounds)
{
    JackServer server;
    ASSERT_TRUE(server.running()) << server.error();
    std::ofstream(workDir() / "vantrel.ini") << "[Options]\nVolume=30\n";
    openShown();
    const int threadsBefore = threadCount();
    form->StartSubsystems();
    TPianoSound& sound = form->SoundHookup()->Sound();
    ASSERT_TRUE(pumpUntil([&] { return sound.outputDriver() == QStringLiteral("jack"); }));
    EXPECT_EQ(sound.volume(), 30);
    EXPECT_EQ(form->SoundHookup()->VolumeSlider()->value(), 30);
    tap(Qt::Key_M, 58);
    EXPECT_TRUE(sound.muted());
    EXPECT_TRUE(form->OptionsPage().Tick(TOption::Mute)->isChecked());
    tap(Qt::Key_M, 58);
    EXPECT_FALSE(sound.muted());
    form->SoundHookup()->VolumeSlider()->setValue(55);
    EXPECT_EQ(sound.volume(), 55);
    for (int i = 0; i < 100; ++i)
        tap(Qt::Key_A, 38);
    key(QEvent::KeyPress, Qt::Key_H, 43);
    closeForm();
    EXPECT_EQ(threadCount(), threadsBefore);
    std::stringstream text;
    text << std::ifstream(workDir() / "vantrel.ini").rdbuf();
    EXPECT_NE(text.str().find("[Options]\nVolume=55\nMute=0\n"), std::string::npos) << text.str();
}

// A damaged SoundFont: the window plays on silently, and the Options page says why.
TEST_F(SoundInTheWindow, DamagedSoundFontIsNamedOnTheOptionsPage)
{
    std::ofstream(workDir() / "broken.sf2") << std::string(70000, 'Z');
    qputenv("LIRASTO_SOUNDFONT", QByteArray::fromStdString((workDir() / "broken.sf2").string()));
    openShown();
    form->StartSubsystems();
    TSkinLabel* status = form->SoundHookup()->StatusLabel();
    EXPECT_TRUE(pumpUntil([&] { return status->Caption() == QStringLiteral("No SoundFont found"); }));
    qunsetenv("LIRASTO_SOUNDFONT");
    tap(Qt::Key_A, 38);
    form->PageControl->setCurrentWidget(form->tsOptions);
    EXPECT_TRUE(status->isVisible());
}

} // namespace
