#pragma once

#include "app/settings/Options.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <string>

class TGameCore;
class TMicrophoneInput;
class TOptionsPage;
class TPianoSound;
class TSkinComboBox;
class TSkinLabel;
class TSkinSlider;
class QWidget;

// Joins the microphone to the window: notes heard go to the game as keys of the microphone, the program's
// own sound is told to the detector so that it is never taken for an answer, and the Microphone box of the
// Options page shows the devices, a live level, the note heard with its cents, the noise gate and the range
// listened for. Made after the first frame; the capture opens on the input's worker.
class TMicrophoneHookup : public QObject
{
    Q_OBJECT

public:
    // `forced`: switched on for this run (--microphone), whatever the stored option says.
    // Notes heard go to the core; its controls go in the Microphone box of the Options page.
    TMicrophoneHookup(TGameCore& core, TOptionsPage& options, std::string settingsPath, bool forced);
    ~TMicrophoneHookup() override;

    // Opens the device when the microphone is on; `sound` is the piano whose notes are the program's own.
    void Start(TPianoSound* sound);
    TMicrophoneInput& Input() { return *input_; }
    bool On() const;
    TSkinLabel* StatusLabel() const { return status_; }
    TSkinLabel* TunerLabel() const { return tuner_; }

private:
    void buildControls(QWidget* group);
    void apply(lirasto::settings::TOption option, int value);
    void open();
    void showStatus();
    void showMeter(float peakDb, int note, float cents);
    void ownSound(int note, bool on);

    TGameCore& core_;
    TOptionsPage& options_;
    std::string path_;
    bool forced_;
    bool started_ = false;
    TMicrophoneInput* input_; // a child of this object
    QSet<int> ownNotes_;
    QWidget* meter_ = nullptr;
    TSkinLabel* levelText_ = nullptr;
    TSkinLabel* tuner_ = nullptr;
    TSkinSlider* gate_ = nullptr;
    TSkinLabel* gateText_ = nullptr;
    TSkinLabel* status_ = nullptr;
    TSkinComboBox* device_ = nullptr;
    TSkinComboBox* lowest_ = nullptr;
    TSkinComboBox* highest_ = nullptr;
};

namespace lirasto::settings {
// The capture device chosen, kept in [Options] percent-encoded; empty: the system's default.
QString ReadMicrophoneDevice(const std::string& path);
bool WriteMicrophoneDevice(const QString& name, const std::string& path);
} // namespace lirasto::settings
