#pragma once

#include <jack/jack.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace lirasto::test {

// Fundamental of a tone in Hz: a period from the autocorrelation (so that a
// weak fundamental is not mistaken for its octave), refined on the first
// partial of an interpolated spectrum. 0 when no period is found.
double estimatePitch(const std::vector<float>& samples, double rate);
double peakOf(const std::vector<float>& samples);
double centsBetween(double hz, double referenceHz);
double equalTemperedHz(int note);

// A JACK client that records one output port of another client into memory.
class JackCapture
{
public:
    explicit JackCapture(double seconds = 30.0);
    ~JackCapture();
    bool ok() const { return client_ != nullptr; }
    // Connects to the first output port whose name starts with the prefix,
    // waiting for it to appear.
    bool connect(const std::string& portPrefix, std::chrono::milliseconds timeout);
    size_t frames() const { return written_.load(); }
    std::vector<float> take(size_t from, size_t to) const;
    // The JACK time of a recorded frame, in microseconds.
    jack_time_t timeOf(size_t frame) const;
    double rate() const { return rate_; }
    jack_client_t* client() const { return client_; }

private:
    static int process(jack_nframes_t frames, void* self);
    jack_client_t* client_ = nullptr;
    jack_port_t* port_ = nullptr;
    std::vector<float> buffer_;
    std::atomic<size_t> written_{0};
    std::atomic<jack_nframes_t> firstFrame_{0};
    double rate_ = 48000.0;
};

} // namespace lirasto::test
