// Measures programs from outside, all in the same way: the time from starting
// the process to the first painted frame of its window on a private X server,
// and the peak resident memory (VmHWM) once the window has settled.
//
//   startup_probe [--runs N] [--settle-ms MS] [--screen WxH] SUBJECT BASELINE
//
// Runs alternate between the two programs (after one unmeasured warm-up run of
// each), so that both see the same machine load; prints the medians and the
// subject's figures against the baseline's.
//
// The probe watches without taking the machine from the program it measures:
// the X server tells it when a window is mapped and, through the damage
// extension, each time a client draws into it; only then does it look at the
// window's pixels. (Grabbing the window every millisecond kept a core busy and
// slowed most the programs that start work on a second thread.)
#include "tests/e2e/XSession.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace lirasto::e2e;
using namespace std::chrono_literals;

namespace {

struct Sample
{
    double firstFrameMs = 0;
    long peakKb = 0;
    long minorFaults = 0; // pages touched for the first time, up to the first frame
};

std::optional<unsigned long> firstViewableWindow(Display* display)
{
    ::Window root = 0, parent = 0;
    ::Window* children = nullptr;
    unsigned count = 0;
    std::optional<unsigned long> found;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return found;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable &&
            attributes.width >= 100 && attributes.height >= 100)
            found = children[i];
    }
    if (children)
        XFree(children);
    return found;
}

// A window is painted once most of it differs from what the server shows where
// nothing has been drawn: the root window's own background beneath it.
bool painted(const QImage& window, const QImage& rootBackground, QPoint at)
{
    if (window.isNull())
        return false;
    long differing = 0, total = 0;
    for (int y = 0; y < window.height(); y += 4)
        for (int x = 0; x < window.width(); x += 4) {
            ++total;
            const QPoint onRoot = at + QPoint(x, y);
            if (!rootBackground.rect().contains(onRoot) || window.pixel(x, y) != rootBackground.pixel(onRoot))
                ++differing;
        }
    return total > 0 && differing * 2 >= total;
}

long peakResidentKb(int pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// Field 10 of /proc/<pid>/stat, counted after the command name (which may hold blanks).
long minorFaults(int pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    for (int i = 3; i <= 10 && fields >> field; ++i)
        if (i == 10)
            return std::strtol(field.c_str(), nullptr, 10);
    return -1;
}

// Waits for the first window of at least 100 x 100 pixels to be painted; the time is taken when
// the server's report arrives, before the pixels are read to confirm it.
std::optional<Clock::time_point> waitForFirstFrame(Display* x, int damageEventBase, const QImage& rootBackground,
                                                   std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    std::vector<Damage> damages;
    std::optional<Clock::time_point> frame;
    const auto isPainted = [&](::Window id) {
        const lirasto::e2e::Window window(x, id);
        return painted(window.Grab(), rootBackground, window.RootPosition());
    };
    while (!frame && Clock::now() < deadline) {
        while (!frame && XPending(x)) {
            XEvent event;
            XNextEvent(x, &event);
            const auto seen = Clock::now();
            if (event.type == MapNotify) {
                XWindowAttributes attributes{};
                const ::Window id = event.xmap.window;
                if (!XGetWindowAttributes(x, id, &attributes) || attributes.width < 100 || attributes.height < 100)
                    continue;
                damages.push_back(XDamageCreate(x, id, XDamageReportNonEmpty));
                XSync(x, False);
                // Whatever was drawn before the damage record existed is seen here; later drawing is reported.
                if (isPainted(id))
                    frame = seen;
            } else if (event.type == damageEventBase + XDamageNotify) {
                const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
                XDamageSubtract(x, damage.damage, None, None);
                if (isPainted(damage.drawable))
                    frame = seen;
            }
        }
        if (frame)
            break;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd connection{ConnectionNumber(x), POLLIN, 0};
        ::poll(&connection, 1, static_cast<int>(std::max<long>(1, left.count())));
    }
    for (const Damage damage : damages)
        XDamageDestroy(x, damage);
    XSync(x, False);
    return frame;
}

std::optional<Sample> measure(VirtualDisplay& display, int damageEventBase, const std::string& program,
                              const QImage& rootBackground, std::chrono::milliseconds settle)
{
    char pattern[] = "/tmp/lirasto-startup-XXXXXX";
    const char* workDir = mkdtemp(pattern);
    if (!workDir)
        return std::nullopt;
    Display* x = display.Connection();
    // Reports left over from the previous run are not this one's.
    XSync(x, True);
    std::optional<Sample> sample;
    {
        const auto start = Clock::now();
        ChildProcess process({program}, {"DISPLAY=" + display.Name(), "QT_QPA_PLATFORM=xcb"}, workDir);
        if (const std::optional<Clock::time_point> frame = waitForFirstFrame(x, damageEventBase, rootBackground, 30s)) {
            const long faults = minorFaults(process.Pid());
            std::this_thread::sleep_for(settle);
            sample = Sample{std::chrono::duration<double, std::milli>(*frame - start).count(),
                            peakResidentKb(process.Pid()), faults};
        }
        process.Terminate();
    }
    // The next run starts on an empty screen.
    PollUntil([&] { return !firstViewableWindow(x); }, 5s, 5ms);
    std::filesystem::remove_all(workDir);
    return sample;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : (n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2);
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 10;
    int settleMs = 300;
    // A scaled window (QT_SCALE_FACTOR=2) needs a screen of a dense laptop's size.
    QSize screen(1024, 768);
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--settle-ms" && i + 1 < argc)
            settleMs = std::max(0, std::atoi(argv[++i]));
        else if (arg == "--screen" && i + 1 < argc) {
            if (std::sscanf(argv[++i], "%dx%d", &screen.rwidth(), &screen.rheight()) != 2) {
                std::fprintf(stderr, "startup_probe: --screen takes WIDTHxHEIGHT\n");
                return 2;
            }
        } else
            programs.push_back(std::filesystem::absolute(arg).string()); // each run starts in a fresh directory
    }
    if (programs.size() != 2) {
        std::fprintf(stderr, "usage: %s [--runs N] [--settle-ms MS] [--screen WxH] SUBJECT BASELINE\n", argv[0]);
        return 2;
    }

    try {
        VirtualDisplay display(screen);
        Display* x = display.Connection();
        const QImage rootBackground = lirasto::e2e::Window(x, DefaultRootWindow(x)).Grab();
        int damageEventBase = 0, damageErrorBase = 0;
        if (!XDamageQueryExtension(x, &damageEventBase, &damageErrorBase)) {
            std::fprintf(stderr, "startup_probe: the X server has no damage extension\n");
            return 1;
        }
        // Every window mapped on the screen is reported.
        XSelectInput(x, DefaultRootWindow(x), SubstructureNotifyMask);

        std::vector<Sample> samples[2];
        for (int run = -1; run < runs; ++run) {
            for (int p = 0; p < 2; ++p) {
                const std::optional<Sample> sample =
                    measure(display, damageEventBase, programs[p], rootBackground, std::chrono::milliseconds(settleMs));
                if (!sample) {
                    std::fprintf(stderr, "%s showed no painted window\n", programs[p].c_str());
                    return 1;
                }
                if (run >= 0) {
                    samples[p].push_back(*sample);
                    std::printf("run %2d  %-14s first frame %7.1f ms   peak memory %7.1f MB   page faults %6ld\n",
                                run + 1, std::filesystem::path(programs[p]).filename().c_str(), sample->firstFrameMs,
                                sample->peakKb / 1024.0, sample->minorFaults);
                }
            }
        }

        double frame[2], peak[2];
        for (int p = 0; p < 2; ++p) {
            std::vector<double> frames, peaks, faults;
            for (const Sample& s : samples[p]) {
                frames.push_back(s.firstFrameMs);
                peaks.push_back(s.peakKb / 1024.0);
                faults.push_back(static_cast<double>(s.minorFaults));
            }
            frame[p] = median(frames);
            peak[p] = median(peaks);
            std::printf("median  %-14s first frame %7.1f ms   peak memory %7.1f MB   page faults %6.0f\n",
                        std::filesystem::path(programs[p]).filename().c_str(), frame[p], peak[p], median(faults));
        }
        const double ratio = frame[0] / frame[1];
        const double extra = peak[0] - peak[1];
        std::printf("start-up ratio %.2f (target at most 1.30): %s\n", ratio, ratio <= 1.30 ? "met" : "MISSED");
        std::printf("extra peak memory %.1f MB (target at most 15 MB): %s\n", extra, extra <= 15 ? "met" : "MISSED");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "startup_probe: %s\n", error.what());
        return 1;
    }
    return 0;
}
