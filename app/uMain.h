#pragma once

#include "app/Forms.h"
#include "game/uFunctions.h"

#include <QWidget>
#include <functional>
#include <memory>

class QCloseEvent;
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

using TImgMouseEvent = std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X,
                                          int Y, TCustomLayer* Layer)>;

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

    void InitGame();
    void FillLevelList();
    void CreateKeySignatureLayers();
    void ShowKeySignature(int Key);
    void ClearStaff();
    void JudgeAnswer();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void PoseQuestion();
    void EndRun();
    void ShowLevelTexts();
    void ShowCountDown();
    void ShowScore();
    void ReleaseHeldKeys();
    bool QuestionOnDisplay() const;

    // What the staff drawing reaches of the window: the staff view and its picture lists.
    std::unique_ptr<TStaffWindow> staffWindow_;
};

// The one main window, reached by the routines outside the window class.
extern TfMain* fMain;

// The settings routines: the level is read at start-up and written at close.
void ReadSettings();
void WriteSettings();
