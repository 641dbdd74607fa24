#include "microphone/MicrophoneInput.h"
#include "tests/microphone/JackPlayer.h"
#include "tests/microphone/Signals.h"
#include "tests/support/EventWait.h"
#include "tests/support/JackServer.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

using lirasto::test::WaitFor;
using namespace lirasto::test;

namespace {

std::shared_ptr<std::vector<int>> recordDowns(TMicrophoneInput& input)
{
    auto downs = std::make_shared<std::vector<int>>();
    QObject::connect(&input, &TMicrophoneInput::KeyDown, [downs](int note, auto) { downs->push_back(note); });
    return downs;
}

std::vector<float> played(int note)
{
    return RenderNote(0, note, 100, 0.4, 0.4);
}

// Starts the input on its own JACK server and waits until it listens.
void startListening(const JackServer& server, TMicrophoneInput& input)
{
    ASSERT_TRUE(server.Running()) << server.Error();
    input.Start({}, {});
    ASSERT_TRUE(WaitFor([&] { return input.Listening() || !input.Problem().isEmpty(); }, 10000));
    ASSERT_TRUE(input.Listening()) << input.Problem().toStdString();
}

} // namespace

// Under JACK the input offers "...:audio in", joined to the first capture port, and hears what is played
// into it: each note once, and the same note again as a new answer.
TEST(MicrophoneInput, HearsNotesPlayedIntoItsJackPort)
{
    JackServer server(48000, 256);
    TMicrophoneInput input;
    auto downs = recordDowns(input);
    ASSERT_NO_FATAL_FAILURE(startListening(server, input));
    ASSERT_TRUE(input.JackPortName().endsWith(":audio in")) << input.JackPortName().toStdString();
    EXPECT_TRUE(input.Devices().size() >= 1);

    jack_status_t status{};
    jack_client_t* look = jack_client_open("look", JackNoStartServer, &status);
    ASSERT_NE(look, nullptr);
    const char** links = jack_port_get_all_connections(look, jack_port_by_name(look, qPrintable(input.JackPortName())));
    ASSERT_NE(links, nullptr);
    EXPECT_STREQ(links[0], "system:capture_1");
    jack_free(links);
    jack_client_close(look);

    JackPlayer player(input.JackPortName().toStdString());
    ASSERT_TRUE(player.Ready());
    for (int note : {40, 64, 64, 88})
        player.Play(played(note));
    ASSERT_TRUE(WaitFor([&] { return player.Idle() && downs->size() >= 4; }, 15000));
    EXPECT_EQ(*downs, (std::vector<int>{40, 64, 64, 88}));
}

// A JACK server that stops takes the capture with it: the input says so instead of listening to nothing,
// and listens again, and hears, once a server runs again.
TEST(MicrophoneInputServerGone, SaysSoAndListensAgainWhenAServerRuns)
{
    const std::string name = JackServer::FreshName();
    auto server = std::make_unique<JackServer>(48000, 256, name);
    TMicrophoneInput input;
    auto downs = recordDowns(input);
    ASSERT_NO_FATAL_FAILURE(startListening(*server, input));
    server.reset();
    ASSERT_TRUE(WaitFor([&] { return !input.Listening() && !input.Problem().isEmpty(); }, 10000));
    EXPECT_TRUE(input.Problem().startsWith("the audio system stopped listening")) << input.Problem().toStdString();
    server = std::make_unique<JackServer>(48000, 256, name);
    ASSERT_TRUE(server->Running()) << server->Error();
    ASSERT_TRUE(WaitFor([&] { return input.Listening(); }, 10000)) << input.Problem().toStdString();
    JackPlayer player(input.JackPortName().toStdString());
    ASSERT_TRUE(player.Ready());
    player.Play(played(64));
    EXPECT_TRUE(WaitFor([&] { return player.Idle() && !downs->empty(); }, 10000));
    EXPECT_EQ(*downs, std::vector<int>{64});
    input.Stop(); // before the server stops
}

// The program's own note, sounding at once after its notice as a speaker's does, is not the player's; the
// next note is. The notice counts from when it was given, however far behind the audio the detector runs.
TEST(MicrophoneInput, TakesNotTheProgramsOwnNote)
{
    JackServer server(48000, 256);
    TMicrophoneInput input;
    auto downs = recordDowns(input);
    ASSERT_NO_FATAL_FAILURE(startListening(server, input));
    JackPlayer player(input.JackPortName().toStdString());
    ASSERT_TRUE(player.Ready());

    input.OwnNoteOn(60);
    player.Play(played(60));
    player.Play(played(62));
    ASSERT_TRUE(WaitFor([&] { return player.Idle() && !downs->empty(); }, 15000));
    EXPECT_EQ(*downs, std::vector<int>{62});
}

// Without its module the input says so and hears nothing; the program goes on.
TEST(MicrophoneInput, SaysWhyWhenItsModuleIsMissing)
{
    TempDir empty;
    const QByteArray modules = qgetenv("LIRASTO_MODULE_DIR");
    qputenv("LIRASTO_MODULE_DIR", empty.Path().c_str());
    TMicrophoneInput input;
    input.Start({}, {});
    ASSERT_TRUE(WaitFor([&] { return !input.Problem().isEmpty(); }, 10000));
    EXPECT_TRUE(input.Problem().contains("lirasto-microphone.so")) << input.Problem().toStdString();
    EXPECT_FALSE(input.Listening());
    qputenv("LIRASTO_MODULE_DIR", modules); // for the tests after this one
}
