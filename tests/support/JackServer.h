#pragma once

#include <string>
#include <sys/types.h>

namespace lirasto::test {

// A JACK server of our own on the dummy driver (no sound card needed), under
// a private name so that tests never meet each other's ports. It sets
// JACK_DEFAULT_SERVER in this process while it runs, so clients opened here,
// and child processes started here, find it. The destructor stops it.
class JackServer
{
public:
    // Starts `jackd -n <name> -r -d dummy -r <rate> -p <period>` and waits,
    // up to ten seconds, until a client can connect. Without a name it makes up a private one.
    explicit JackServer(int sampleRate = 48000, int period = 256, std::string name = {});
    // A server name no other test uses while this process runs, for a test that names its server
    // in advance; one of eight, so that a server that died keeps no place in JACK's registry for good.
    static std::string FreshName();
    ~JackServer();
    JackServer(const JackServer&) = delete;
    JackServer& operator=(const JackServer&) = delete;

    bool Running() const { return pid_ > 0 && ready_; }
    const std::string& Name() const { return name_; }
    // What went wrong when the server did not come up.
    const std::string& Error() const { return error_; }

private:
    // One try at starting the server; true once it answers.
    bool launch(int sampleRate, int period);
    void stop();

    std::string name_;
    std::string error_;
    pid_t pid_ = -1;
    bool ready_ = false;
    bool exitedAtStart_ = false;
    bool ownsName_ = false;
};

} // namespace lirasto::test
