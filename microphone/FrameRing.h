#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <vector>

// Carries samples from the audio system's callback to the analysis worker: one writer, one reader, no lock
// and no allocation after construction. Samples that find the ring full are dropped and counted, so a
// stalled reader costs the newest sound, never the audio thread's time.
class TFrameRing
{
public:
    // `capacity` is rounded up to a power of two.
    explicit TFrameRing(std::size_t capacity)
    {
        std::size_t size = 1;
        while (size < capacity)
            size <<= 1;
        buffer_.assign(size, 0.0f);
    }

    // The writer's side (the audio callback).
    void write(const float* samples, std::size_t count)
    {
        const std::size_t head = head_.load(std::memory_order_relaxed);
        const std::size_t tail = tail_.load(std::memory_order_acquire);
        const std::size_t room = buffer_.size() - (head - tail);
        const std::size_t n = std::min(count, room);
        for (std::size_t i = 0; i < n; ++i)
            buffer_[(head + i) & (buffer_.size() - 1)] = samples[i];
        head_.store(head + n, std::memory_order_release);
        if (n < count)
            dropped_.fetch_add(count - n, std::memory_order_relaxed);
    }

    // The reader's side: moves up to `max` samples into `out`; returns how many.
    std::size_t read(float* out, std::size_t max)
    {
        const std::size_t tail = tail_.load(std::memory_order_relaxed);
        const std::size_t head = head_.load(std::memory_order_acquire);
        const std::size_t n = std::min(max, head - tail);
        for (std::size_t i = 0; i < n; ++i)
            out[i] = buffer_[(tail + i) & (buffer_.size() - 1)];
        tail_.store(tail + n, std::memory_order_release);
        return n;
    }

    std::size_t dropped() const { return dropped_.load(std::memory_order_relaxed); }

private:
    std::vector<float> buffer_;
    std::atomic<std::size_t> head_{0};
    std::atomic<std::size_t> tail_{0};
    std::atomic<std::size_t> dropped_{0};
};
