#pragma once

#include <jack/jack.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <complex>
#include <string>
#include <thread>
#include <vector>

namespace lirasto::test {

inline double EqualTemperedHz(int note)
{
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}
inline double CentsOff(double hz, int note)
{
    return 1200.0 * std::log2(hz / EqualTemperedHz(note));
}
inline double PeakOf(const std::vector<float>& x)
{
    double peak = 0;
    for (float s : x)
        peak = std::max(peak, double(std::fabs(s)));
    return peak;
}

// Fundamental in Hz: the period from the autocorrelation (a weak fundamental
// must not pass for its octave), refined on the first partial's spectral peak.
// 0 when no period is found.
inline double EstimatePitch(const std::vector<float>& x, double rate)
{
    const size_t window = 4096, minLag = size_t(rate / 2000), maxLag = size_t(rate / 25);
    if (x.size() < window + maxLag + 2)
        return 0;
    std::vector<double> r(maxLag + 2);
    double e0 = 0;
    for (size_t i = 0; i < window; ++i)
        e0 += double(x[i]) * x[i];
    for (size_t lag = minLag; lag <= maxLag + 1; ++lag) {
        double s = 0, e = 0;
        for (size_t i = 0; i < window; ++i)
            s += double(x[i]) * x[i + lag], e += double(x[i + lag]) * x[i + lag];
        r[lag] = s / std::sqrt(e0 * e + 1e-30);
    }
    const double best = *std::max_element(r.begin() + long(minLag), r.end());
    size_t period = minLag + 1;
    while (period <= maxLag && !(r[period] >= 0.9 * best && r[period] >= r[period - 1] && r[period] >= r[period + 1]))
        ++period;
    if (period > maxLag)
        return 0;

    // The first partial's peak in the Hann-windowed spectrum, scanned in steps of 1.7 cents, then narrowed.
    std::vector<double> y(std::min<size_t>(x.size(), 65536));
    for (size_t i = 0; i < y.size(); ++i)
        y[i] = x[i] * (0.5 - 0.5 * std::cos(2 * M_PI * double(i) / double(y.size() - 1)));
    const auto power = [&](double hz) {
        std::complex<double> sum = 0, w = 1;
        const auto step = std::polar(1.0, -2 * M_PI * hz / rate);
        for (size_t i = 0; i < y.size(); ++i, w *= step)
            sum += w * y[i];
        return std::norm(sum);
    };
    const double coarse = rate / double(period);
    double hz = coarse, strongest = 0;
    for (double f = coarse * 0.97; f <= coarse * 1.03; f *= 1.001)
        if (const double p = power(f); p > strongest)
            strongest = p, hz = f;
    for (double lo = hz / 1.001, hi = hz * 1.001; hi - lo > 1e-4; hz = (lo + hi) / 2) {
        const double a = lo + (hi - lo) / 3, b = hi - (hi - lo) / 3;
        if (power(a) < power(b))
            lo = a;
        else
            hi = b;
    }
    return hz;
}

// The pitch most parts of a recording agree on. On a loaded machine a JACK cycle can come too late, and
// the block it repeats or leaves out shifts the estimate of a whole second by a fifth of a semitone; the
// median of five parts is that of the parts no late cycle reached.
inline double SteadyPitch(const std::vector<float>& x, double rate)
{
    constexpr size_t kParts = 5;
    const size_t n = x.size() / kParts;
    std::vector<double> found;
    for (size_t part = 0; part < kParts; ++part)
        if (const double hz = EstimatePitch({x.begin() + long(part * n), x.begin() + long((part + 1) * n)}, rate);
            hz > 0)
            found.push_back(hz);
    if (found.size() < kParts / 2 + 1)
        return 0; // too few parts with a pitch to outvote the others
    std::sort(found.begin(), found.end());
    return found[found.size() / 2];
}

// A JACK client that records an output port of another client into memory.
class JackCapture
{
public:
    JackCapture() : client_(jack_client_open("lirasto-capture", JackNoStartServer, nullptr))
    {
        if (!client_)
            return;
        rate_ = jack_get_sample_rate(client_);
        buffer_.resize(size_t(30 * rate_));
        heardAt_.resize(buffer_.size());
        port_ = jack_port_register(client_, "in", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
        jack_set_process_callback(client_, process, this);
        jack_set_xrun_callback(
            client_, [](void* self) { return ++static_cast<JackCapture*>(self)->xruns_, 0; }, this);
        jack_activate(client_);
    }
    ~JackCapture() { jack_client_close(client_); }

    // Connects to the first audio output port whose name matches the pattern from its start, waiting for it.
    bool Connect(const std::string& prefix, std::chrono::milliseconds timeout)
    {
        for (auto end = std::chrono::steady_clock::now() + timeout; std::chrono::steady_clock::now() < end;) {
            const char** ports =
                jack_get_ports(client_, ("^" + prefix).c_str(), JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput);
            const int rc = ports && ports[0] ? jack_connect(client_, ports[0], jack_port_name(port_)) : -1;
            jack_free(ports);
            if (rc == 0 || rc == EEXIST)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }
    size_t Frames() const { return written_.load(); }
    size_t At(double seconds) const { return size_t(seconds * rate_); }
    std::vector<float> Take(size_t from, size_t to) const
    {
        to = std::min(to, Frames());
        return from < to ? std::vector<float>(buffer_.begin() + long(from), buffer_.begin() + long(to))
                         : std::vector<float>{};
    }
    double Rate() const { return rate_; }
    // When the cycle that brought the frame reached this client.
    std::chrono::steady_clock::time_point HeardAt(size_t frame) const { return heardAt_.at(frame); }
    jack_client_t* Client() const { return client_; }
    // Cycles some client of the server missed so far: a pitch measured across one is not what was rendered.
    int Xruns() const { return xruns_.load(); }

private:
    static int process(jack_nframes_t count, void* self)
    {
        auto* c = static_cast<JackCapture*>(self);
        const size_t from = c->written_.load(), n = std::min<size_t>(count, c->buffer_.size() - from);
        const auto* in = static_cast<const float*>(jack_port_get_buffer(c->port_, count));
        std::copy(in, in + n, c->buffer_.begin() + long(from));
        std::fill_n(c->heardAt_.begin() + long(from), n, std::chrono::steady_clock::now());
        c->written_.store(from + n);
        return 0;
    }
    jack_client_t* client_;
    jack_port_t* port_ = nullptr;
    std::vector<float> buffer_;
    std::vector<std::chrono::steady_clock::time_point> heardAt_;
    std::atomic<size_t> written_{0};
    std::atomic<int> xruns_{0};
    double rate_ = 48000.0;
};

} // namespace lirasto::test
