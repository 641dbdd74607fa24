#include "app/hookups/MidiHookup.h"

#include "app/settings/IniFile.h"
#include "app/settings/Options.h"
#include "app/window/Application.h"
#include "game/GameCore.h"
#include "midi/MidiInput.h"

#include <QByteArray>
#include <QStringList>
#include <algorithm>
#include <cctype>

namespace {

constexpr const char* kDisabledKey = "MidiInputsOff";

// Only what we write: unreserved characters and %XX escapes. Anything else was
// not written by us, and a name guessed from it would never match a device.
bool wellEncoded(const QByteArray& part)
{
    for (qsizetype i = 0; i < part.size(); ++i) {
        const char c = part[i];
        if (c == '%') {
            if (i + 2 >= part.size() || !isxdigit(uchar(part[i + 1])) || !isxdigit(uchar(part[i + 2])))
                return false;
            i += 2;
        } else if (!isalnum(uchar(c)) && c != '-' && c != '.' && c != '_' && c != '~') {
            return false;
        }
    }
    return !part.isEmpty();
}

} // namespace

namespace lirasto::settings {

QSet<QString> ReadDisabledMidiInputs(const std::string& path)
{
    QSet<QString> names;
    try {
        const std::string text = IniFile(path).ReadString(kOptionsSection, kDisabledKey, "");
        for (const QByteArray& part : QByteArray::fromStdString(text).split(','))
            if (wellEncoded(part.trimmed()))
                names.insert(QString::fromUtf8(QByteArray::fromPercentEncoding(part.trimmed())));
    } catch (...) {
        // An unreadable file switches nothing off.
    }
    return names;
}

bool WriteDisabledMidiInputs(const QSet<QString>& names, const std::string& path)
{
    // Sorted, so that the same choice always writes the same line.
    QStringList sorted(names.begin(), names.end());
    std::sort(sorted.begin(), sorted.end());
    QByteArrayList parts;
    for (const QString& name : sorted)
        parts << name.toUtf8().toPercentEncoding();
    return WriteOrFalse(
        [&] { IniFile(path).WriteString(kOptionsSection, kDisabledKey, parts.join(',').toStdString()); });
}

} // namespace lirasto::settings

TMidiHookup::TMidiHookup(TGameCore& core, TMidiDeviceList list, std::string settingsPath)
    : core_(core), list_(std::move(list)), path_(std::move(settingsPath)), input_(new TMidiInput(this))
{
    connect(input_, &TMidiInput::KeyDown, this, [this](int note, std::chrono::steady_clock::time_point at) {
        RunGuarded([&] { core_.KeyDown(note, TInputSource::Midi, at); });
    });
    connect(input_, &TMidiInput::KeyUp, this,
            [this](int note) { RunGuarded([&] { core_.KeyUp(note, TInputSource::Midi); }); });
    // Queued: a tick's own toggle changes the list, and the page must not
    // replace that tick while it is still telling of the click.
    connect(input_, &TMidiInput::DevicesChanged, this, &TMidiHookup::showDevices, Qt::QueuedConnection);
    if (list_.Toggled)
        *list_.Toggled = [this](const QString& name, bool enabled) { deviceToggled(name, enabled); };
}

TMidiHookup::~TMidiHookup()
{
    if (list_.Toggled)
        *list_.Toggled = nullptr;
}

void TMidiHookup::Start()
{
    for (const QString& name : lirasto::settings::ReadDisabledMidiInputs(path_))
        input_->SetDeviceEnabled(name, false);
    input_->Start();
}

void TMidiHookup::showDevices()
{
    std::vector<std::pair<QString, bool>> list;
    for (const TMidiDevice& device : input_->Devices())
        list.emplace_back(device.Name, device.Enabled);
    if (list_.Show)
        list_.Show(list, input_->JackPortName());
}

void TMidiHookup::deviceToggled(const QString& name, bool enabled)
{
    if (input_->DisabledDevices().contains(name) == !enabled)
        return;
    input_->SetDeviceEnabled(name, enabled);
    lirasto::settings::WriteDisabledMidiInputs(input_->DisabledDevices(), path_);
}
