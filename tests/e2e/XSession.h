#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Driving a real program on a private X server as a person would: start the
// server and the program, find the program's window, look at its pixels and
// press mouse buttons with real X input events.

struct _XDisplay;

namespace lirasto::e2e {

using Clock = std::chrono::steady_clock;

// A child process; terminated (and reaped) when the object goes.
class ChildProcess
{
public:
    ChildProcess() = default;
    ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
                 const std::filesystem::path& workingDirectory = {});
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    int Pid() const { return pid_; }
    bool Running();
    // Waits up to the timeout for the exit; the exit status as waitpid reports it.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
    // SIGTERM, then SIGKILL when it has not gone after the grace time.
    void Terminate(std::chrono::milliseconds grace = std::chrono::milliseconds(2000));

private:
    int pid_ = -1;
    std::optional<int> status_;
};

// A private Xvfb server on the first free display number of a range.
class VirtualDisplay
{
public:
    explicit VirtualDisplay(QSize screen = QSize(1280, 1024));
    ~VirtualDisplay();

    const std::string& Name() const { return name_; } // ":N"
    _XDisplay* Connection() const { return display_; }

private:
    ChildProcess server_;
    std::string name_;
    _XDisplay* display_ = nullptr;
};

// A top-level window of the program under test, seen from outside.
class Window
{
public:
    Window(_XDisplay* display, unsigned long id) : display_(display), id_(id) {}

    unsigned long Id() const { return id_; }
    QSize size() const;
    QPoint RootPosition() const;
    // The window's pixels as the X server holds them, format RGB32.
    QImage Grab() const;
    // Moves the pointer to a window-relative point and presses and releases a button there.
    void Click(QPoint at, unsigned button = 1) const;
    void Press(QPoint at, unsigned button = 1) const;
    void Release(unsigned button = 1) const;
    // What a window manager sends when its close box is pressed.
    void RequestClose() const;
    // Destroys the window, as some window managers and xdotool's windowclose do.
    void Destroy() const;

private:
    _XDisplay* display_;
    unsigned long id_;
};

// Finds a mapped top-level window whose title is the given text, inside a window manager's frame too.
std::optional<Window> FindWindowByTitle(_XDisplay* display, const std::string& title);

// Polls a condition until it holds or the timeout passes; true when it held.
bool PollUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds interval = std::chrono::milliseconds(20));

} // namespace lirasto::e2e
