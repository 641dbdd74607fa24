#include "app/window/uMain.h"

#include "app/hookups/HistoryHookup.h"
#include "app/hookups/MicrophoneHookup.h"
#include "app/hookups/MidiHookup.h"
#include "app/hookups/SoundHookup.h"
#include "app/language/Language.h"
#include "app/language/TextFit.h"
#include "app/options/OptionsPage.h"
#include "app/play/ChordReading.h"
#include "app/play/GameLabels.h"
#include "app/play/KeyboardInput.h"
#include "app/play/NotesReading.h"
#include "app/play/PianoHighlight.h"
#include "app/play/PracticeChoice.h"
#include "app/play/SightReading.h"
#include "app/play/StaffListener.h"
#include "app/settings/Settings.h"
#include "app/window/Application.h"
#include "app/window/CommandLine.h"
#include "app/window/SavedLevel.h"
#include "audio/PianoSound.h"
#include "controls/SkinCtrls.h"
#include "core/Checked.h"
#include "game/InputKinds.h"
#include "game/PianoKeys.h"
#include "game/uVariables.h"
#include "graphics/Image32.h"
#include "graphics/Layers.h"
#include "midi/MidiInput.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QTimer>

namespace {

// How long the sound waits for MIDI to have opened its JACK client (see StartSubsystems).
constexpr std::chrono::milliseconds kSoundWaitsForMidiAtMost(3000);

const char* const kCreditLine =
    QT_TRANSLATE_NOOP("TfMain", "Lirasto Notes v1.0.0 - made by Lirasto Software. Thanks to Qt, libjpeg-turbo and the "
                                "LilyPond project's Emmentaler font, on which this program is built.");

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

// The buttons, the timer and the level list follow the run.
class TfMain::TRunControls : public TGameListener
{
public:
    explicit TRunControls(TfMain& form) : form_(form) {}

    void RunEnded(const TRunResult& result) override
    {
        // A level passed counts as set by the player, so that it is saved at close.
        if (result.Passed)
            NoteLevelSet();
        form_.Timer->SetEnabled(false);
        form_.cbLevel->setEnabled(true);
        form_.bStart->setEnabled(true);
        form_.bReset->setEnabled(false);
    }
    void LevelChanged(int level) override { form_.cbLevel->setCurrentIndex(level - 1); }

private:
    TfMain& form_;
};

// The last of the window's own listeners: what they changed for a key pressed or an answer
// judged goes on screen before the listeners added later (sound, history) take their turn,
// so that the player sees the key lit and the verdict without waiting for those. MIDI notes
// arrive in batches, which one repaint after the batch serves better than one per note.
class TfMain::TShowAtOnce : public TGameListener
{
public:
    explicit TShowAtOnce(TfMain& form) : form_(form) {}

    void KeyDown(int, TInputSource source) override { show(source); }
    void AnswerJudged(const TJudgement& judgement) override { show(judgement.Source); }

private:
    void show(TInputSource source)
    {
        if (!InputKind(source).ArrivesInBatches)
            QCoreApplication::sendPostedEvents(form_.window(), QEvent::UpdateRequest);
    }

    TfMain& form_;
};

TfMain::TfMain(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("fMain"));
}

TfMain::~TfMain()
{
    // The pages and the keyboard filter go after the game core; nothing of theirs may reach it then.
    if (PageControl)
        disconnect(PageControl, nullptr, this, nullptr);
    delete keyboard_;
}

void TfMain::connectListeners()
{
    staff_ = std::make_unique<TStaffListener>(core_, *staffView_);
    piano_ = std::make_unique<TPianoHighlight>(*imgPiano, *BMPPianoKeysList);
    labels_ = std::make_unique<TGameLabels>(*gamePage_);
    controls_ = std::make_unique<TRunControls>(*this);
    core_.AddListener(staff_.get());
    core_.AddListener(piano_.get());
    core_.AddListener(labels_.get());
    core_.AddListener(controls_.get());
    sightReading_ = std::make_unique<TSightReading>(
        *gamePage_, *piano_, [this]() -> TPianoSound* { return sound_ ? &sound_->Sound() : nullptr; });
    chordReading_ = std::make_unique<TChordReading>(*gamePage_);
    notesReading_ = std::make_unique<TNotesReading>(core_, *staffView_, *piano_);
    core_.AddListener(notesReading_.get());
    practice_ = std::make_unique<TPracticeChoice>(*gamePage_, pictures_, actions_, *sightReading_,
                                                  lirasto::settings::kFileName);
    showAtOnce_ = std::make_unique<TShowAtOnce>(*this);
    core_.AddListener(showAtOnce_.get(), TGameCore::TListenerStage::Paint);
    keyboard_ = new TKeyboardInput(*this, pages_, *gamePage_, mUsage, *piano_, actions_);
    connect(PageControl, &QTabWidget::currentChanged, this, [this] { RunGuarded([this] { pageChanged(); }); });
}

void TfMain::SetMidiDevices(const std::vector<std::pair<QString, bool>>& devices, const QString& jackPort)
{
    if (!optionsPage_)
        return; // the window's creation did not get as far as its pages
    std::vector<TOptionsPage::TMidiDevice> list;
    for (const auto& [name, enabled] : devices)
        list.push_back({name, enabled});
    optionsPage_->SetMidiDevices(list, jackPort);
}

void TfMain::pageChanged()
{
    // Away from the game page a run waits: its clock stops and nothing is judged.
    if (PageControl->currentWidget() != tsMain && core_.Running() && !core_.Paused()) {
        core_.Pause();
        Timer->SetEnabled(false);
    }
}

void TfMain::BindComponents()
{
    PageControl = requireComponent<TPageControl>(this, "PageControl");
    tsMain = requireComponent<TTabSheet>(this, "tsMain");
    tsInfo = requireComponent<TTabSheet>(this, "tsInfo");
    tsOptions = requireComponent<TTabSheet>(this, "tsOptions");
    tsProgress = requireComponent<TTabSheet>(this, "tsProgress");
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
    staffView_ = std::make_unique<TStaffView>(*ImgClefs, *BMPKeyList, *BMPNoteList, *BMPEvaluationList);
    pages_ = {PageControl, tsMain, tsInfo, tsOptions, tsProgress};
    pictures_ = {SkinImages,       imgPiano,        ImgClefs,    imgLogo,          BMPKeyList,
                 BMPPianoKeysList, BMPScaleDegrees, BMPNoteList, BMPEvaluationList};
    gamePage_ =
        std::make_unique<TGamePage>(TGamePage{core_, *staffView_, pMain, cbLevel, bStart, bReset, lCountDown, lGoal,
                                              lScore, lQuestion, lExplanation, lAnswer, lProgress, SkinLabel12});
    actions_.Start = [this] { bStartClick(bStart); };
    actions_.Reset = [this] { bResetClick(bReset); };
    actions_.FillLevelList = [this] { FillLevelList(); };
    actions_.ShowNoteNames = [this] { ShowNoteNames(); };
    actions_.ToggleMute = [this] {
        using lirasto::settings::TOption;
        if (optionsPage_)
            optionsPage_->SetOption(TOption::Mute, optionsPage_->Options().On(TOption::Mute) ? 0 : 1);
    };
    connectListeners();
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
    ReadSettings(core_);
    optionsPage_ =
        new TOptionsPage(*tsOptions, core_, *piano_, *keyboard_, actions_.ShowNoteNames, lirasto::settings::kFileName);
    optionsPage_->OnMidiDeviceToggled = [this](const QString& name, bool enabled) {
        if (OnMidiDeviceToggled)
            OnMidiDeviceToggled(name, enabled);
    };
    history_ = std::make_unique<THistoryHookup>(*gamePage_, *optionsPage_, pages_, pictures_);
    // Answers are kept, and the Progress page counts them, under the practice they were given in.
    practice_->OnCurrentChanged = [this](const QString& name) { history_->SetPractice(name); };
    history_->SetPractice(practice_->CurrentPractice());
    InitGame();
    Randomize();
    FitTexts(this);
}

void TfMain::InitGame()
{
    FillLevelList();
    SkinScrollingText->setProperty("Strings", QStringList{tr(kCreditLine)});
    CreateKeySignatureLayers();
    ShowKeySignature(core_.CurrentKey());
    core_.FillLevelTable();
}

void TfMain::FillLevelList()
{
    const int current = cbLevel->currentIndex();
    cbLevel->clear();
    for (int level = 1; level <= 12; ++level)
        cbLevel->addItem(LevelName(level));
    // The practices saved by name follow the twelve levels.
    if (practice_)
        cbLevel->addItems(practice_->Names());
    cbLevel->setCurrentIndex(std::min(current, cbLevel->count() - 1));
}

void TfMain::ShowNoteNames()
{
    FillLevelList();
    if (piano_)
        piano_->RenameKeys();
    if (practice_)
        practice_->RenameNotes();
}

void TfMain::CreateKeySignatureLayers()
{
    ::CreateKeySignatureLayers(*staffView_);
}

void TfMain::ShowKeySignature(int Key)
{
    ::ShowKeySignature(*staffView_, Key);
}

void TfMain::tsMainShow(QObject*)
{
    labels_->ShowLevelTexts();
    if (CurrentPractice().isEmpty())
        cbLevel->setCurrentIndex(lirasto::CheckedSub(core_.Level(), 1));
    if (core_.Running()) {
        // Back on the game page: a paused run goes on with its score and time.
        core_.Resume();
        Timer->SetEnabled(true);
        return;
    }
    core_.RestartLevelClock();
    labels_->ShowScore();
    lProgress->SetCaption(QString());
    practice_->ShowRefused();
    labels_->ShowCountDown();
}

void TfMain::bStartClick(QObject*)
{
    Timer->SetEnabled(true);
    bStart->setEnabled(false);
    bReset->setEnabled(true);
    core_.Start();
    cbLevel->setEnabled(false);
}

void TfMain::StartPractice(const TStartOptions& options)
{
    if (options.Level) {
        core_.SetLevel(*options.Level);
        NoteLevelSet();
    }
    if (options.SingleNotes || options.Exercise == TExerciseKind::Line) {
        // The game page's choice shows what the command line chose.
        TPractice shown;
        shown.Exercise = options.SingleNotes ? TPracticeExercise::Notes : TPracticeExercise::Line;
        shown.Staff = options.Staff.value_or(TStaffChoice::Treble);
        shown.MusicKey = options.MusicKey.value_or(-1);
        shown.RandomKey = options.RandomKey;
        shown.Accidentals = options.Accidentals.value_or(false);
        shown.Lowest = options.LowestNote.value_or(0);
        shown.Highest = options.HighestNote.value_or(0);
        practice_->SetChoice(shown);
    }
    if (options.SingleNotes)
        sightReading_->ChooseNotes(options.LineSettings());
    else if (options.Exercise == TExerciseKind::Chords)
        sightReading_->ChooseChords(options.ChordSettings());
    else if (options.Exercise == TExerciseKind::Line)
        sightReading_->Choose(options.LineSettings());
    else
        sightReading_->Choose(std::nullopt);
    bStartClick(bStart);
}

void TfMain::TimerTimer(QObject*)
{
    core_.Tick();
}

void TfMain::bResetClick(QObject*)
{
    Timer->SetEnabled(false);
    bStart->setEnabled(true);
    bReset->setEnabled(false);
    core_.Reset();
    cbLevel->setEnabled(true);
}

QString TfMain::CurrentPractice() const
{
    return practice_ ? practice_->CurrentPractice() : QString();
}

void TfMain::cbLevelChange(QObject*)
{
    if (cbLevel->currentIndex() >= LevelCount) {
        practice_->ChoosePractice(cbLevel->currentIndex() - LevelCount);
        return;
    }
    core_.SetLevel(lirasto::CheckedAdd(cbLevel->currentIndex(), 1));
    NoteLevelSet();
}

void TfMain::imgPianoMouseDown(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y, TCustomLayer*)
{
    if (const std::optional<int> note = PianoNoteAt(X, Y))
        core_.KeyDown(*note, TInputSource::Mouse);
}

void TfMain::imgPianoMouseUp(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y, TCustomLayer*)
{
    // The release ends every press wherever it happens, on the keyboard or not.
    core_.KeyUp(PianoNoteAt(X, Y).value_or(kLowestDrawnNote), TInputSource::Mouse);
}

void TfMain::FormClose(QObject*)
{
    // A run cut short by closing the window (a termination signal closes it too) ends as Reset
    // ends it, so that the history keeps its end, its score and its practice time.
    if (core_.Running())
        core_.Reset();
    WriteSettings(core_);
}

void ReadSettings(TGameCore& core)
{
    core.LoadLevel(LoadSavedLevel());
}

void WriteSettings(const TGameCore& core)
{
    SaveLevelAtClose(core.Level());
}

void TfMain::StartSubsystems()
{
    if (optionsPage_ && !sound_ && !midi_) {
        sound_ = std::make_unique<TSoundHookup>(core_, *optionsPage_);
        TMidiDeviceList devices;
        devices.Show = [this](const std::vector<std::pair<QString, bool>>& found, const QString& jackPort) {
            SetMidiDevices(found, jackPort);
        };
        devices.Toggled = &OnMidiDeviceToggled;
        midi_ = std::make_unique<TMidiHookup>(core_, std::move(devices), lirasto::settings::kFileName);
        midi_->Start();
        // The sound's JACK output and our MIDI input both ask JACK for the client name "Lirasto Notes", and the
        // one that comes second is renamed. The MIDI input keeps it, so that "Lirasto Notes:MIDI in" is always
        // the port to connect a keyboard to: the sound opens once MIDI has looked, or after a while without it.
        auto startSound = [sound = sound_.get(), started = std::make_shared<bool>(false)] {
            if (!std::exchange(*started, true))
                sound->Start();
        };
        connect(&midi_->Input(), &TMidiInput::DevicesChanged, sound_.get(), startSound, Qt::SingleShotConnection);
        QTimer::singleShot(kSoundWaitsForMidiAtMost, sound_.get(), startSound);
        microphone_ =
            std::make_unique<TMicrophoneHookup>(core_, *optionsPage_, lirasto::settings::kFileName, microphoneForced_);
        microphone_->Start(&sound_->Sound());
    }
    if (history_)
        history_->Start();
    FitTexts(this);
}
