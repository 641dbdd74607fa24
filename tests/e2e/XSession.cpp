#include "tests/e2e/XSession.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace lirasto::e2e {

namespace {

[[noreturn]] void fail(const std::string& what)
{
    throw std::runtime_error(what);
}

int ignoreXErrors(Display*, XErrorEvent*)
{
    // Windows come and go while we look at them; a vanished one is simply skipped.
    return 0;
}

} // namespace

bool PollUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds interval)
{
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (condition())
            return true;
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(interval);
    }
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
                           const std::filesystem::path& workingDirectory)
{
    if (argv.empty())
        fail("no program to start");
    // Everything the child needs is prepared before the fork.
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        bool overridden = false;
        for (const std::string& extra : extraEnv)
            if (entry.compare(0, extra.find('=') + 1, extra, 0, extra.find('=') + 1) == 0)
                overridden = true;
        if (!overridden)
            env.push_back(entry);
    }
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> args = argv;
    std::vector<char*> argp;
    for (std::string& a : args)
        argp.push_back(a.data());
    argp.push_back(nullptr);
    const std::string cwd = workingDirectory.string();

    pid_ = fork();
    if (pid_ < 0)
        fail("fork failed");
    if (pid_ == 0) {
        // Own process group, so that terminating it reaches nothing of ours.
        setpgid(0, 0);
        if (!cwd.empty() && chdir(cwd.c_str()) != 0)
            _exit(126);
        int devnull = open("/dev/null", O_RDWR);
        if (devnull >= 0) {
            dup2(devnull, STDIN_FILENO);
            if (!std::getenv("LIRASTO_E2E_VERBOSE")) {
                dup2(devnull, STDOUT_FILENO);
                dup2(devnull, STDERR_FILENO);
            }
        }
        execve(argp[0], argp.data(), envp.data());
        _exit(127);
    }
}

ChildProcess::~ChildProcess()
{
    Terminate();
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept : pid_(other.pid_), status_(other.status_)
{
    other.pid_ = -1;
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept
{
    if (this != &other) {
        Terminate();
        pid_ = other.pid_;
        status_ = other.status_;
        other.pid_ = -1;
    }
    return *this;
}

bool ChildProcess::Running()
{
    if (pid_ <= 0 || status_)
        return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        status_ = status;
        return false;
    }
    return true;
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds timeout)
{
    PollUntil([this] { return !Running(); }, timeout, std::chrono::milliseconds(10));
    return status_;
}

void ChildProcess::Terminate(std::chrono::milliseconds grace)
{
    if (!Running())
        return;
    kill(pid_, SIGTERM);
    if (!WaitForExit(grace)) {
        kill(pid_, SIGKILL);
        WaitForExit(std::chrono::milliseconds(2000));
    }
}

VirtualDisplay::VirtualDisplay(QSize screen)
{
    const std::string geometry = std::to_string(screen.width()) + "x" + std::to_string(screen.height()) + "x24";
    for (int number = 90; number <= 120 && !display_; ++number) {
        const std::string digits = std::to_string(number);
        const std::string lock = "/tmp/.X" + digits + "-lock";
        const std::string socket = "/tmp/.X11-unix/X" + digits;
        if (access(lock.c_str(), F_OK) == 0 || access(socket.c_str(), F_OK) == 0)
            continue;
        std::string name = ":";
        name += digits;
        ChildProcess server({"/usr/bin/Xvfb", name, "-screen", "0", geometry, "-nolisten", "tcp", "-noreset"}, {});
        // Another run may take the same number at the same moment: then the server quits and we move on.
        PollUntil(
            [&] {
                if (!server.Running())
                    return true;
                display_ = XOpenDisplay(name.c_str());
                return display_ != nullptr;
            },
            std::chrono::milliseconds(10000), std::chrono::milliseconds(25));
        if (display_) {
            server_ = std::move(server);
            name_ = name;
        }
    }
    if (!display_)
        fail("could not start a virtual X server on displays :90 to :120");
    XSetErrorHandler(ignoreXErrors);
}

VirtualDisplay::~VirtualDisplay()
{
    if (display_)
        XCloseDisplay(display_);
    server_.Terminate();
}

QSize Window::size() const
{
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display_, id_, &attributes))
        return {};
    return {attributes.width, attributes.height};
}

QPoint Window::RootPosition() const
{
    int x = 0, y = 0;
    ::Window child = 0;
    XTranslateCoordinates(display_, id_, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
    return {x, y};
}

QImage Window::Grab() const
{
    const QSize extent = size();
    if (extent.isEmpty())
        return {};
    XImage* image = XGetImage(display_, id_, 0, 0, extent.width(), extent.height(), AllPlanes, ZPixmap);
    if (!image)
        return {};
    QImage result(extent, QImage::Format_RGB32);
    const bool plain = image->bits_per_pixel == 32 && image->red_mask == 0xff0000 && image->green_mask == 0xff00 &&
                       image->blue_mask == 0xff && image->byte_order == LSBFirst;
    for (int y = 0; y < extent.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        if (plain) {
            const auto* source = reinterpret_cast<const uint32_t*>(image->data + y * image->bytes_per_line);
            for (int x = 0; x < extent.width(); ++x)
                row[x] = 0xff000000u | source[x];
        } else {
            for (int x = 0; x < extent.width(); ++x) {
                const unsigned long pixel = XGetPixel(image, x, y);
                row[x] = qRgb(static_cast<int>((pixel & image->red_mask) >> __builtin_ctzl(image->red_mask)),
                              static_cast<int>((pixel & image->green_mask) >> __builtin_ctzl(image->green_mask)),
                              static_cast<int>((pixel & image->blue_mask) >> __builtin_ctzl(image->blue_mask)));
            }
        }
    }
    XDestroyImage(image);
    return result;
}

void Window::Press(QPoint at, unsigned button) const
{
    const QPoint root = RootPosition() + at;
    XTestFakeMotionEvent(display_, -1, root.x(), root.y(), CurrentTime);
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    XSync(display_, False);
}

void Window::Release(unsigned button) const
{
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
    XSync(display_, False);
}

void Window::Click(QPoint at, unsigned button) const
{
    Press(at, button);
    // A person's click takes a moment; the program sees press and release as separate events either way.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    Release(button);
}

void Window::RequestClose() const
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = id_;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, id_, False, NoEventMask, &event);
    XSync(display_, False);
}

void Window::Destroy() const
{
    XDestroyWindow(display_, id_);
    XSync(display_, False);
}

namespace {

std::string windowTitle(Display* display, ::Window window)
{
    std::string title;
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
            Success &&
        data) {
        title.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
    }
    if (title.empty()) {
        char* name = nullptr;
        if (XFetchName(display, window, &name) && name) {
            title = name;
            XFree(name);
        }
    }
    return title;
}

std::optional<Window> findWindowIn(Display* display, ::Window parentWindow, const std::string& title, int depth)
{
    ::Window root = 0, parent = 0;
    ::Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parentWindow, &root, &parent, &children, &count))
        return std::nullopt;
    std::optional<Window> found;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable)
            continue;
        if (windowTitle(display, children[i]) == title)
            found = Window(display, children[i]);
        else if (depth > 1) // inside a window manager's frame
            found = findWindowIn(display, children[i], title, depth - 1);
    }
    if (children)
        XFree(children);
    return found;
}

} // namespace

std::optional<Window> FindWindowByTitle(Display* display, const std::string& title)
{
    return findWindowIn(display, DefaultRootWindow(display), title, 2);
}

} // namespace lirasto::e2e
