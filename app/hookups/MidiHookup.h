#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <string>

class TMidiInput;
class TfMain;

// Joins the MIDI input to the window: keys go to the game, the inputs found go
// to the Options page, and the player's ticks come back to the input and are
// kept in the settings file, so that a keyboard switched off stays off. The
// window owns it and lets it go before the game, so no note outlives the core.
class TMidiHookup : public QObject
{
public:
    TMidiHookup(TfMain& form, std::string settingsPath);
    ~TMidiHookup() override;

    // Applies the stored ticks and opens the MIDI systems in the background.
    void Start();
    TMidiInput& Input() { return *input_; }

private:
    void showDevices();
    void deviceToggled(const QString& name, bool enabled);

    TfMain& form_;
    std::string path_;
    TMidiInput* input_; // a child of this object; it keeps the inputs switched off
};

namespace lirasto::settings {
// The MIDI inputs the player switched off, kept in [Options] as a list of
// percent-encoded names; a badly encoded name is skipped, an unreadable file is an empty list.
QSet<QString> ReadDisabledMidiInputs(const std::string& path);
bool WriteDisabledMidiInputs(const QSet<QString>& names, const std::string& path);
} // namespace lirasto::settings
