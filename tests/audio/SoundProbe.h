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

inline double equalTemperedHz(int note)
{
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}
inline double centsOff(double hz, int note)
{
    return 1200.0 * std::log2(hz / equalTemperedHz(note));
}
inline double peakOf(const std::vector<float>& x)
{
    double peak = 0;
    for (float s : x)
        peak = std::max(peak, double(std::fabs(s)));
    return peak;
}

// Fundamental in Hz: the period from the autocorrelation (a weak fundamental
// must not pass for its octave), refined on the first partial of a zero-padded
// Hann spectrum with interpolation. 0 when no period is found.
inline double estimatePitch(const std::vector<float>& x, double rate)
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

    const size_t length = std::min<size_t>(x.size(), 65536), n = 1 << 18;
    std::vector<std::complex<double>> a(n);
    for (size_t i = 0; i < length; ++i)
        a[i] = x[i] * (0.5 - 0.5 * std::cos(2 * M_PI * double(i) / double(length - 1)));
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        if (i < (j ^= bit))
            std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const auto step = std::polar(1.0, -2 * M_PI / double(len));
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> w = 1;
            for (size_t k = 0; k < len / 2; ++k, w *= step) {
                const auto u = a[i + k], v = a[i + k + len / 2] * w;
                a[i + k] = u + v, a[i + k + len / 2] = u - v;
            }
        }
    }
    const double bin = rate / double(n), coarse = rate / double(period);
    size_t top = size_t(coarse * 0.97 / bin);
    for (size_t k = top; k <= size_t(coarse * 1.03 / bin); ++k)
        top = std::abs(a[k]) > std::abs(a[top]) ? k : top;
    const auto db = [&](size_t k) { return std::log(std::abs(a[k]) + 1e-30); };
    return (double(top) + 0.5 * (db(top - 1) - db(top + 1)) / (db(top - 1) - 2 * db(top) + db(top + 1))) * bin;
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
        port_ = jack_port_register(client_, "in", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
        jack_set_process_callback(client_, process, this);
        jack_activate(client_);
    }
    ~JackCapture() { jack_client_close(client_); }

    // Connects to the first output port whose name starts with the prefix, waiting for it.
    bool connect(const std::string& prefix, std::chrono::milliseconds timeout)
    {
        for (auto end = std::chrono::steady_clock::now() + timeout; std::chrono::steady_clock::now() < end;) {
            const char** ports = jack_get_ports(client_, ("^" + prefix).c_str(), nullptr, JackPortIsOutput);
            const int rc = ports && ports[0] ? jack_connect(client_, ports[0], jack_port_name(port_)) : -1;
            jack_free(ports);
            if (rc == 0 || rc == EEXIST)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }
    size_t frames() const { return written_.load(); }
    size_t at(double seconds) const { return size_t(seconds * rate_); }
    std::vector<float> take(size_t from, size_t to) const
    {
        to = std::min(to, frames());
        return from < to ? std::vector<float>(buffer_.begin() + long(from), buffer_.begin() + long(to))
                         : std::vector<float>{};
    }
    double rate() const { return rate_; }
    jack_client_t* client() const { return client_; }

private:
    static int process(jack_nframes_t count, void* self)
    {
        auto* c = static_cast<JackCapture*>(self);
        const size_t from = c->written_.load(), n = std::min<size_t>(count, c->buffer_.size() - from);
        const auto* in = static_cast<const float*>(jack_port_get_buffer(c->port_, count));
        std::copy(in, in + n, c->buffer_.begin() + long(from));
        c->written_.store(from + n);
        return 0;
    }
    jack_client_t* client_;
    jack_port_t* port_ = nullptr;
    std::vector<float> buffer_;
    std::atomic<size_t> written_{0};
    double rate_ = 48000.0;
};

} // namespace lirasto::test
