#pragma once

#include <QApplication>
#include <chrono>
#include <functional>
#include <thread>

class QString;

// The application object. An exception that escapes an event handler ends up
// here: it is shown in a modal message box with its text and the event loop
// goes on, with the handler's remaining steps skipped.
class TApplication : public QApplication
{
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // How an error reaches the user. Tests replace it so that no message box blocks them.
    using ErrorReporter = std::function<void(const QString& message)>;
    static void SetErrorReporter(ErrorReporter reporter);
    static void ShowError(const QString& message);
};

// Runs one handler; an exception it throws is reported instead of travelling
// through Qt's own frames, which are not built to unwind. Returns whether the
// handler ran to its end.
bool RunGuarded(const std::function<void()>& handler);

// The design names the fonts of the desktop it was made on; they are drawn
// with installed families of the same kind, and that desktop's standard font
// becomes the application's default.
void InstallFontSubstitutions();

// Before the application object: on X11, window contents go to the server in the drawing
// request itself rather than through a shared-memory segment, unless QT_XCB_NO_MITSHM says
// otherwise.
void PreferPlainImageTransfer();

// The sound and MIDI libraries tell of every output they try; on a machine without a sound
// server that is a screenful at each start. Their lines (our categories' debug and info) show
// only when LIRASTO_DEBUG is set; warnings, such as the one line that says there is no sound
// output and why, always do.
void KeepLibraryDetailForDebugging();

// Reads the system's font configuration on a worker thread. Reading it (a few dozen XML files and
// the font caches) is one of the costliest steps of start-up and needs nothing of the application
// object, so it runs while the application connects to the display. Wait() before the first text is measured: the font
// system would otherwise read the configuration a second time beside the worker.
class TFontConfigWarmUp
{
public:
    TFontConfigWarmUp();
    ~TFontConfigWarmUp();
    TFontConfigWarmUp(const TFontConfigWarmUp&) = delete;
    TFontConfigWarmUp& operator=(const TFontConfigWarmUp&) = delete;

    void Wait();

private:
    std::thread worker_;
};

class QWidget;

// A termination request (SIGTERM, SIGINT, or SIGHUP when the terminal goes)
// closes the window the normal way, so that its close handler still keeps the
// level reached, instead of ending the process on the spot. A signal the
// program was started with ignored (as nohup does) stays ignored.
void CloseOnTerminationSignals(QWidget* window);

// Whether the window is closing because of such a signal: nobody may be
// there to answer a message box.
bool ClosingOnSignal();

// Some window managers, and tools such as xdotool's windowclose, destroy a
// window instead of asking it to close. The window is then closed the normal
// way, so that the process ends and keeps the level reached.
void CloseWhenWindowDestroyed(QWidget* window);

// Ends the process with `exitCode` if what runs after this call (the window's
// teardown: closing the sound output, the MIDI ports and the history file)
// takes longer than `limit`. By then everything the player had is kept, so a
// driver that hangs while closing must not leave a process without a window.
void EndIfTeardownHangs(int exitCode, std::chrono::milliseconds limit);

// Runs work once, just after the shown window's first frame has been drawn
// (the turn of the event loop after the window is first exposed).
void StartAfterFirstFrame(QWidget* window, std::function<void()> work);
