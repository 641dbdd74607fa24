// Input latency seen from outside, on a private X server: the time from an input
// event to the pixels that answer it, learnt from the server's damage reports
// (as startup_probe learns the first frame), so the probe sleeps while it waits.
//
//   input_latency mouse PROGRAM BASELINE [--presses N]
//       A mouse press (XTest) on a piano key until its highlight is painted, and
//       the release until the verdict's label is painted; beside BASELINE, a
//       window that fills a rectangle on a press, measured the same way, in turns.
//   input_latency midi PROGRAM [--notes N]
//       A MIDI note-on played into the program's JACK port (a private JACK server
//       on the dummy driver) until the key's highlight is painted.
#include "tests/e2e/ScreenReader.h"
#include "tests/e2e/XSession.h"
#include "tests/support/JackServer.h"
#include "tests/support/TempDir.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <jack/jack.h>
#include <jack/midiport.h>
#include <poll.h>

// X's None would hide the screen reader's Verdict::None.
constexpr XserverRegion kNoRegion = None;
#undef None

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace lirasto::e2e;
using namespace std::chrono_literals;

namespace {

using Shown = lirasto::e2e::Window; // a window seen from outside; X's own Window is an id

const std::string kTitle = "DEMO Lirasto - Notes";
// Places on the game page, relative to its panel (as the end-to-end play test knows them).
const QPoint kStaff(14, 30);
const QPoint kPiano(20, 333);
const QRect kStartButton(72, 451, 75, 25);
const QRect kAnswerLabel(618, 235, 170, 40);

// A point on the drawn key of a pitch class in the second octave (from C3 = 48).
QPoint pianoKeyFor(int pitchClass)
{
    static constexpr int kWhiteKeyIndex[12] = {0, -1, 1, -1, 2, 3, -1, 4, -1, 5, -1, 6};
    static constexpr int kBlackKeyCentre[12] = {-1, 17, -1, 42, -1, -1, 77, -1, 100, -1, 122, -1};
    if (kWhiteKeyIndex[pitchClass] >= 0)
        return kPiano + QPoint(140 + 20 * kWhiteKeyIndex[pitchClass] + 10, 55);
    return kPiano + QPoint(140 + kBlackKeyCentre[pitchClass], 20);
}

double ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// One window watched through its damage reports.
class Watched
{
public:
    Watched(Display* x, int damageBase, Shown window)
        : x_(x), base_(damageBase), window_(window), damage_(XDamageCreate(x, window.Id(), XDamageReportNonEmpty))
    {}
    ~Watched() { XDamageDestroy(x_, damage_); }
    const Shown& Window() const { return window_; }

    QImage Grab(QRect r) const
    {
        XImage* image =
            XGetImage(x_, window_.Id(), r.x(), r.y(), unsigned(r.width()), unsigned(r.height()), AllPlanes, ZPixmap);
        if (!image)
            return {};
        QImage result(r.size(), QImage::Format_RGB32);
        for (int y = 0; y < r.height(); ++y)
            for (int x = 0; x < r.width(); ++x)
                result.setPixel(x, y, 0xff000000u | uint32_t(XGetPixel(image, x, y)));
        XDestroyImage(image);
        return result;
    }

    // Sends the input, then waits for the report after which the region differs
    // from what it showed before; the milliseconds from the input to that report.
    std::optional<double> TimeChange(QRect region, const std::function<void()>& input, Clock::duration timeout)
    {
        XSync(x_, False);
        drain();
        const QImage before = Grab(region);
        const auto start = Clock::now();
        input();
        const auto deadline = start + timeout;
        while (Clock::now() < deadline) {
            while (XPending(x_)) {
                XEvent event;
                XNextEvent(x_, &event);
                const auto seen = Clock::now();
                if (event.type != base_ + XDamageNotify)
                    continue;
                XDamageSubtract(x_, reinterpret_cast<XDamageNotifyEvent&>(event).damage, kNoRegion, kNoRegion);
                if (reinterpret_cast<XDamageNotifyEvent&>(event).drawable == window_.Id() && Grab(region) != before)
                    return ms(seen - start);
            }
            pollfd connection{ConnectionNumber(x_), POLLIN, 0};
            ::poll(&connection, 1, 5);
        }
        return std::nullopt;
    }

private:
    void drain()
    {
        while (XPending(x_)) {
            XEvent event;
            XNextEvent(x_, &event);
            if (event.type == base_ + XDamageNotify)
                XDamageSubtract(x_, reinterpret_cast<XDamageNotifyEvent&>(event).damage, kNoRegion, kNoRegion);
        }
    }

    Display* x_;
    int base_;
    Shown window_;
    Damage damage_;
};

// The pointer is moved ahead of the timed press, so that only the button is measured.
void moveTo(Display* x, const Shown& window, QPoint at)
{
    const QPoint root = window.RootPosition() + at;
    XTestFakeMotionEvent(x, -1, root.x(), root.y(), 0);
    XSync(x, False);
}

void button(Display* x, bool down)
{
    XTestFakeButtonEvent(x, 1, down ? True : False, 0);
    XFlush(x);
}

Shown waitForWindow(Display* x, const std::string& title)
{
    std::optional<Shown> window;
    if (!PollUntil([&] { return (window = FindWindowByTitle(x, title)).has_value(); }, 20s))
        throw std::runtime_error("the window \"" + title + "\" did not appear");
    return *window;
}

// The game page's panel once the staff has shown and stays put.
QPoint waitForPanel(const Shown& window)
{
    std::optional<QPoint> origin, last;
    int same = 0;
    if (!PollUntil(
            [&] {
                origin = FindStaffOrigin(window.Grab());
                same = origin && origin == last ? same + 1 : 0;
                last = origin;
                return same >= 3;
            },
            20s, 100ms))
        throw std::runtime_error("the staff never showed");
    return *origin - kStaff;
}

void report(const char* what, std::vector<double> v)
{
    if (v.empty()) {
        std::printf("%-44s no samples\n", what);
        return;
    }
    std::sort(v.begin(), v.end());
    const auto at = [&](double p) { return v[std::min(v.size() - 1, std::size_t(p * double(v.size() - 1) + 0.5))]; };
    std::printf("%-44s median %6.2f ms   p99 %6.2f ms   (%zu samples)\n", what, at(0.5), at(0.99), v.size());
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

int mouse(const std::string& program, const std::string& baseline, int presses)
{
    VirtualDisplay display(QSize(1600, 1000));
    Display* x = display.Connection();
    int damageBase = 0, errorBase = 0;
    if (!XDamageQueryExtension(x, &damageBase, &errorBase))
        throw std::runtime_error("the X server has no damage extension");
    const auto references = ReferencePictures::Load(LIRASTO_ARTWORK_DIR);
    lirasto::test::TempDir workDir;
    const std::vector<std::string> env{"DISPLAY=" + display.Name(), "QT_QPA_PLATFORM=xcb",
                                       "JACK_DEFAULT_SERVER=lirasto-latency-no-server"};
    ChildProcess subject({program}, env, workDir.Path());
    ChildProcess yardstick({baseline}, env, workDir.Path());
    Watched game(x, damageBase, waitForWindow(x, kTitle));
    Watched plain(x, damageBase, waitForWindow(x, "Press window"));
    const QPoint panel = waitForPanel(game.Window());
    const QPoint staff = panel + kStaff;
    const QRect label = kAnswerLabel.translated(panel);
    const QSize plainSize = plain.Window().size();
    const QRect plainLeft(0, 0, plainSize.width() / 2, plainSize.height());
    const QRect plainRight(plainSize.width() / 2, 0, plainSize.width() - plainSize.width() / 2, plainSize.height());

    std::vector<double> gamePress, gameRelease, plainPress, plainRelease;
    int failures = 0;
    while (int(gamePress.size()) < presses && failures < 20) {
        // A question on display, read from the screen; a run that has ended is started again.
        std::optional<StaffReading> question;
        if (!PollUntil(
                [&] {
                    const QImage shot = game.Window().Grab();
                    question = ReadAnswerMark(shot, staff) == Verdict::None ? ReadStaff(shot, staff, references)
                                                                            : std::nullopt;
                    return question.has_value();
                },
                2500ms, 30ms)) {
            game.Window().Click(kStartButton.translated(panel).center());
            ++failures;
            continue;
        }
        // A wrong key, then the right one: the verdict's label changes at each release.
        for (const int pitchClass : {(question->pitchClass + 5) % 12, question->pitchClass}) {
            const QPoint key = pianoKeyFor(pitchClass) + panel;
            moveTo(x, game.Window(), key);
            const auto down = game.TimeChange(
                QRect(key, QSize(1, 1)), [&] { button(x, true); }, 1s);
            const auto up = game.TimeChange(
                label, [&] { button(x, false); }, 1s);
            if (down && up) {
                gamePress.push_back(*down);
                gameRelease.push_back(*up);
            } else {
                ++failures;
            }
            moveTo(x, plain.Window(), plainLeft.center());
            const auto plainDown = plain.TimeChange(
                plainLeft, [&] { button(x, true); }, 1s);
            const auto plainUp = plain.TimeChange(
                plainRight, [&] { button(x, false); }, 1s);
            if (plainDown && plainUp) {
                plainPress.push_back(*plainDown);
                plainRelease.push_back(*plainUp);
            }
        }
    }
    report("program: press to highlight painted", gamePress);
    report("program: release to verdict painted", gameRelease);
    report("minimal widget: press to fill painted", plainPress);
    report("minimal widget: release to fill painted", plainRelease);
    if (gamePress.empty() || plainPress.empty())
        return 1;
    const double ratio = median(gamePress) / median(plainPress);
    const double releaseRatio = median(gameRelease) / median(plainRelease);
    std::printf("press ratio %.2f, release ratio %.2f (target median at most 1.20 x the minimal widget): %s\n", ratio,
                releaseRatio, std::max(ratio, releaseRatio) <= 1.2 ? "met" : "MISSED");
    return 0;
}

// A JACK client that plays the note asked for in its next cycle.
struct Player
{
    jack_client_t* client = nullptr;
    jack_port_t* out = nullptr;
    std::atomic<int> message{-1}; // status << 8 | note

    static int Process(jack_nframes_t frames, void* arg)
    {
        auto* self = static_cast<Player*>(arg);
        void* buffer = jack_port_get_buffer(self->out, frames);
        jack_midi_clear_buffer(buffer);
        const int m = self->message.exchange(-1);
        if (m >= 0) {
            const jack_midi_data_t bytes[3] = {jack_midi_data_t(m >> 8), jack_midi_data_t(m & 0x7f), 100};
            jack_midi_event_write(buffer, 0, bytes, 3);
        }
        return 0;
    }
};

int midi(const std::string& program, int notes)
{
    lirasto::test::JackServer jack(48000, 256);
    if (!jack.Running())
        throw std::runtime_error("no JACK server: " + jack.Error());
    VirtualDisplay display(QSize(1280, 1024));
    Display* x = display.Connection();
    int damageBase = 0, errorBase = 0;
    if (!XDamageQueryExtension(x, &damageBase, &errorBase))
        throw std::runtime_error("the X server has no damage extension");
    lirasto::test::TempDir workDir;
    ChildProcess subject({program}, {"DISPLAY=" + display.Name(), "QT_QPA_PLATFORM=xcb"}, workDir.Path());
    Watched game(x, damageBase, waitForWindow(x, kTitle));
    const QPoint panel = waitForPanel(game.Window());

    Player player;
    player.client = jack_client_open("latency probe", JackNoStartServer, nullptr);
    if (!player.client)
        throw std::runtime_error("cannot open a JACK client");
    player.out = jack_port_register(player.client, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    jack_set_process_callback(player.client, &Player::Process, &player);
    jack_activate(player.client);
    const std::string ours = std::string(jack_port_name(player.out));
    if (!PollUntil([&] { return jack_connect(player.client, ours.c_str(), "Lirasto Notes:MIDI in") == 0; }, 10s, 100ms))
        throw std::runtime_error("the program's MIDI port did not appear");

    std::vector<double> samples;
    for (int i = 0; i < notes; ++i) {
        const int note = 48 + i % 12;
        const QRect key(pianoKeyFor(i % 12) + panel, QSize(1, 1));
        if (const auto t = game.TimeChange(
                key, [&] { player.message = 0x9000 | note; }, 1s))
            samples.push_back(*t);
        game.TimeChange(
            key, [&] { player.message = 0x8000 | note; }, 1s);
    }
    jack_client_close(player.client);
    report("MIDI note-on to highlight painted", samples);
    const double m = median(samples);
    std::printf("median %.2f ms (target within one 60 Hz frame, 16.7 ms): %s\n", m, m <= 16.7 ? "met" : "MISSED");
    return samples.empty() ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args;
    int count = 200;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--presses" || arg == "--notes") && i + 1 < argc)
            count = std::max(1, std::atoi(argv[++i]));
        else // the programs start in a fresh directory
            args.push_back(args.empty() ? arg : std::filesystem::absolute(arg).string());
    }
    try {
        if (args.size() == 3 && args[0] == "mouse")
            return mouse(args[1], args[2], count);
        if (args.size() == 2 && args[0] == "midi")
            return midi(args[1], count);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "input_latency: %s\n", error.what());
        return 1;
    }
    std::fprintf(stderr, "usage: %s mouse PROGRAM BASELINE [--presses N] | midi PROGRAM [--notes N]\n", argv[0]);
    return 2;
}
