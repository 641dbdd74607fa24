#pragma once

#include "midi/MidiParser.h"

#include <QMetaObject>
#include <QObject>

#include <algorithm>
#include <bitset>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

// Carries key events from the MIDI systems' threads to the thread of one
// receiver, in order. A burst costs one queued call, not one per message: the
// first event after a drain posts it, later ones only join the queue.
class TMidiQueue
{
public:
    using TNoteEvent = TMidiParser::TNoteEvent;

    // Beyond this many undrained events new key presses are dropped, so that a
    // stalled receiver and a chattering device cannot exhaust memory. A release
    // is never dropped, or its key would stay down: one per note may still join
    // beyond the limit.
    static constexpr std::size_t kMaxPending = 1 << 16;

    // drain is invoked on the receiver's thread. Events left from before are dropped.
    template <typename F>
    void SetReceiver(QObject* receiver, F drain)
    {
        std::lock_guard lock(mutex_);
        receiver_ = receiver;
        drain_ = std::move(drain);
        pending_.clear();
        posted_ = false;
    }
    void ClearReceiver()
    {
        std::lock_guard lock(mutex_);
        receiver_ = nullptr;
        drain_ = nullptr;
    }

    // Called from any thread.
    void Push(const TNoteEvent& ev)
    {
        std::lock_guard lock(mutex_);
        if (pending_.size() >= kMaxPending) {
            const std::size_t note = std::size_t(ev.Note) % releasesBeyond_.size();
            if (ev.Down || releasesBeyond_.test(note)) {
                ++dropped_;
                return;
            }
            releasesBeyond_.set(note);
        }
        pending_.push_back(ev);
        if (!posted_ && receiver_) {
            posted_ = true;
            QMetaObject::invokeMethod(receiver_, drain_, Qt::QueuedConnection);
        }
    }

    // Runs f on the receiver's thread, if a receiver is still there.
    template <typename F>
    void Post(F f)
    {
        std::lock_guard lock(mutex_);
        if (receiver_)
            QMetaObject::invokeMethod(receiver_, std::move(f), Qt::QueuedConnection);
    }

    // Moves up to max events into out. Returns true when more are waiting, in
    // which case the caller is still the one to drain them.
    bool Take(std::vector<TNoteEvent>& out, std::size_t max)
    {
        std::lock_guard lock(mutex_);
        const std::size_t n = std::min(max, pending_.size());
        out.insert(out.end(), pending_.begin(), pending_.begin() + std::ptrdiff_t(n));
        pending_.erase(pending_.begin(), pending_.begin() + std::ptrdiff_t(n));
        if (pending_.size() < kMaxPending)
            releasesBeyond_.reset();
        posted_ = !pending_.empty();
        return posted_;
    }

    std::size_t Dropped() const
    {
        std::lock_guard lock(mutex_);
        return dropped_;
    }

private:
    mutable std::mutex mutex_;
    std::deque<TNoteEvent> pending_;
    QObject* receiver_ = nullptr;
    std::function<void()> drain_;
    bool posted_ = false;
    std::size_t dropped_ = 0;
    std::bitset<128> releasesBeyond_; // the notes whose release waits beyond the limit
};
