#pragma once

#include "midi/MidiInput.h"
#include "midi/MidiParser.h"
#include "midi/MidiPortWatcher.h"

#include <QObject>
#include <QSet>
#include <QTimer>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>

class RtMidiIn;
class TMidiQueue;
typedef struct _jack_client jack_client_t;

// The MIDI systems as seen from the worker thread: opens our input port on
// each, watches the port lists and keeps the hardware ports connected. Every
// call that may wait on a MIDI system happens here, never on the GUI thread.
// It is the MIDI module's port watcher.
class TMidiPorts : public QObject, public TMidiPortWatcher
{
    Q_OBJECT
public:
    static constexpr int kPollMs = 1000;

    // Called on the worker thread with the devices found, the systems opened and our JACK port's name.
    using TReport = std::function<void(const QList<TMidiDevice>&, const QStringList&, const QString&)>;

    TMidiPorts(std::shared_ptr<TMidiQueue> queue, QSet<QString> disabled, TReport report);
    ~TMidiPorts() override;

    // Runs on the worker thread once it has started.
    void begin() override;
    void setDeviceEnabled(const QString& name, bool enabled) override;

    // One RtMidi input with the parser of its byte stream.
    struct TOpenInput;

private:
    void poll();
    void pollJack(QList<TMidiDevice>& found);
    void pollAlsa(QList<TMidiDevice>& found);
    bool openJack();
    void closeJack();
    bool openAlsa();
    std::unique_ptr<TOpenInput> makeInput(int api);
    void report(QList<TMidiDevice> found);

    std::shared_ptr<TMidiQueue> queue_;
    QSet<QString> disabled_;
    TReport report_;
    QTimer timer_{this}; // a child, so that it moves to the worker thread with us

    jack_client_t* jack_ = nullptr; // for listing and connecting ports
    std::atomic<bool> jackGone_{false};
    std::unique_ptr<TOpenInput> jackIn_;
    std::string jackPort_;
    std::map<std::string, bool> jackSeen_; // physical outputs, and whether we connected them

    std::unique_ptr<TOpenInput> alsaIn_;
    std::map<std::string, std::unique_ptr<TOpenInput>> alsaDevices_;

    QList<TMidiDevice> reported_;
    QStringList reportedSystems_;
    bool reportedOnce_ = false;
};
