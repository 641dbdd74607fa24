#include "midi/MidiInput.h"
#include "midi/MidiQueue.h"
#include "tests/support/EventWait.h"
#include "tests/support/JackServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

using lirasto::test::WaitFor;

namespace {

// Records the keys an input reports, "+60" down and "-60" up, in order.
std::shared_ptr<std::string> record(TMidiInput& input)
{
    auto keys = std::make_shared<std::string>();
    auto add = [keys](const char* sign, int n) {
        *keys += std::string(keys->empty() ? "" : " ") + sign + std::to_string(n);
    };
    QObject::connect(&input, &TMidiInput::KeyDown, [add](int n, auto) { add("+", n); });
    QObject::connect(&input, &TMidiInput::KeyUp, [add](int n) { add("-", n); });
    return keys;
}

int count(const std::string& keys)
{
    return keys.empty() ? 0 : int(std::count(keys.begin(), keys.end(), ' ')) + 1;
}

// Runs midi_send with the given arguments and waits for it to end.
int send(const QStringList& args, int ms = 20000)
{
    QProcess sender;
    sender.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sender.start(QStringLiteral(LIRASTO_MIDI_SEND), args);
    WaitFor([&] { return sender.state() == QProcess::NotRunning; }, ms);
    return sender.exitStatus() == QProcess::NormalExit ? sender.exitCode() : -1;
}

class MidiInputJack : public testing::Test
{
protected:
    // Long periods: on a machine far busier than its cores, a client late for
    // a short period loses or repeats that period's MIDI, whatever it does.
    static void SetUpTestSuite() { server_ = std::make_unique<lirasto::test::JackServer>(48000, 2048); }
    static void TearDownTestSuite() { server_.reset(); }
    void SetUp() override
    {
        ASSERT_TRUE(server_->Running()) << server_->Error();
        input_.Start();
        ASSERT_TRUE(WaitFor([&] { return input_.Systems().contains("JACK"); }, 5000));
    }
    static std::unique_ptr<lirasto::test::JackServer> server_;
    TMidiInput input_;
};
std::unique_ptr<lirasto::test::JackServer> MidiInputJack::server_;

// A keyboard plugged in after start is connected within 2 s, every note of a mixed
// stream reaches the GUI thread in order and nothing else does, and the keyboard
// unplugged is let go quietly, with the keys it left down.
TEST_F(MidiInputJack, PlaysFromKeyboardPluggedInLater)
{
    auto keys = record(input_);
    const QStringList stream{"on 60",
                             "off 60 0",
                             "raw 95 40 00",
                             "raw 92 3e 50 40 00 41 7f",
                             "raw 43 60",
                             "raw 90 3c",
                             "raw 90 3c 80 3c 40",
                             "raw b0 07 64 e0 00 40 c0 05",
                             "raw 90 f8 48 fe 50",
                             "raw f8",
                             "sysex 3000",
                             "raw 3c 40",
                             "raw a0 3c 40 d0 10",
                             "on 74 1 16",
                             "flood 10000",
                             "on 61"};
    const char* expected = "+60 -60 -64 +62 -64 +65 +67 -60 +72 +74";
    ASSERT_EQ(send(QStringList{"--name", "keyboard", "--physical", "--wait-connected", "2"} + stream), 0)
        << "not connected within 2 s";
    // The flood ends with keys 0 to 15 down, and 61 after it.
    ASSERT_TRUE(WaitFor([&] { return count(*keys) == 10 + 10000 + 1 + 17; }, 10000)) << count(*keys) << " keys";
    std::string flood, released;
    for (int i = 0; i < 10000; ++i)
        flood += std::string((i / 128) % 2 ? " -" : " +") + std::to_string(i % 128);
    for (int i = 0; i < 16; ++i)
        released += " -" + std::to_string(i);
    EXPECT_EQ(*keys, expected + flood + " +61" + released + " -61");
    EXPECT_EQ(input_.DroppedEvents(), 0u);
    EXPECT_FALSE(input_.HasDevice());
    EXPECT_EQ(input_.StatusText(), "No MIDI input found");
}

// A device switched off is listed with its tick cleared and not connected; our
// own port still takes whatever a program connects to it, also after a restart.
TEST_F(MidiInputJack, DisabledDeviceListedButNotConnected)
{
    auto keys = record(input_);
    input_.SetDeviceEnabled("ignored:out", false);
    QProcess idle;
    idle.start(QStringLiteral(LIRASTO_MIDI_SEND), {"--name", "ignored", "--physical", "sleep 3000"});
    ASSERT_TRUE(WaitFor([&] { return input_.HasDevice(); }, 2500));
    EXPECT_EQ(input_.Devices(), (QList<TMidiDevice>{{"ignored:out", "JACK", false}}));
    EXPECT_EQ(send({"--name", "program", "--connect", input_.JackPortName(), "on 70", "off 70"}), 0);
    EXPECT_TRUE(WaitFor([&] { return count(*keys) == 2; }, 2000));
    EXPECT_EQ(*keys, "+70 -70");
    // Stopped and started again, the input opens its port anew and delivers.
    input_.Stop();
    input_.Start();
    ASSERT_TRUE(WaitFor([&] { return !input_.JackPortName().isEmpty(); }, 5000));
    EXPECT_EQ(send({"--name", "program", "--connect", input_.JackPortName(), "on 71"}), 0);
    EXPECT_TRUE(WaitFor([&] { return count(*keys) == 3; }, 2000));
    EXPECT_EQ(*keys, "+70 -70 +71");
    idle.waitForFinished(5000);
}

// Without a JACK server and without the ALSA sequencer the program finds no
// MIDI, says so, and closes at once.
TEST(MidiInputNone, ReportsNoMidiWithoutAnySystem)
{
    qputenv("JACK_DEFAULT_SERVER", "lirasto-test-no-server");
    TMidiInput input;
    input.Start();
    EXPECT_TRUE(WaitFor([&] { return input.Scanned(); }, 5000));
    EXPECT_FALSE(input.Systems().contains("JACK"));
    // With the sequencer there may be a keyboard plugged in.
    if (!input.Systems().contains("ALSA")) {
        EXPECT_FALSE(input.HasDevice());
        EXPECT_EQ(input.StatusText(), "No MIDI input found");
    }
    QElapsedTimer clock;
    clock.start();
    input.Stop();
    EXPECT_LT(clock.elapsed(), 2000);
    qunsetenv("JACK_DEFAULT_SERVER");
}

// A JACK server started after the program is found and its keyboards connected, though
// nothing looks for one at regular times.
TEST(MidiInputServerLater, FindsServerStartedAfterTheProgram)
{
    const std::string name = lirasto::test::JackServer::FreshName();
    qputenv("JACK_DEFAULT_SERVER", QByteArray::fromStdString(name));
    TMidiInput input;
    auto keys = record(input);
    input.Start();
    ASSERT_TRUE(WaitFor([&] { return input.Scanned(); }, 5000));
    EXPECT_FALSE(input.Systems().contains("JACK"));
    {
        lirasto::test::JackServer server(48000, 2048, name);
        ASSERT_TRUE(server.Running()) << server.Error();
        ASSERT_TRUE(WaitFor([&] { return input.Systems().contains("JACK"); }, 5000));
        EXPECT_EQ(send({"--name", "keyboard", "--physical", "--wait-connected", "2", "on 60"}), 0);
        // The keyboard leaves with its key down: the key is let go.
        EXPECT_TRUE(WaitFor([&] { return *keys == "+60 -60"; }, 10000)) << *keys;
    }
    qputenv("JACK_DEFAULT_SERVER", QByteArray::fromStdString(name));
    EXPECT_TRUE(WaitFor([&] { return input.Systems().isEmpty(); }, 5000));
    // The same server back again is found again.
    lirasto::test::JackServer again(48000, 2048, name);
    ASSERT_TRUE(again.Running()) << again.Error();
    EXPECT_TRUE(WaitFor([&] { return input.Systems().contains("JACK"); }, 5000));
    input.Stop();
}

// A receiver far behind: key presses beyond the limit are dropped, releases never, one per key.
TEST(MidiQueueFull, DropsPressesButNeverReleases)
{
    TMidiQueue queue; // with no receiver, as one that never drains
    for (std::size_t i = 0; i < TMidiQueue::kMaxPending; ++i)
        queue.Push({int(i % 128), true});
    for (const auto& ev : {TMidiParser::TNoteEvent{60, true}, {60, false}, {61, false}, {60, false}, {62, true}})
        queue.Push(ev);
    std::vector<TMidiParser::TNoteEvent> out;
    while (queue.Take(out, 256)) {
    }
    ASSERT_EQ(out.size(), TMidiQueue::kMaxPending + 2);
    EXPECT_TRUE(out.end()[-2].Note == 60 && !out.end()[-2].Down && out.back().Note == 61 && !out.back().Down);
    EXPECT_EQ(queue.Dropped(), 3u);
}

} // namespace

// A JACK server that goes away takes its devices with it; the input lets go of
// the dead server and closes without waiting on it.
TEST(MidiInputServerGone, LetsGoOfStoppedServer)
{
    auto server = std::make_unique<lirasto::test::JackServer>();
    ASSERT_TRUE(server->Running()) << server->Error();
    TMidiInput input;
    input.Start();
    ASSERT_TRUE(WaitFor([&] { return input.Systems().contains("JACK"); }, 5000));
    auto keys = record(input);
    QProcess keyboard;
    keyboard.start(QStringLiteral(LIRASTO_MIDI_SEND),
                   {"--name", "keyboard", "--physical", "--wait-connected", "2", "on 60", "sleep 10000"});
    ASSERT_TRUE(WaitFor([&] { return *keys == "+60"; }, 5000)) << *keys;
    server.reset();
    EXPECT_TRUE(WaitFor([&] { return input.Systems().isEmpty() && !input.HasDevice(); }, 5000));
    EXPECT_EQ(*keys, "+60 -60"); // its release can no longer come
    QElapsedTimer clock;
    clock.start();
    input.Stop();
    EXPECT_LT(clock.elapsed(), 2000);
    keyboard.kill();
    keyboard.waitForFinished(2000);
}
