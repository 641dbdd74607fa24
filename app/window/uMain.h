#pragma once

#include "app/window/Forms.h"
#include "app/window/WindowParts.h"
#include "game/GameCore.h"
#include "game/uFunctions.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QCloseEvent;
class TGameLabels;
class THistoryHookup;
class TKeyboardInput;
class TMicrophoneHookup;
class TMidiHookup;
class TOptionsPage;
class TSoundHookup;
class TPianoHighlight;
class TStaffListener;
class TSightReading;
class TNotesReading;
class TPracticeChoice;
class TChordReading;
struct TStartOptions;
class TBitmap32List;
class TCustomLayer;
class TImage32;
class TSkinBtn;
class TSkinComboBox;
class TSkinGroupBox;
class TSkinImages;
class TSkinLabel;
class TSkinMemo;
class TSkinPanel;
class TSkinScrollingText;

// The main window. Its controls, pictures and the wiring of events to the
// handlers below come from the stored window design; the handlers are the game.
class TfMain : public QWidget
{
    Q_OBJECT

public:
    explicit TfMain(QWidget* parent = nullptr);
    ~TfMain() override;

    // Components, found by name once the design has created them.
    TPageControl* PageControl = nullptr;
    TTabSheet* tsMain = nullptr;
    TTabSheet* tsInfo = nullptr;
    TTabSheet* tsOptions = nullptr;
    TTabSheet* tsProgress = nullptr;
    TSkinPanel* pMain = nullptr;
    TSkinImages* SkinImages = nullptr;
    TImage32* imgPiano = nullptr;
    TBitmap32List* BMPKeyList = nullptr;
    TBitmap32List* BMPPianoKeysList = nullptr;
    TSkinBtn* bReset = nullptr;
    TSkinBtn* bStart = nullptr;
    TSkinLabel* lCountDown = nullptr;
    TTimer* Timer = nullptr;
    TSkinLabel* SkinLabel1 = nullptr;
    TSkinLabel* SkinLabel2 = nullptr;
    TSkinLabel* lGoal = nullptr;
    TSkinLabel* lScore = nullptr;
    TSkinLabel* SkinLabel4 = nullptr;
    TSkinLabel* lQuestion = nullptr;
    TSkinLabel* lExplanation = nullptr;
    TSkinLabel* lAnswer = nullptr;
    TSkinLabel* lProgress = nullptr;
    TSkinComboBox* cbLevel = nullptr;
    TSkinGroupBox* gbTips = nullptr;
    TSkinLabel* Label14 = nullptr;
    TBitmap32List* BMPScaleDegrees = nullptr;
    TBitmap32List* BMPNoteList = nullptr;
    TImage32* ImgClefs = nullptr;
    TSkinLabel* SkinLabel12 = nullptr;
    TBitmap32List* BMPEvaluationList = nullptr;
    TSkinPanel* pInfo = nullptr;
    TSkinScrollingText* SkinScrollingText = nullptr;
    TSkinMemo* mInfo = nullptr;
    TSkinMemo* mUsage = nullptr;
    TImage32* imgLogo = nullptr;

    // Event handlers, bound by name from the window design.
    void FormCreate(QObject* Sender);
    void imgPianoMouseDown(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y,
                           TCustomLayer* Layer);
    void cbLevelChange(QObject* Sender);
    void tsMainShow(QObject* Sender);
    void bStartClick(QObject* Sender);
    void TimerTimer(QObject* Sender);
    void bResetClick(QObject* Sender);
    void FormClose(QObject* Sender);
    void imgPianoMouseUp(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y,
                         TCustomLayer* Layer);

    // The handlers that the design may name, for the loader to bind.
    TNotifyEvent NotifyHandler(const QString& name);
    TImgMouseEvent MouseHandler(const QString& name);

    // Set by the loader from the design's window events.
    TNotifyEvent OnCreate;
    TNotifyEvent OnClose;

    // Looks up every component field by name once the design has been applied.
    void BindComponents();
    // The design's pictures, once BindComponents found them.
    const TDesignPictures& Pictures() const { return pictures_; }

    void InitGame();
    void FillLevelList();
    // Shows the note names now in use wherever the window names notes.
    void ShowNoteNames();
    void CreateKeySignatureLayers();
    void ShowKeySignature(int Key);

    // The rules of the run, which every input and every listener shares.
    // Starts what the first frame need not wait for (MIDI, sound, history),
    // each on its own worker; called once the window has been shown.
    void StartSubsystems();

    // Starts straight into the practice the command line asked for.
    void StartPractice(const TStartOptions& options);
    TSightReading& SightReading() { return *sightReading_; }
    TChordReading& ChordReading() { return *chordReading_; }
    TPracticeChoice& PracticeChoice() { return *practice_; }
    // The name of the practice chosen from the level list, empty for none.
    QString CurrentPractice() const;

    TGameCore& Core() { return core_; }
    // The game page's staff: the question note of the levels and a line of notes.
    TStaffView& Staff() { return *staffView_; }
    const TGameCore& Core() const { return core_; }
    TPianoHighlight& PianoHighlight() { return *piano_; }
    TKeyboardInput& KeyboardInput() { return *keyboard_; }
    TOptionsPage& OptionsPage() { return *optionsPage_; }
    // The piano, once StartSubsystems made it.
    TSoundHookup* SoundHookup() { return sound_.get(); }
    TMidiHookup* Midi() { return midi_.get(); }
    TMicrophoneHookup* Microphone() { return microphone_.get(); }
    // --microphone: the microphone listens in this run whatever the Options page says. Set before StartSubsystems.
    void SetMicrophoneForced(bool on) { microphoneForced_ = on; }
    THistoryHookup& History() { return *history_; }

    // The MIDI part reports the inputs it found: their names and whether each is in use.
    // With none, our JACK port's name, if there is one, is shown to connect a keyboard to.
    void SetMidiDevices(const std::vector<std::pair<QString, bool>>& devices, const QString& jackPort = {});
    // Called when the player ticks an input on or off.
    std::function<void(const QString& name, bool enabled)> OnMidiDeviceToggled;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    class TRunControls;
    class TShowAtOnce;
    void pageChanged();
    void connectListeners();

    TGameCore core_;
    // The parts of the window its units are given, gathered by BindComponents, and what the window does for them.
    TWindowPages pages_;
    TDesignPictures pictures_;
    TWindowActions actions_;
    std::unique_ptr<TGamePage> gamePage_;
    // The staff view with its picture lists and everything laid on it; made once the design is bound.
    std::unique_ptr<TStaffView> staffView_;
    std::unique_ptr<TStaffListener> staff_;
    std::unique_ptr<TSightReading> sightReading_;
    std::unique_ptr<TChordReading> chordReading_;
    std::unique_ptr<TNotesReading> notesReading_;
    std::unique_ptr<TPracticeChoice> practice_;
    std::unique_ptr<TPianoHighlight> piano_;
    std::unique_ptr<TGameLabels> labels_;
    std::unique_ptr<TRunControls> controls_;
    std::unique_ptr<TShowAtOnce> showAtOnce_;
    std::unique_ptr<TMidiHookup> midi_;   // made once the window shows; goes before the core
    TKeyboardInput* keyboard_ = nullptr;  // a child of the window
    TOptionsPage* optionsPage_ = nullptr; // a child of the window
    std::unique_ptr<THistoryHookup> history_;
    // Last, so that it goes first: its listener leaves the core before the core goes.
    std::unique_ptr<TSoundHookup> sound_;
    // After the sound, whose notes it follows; it goes first and ends its worker before the core goes.
    std::unique_ptr<TMicrophoneHookup> microphone_;
    bool microphoneForced_ = false;
};

// The settings routines: the level is read at start-up and written at close.
void ReadSettings(TGameCore& core);
void WriteSettings(const TGameCore& core);
