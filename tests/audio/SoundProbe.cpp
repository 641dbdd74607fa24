#include "tests/audio/SoundProbe.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <thread>

namespace lirasto::test {

namespace {

void fft(std::vector<std::complex<double>>& a)
{
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> step = std::polar(1.0, -2 * M_PI / double(len));
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> w = 1;
            for (size_t k = 0; k < len / 2; ++k, w *= step) {
                const auto u = a[i + k], v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
}

} // namespace

double estimatePitch(const std::vector<float>& x, double rate)
{
    const size_t window = 4096, minLag = size_t(rate / 2000), maxLag = size_t(rate / 25);
    if (x.size() < window + maxLag + 2)
        return 0;
    std::vector<double> r(maxLag + 2, 0.0);
    double e0 = 0;
    for (size_t i = 0; i < window; ++i)
        e0 += double(x[i]) * x[i];
    for (size_t lag = minLag; lag <= maxLag + 1; ++lag) {
        double s = 0, e = 0;
        for (size_t i = 0; i < window; ++i) {
            s += double(x[i]) * x[i + lag];
            e += double(x[i + lag]) * x[i + lag];
        }
        r[lag] = s / std::sqrt(e0 * e + 1e-30);
    }
    const double best = *std::max_element(r.begin() + minLag, r.end());
    size_t period = 0;
    for (size_t lag = minLag + 1; lag <= maxLag && !period; ++lag)
        if (r[lag] >= 0.9 * best && r[lag] >= r[lag - 1] && r[lag] >= r[lag + 1])
            period = lag;
    if (!period)
        return 0;
    const double coarse = rate / period;

    const size_t length = std::min<size_t>(x.size(), 65536), padded = 1 << 18;
    std::vector<std::complex<double>> spectrum(padded);
    for (size_t i = 0; i < length; ++i)
        spectrum[i] = x[i] * (0.5 - 0.5 * std::cos(2 * M_PI * double(i) / double(length - 1)));
    fft(spectrum);
    const double binHz = rate / padded;
    const size_t lo = size_t(coarse * 0.97 / binHz), hi = size_t(coarse * 1.03 / binHz);
    size_t top = lo;
    for (size_t k = lo; k <= hi; ++k)
        if (std::abs(spectrum[k]) > std::abs(spectrum[top]))
            top = k;
    const double a = std::log(std::abs(spectrum[top - 1]) + 1e-30), b = std::log(std::abs(spectrum[top]) + 1e-30),
                 c = std::log(std::abs(spectrum[top + 1]) + 1e-30);
    return (double(top) + 0.5 * (a - c) / (a - 2 * b + c)) * binHz;
}

double peakOf(const std::vector<float>& samples)
{
    double peak = 0;
    for (float s : samples)
        peak = std::max(peak, double(std::fabs(s)));
    return peak;
}

double centsBetween(double hz, double referenceHz)
{
    return 1200.0 * std::log2(hz / referenceHz);
}

double equalTemperedHz(int note)
{
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

JackCapture::JackCapture(double seconds)
{
    client_ = jack_client_open("lirasto-capture", JackNoStartServer, nullptr);
    if (!client_)
        return;
    rate_ = jack_get_sample_rate(client_);
    buffer_.resize(size_t(seconds * rate_));
    port_ = jack_port_register(client_, "in", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    jack_set_process_callback(client_, process, this);
    if (!port_ || jack_activate(client_) != 0) {
        jack_client_close(client_);
        client_ = nullptr;
    }
}

JackCapture::~JackCapture()
{
    if (client_)
        jack_client_close(client_);
}

int JackCapture::process(jack_nframes_t frames, void* self)
{
    auto* c = static_cast<JackCapture*>(self);
    const size_t at = c->written_.load();
    if (at == 0)
        c->firstFrame_.store(jack_last_frame_time(c->client_));
    const size_t n = std::min<size_t>(frames, c->buffer_.size() - at);
    const auto* in = static_cast<const float*>(jack_port_get_buffer(c->port_, frames));
    std::copy(in, in + n, c->buffer_.begin() + long(at));
    c->written_.store(at + n);
    return 0;
}

bool JackCapture::connect(const std::string& portPrefix, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (client_ && std::chrono::steady_clock::now() < deadline) {
        const char** ports = jack_get_ports(client_, ("^" + portPrefix).c_str(), nullptr, JackPortIsOutput);
        const bool found = ports && ports[0];
        const int rc = found ? jack_connect(client_, ports[0], jack_port_name(port_)) : -1;
        jack_free(ports);
        if (found && (rc == 0 || rc == EEXIST))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

std::vector<float> JackCapture::take(size_t from, size_t to) const
{
    to = std::min(to, frames());
    return from < to ? std::vector<float>(buffer_.begin() + long(from), buffer_.begin() + long(to))
                     : std::vector<float>{};
}

jack_time_t JackCapture::timeOf(size_t frame) const
{
    return jack_frames_to_time(client_, firstFrame_.load() + jack_nframes_t(frame));
}

} // namespace lirasto::test
