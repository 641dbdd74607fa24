#include "tests/app/window/MainWindowFixture.h"

#include "app/hookups/SoundHookup.h"
#include "app/options/OptionsPage.h"
#include "audio/PianoSound.h"
#include "controls/SkinCheckBox.h"
#include "tests/support/JackServer.h"

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QSet>
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
    // The threads now running, by id.
    static QSet<QString> threads()
    {
        const QStringList ids = QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        return QSet<QString>(ids.begin(), ids.end());
    }
    static QString named(const QSet<QString>& ids)
    {
        QStringList names;
        for (const QString& id : ids) {
            QFile comm("/proc/self/task/" + id + "/comm");
            names << (comm.open(QIODevice::ReadOnly) ? QString::fromUtf8(comm.readAll().trimmed()) : id);
        }
        return names.join(", ");
    }
};

// The stored volume applies at start and M mutes, ticking Mute; a hundred keys sound through JACK, and closing
// the window while one sounds leaves no thread behind.
TEST_F(SoundInTheWindow, FollowsTheOptionsPlaysAHundredKeysAndClosesWhileOneSounds)
{
    JackServer server;
    ASSERT_TRUE(server.running()) << server.error();
    std::ofstream(workDir() / "vantrel.ini") << "[Options]\nVolume=30\n";
    openShown();
    const QSet<QString> threadsBefore = threads();
    ASSERT_TRUE(startUntil([](TSoundHookup& h) { return h.Sound().outputDriver() == "jack"; }));
    EXPECT_EQ(form->SoundHookup()->Sound().volume(), 30);
    key(QEvent::KeyPress, Qt::Key_M, 58);
    EXPECT_TRUE(form->SoundHookup()->Sound().muted() &&
                form->OptionsPage().Tick(lirasto::settings::TOption::Mute)->isChecked());
    key(QEvent::KeyPress, Qt::Key_M, 58);
    for (int i = 0; i < 100; ++i) {
        key(QEvent::KeyPress, Qt::Key_A, 38);
        key(QEvent::KeyRelease, Qt::Key_A, 38);
    }
    key(QEvent::KeyPress, Qt::Key_H, 43);
    closeForm();
    // A QThread says it has finished (and the MIDI input's stop returns) a moment before the system
    // thread is gone, a moment that a loaded machine stretches: the threads the subsystems started
    // must go, within a bound. One of the window's start that ends meanwhile is no matter.
    QSet<QString> left = threads() - threadsBefore;
    for (int i = 0; i < 500 && !left.isEmpty(); ++i) {
        std::this_thread::sleep_for(10ms);
        left = threads() - threadsBefore;
    }
    EXPECT_TRUE(left.isEmpty()) << "still running: " << named(left).toStdString();
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
