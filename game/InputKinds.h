#pragma once

#include "core/Errors.h"
#include "game/GameEvents.h"

#include <array>
#include <optional>
#include <string>

// How each input answers, in one table: the core, the listeners and the history read
// their differences here instead of branching on the input themselves. A new input is
// a new value of TInputSource and a new row below. Header only, so that the history
// module, which links no game code, reads the same rows.
struct TInputKind
{
    TInputSource Source;
    // The drawn piano answers when the button comes up; the others as soon as enough keys are down.
    bool AnswersOnRelease;
    // A repeated press of a key already down is no new press (a second note-on, auto-repeat).
    bool IgnoresRepeatedPress;
    // A release ends every key this input holds, wherever it happens.
    bool ReleaseEndsEveryKey;
    // Keys are taken only during a run, and one press more than the answer needs.
    bool PressesOnlyDuringRun;
    // The instrument sounds itself: the piano sounds its keys only when the player asks for it.
    bool SoundsItself;
    // Its notes are sound in the room: the piano never sounds them, even when asked to sound the player's
    // keys, since a microphone would hear the program answer for the player.
    bool HeardInTheRoom;
    // The octave-exact option applies: the very note written must be played.
    bool HonoursOctaveExact;
    // Its notes come in batches and are painted once after the batch, not after each.
    bool ArrivesInBatches;
    // Its events carry the device's own time stamps, which judging in time prefers.
    bool StampsItsEvents;
    // Keys are given one after another (the mouse has one pointer): pressing a key already given
    // takes it back. The others give an answer of several keys as keys held down together.
    bool PressAgainTakesBack;
    // The number the answer history stores for it, and the name it shows.
    int HistoryCode;
    const char* HistoryName;
};

// clang-format off
inline constexpr std::array kInputKinds{
    //         source                          release repeat releaseAll runOnly itself room   octave batches stamps again code name
    TInputKind{TInputSource::Mouse,            true,   false, true,      true,   false, false, false, false,  false, true,  0,   "mouse"},
    TInputKind{TInputSource::ComputerKeyboard, false,  true,  false,     false,  false, false, false, false,  false, false, 1,   "keyboard"},
    TInputKind{TInputSource::Midi,             false,  true,  false,     false,  true,  false, true,  true,   true,  false, 2,   "MIDI"},
    // An acoustic instrument: answers as its note starts, stamped with the capture's clock.
    TInputKind{TInputSource::Microphone,       false,  true,  false,     false,  true,  true,  true,  false,  true,  false, 3,   "microphone"},
};
// clang-format on

inline const TInputKind& InputKind(TInputSource source)
{
    for (const TInputKind& kind : kInputKinds)
        if (kind.Source == source)
            return kind;
    throw lirasto::ERangeError("Range check error: input source " + std::to_string(static_cast<int>(source)) +
                               " has no row in the table of inputs");
}

// The input a stored history code stands for; nullopt for a code no row has.
inline std::optional<TInputSource> InputSourceFromHistoryCode(int code)
{
    for (const TInputKind& kind : kInputKinds)
        if (kind.HistoryCode == code)
            return kind.Source;
    return std::nullopt;
}
