#include "app/window/Application.h"

#include <QAbstractNativeEventFilter>
#include <QFont>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <fontconfig/fontconfig.h>
#include <sys/socket.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

void showInMessageBox(const QString& message)
{
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(), message);
}

TApplication::ErrorReporter& reporter()
{
    static TApplication::ErrorReporter current = showInMessageBox;
    return current;
}

QString describe(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QCoreApplication::translate("TApplication", "Unknown error");
    }
}

} // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowError(describe(std::current_exception()));
        return true;
    }
}

void TApplication::SetErrorReporter(ErrorReporter newReporter)
{
    reporter() = newReporter ? std::move(newReporter) : ErrorReporter(showInMessageBox);
}

void TApplication::ShowError(const QString& message)
{
    reporter()(message);
}

void PreferPlainImageTransfer()
{
    // The window repaints small areas again and again: the credits line 40 times a second, a key
    // lit and put out, a verdict. Through shared memory, painting an area that was shown last
    // time must first wait for the X server to have read it, a round trip and two thread
    // wake-ups each time; sent in the request, a few kilobytes cost less than that.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

void KeepLibraryDetailForDebugging()
{
    const QByteArray debug = qgetenv("LIRASTO_DEBUG");
    if (debug.isEmpty() || debug == "0")
        QLoggingCategory::setFilterRules(QStringLiteral("lirasto.*.debug=false\nlirasto.*.info=false"));
}

bool RunGuarded(const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (...) {
        TApplication::ShowError(describe(std::current_exception()));
        return false;
    }
}

void InstallFontSubstitutions()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    // What that desktop drew a control in when it named no font of its own. Every control of the
    // window takes the same face, so start-up opens one font family, not a second for the defaults.
    QFont standard(QStringLiteral("MS Sans Serif"));
    standard.setPixelSize(11);
    QApplication::setFont(standard);
}

TFontConfigWarmUp::TFontConfigWarmUp()
{
    try {
        worker_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to be had: the font system reads its configuration when first asked.
    }
}

TFontConfigWarmUp::~TFontConfigWarmUp()
{
    Wait();
}

void TFontConfigWarmUp::Wait()
{
    if (worker_.joinable())
        worker_.join();
}

namespace {

int signalPipe[2] = {-1, -1};
bool closingOnSignal = false;

// Only a write is safe inside a signal handler; the event loop does the rest.
void onTerminationSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
}

} // namespace

void CloseOnTerminationSignals(QWidget* window)
{
    if (signalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, window);
    QPointer<QWidget> target(window);
    QObject::connect(notifier, &QSocketNotifier::activated, window, [target] {
        char byte;
        [[maybe_unused]] const ssize_t read = ::read(signalPipe[1], &byte, 1);
        if (target) {
            closingOnSignal = true;
            target->close();
            closingOnSignal = false;
        }
    });
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction inherited = {};
        if (::sigaction(signal, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN)
            continue;
        ::sigaction(signal, &action, nullptr);
    }
}

bool ClosingOnSignal()
{
    return closingOnSignal;
}

namespace {

class TDestroyWatch : public QAbstractNativeEventFilter
{
public:
    explicit TDestroyWatch(QWidget* window) : window_(window) {}

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override
    {
        if (eventType != "xcb_generic_event_t" || !window_ || !window_->internalWinId())
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_DESTROY_NOTIFY)
            return false;
        const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
        if (destroyed->window == window_->internalWinId()) {
            // Closed after this event is handled: the close runs the window's handlers, which may show a box.
            QMetaObject::invokeMethod(
                window_.data(),
                [window = window_] {
                    if (window)
                        window->close();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QPointer<QWidget> window_;
};

} // namespace

void CloseWhenWindowDestroyed(QWidget* window)
{
    static TDestroyWatch* watch = nullptr;
    if (watch)
        QCoreApplication::instance()->removeNativeEventFilter(watch);
    delete watch;
    watch = new TDestroyWatch(window);
    QCoreApplication::instance()->installNativeEventFilter(watch);
}

namespace {

// Watches a window for its first exposure: Qt draws the widgets as it handles
// that event, so work queued from it runs after the first frame is drawn.
class TFirstFrameWatch : public QObject
{
public:
    TFirstFrameWatch(QWindow* window, std::function<void()> work) : QObject(window), work_(std::move(work)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = static_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && window->isExposed() && work_) {
            QTimer::singleShot(0, window, std::exchange(work_, nullptr));
            window->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> work_;
};

} // namespace

void EndIfTeardownHangs(int exitCode, std::chrono::milliseconds limit)
{
    std::thread([exitCode, limit] {
        std::this_thread::sleep_for(limit);
        static const char kMessage[] = "lirasto: closing the sound, MIDI and history took too long; ending now\n";
        [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
        std::_Exit(exitCode);
    }).detach();
}

void StartAfterFirstFrame(QWidget* window, std::function<void()> work)
{
    window->winId(); // the native window exists from here on, shown or not
    QWindow* handle = window->windowHandle();
    if (!handle || handle->isExposed()) {
        QTimer::singleShot(0, window, std::move(work));
        return;
    }
    handle->installEventFilter(new TFirstFrameWatch(handle, std::move(work)));
}
