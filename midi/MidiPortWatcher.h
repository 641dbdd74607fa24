#pragma once

#include "midi/MidiInput.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class TMidiQueue;

// What watches the MIDI systems' ports for the input, as the MIDI module
// (lirasto-midi.so) makes it: RtMidi and libjack live in the module, so that
// the program maps none of their libraries before its window is up. Made,
// used and deleted on the input's worker thread, whose event loop it may use.
class TMidiPortWatcher
{
public:
    // Raised whenever the calls below or TSetup change.
    static constexpr int kVersion = 2;

    // Called on the worker thread with the devices found, the systems opened and our JACK port's name.
    using TReport = std::function<void(const QList<TMidiDevice>&, const QStringList&, const QString&)>;

    struct TSetup
    {
        // Where the notes go, from the MIDI systems' threads.
        std::shared_ptr<TMidiQueue> Queue;
        QSet<QString> Disabled;
        TReport Report;
    };

    virtual ~TMidiPortWatcher() = default;

    // Opens the systems and starts watching.
    virtual void begin() = 0;
    virtual void SetDeviceEnabled(const QString& name, bool enabled) = 0;
};

// The module's one export: makes a watcher when `version` is its kVersion, nothing otherwise.
extern "C" TMidiPortWatcher* lirasto_midi_create(int version, const TMidiPortWatcher::TSetup& setup);

namespace lirasto {
inline constexpr char kMidiModule[] = "lirasto-midi.so";
inline constexpr char kMidiFactory[] = "lirasto_midi_create";
} // namespace lirasto
