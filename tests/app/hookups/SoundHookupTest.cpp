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
    bool StartUntil(const std::function<bool(TSoundHookup&)>& done)
    {
        form_->StartSubsystems();
        for (int ms = 0; ms < 15000 && !done(*form_->SoundHookup()); ++ms, std::this_thread::sleep_for(1ms))
            QCoreApplication::processEvents();
        return done(*form_->SoundHookup());
    }
    void Key(QEvent::Type type, int qtKey, quint32 scanCode)
    {
        QKeyEvent event(type, qtKey, Qt::NoModifier, scanCode, 0, 0);
        QCoreApplication::sendEvent(form_->cbLevel, &event);
    }
    // The threads now running, by id.
    static QSet<QString> Threads()
    {
        const QStringList ids = QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        return QSet<QString>(ids.begin(), ids.end());
    }
    static QString Named(const QSet<QString>& ids)
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
    ASSERT_TRUE(server.Running()) << server.Error();
    std::ofstream(WorkDir() / "vantrel.ini") << "[Options]\nVolume=30\n";
    OpenShown();
    const QSet<QString> threadsBefore = Threads();
    ASSERT_TRUE(StartUntil([](TSoundHookup& h) { return h.Sound().OutputDriver() == "jack"; }));
    EXPECT_EQ(form_->SoundHookup()->Sound().Volume(), 30);
    Key(QEvent::KeyPress, Qt::Key_M, 58);
    EXPECT_TRUE(form_->SoundHookup()->Sound().Muted() &&
                form_->OptionsPage().Tick(lirasto::settings::TOption::Mute)->isChecked());
    Key(QEvent::KeyPress, Qt::Key_M, 58);
    for (int i = 0; i < 100; ++i) {
        Key(QEvent::KeyPress, Qt::Key_A, 38);
        Key(QEvent::KeyRelease, Qt::Key_A, 38);
    }
    Key(QEvent::KeyPress, Qt::Key_H, 43);
    CloseForm();
    // A QThread says it has finished (and the MIDI input's stop returns) a moment before the system
    // thread is gone, a moment that a loaded machine stretches: the threads the subsystems started
    // must go, within a bound. One of the window's start that ends meanwhile is no matter.
    QSet<QString> left = Threads() - threadsBefore;
    for (int i = 0; i < 500 && !left.isEmpty(); ++i) {
        std::this_thread::sleep_for(10ms);
        left = Threads() - threadsBefore;
    }
    EXPECT_TRUE(left.isEmpty()) << "still running: " << Named(left).toStdString();
}

// A damaged SoundFont: the window plays on silently, and the Options page says why.
TEST_F(SoundInTheWindow, DamagedSoundFontIsNamedOnTheOptionsPage)
{
    std::ofstream(WorkDir() / "broken.sf2") << std::string(70000, 'Z');
    qputenv("LIRASTO_SOUNDFONT", QByteArray::fromStdString((WorkDir() / "broken.sf2").string()));
    OpenShown();
    EXPECT_TRUE(StartUntil([](TSoundHookup& h) { return h.StatusLabel()->Caption() == "No SoundFont found"; }));
    qunsetenv("LIRASTO_SOUNDFONT");
    Key(QEvent::KeyPress, Qt::Key_A, 38);
    form_->PageControl->setCurrentWidget(form_->tsOptions);
    EXPECT_TRUE(form_->SoundHookup()->StatusLabel()->isVisible());
}

} // namespace
