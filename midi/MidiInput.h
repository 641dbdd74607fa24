#pragma once

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <bitset>
#include <memory>
#include <vector>

#include "midi/MidiParser.h"

class TMidiWorker;
class TMidiQueue;

namespace lirasto {
class TModuleWorker;
}

// A MIDI output port found on the machine: a keyboard, or any hardware port.
struct TMidiDevice
{
    QString Name;
    QString System; // "ALSA" or "JACK"
    bool Enabled = true;

    bool operator==(const TMidiDevice&) const = default;
};

// Listens on every MIDI system the machine has. It offers its own input port
// ("Lirasto Notes", "MIDI in") and connects itself to every hardware output
// port, including ones that appear later. The systems are opened and watched
// on a worker thread, so nothing here ever waits on them; notes arrive on the
// MIDI systems' threads and reach this object's thread in order.
class TMidiInput : public QObject
{
    Q_OBJECT
public:
    explicit TMidiInput(QObject* parent = nullptr);
    ~TMidiInput() override;

    // Opens the MIDI systems in the background; returns at once. Call it
    // after the window's first frame.
    void Start();
    // Closes every port and ends the worker thread. The destructor calls it.
    void Stop();

    // True once the systems have been looked at for the first time.
    bool Scanned() const { return scanned_; }
    QList<TMidiDevice> Devices() const { return devices_; }
    bool HasDevice() const { return !devices_.isEmpty(); }
    // The MIDI systems opened: "ALSA", "JACK"; empty when the machine has none.
    QStringList Systems() const { return systems_; }
    // The full JACK name of our own input port, empty without JACK.
    QString JackPortName() const { return jackPort_; }
    // "No MIDI input found" when no device is there, empty otherwise.
    QString StatusText() const;

    // A device switched off is let go, and stays off when it comes back.
    // Names not found yet are remembered, so stored choices can be applied early.
    void SetDeviceEnabled(const QString& name, bool enabled);
    // The names switched off, found or not.
    QSet<QString> DisabledDevices() const { return disabled_; }

    // Events dropped because the receiving thread fell far behind.
    std::size_t DroppedEvents() const;

signals:
    // at: when the MIDI system received the note-on.
    void KeyDown(int note, std::chrono::steady_clock::time_point at);
    void KeyUp(int note);
    // The devices found, their ticks or our JACK port changed; also sent once the first search is done.
    void DevicesChanged();

private:
    void drain();
    void deliver(); // the events of batch_, in order
    // A key whose release will never come (its device or its system went) is let go here.
    void releaseHeld();
    void takeReport(const QList<TMidiDevice>& devices, const QStringList& systems, const QString& jackPort);

    std::shared_ptr<TMidiQueue> queue_;
    std::unique_ptr<lirasto::TModuleWorker> worker_;
    TMidiWorker* ports_ = nullptr;
    QList<TMidiDevice> devices_;
    QStringList systems_;
    QString jackPort_;
    QSet<QString> disabled_;
    bool scanned_ = false;
    std::vector<TMidiParser::TNoteEvent> batch_;
    std::bitset<128> held_; // the keys reported down and not yet up
};
