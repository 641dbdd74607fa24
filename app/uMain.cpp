#include "app/uMain.h"

#include "app/Application.h"
#include "app/SavedLevel.h"
#include "controls/SkinCtrls.h"
#include "core/Checked.h"
#include "game/PianoKeys.h"
#include "game/uVariables.h"
#include "graphics/Image32.h"
#include "graphics/Layers.h"

#include <QCloseEvent>

TfMain* fMain = nullptr;

namespace {

const QColor kRightColour(0, 128, 0);
const QColor kWrongColour(255, 0, 0);

const char* const kCreditLine = "Lirasto Notes v1.0.0 - made by Lirasto Software. Thanks to Qt, libjpeg-turbo and the "
                                "LilyPond project's Emmentaler font, on which this program is built.";

const char* const kPassedText = "Congratulations!! Press \"Start\" to play the next level!";
const char* const kAllPassedText = "Congratulations!! You definitely know your notes!";
const char* const kRepeatText = "Please repeat this level!";

QString number(int value)
{
    return QString::number(value);
}

void setCaption(TSkinLabel* label, const QString& text)
{
    label->SetCaption(text);
}

void setCaption(TSkinLabel* label, const std::string& text)
{
    label->SetCaption(QString::fromStdString(text));
}

// The staff drawing reaches the window only through its staff view and picture lists.
class MainStaffWindow : public TStaffWindow
{
public:
    explicit MainStaffWindow(TfMain& form) : form_(form) {}

    TImage32* ImgClefs() override { return form_.ImgClefs; }
    TBitmap32List* BMPKeyList() override { return form_.BMPKeyList; }
    TBitmap32List* BMPNoteList() override { return form_.BMPNoteList; }
    TBitmap32List* BMPEvaluationList() override { return form_.BMPEvaluationList; }

private:
    TfMain& form_;
};

template <typename T>
T* requireComponent(QObject* form, const char* name)
{
    QObject* found = form->findChild<QObject*>(QString::fromLatin1(name));
    if (!found)
        throw lirasto::EReadError(std::string("Component ") + name + " is missing from the window design");
    T* typed = qobject_cast<T*>(found);
    if (!typed)
        throw lirasto::EReadError(std::string("Component ") + name + " has the wrong class (" +
                                  found->metaObject()->className() + ")");
    return typed;
}

} // namespace

TfMain::TfMain(QWidget* parent) : QWidget(parent), staffWindow_(std::make_unique<MainStaffWindow>(*this))
{
    setObjectName(QStringLiteral("fMain"));
}

TfMain::~TfMain()
{
    if (StaffWindow == staffWindow_.get())
        StaffWindow = nullptr;
    if (fMain == this)
        fMain = nullptr;
}

void TfMain::BindComponents()
{
    PageControl = requireComponent<TPageControl>(this, "PageControl");
    tsMain = requireComponent<TTabSheet>(this, "tsMain");
    tsInfo = requireComponent<TTabSheet>(this, "tsInfo");
    pMain = requireComponent<TSkinPanel>(this, "pMain");
    SkinImages = requireComponent<TSkinImages>(this, "SkinImages");
    imgPiano = requireComponent<TImage32>(this, "imgPiano");
    BMPKeyList = requireComponent<TBitmap32List>(this, "BMPKeyList");
    BMPPianoKeysList = requireComponent<TBitmap32List>(this, "BMPPianoKeysList");
    bReset = requireComponent<TSkinBtn>(this, "bReset");
    bStart = requireComponent<TSkinBtn>(this, "bStart");
    lCountDown = requireComponent<TSkinLabel>(this, "lCountDown");
    Timer = requireComponent<TTimer>(this, "Timer");
    SkinLabel1 = requireComponent<TSkinLabel>(this, "SkinLabel1");
    SkinLabel2 = requireComponent<TSkinLabel>(this, "SkinLabel2");
    lGoal = requireComponent<TSkinLabel>(this, "lGoal");
    lScore = requireComponent<TSkinLabel>(this, "lScore");
    SkinLabel4 = requireComponent<TSkinLabel>(this, "SkinLabel4");
    lQuestion = requireComponent<TSkinLabel>(this, "lQuestion");
    lExplanation = requireComponent<TSkinLabel>(this, "lExplanation");
    lAnswer = requireComponent<TSkinLabel>(this, "lAnswer");
    lProgress = requireComponent<TSkinLabel>(this, "lProgress");
    cbLevel = requireComponent<TSkinComboBox>(this, "cbLevel");
    gbTips = requireComponent<TSkinGroupBox>(this, "gbTips");
    Label14 = requireComponent<TSkinLabel>(this, "Label14");
    BMPScaleDegrees = requireComponent<TBitmap32List>(this, "BMPScaleDegrees");
    BMPNoteList = requireComponent<TBitmap32List>(this, "BMPNoteList");
    ImgClefs = requireComponent<TImage32>(this, "ImgClefs");
    SkinLabel12 = requireComponent<TSkinLabel>(this, "SkinLabel12");
    BMPEvaluationList = requireComponent<TBitmap32List>(this, "BMPEvaluationList");
    pInfo = requireComponent<TSkinPanel>(this, "pInfo");
    SkinScrollingText = requireComponent<TSkinScrollingText>(this, "SkinScrollingText");
    mInfo = requireComponent<TSkinMemo>(this, "mInfo");
    mUsage = requireComponent<TSkinMemo>(this, "mUsage");
    imgLogo = requireComponent<TImage32>(this, "imgLogo");
    StaffWindow = staffWindow_.get();
}

TNotifyEvent TfMain::NotifyHandler(const QString& name)
{
    using Handler = void (TfMain::*)(QObject*);
    static const std::pair<const char*, Handler> kHandlers[] = {
        {"FormCreate", &TfMain::FormCreate},       {"FormClose", &TfMain::FormClose},
        {"tsMainShow", &TfMain::tsMainShow},       {"bStartClick", &TfMain::bStartClick},
        {"bResetClick", &TfMain::bResetClick},     {"TimerTimer", &TfMain::TimerTimer},
        {"cbLevelChange", &TfMain::cbLevelChange},
    };
    for (const auto& [handlerName, handler] : kHandlers)
        if (name == QLatin1String(handlerName))
            return [this, handler](QObject* sender) { (this->*handler)(sender); };
    return nullptr;
}

TImgMouseEvent TfMain::MouseHandler(const QString& name)
{
    using Handler = void (TfMain::*)(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int, TCustomLayer*);
    static const std::pair<const char*, Handler> kHandlers[] = {
        {"imgPianoMouseDown", &TfMain::imgPianoMouseDown},
        {"imgPianoMouseUp", &TfMain::imgPianoMouseUp},
    };
    for (const auto& [handlerName, handler] : kHandlers)
        if (name == QLatin1String(handlerName))
            return [this, handler](QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y,
                                   TCustomLayer* layer) { (this->*handler)(sender, button, shift, x, y, layer); };
    return nullptr;
}

void TfMain::closeEvent(QCloseEvent* event)
{
    if (OnClose)
        RunGuarded([this] { OnClose(this); });
    QWidget::closeEvent(event);
}

void TfMain::FormCreate(QObject*)
{
    PageControl->SetActivePage(tsMain);
    bStart->setEnabled(true);
    bReset->setEnabled(false);
    ReadSettings();
    InitGame();
    Randomize();
}

void TfMain::InitGame()
{
    FillLevelList();
    SkinScrollingText->setProperty("Strings", QStringList{QString::fromLatin1(kCreditLine)});
    HeldKeyCount = 0;
    CurrentKey = 0;
    CreateKeySignatureLayers();
    ShowKeySignature(CurrentKey);
    for (int level = 1; level <= 12; ++level) {
        TLevel& row = LevelTable[level];
        row.TimeLimit = 150;
        row.Goal = 300;
        row.KeysPerQuestion = 1;
        row.QuestionText = "What note is this? ";
        row.ExplanationText = "Click on any corresponding key on the keyboard!";
    }
}

void TfMain::FillLevelList()
{
    for (int level = 1; level <= 12; ++level)
        cbLevel->addItem(
            QStringLiteral("Level %1: %2 Major").arg(level).arg(QString::fromStdString(KeyNames[LevelKeys[level]])));
}

void TfMain::CreateKeySignatureLayers()
{
    ::CreateKeySignatureLayers();
}

void TfMain::ShowKeySignature(int Key)
{
    ::ShowKeySignature(Key);
}

void TfMain::ClearStaff()
{
    ::ClearStaff();
}

void TfMain::tsMainShow(QObject*)
{
    ShowLevelTexts();
    cbLevel->setCurrentIndex(lirasto::checkedSub(Level, 1));
    setCaption(lScore, QStringLiteral("0"));
    setCaption(lProgress, QString());
    Score = 0;
    SecondsLeft = LevelTable[Level].TimeLimit;
    ShowCountDown();
}

void TfMain::ShowLevelTexts()
{
    const TLevel& row = LevelTable[Level];
    setCaption(lGoal, number(row.Goal));
    setCaption(lQuestion, row.QuestionText);
    setCaption(lExplanation, row.ExplanationText);
}

void TfMain::ShowCountDown()
{
    setCaption(lCountDown, number(SecondsLeft) + QStringLiteral(" SEC."));
}

void TfMain::ShowScore()
{
    setCaption(lScore, number(Score));
}

void TfMain::bStartClick(QObject*)
{
    // A key still held from the last run must not count in this one.
    ReleaseHeldKeys();
    Timer->SetEnabled(true);
    bStart->setEnabled(false);
    bReset->setEnabled(true);
    QuestionDue = 1;
    QuestionsPosed = 0;
    setCaption(lProgress, QString());
    setCaption(lAnswer, QString());
    setCaption(lScore, QStringLiteral("0"));
    Score = 0;
    SecondsLeft = LevelTable[Level].TimeLimit;
    ShowCountDown();
    cbLevel->setEnabled(false);
}

void TfMain::TimerTimer(QObject*)
{
    SecondsLeft = lirasto::checkedSub(SecondsLeft, 1);
    ShowCountDown();
    if (SecondsLeft == 0) {
        EndRun();
        return;
    }
    if (QuestionDue != QuestionsPosed) {
        PoseQuestion();
        QuestionsPosed = lirasto::checkedAdd(QuestionsPosed, 1);
    }
}

void TfMain::PoseQuestion()
{
    ClearStaff();
    ExpectedKeys = 0;
    CurrentKey = LevelKeys[Level];
    CurrentClef = 1 + Random(2);
    ShowKeySignature(CurrentKey);
    ShowEvaluationMark();
    if (CurrentClef == 1) {
        CurrentNote = 53 + Random(36);
        TrebleSlots[1].StemDown = CurrentNote > 71;
    } else {
        CurrentNote = 36 + Random(32);
        BassSlots[1].StemDown = CurrentNote > 50;
    }
    ExpectedKeys = PitchClassBit(CurrentNote % 12);
    NoteSet = TNoteSet::Of(CurrentNote);
    if (CurrentClef == 1)
        DrawTrebleNotes(NoteSet, CurrentKey);
    else
        DrawBassNotes(NoteSet, CurrentKey);
}

void TfMain::EndRun()
{
    Timer->SetEnabled(false);
    cbLevel->setEnabled(true);
    const TLevel& row = LevelTable[Level];
    if (Score < row.Goal) {
        lProgress->SetFontColor(kWrongColour);
        setCaption(lProgress, QString::fromLatin1(kRepeatText));
        ShowLevelTexts();
    } else {
        lProgress->SetFontColor(kRightColour);
        NoteLevelSet();
        if (Level >= 12) {
            setCaption(lProgress, QString::fromLatin1(kAllPassedText));
        } else {
            setCaption(lProgress, QString::fromLatin1(kPassedText));
            Level = lirasto::checkedAdd(Level, 1);
            cbLevel->setCurrentIndex(lirasto::checkedAdd(cbLevel->currentIndex(), 1));
            ShowLevelTexts();
        }
    }
    bStart->setEnabled(true);
    bReset->setEnabled(false);
}

bool TfMain::QuestionOnDisplay() const
{
    // A question is open from the tick that poses it until it is answered right.
    return Timer->Enabled() && QuestionsPosed > 0 && QuestionDue == QuestionsPosed;
}

void TfMain::JudgeAnswer()
{
    if (PressedKeys == ExpectedKeys) {
        QuestionDue = lirasto::checkedAdd(QuestionDue, 1);
        Score = lirasto::checkedAdd(Score, 5);
        ShowScore();
        lAnswer->SetFontColor(kRightColour);
        setCaption(lAnswer, QStringLiteral("RIGHT!"));
        SetEvaluationMark(1);
    } else {
        SetEvaluationMark(2);
        lAnswer->SetFontColor(kWrongColour);
        setCaption(lAnswer, QStringLiteral("WRONG!"));
    }
    PressedKeys = 0;
}

void TfMain::bResetClick(QObject*)
{
    Timer->SetEnabled(false);
    bStart->setEnabled(true);
    bReset->setEnabled(false);
    const TLevel& row = LevelTable[Level];
    SecondsLeft = row.TimeLimit;
    setCaption(lGoal, number(row.Goal));
    Score = 0;
    setCaption(lScore, QStringLiteral("0"));
    setCaption(lProgress, QString());
    setCaption(lAnswer, QString());
    ShowCountDown();
    cbLevel->setEnabled(true);
    CurrentKey = 0;
    ShowKeySignature(0);
    ClearStaff();
}

void TfMain::cbLevelChange(QObject*)
{
    Level = lirasto::checkedAdd(cbLevel->currentIndex(), 1);
    NoteLevelSet();
    ShowLevelTexts();
    setCaption(lScore, QStringLiteral("0"));
    setCaption(lProgress, QString());
    Score = 0;
    SecondsLeft = LevelTable[Level].TimeLimit;
    ShowCountDown();
}

void TfMain::imgPianoMouseDown(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y, TCustomLayer*)
{
    if (!Timer->Enabled())
        return;
    if (HeldKeyCount > LevelTable[Level].KeysPerQuestion)
        return;
    const std::optional<TPianoKeyHit> key = PianoKeyAt(X, Y);
    if (!key)
        return;
    HeldKeyCount = lirasto::checkedAdd(HeldKeyCount, 1);
    PressedKeys = static_cast<TPitchClassSet>(PressedKeys | PitchClassBit(key->PitchClass));

    imgPiano->BeginUpdate();
    auto* layer = new TBitmapLayer(imgPiano->Layers());
    KeyHighlightLayers[HeldKeyCount] = layer;
    ShowPicture(layer, BMPPianoKeysList, key->HighlightItem);
    PlaceLayer(layer, key->Left, 0);
    imgPiano->EndUpdate();
    imgPiano->Changed();
}

void TfMain::ReleaseHeldKeys()
{
    // Every highlight that a press laid goes with the release, however many
    // presses there were and whether or not the run is still going.
    for (int i = 1; i <= HeldKeyCount && i <= static_cast<int>(KeyHighlightLayers.high); ++i) {
        delete KeyHighlightLayers[i];
        KeyHighlightLayers[i] = nullptr;
    }
    HeldKeyCount = 0;
    PressedKeys = 0;
}

void TfMain::imgPianoMouseUp(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int, TCustomLayer*)
{
    if (HeldKeyCount == 0)
        return;
    if (Timer->Enabled() && HeldKeyCount < LevelTable[Level].KeysPerQuestion)
        return;
    const TPitchClassSet answer = PressedKeys;
    const bool judged = QuestionOnDisplay();
    ReleaseHeldKeys();
    // Only an open question is judged: not before the run's first note, not
    // after the run ended or was reset, and not again once answered right.
    if (judged) {
        PressedKeys = answer;
        JudgeAnswer();
    }
}

void TfMain::FormClose(QObject*)
{
    WriteSettings();
}

void ReadSettings()
{
    Level = LoadSavedLevel();
}

void WriteSettings()
{
    SaveLevelAtClose(Level);
}
