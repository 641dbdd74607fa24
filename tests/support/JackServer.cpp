#include "tests/support/JackServer.h"

#include <jack/jack.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace lirasto::test {

namespace {

void quiet(const char*) {}

bool serverAnswers(const std::string& name)
{
    // Refused connections while the server starts are expected; libjack
    // would print each of them.
    jack_set_error_function(quiet);
    jack_set_info_function(quiet);
    jack_status_t status{};
    jack_client_t* client = jack_client_open(
        "lirasto-probe", static_cast<jack_options_t>(JackNoStartServer | JackServerName), &status, name.c_str());
    if (!client)
        return false;
    jack_client_close(client);
    return true;
}

std::mutex& heldNamesMutex()
{
    static std::mutex mutex;
    return mutex;
}

// The lock file of each name this process holds.
std::map<std::string, int>& heldNames()
{
    static std::map<std::string, int> names;
    return names;
}

void releaseName(const std::string& name)
{
    std::lock_guard guard(heldNamesMutex());
    if (const auto held = heldNames().find(name); held != heldNames().end()) {
        ::close(held->second);
        heldNames().erase(held);
    }
}

} // namespace

// JACK's registry keeps eight servers, and a server that died without stopping (killed by a
// test's timeout, say) keeps its place until a server of the same name starts. So tests take
// their names from eight fixed ones, each held by a lock file while in use: a dead server's
// place goes back into use with its name, and two tests running at once never share a name.
std::string JackServer::FreshName()
{
    constexpr int kNames = 8;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    for (;;) {
        for (int i = 0; i < kNames; ++i) {
            const int n = (::getpid() + i) % kNames;
            const std::string lock = "/tmp/lirasto-jack-test-" + std::to_string(n) + ".lock";
            const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
            if (fd < 0)
                continue;
            // Held until the server made under it stops, or this process ends however it ends.
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
                std::string name = "lirasto-test-" + std::to_string(n);
                std::lock_guard guard(heldNamesMutex());
                heldNames()[name] = fd;
                return name;
            }
            ::close(fd);
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return "lirasto-test-" + std::to_string(::getpid());
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
}

JackServer::JackServer(int sampleRate, int period, std::string name)
    : name_(name.empty() ? FreshName() : name), ownsName_(name.empty())
{
    // JACK keeps eight servers at most in its registry, and a server that was killed keeps its place
    // there: on a machine where other tests run servers too, a place may have to be waited for.
    constexpr int kAttempts = 40;
    for (int attempt = 0; attempt < kAttempts && !launch(sampleRate, period) && pid_ < 0 && exitedAtStart_; ++attempt)
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
}

bool JackServer::launch(int sampleRate, int period)
{
    exitedAtStart_ = false;
    const std::string rate = std::to_string(sampleRate);
    const std::string frames = std::to_string(period);
    // In step with its clients: the dummy driver waits for a client that is late on a loaded machine rather
    // than running on without it. Late, a client would leave a cycle out, and with it the audio and MIDI of
    // that cycle, which no test of the program's timing or pitch could tell from a fault of the program.
    std::vector<std::string> args{"jackd", "--no-realtime", "--sync", "-n", name_, "-d", "dummy", "-r", rate,
                                  "-p",    frames};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The server's chatter would bury the test's own output.
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int rc = posix_spawnp(&pid_, "jackd", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        pid_ = -1;
        error_ = "jackd could not be started (is jackd2 installed?)";
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            error_ = "jackd exited at start (are JACK's eight server places taken?)";
            exitedAtStart_ = true;
            return false;
        }
        if (serverAnswers(name_)) {
            ready_ = true;
            ::setenv("JACK_DEFAULT_SERVER", name_.c_str(), 1);
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    error_ = "jackd did not answer within 10 s";
    return false;
}

JackServer::~JackServer()
{
    if (ready_)
        ::unsetenv("JACK_DEFAULT_SERVER");
    stop();
    // A name given by the test may be used again by it; one made up here is free once the server is gone.
    if (ownsName_)
        releaseName(name_);
}

void JackServer::stop()
{
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (::waitpid(pid_, nullptr, WNOHANG) == pid_)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
}

} // namespace lirasto::test
