#pragma once

#include "midi/MidiInput.h"
#include "midi/MidiParser.h"
#include "midi/MidiPortWatcher.h"

#include <QObject>
#include <QSet>
#include <QTimer>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class QSocketNotifier;
class RtMidiIn;
class TMidiQueue;
typedef struct _jack_client jack_client_t;
typedef struct _snd_seq snd_seq_t;

// The MIDI systems as seen from the worker thread: opens our input port on
// each, watches the port lists and keeps the hardware ports connected. Every
// call that may wait on a MIDI system happens here, never on the GUI thread.
// Nothing runs while nothing changes: the systems announce new and vanished
// ports, and a JACK server that starts later shows itself by its socket.
// It is the MIDI module's port watcher.
class TMidiPorts : public QObject, public TMidiPortWatcher
{
    Q_OBJECT
public:
    // Called on the worker thread with the devices found, the systems opened and our JACK port's name.
    using TReport = std::function<void(const QList<TMidiDevice>&, const QStringList&, const QString&)>;

    TMidiPorts(std::shared_ptr<TMidiQueue> queue, QSet<QString> disabled, TReport report);
    ~TMidiPorts() override;

    // Runs on the worker thread once it has started.
    void begin() override;
    void SetDeviceEnabled(const QString& name, bool enabled) override;

    // One RtMidi input with the parser of its byte stream.
    struct TOpenInput;

private:
    void rescan();
    void rescanSoon();
    void scanJack(QList<TMidiDevice>& found);
    void scanAlsa(QList<TMidiDevice>& found);
    bool openJack();
    void closeJack();
    bool openAlsa();
    void closeAlsa();
    bool watchAlsaAnnouncements();
    void takeAlsaAnnouncements();
    void takeJackNews();
    void watchForJackServer(bool startingServerMayBeThere);
    void stopWatchingForJackServer();
    void takeFolderNews();
    void lookForJackServer();
    std::unique_ptr<TOpenInput> makeInput(int api);
    void report(QList<TMidiDevice> found);

    // On JACK's own thread: they only raise a flag and wake the worker.
    static void jackPortRegistered(std::uint32_t port, int registered, void* self);
    static void jackPortRenamed(std::uint32_t port, const char* oldName, const char* newName, void* self);
    static void jackShutDown(void* self);
    void wakeFromJack();

    std::shared_ptr<TMidiQueue> queue_;
    QSet<QString> disabled_;
    TReport report_;
    // Children, so that they move to the worker thread with us.
    QTimer rescanTimer_{this}; // gathers a burst of announcements into one look
    QTimer jackLookTimer_{this};
    QTimer jackCloseTimer_{this}; // runs from a server's shutdown until its clients are closed

    jack_client_t* jack_ = nullptr; // for listing and connecting ports
    std::atomic<bool> jackGone_{false};
    int jackWake_ = -1; // an eventfd JACK's thread writes to
    QSocketNotifier* jackWakeNotifier_ = nullptr;
    std::unique_ptr<TOpenInput> jackIn_;
    std::string jackPort_;
    std::map<std::string, bool> jackSeen_;        // physical outputs, and whether we connected them
    std::map<std::string, int> jackConnectTries_; // new outputs not connected yet, and the tries so far

    // inotify on the folders where a JACK server's socket and the sequencer device appear.
    int folders_ = -1;
    QSocketNotifier* foldersNotifier_ = nullptr;
    int shmWatch_ = -1;
    int sndWatch_ = -1;
    int jackLookTries_ = 0;

    std::unique_ptr<TOpenInput> alsaIn_;
    std::map<std::string, std::unique_ptr<TOpenInput>> alsaDevices_;
    std::set<std::string> alsaFailed_; // not tried again until unplugged and back
    snd_seq_t* announcements_ = nullptr;
    std::vector<QSocketNotifier*> announcementNotifiers_;

    QList<TMidiDevice> reported_;
    QStringList reportedSystems_;
    bool reportedOnce_ = false;
};
