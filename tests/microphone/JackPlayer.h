#pragma once

#include <jack/jack.h>

#include <atomic>
#include <chrono>
#include <list>
#include <string>
#include <vector>

namespace lirasto::test {

// Plays sound into a JACK port from outside, as a microphone would bring it: one output port, connected to
// `target`, playing one buffer after another. Each buffer's first cycle is timed, so that a latency can be
// measured from the moment the sound entered the graph.
class JackPlayer
{
public:
    explicit JackPlayer(const std::string& target, const char* clientName = "microphone player");
    ~JackPlayer();
    JackPlayer(const JackPlayer&) = delete;
    JackPlayer& operator=(const JackPlayer&) = delete;

    bool Ready() const { return client_ && connected_; }
    int SampleRate() const { return client_ ? int(jack_get_sample_rate(client_)) : 0; }
    // Plays `samples` once the buffer before it is done. Returns at once.
    void Play(std::vector<float> samples);
    // Whether everything given has been played.
    bool Idle() const;
    // When each buffer's first sample went into the graph, in the order played.
    std::vector<std::chrono::steady_clock::time_point> Starts() const;

private:
    static int process(jack_nframes_t frames, void* self);

    jack_client_t* client_ = nullptr;
    jack_port_t* port_ = nullptr;
    bool connected_ = false;
    std::list<std::vector<float>> buffers_; // kept until the player goes
    static constexpr std::size_t kSlots = 4096;
    std::vector<const std::vector<float>*> queue_ = std::vector<const std::vector<float>*>(kSlots);
    std::vector<std::chrono::steady_clock::time_point> starts_ = decltype(starts_)(kSlots);
    std::atomic<std::size_t> queued_{0}, played_{0};
    std::size_t position_ = 0;
};

} // namespace lirasto::test
