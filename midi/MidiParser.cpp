#include "midi/MidiParser.h"

namespace {

constexpr uint8_t kNoteOff = 0x80;
constexpr uint8_t kNoteOn = 0x90;
constexpr uint8_t kSysexStart = 0xF0;
constexpr uint8_t kSysexEnd = 0xF7;
constexpr uint8_t kFirstRealTime = 0xF8;

// Data bytes that follow a status byte.
uint8_t dataLength(uint8_t status)
{
    switch (status & 0xF0) {
    case 0xC0: // program change
    case 0xD0: // channel pressure
        return 1;
    case 0xF0:
        switch (status) {
        case 0xF1: // time code quarter frame
        case 0xF3: // song select
            return 1;
        case 0xF2: // song position
            return 2;
        default:
            return 0;
        }
    default:
        return 2;
    }
}

} // namespace

void TMidiParser::EndMessage()
{
    count_ = 0;
    inSysex_ = false;
    // System common messages never run on; a channel status may.
    if (status_ >= 0xF0)
        status_ = 0;
}

bool TMidiParser::take(uint8_t b, TNoteEvent& ev)
{
    // Real-time bytes may sit anywhere, even inside another message, and
    // leave it untouched.
    if (b >= kFirstRealTime)
        return false;

    if (b & 0x80) {
        // Any status byte ends a system exclusive and cuts short a message
        // still waiting for data; system messages also cancel running status.
        inSysex_ = (b == kSysexStart);
        count_ = 0;
        if (b >= kSysexStart) {
            const uint8_t length = dataLength(b);
            status_ = (b == kSysexEnd || length == 0) ? 0 : b;
            expected_ = length;
        } else {
            status_ = b;
            expected_ = dataLength(b);
        }
        return false;
    }

    if (inSysex_ || status_ == 0)
        return false;
    data_[count_++] = b;
    if (count_ < expected_)
        return false;
    count_ = 0;
    const uint8_t kind = status_ & 0xF0;
    if (status_ >= 0xF0) {
        status_ = 0;
        return false;
    }
    if (kind == kNoteOn || kind == kNoteOff) {
        ev.Note = data_[0];
        ev.Down = kind == kNoteOn && data_[1] > 0;
        return true;
    }
    return false;
}
