#pragma once

#include "app/settings/Options.h"

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class QWidget;
class TSkinCheckBox;
class TGameCore;
class TKeyboardInput;
class TPianoHighlight;
class TSkinLabel;

// The Options page: one tick per row of the options table, the keyboard
// scheme, and the MIDI inputs the MIDI part reports. A change is stored at
// once and handed to the part of the program it concerns.
class TOptionsPage : public QObject
{
    Q_OBJECT

public:
    // Its controls go on `sheet`, in the group boxes the design gives it. The options it reads are applied at
    // once to the core, the drawn piano and the computer keyboard; `showNoteNames` shows a new naming of notes.
    TOptionsPage(QWidget& sheet, TGameCore& core, TPianoHighlight& piano, TKeyboardInput& keyboard,
                 std::function<void()> showNoteNames, std::string path = lirasto::settings::kFileName);

    // The page its controls are on; the parts that add their own (sound, microphone) find their group boxes there.
    QWidget& Sheet() const { return sheet_; }

    // The rows of a group box, which the parts that add their own controls (sound) follow too.
    static constexpr int kRowLeft = 16;
    static constexpr int kRowHeight = 19;
    static constexpr int kRowStep = 24;
    // The first free row of a group box below the ticks and labels it already holds.
    static int NextRowTop(QWidget* group);

    const lirasto::settings::TOptions& Options() const { return options_; }
    // Sets, stores and applies an option, as a click on its tick does.
    void SetOption(lirasto::settings::TOption option, int value);
    TSkinCheckBox* Tick(lirasto::settings::TOption option) const;

    struct TMidiDevice
    {
        QString Name;
        bool Enabled = true;
    };
    // The MIDI inputs found, each with its tick; none shows "No MIDI input found",
    // and with our JACK port (jackPort) the port to connect a keyboard to.
    // The octave-exact tick shows only while there is one.
    void SetMidiDevices(const std::vector<TMidiDevice>& devices, const QString& jackPort = {});
    std::function<void(const QString& name, bool enabled)> OnMidiDeviceToggled;

signals:
    // For the parts that follow an option themselves (sound, history).
    void OptionChanged(lirasto::settings::TOption option, int value);

private:
    void buildTicks();
    void buildLanguageChoice();
    void apply(lirasto::settings::TOption option);

    QWidget& sheet_;
    TGameCore& core_;
    TPianoHighlight& piano_;
    TKeyboardInput& keyboard_;
    std::function<void()> showNoteNames_;
    std::string path_;
    lirasto::settings::TOptions options_;
    std::vector<TSkinCheckBox*> ticks_; // by option, nullptr where an option has no tick
    std::vector<TSkinCheckBox*> midiTicks_;
    TSkinLabel* midiPort_ = nullptr;
};
