// The MIDI module: the port watcher with RtMidi and libjack.
#include "midi/MidiPortWatcher.h"
#include "midi/MidiPorts.h"

extern "C" __attribute__((visibility("default"))) TMidiPortWatcher*
lirasto_midi_create(int version, const TMidiPortWatcher::TSetup& setup)
{
    if (version != TMidiPortWatcher::kVersion)
        return nullptr;
    return new TMidiPorts(setup.Queue, setup.Disabled, setup.Report);
}
