#include "tests/microphone/JackPlayer.h"

#include <algorithm>
#include <cstring>

namespace lirasto::test {

JackPlayer::JackPlayer(const std::string& target, const char* clientName)
{
    jack_status_t status{};
    client_ = jack_client_open(clientName, JackNoStartServer, &status);
    if (!client_)
        return;
    port_ = jack_port_register(client_, "out", JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
    jack_set_process_callback(client_, &JackPlayer::process, this);
    if (port_ && jack_activate(client_) == 0)
        connected_ = jack_connect(client_, jack_port_name(port_), target.c_str()) == 0;
}

JackPlayer::~JackPlayer()
{
    if (client_)
        jack_client_close(client_);
}

void JackPlayer::Play(std::vector<float> samples)
{
    const std::size_t n = queued_.load();
    if (n >= kSlots)
        return;
    buffers_.push_back(std::move(samples));
    queue_[n] = &buffers_.back();
    queued_.store(n + 1, std::memory_order_release);
}

bool JackPlayer::Idle() const
{
    return played_.load() == queued_.load();
}

std::vector<std::chrono::steady_clock::time_point> JackPlayer::Starts() const
{
    return {starts_.begin(), starts_.begin() + std::ptrdiff_t(played_.load())};
}

int JackPlayer::process(jack_nframes_t frames, void* self)
{
    auto* p = static_cast<JackPlayer*>(self);
    auto* out = static_cast<float*>(jack_port_get_buffer(p->port_, frames));
    std::fill(out, out + frames, 0.0f);
    std::size_t at = 0;
    while (at < frames) {
        const std::size_t index = p->played_.load(std::memory_order_relaxed);
        if (index >= p->queued_.load(std::memory_order_acquire))
            break;
        const std::vector<float>& buffer = *p->queue_[index];
        if (p->position_ == 0) {
            // The sample's own place within the cycle, at the cycle's rate.
            const double ahead = double(at) / jack_get_sample_rate(p->client_);
            p->starts_[index] =
                std::chrono::steady_clock::now() +
                std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(ahead));
        }
        const std::size_t n = std::min(frames - at, buffer.size() - p->position_);
        std::memcpy(out + at, buffer.data() + p->position_, n * sizeof(float));
        at += n;
        p->position_ += n;
        if (p->position_ == buffer.size()) {
            p->position_ = 0;
            p->played_.store(index + 1, std::memory_order_release);
        }
    }
    return 0;
}

} // namespace lirasto::test
