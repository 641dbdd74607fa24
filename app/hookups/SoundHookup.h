#pragma once

#include "app/settings/Options.h"

#include <QObject>
#include <memory>

class QWidget;
class TPianoSound;
class TSkinLabel;
class TSkinSlider;
class TGameCore;
class TOptionsPage;
class TSoundListener;

// The window's piano: the sound and the listener that plays the run, the
// volume slider on the Options page and the line there that says why there
// is no sound. Made after the first frame; the sound loads on its own worker.
class TSoundHookup : public QObject
{
    Q_OBJECT

public:
    // It plays the core's run, and its controls go in the Sound box of the Options page.
    TSoundHookup(TGameCore& core, TOptionsPage& page);
    // Loads the synthesizer and opens the output, on the sound's worker.
    void Start();
    // The listener leaves the core and goes before the sound, which closes
    // its output before its synthesizer and ends its worker.
    ~TSoundHookup() override;

    TPianoSound& Sound() { return *sound_; }
    TSkinSlider* VolumeSlider() const { return volume_; }
    TSkinLabel* StatusLabel() const { return status_; }

private:
    void buildControls(QWidget* group);
    void apply(lirasto::settings::TOption option, int value);
    void volumeMoved(int percent);
    void showStatus();

    TGameCore& core_;
    TOptionsPage& options_;
    std::unique_ptr<TPianoSound> sound_;
    std::unique_ptr<TSoundListener> listener_;
    // Children of the Sound group box, or none when the design has no such box.
    TSkinSlider* volume_ = nullptr;
    TSkinLabel* volumeText_ = nullptr;
    TSkinLabel* status_ = nullptr;
};
