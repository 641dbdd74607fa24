#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>

// Turns a MIDI byte stream into key presses and releases. Everything that is
// not a note (controllers, pitch bend, clock, system exclusive...) passes
// through without effect, and so does anything malformed. The parser holds a
// few bytes of state and never allocates, whatever the input claims.
class TMidiParser
{
public:
    struct TNoteEvent
    {
        int Note = 0;
        bool Down = false;
        // When the MIDI system handed the message over; the parser leaves it to its caller.
        std::chrono::steady_clock::time_point At{};
    };

    // Feeds bytes, calling onNote(TNoteEvent) for each key going down or up.
    template <typename F>
    void Feed(std::span<const uint8_t> bytes, F&& onNote)
    {
        for (uint8_t b : bytes) {
            TNoteEvent ev;
            if (take(b, ev))
                onNote(ev);
        }
    }

    // Marks the end of a message delivered whole: data bytes still waiting
    // for the rest of their message are dropped, running status is kept.
    void EndMessage();
    void Reset() { *this = TMidiParser(); }

private:
    // Returns true when the byte completes a note message.
    bool take(uint8_t b, TNoteEvent& ev);

    uint8_t status_ = 0;       // the status the next data bytes belong to; 0 when none
    uint8_t data_[2] = {0, 0}; // data bytes gathered for the current message
    uint8_t count_ = 0;
    uint8_t expected_ = 0;
    bool inSysex_ = false;
};
