#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class TGameCore;
class TMidiInput;

// Where the MIDI inputs found are shown and the player's ticks come from: the Options page, through the window.
struct TMidiDeviceList
{
    // Shows the inputs found, each with whether it is in use, and our JACK port's name.
    std::function<void(const std::vector<std::pair<QString, bool>>& devices, const QString& jackPort)> Show;
    // The slot the ticks are told through; the hookup fills it while it lives.
    std::function<void(const QString& name, bool enabled)>* Toggled = nullptr;
};

// Joins the MIDI input to the window: keys go to the game, the inputs found go
// to the Options page, and the player's ticks come back to the input and are
// kept in the settings file, so that a keyboard switched off stays off. The
// window owns it and lets it go before the game, so no note outlives the core.
class TMidiHookup : public QObject
{
public:
    TMidiHookup(TGameCore& core, TMidiDeviceList list, std::string settingsPath);
    ~TMidiHookup() override;

    // Applies the stored ticks and opens the MIDI systems in the background.
    void Start();
    TMidiInput& Input() { return *input_; }

private:
    void showDevices();
    void deviceToggled(const QString& name, bool enabled);

    TGameCore& core_;
    TMidiDeviceList list_;
    std::string path_;
    TMidiInput* input_; // a child of this object; it keeps the inputs switched off
};

namespace lirasto::settings {
// The MIDI inputs the player switched off, kept in [Options] as a list of
// percent-encoded names; a badly encoded name is skipped, an unreadable file is an empty list.
QSet<QString> ReadDisabledMidiInputs(const std::string& path);
bool WriteDisabledMidiInputs(const QSet<QString>& names, const std::string& path);
} // namespace lirasto::settings
