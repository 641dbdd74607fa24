#include "app/play/SightReading.h"

#include "app/language/Language.h"
#include "app/play/GameLabels.h"
#include "app/play/PianoHighlight.h"
#include "app/window/Application.h"
#include "app/window/DesignClone.h"
#include "audio/PianoSound.h"
#include "controls/SkinCtrls.h"
#include "game/GameCore.h"
#include "game/MusicKeys.h"
#include "game/NoteNames.h"
#include "game/NotesExercise.h"
#include "game/StaffView.h"
#include "game/uFunctions.h"
#include "graphics/Image32.h"

#include <QMetaProperty>
#include <algorithm>
#include <cmath>

namespace {

// A line on one staff shows that staff alone.
TStaffView::TStaves stavesOf(TStaffChoice choice)
{
    switch (choice) {
    case TStaffChoice::Grand:
        return TStaffView::TStaves::Both;
    case TStaffChoice::Bass:
        return TStaffView::TStaves::Lower;
    case TStaffChoice::Treble:
    case TStaffChoice::Alto:
    case TStaffChoice::Tenor:
    case TStaffChoice::TrebleOctave:
        break;
    }
    return TStaffView::TStaves::Upper;
}

const char* const kLevelsItem = QT_TRANSLATE_NOOP("TSightReading", "Levels");
const char* const kSightReadingItem = QT_TRANSLATE_NOOP("TSightReading", "Sight-reading");
// The stacks, in the order of TChordFamily.
const char* const kChordItems[] = {QT_TRANSLATE_NOOP("TSightReading", "Intervals"),
                                   QT_TRANSLATE_NOOP("TSightReading", "Triads"),
                                   QT_TRANSLATE_NOOP("TSightReading", "Seventh chords")};
const char* const kNotesItemText = QT_TRANSLATE_NOOP("TSightReading", "Single notes");
const char* const kLineQuestionText = QT_TRANSLATE_NOOP("TSightReading", "Play the line from left to right! ");
const char* const kLineExplanationText =
    QT_TRANSLATE_NOOP("TSightReading", "The pointer shows the note due; any key of that note answers.");
// A line of stacks is answered as a single stack is.
const char* const kStackExplanationText =
    QT_TRANSLATE_NOOP("TChordReading", "Hold all its keys down together, or click them one after another.");

QString tempoName(int bpm)
{
    return bpm == 0 ? TSightReading::tr("At your pace") : TSightReading::tr("%1 beats a minute").arg(bpm);
}

// The cursor moves a whole pixel at a time, and at most 30 times a second: a line the eye follows
// at a reading pace, where every step costs the window a repaint, and a faster one was measured
// to cost as much as the rest of the line in time together. The beats themselves are judged on
// the input's clock; only the misses are marked at the cursor's pace.
constexpr double kShortestCursorStepMs = 1000.0 / 30;
// Slow lines still have their misses marked and a pause noticed this soon.
constexpr double kLongestCursorStepMs = 50;
// The cursor passes through the middle of the note heads.
constexpr double kCursorBesideNote = 7;

// A drop-down in the design's look: the level list's own properties, at another place.
TSkinComboBox* newChoice(TSkinComboBox* levels, const char* name, QRect place)
{
    return CloneControl(levels, name, place);
}

} // namespace

TSightReading::TSightReading(const TGamePage& page, TPianoHighlight& piano, std::function<TPianoSound*()> sound)
    : page_(page), piano_(piano), sound_(std::move(sound))
{
    exercise_ = newChoice(page_.cbLevel, "cbExercise", QRect(600, 6, 170, page_.cbLevel->height()));
    exercise_->addItems({tr(kLevelsItem), tr(kSightReadingItem)});
    for (const char* item : kChordItems)
        exercise_->addItem(tr(item));
    for (const char* item : kChordItems)
        exercise_->addItem(QStringLiteral("%1: %2").arg(tr(kSightReadingItem), tr(item)));
    exercise_->addItem(tr(kNotesItemText));
    tempo_ = newChoice(page_.cbLevel, "cbTempo", QRect(600, 285, 170, page_.cbLevel->height()));
    for (int bpm : kTempos)
        tempo_->addItem(tempoName(bpm));
    tempo_->setVisible(false);
    exercise_->OnChange = [this](QObject*) { RunGuarded([this] { choiceChanged(); }); };
    tempo_->OnChange = exercise_->OnChange;
    summary_.OnText = [this](const std::string& text) {
        page_.lProgress->SetFontColor(QColor(0, 0, 0));
        page_.lProgress->SetCaption(QString::fromStdString(text));
    };
    beatTimer_.setTimerType(Qt::PreciseTimer);
    connect(&beatTimer_, &QTimer::timeout, this, [this] { RunGuarded([this] { beat(); }); });
    page_.Core.AddListener(this);
    page_.Core.AddListener(&summary_);
}

TSightReading::~TSightReading()
{
    exercise_->OnChange = nullptr;
    tempo_->OnChange = nullptr;
    page_.Core.RemoveListener(&summary_);
    page_.Core.RemoveListener(this);
}

void TSightReading::Choose(const std::optional<TLineSettings>& line)
{
    if (line) {
        settings_ = *line;
        const auto* found = std::find(std::begin(kTempos), std::end(kTempos), settings_.Tempo);
        if (found == std::end(kTempos)) {
            // A tempo from the command line that the list lacks is added to it.
            tempo_->addItem(tempoName(settings_.Tempo));
            tempo_->setCurrentIndex(tempo_->count() - 1);
        } else {
            tempo_->setCurrentIndex(static_cast<int>(found - std::begin(kTempos)));
        }
    }
    if (line && line->Chords)
        exercise_->setCurrentIndex(kFirstChordLineItem + static_cast<int>(*line->Chords));
    else
        exercise_->setCurrentIndex(line ? 1 : 0);
    choiceChanged();
}

bool TSightReading::LineChosen() const
{
    const int item = exercise_->currentIndex();
    return item == 1 || (item >= kFirstChordLineItem && item < kNotesItem);
}

void TSightReading::ChooseChords(const TChordSettings& chords)
{
    chordSettings_ = chords;
    exercise_->setCurrentIndex(kFirstChordItem + static_cast<int>(chords.Family));
    choiceChanged();
}

void TSightReading::ChooseNotes(const TLineSettings& notes)
{
    settings_ = notes;
    exercise_->setCurrentIndex(kNotesItem);
    choiceChanged();
}

void TSightReading::SetChoice(const TLineSettings& line, const TChordSettings& chords)
{
    const int tempo = settings_.Tempo, count = settings_.Notes;
    settings_ = line;
    settings_.Tempo = tempo, settings_.Notes = count;
    const TChordFamily family = chordSettings_.Family;
    chordSettings_ = chords;
    chordSettings_.Family = family;
    choiceChanged();
}

void TSightReading::choiceChanged()
{
    tempo_->setVisible(LineChosen());
    showLineKey();
    const int item = exercise_->currentIndex();
    if (item == kNotesItem) {
        page_.Core.SetExercise(std::make_unique<TNotesExercise>(settings_));
        return;
    }
    if (item >= kFirstChordItem && item < kFirstChordLineItem) {
        chordSettings_.Family = static_cast<TChordFamily>(item - kFirstChordItem);
        page_.Core.SetExercise(std::make_unique<TChordExercise>(chordSettings_));
        return;
    }
    if (!LineChosen()) {
        page_.Core.SetExercise(nullptr);
        return;
    }
    const int index = tempo_->currentIndex();
    if (index >= 0 && index < static_cast<int>(std::size(kTempos)))
        settings_.Tempo = kTempos[index];
    TLineSettings chosen = settings_;
    chosen.Chords.reset();
    if (item >= kFirstChordLineItem) {
        // Stacks are written on the treble, bass or grand staff, and no more of them than fit.
        chosen.Chords = static_cast<TChordFamily>(item - kFirstChordLineItem);
        if (ClefOfStaff(chosen.Staff) >= kAltoClef)
            chosen.Staff = TStaffChoice::Treble;
        chosen.Notes = std::min(chosen.Notes, TLineSettings::kMostStacks);
    }
    page_.Core.SetExercise(std::make_unique<TLineExercise>(chosen));
}

void TSightReading::showLineKey()
{
    // A line, or single notes, with a key of their own do not read the level list, so while they are
    // practised the list gives way to the key; between runs it stays, offering the practices saved after
    // the levels.
    const bool notes = exercise_->currentIndex() == kNotesItem;
    const bool ownKey = page_.Core.Running() && (LineChosen() || notes) &&
                        (settings_.MusicKey >= 0 || (settings_.RandomKey && !notes) || settings_.Key >= 0);
    TSkinLabel& hint = *page_.SkinLabel12;
    if (ownKey && !page_.cbLevel->isHidden()) {
        levelHint_ = hint.Caption();
        levelHintLeft_ = hint.x();
    }
    page_.cbLevel->setVisible(!ownKey);
    if (!ownKey) {
        if (!levelHint_.isEmpty())
            hint.SetCaption(std::exchange(levelHint_, QString()));
        hint.move(levelHintLeft_ >= 0 ? levelHintLeft_ : hint.x(), hint.y());
        return;
    }
    hint.move(page_.cbLevel->x(), hint.y());
    if (settings_.RandomKey) {
        hint.SetCaption(tr("Key: a new one for each line"));
        return;
    }
    const int key = settings_.MusicKey >= 0 ? settings_.MusicKey : MusicKeyOfLevelKey(settings_.Key);
    hint.SetCaption(tr("Key: %1").arg(MusicKeyShown(key)));
}

QString MusicKeyShown(int musicKey)
{
    // The tonic as the key spells it, in the note names in use; the octave is no part of a key's name.
    QString tonic =
        QString::fromStdString(MusicNoteName(60 + TonicPitchClass(musicKey), musicKey, CurrentNoteNaming()));
    while (!tonic.isEmpty() && tonic.back().isDigit())
        tonic.chop(1);
    return MusicKey(musicKey).Minor ? TSightReading::tr("%1 minor").arg(tonic)
                                    : TSightReading::tr("%1 major").arg(tonic);
}

const TLineExercise* TSightReading::line() const
{
    return CurrentLine(page_.Core);
}

const TLineExercise* CurrentLine(const TGameCore& core)
{
    return dynamic_cast<const TLineExercise*>(&core.Exercise());
}

double TSightReading::LineNoteLeft(int place, int count)
{
    return TStaffView::PlaceLeft(place, count);
}

int TSightReading::MarkAt(int place) const
{
    if (place < 0 || place >= lineLength_)
        return -1;
    switch (page_.Staff.PlaceMark(place)) {
    case TNoteMark::Right:
        return kRightMarkPicture;
    case TNoteMark::Wrong:
    case TNoteMark::Missed:
        return kWrongMarkPicture;
    default:
        return -1;
    }
}

double TSightReading::CursorLeft() const
{
    return cursorLeft_;
}

void TSightReading::RunStarted(int)
{
    clickedTo_ = 0;
    exercise_->setEnabled(false);
    tempo_->setEnabled(false);
    showLineKey();
}

void TSightReading::showTexts(const QString& question, const QString& explanation)
{
    page_.lQuestion->SetCaption(question);
    page_.lExplanation->SetCaption(explanation);
}

void TSightReading::QuestionPosed(const TQuestion& question)
{
    // The piano shows the line's range; single notes use every key.
    if (question.Exercise != TExerciseKind::Line || !line()) {
        // Single notes of the player's own range have it shown by their own listener.
        if (question.MusicKey < 0 && piano_.RangeShown())
            piano_.ShowRange(1, 0);
        page_.Staff.ShowStaves(TStaffView::TStaves::Both);
        return;
    }
    piano_.ShowRange(line()->Settings().LowestNote(), line()->Settings().HighestNote());
    // The page turns: the last line goes, the new one is drawn whole.
    const std::vector<TChord>& stacks = line()->Stacks();
    showTexts(tr(kLineQuestionText), stacks.empty()
                                         ? tr(kLineExplanationText)
                                         : QCoreApplication::translate("TChordReading", kStackExplanationText));
    TStaffView& staff = page_.Staff;
    ClearStaff(staff);
    staff.ShowStaves(stavesOf(line()->Settings().Staff));
    const int count = stacks.empty() ? static_cast<int>(question.Notes.size()) : static_cast<int>(stacks.size());
    if (!stacks.empty()) {
        std::vector<TSpelling> spellings;
        for (const TChord& chord : stacks)
            for (const TSpelling& spelling : SpellingsInKey(chord, question.Key))
                spellings.push_back(spelling);
        staff.SetLine(question.Notes, spellings, question.Key, count);
    } else if (question.MusicKey >= 0)
        staff.SetMusicKeyLine(question.Notes, question.MusicKey, count);
    else
        staff.SetLine(question.Notes, question.Key, count);
    lineLength_ = count;
    duePlace_ = -1;
    cursorLeft_ = LineNoteLeft(0, count);
    if (line() && line()->InTime()) {
        staff.SetCursor(cursorLeft_ + kCursorBesideNote);
        beatTimer_.start(cursorStepMs(count));
        scheduleClicks(line()->FirstBeatOfLine() + count - 1);
    } else {
        staff.HideCursor();
    }
}

void TSightReading::NoteDue(const TQuestion& question, int index)
{
    if (question.Exercise != TExerciseKind::Line || index < 0 || index >= static_cast<int>(question.Notes.size()) ||
        (line() && line()->InTime()))
        return;
    const int place = question.Notes[std::size_t(index)].Place;
    if (place >= lineLength_)
        return;
    TStaffView& staff = page_.Staff;
    if (duePlace_ >= 0 && staff.PlaceMark(duePlace_) == TNoteMark::Due)
        staff.MarkPlace(duePlace_, TNoteMark::Plain);
    duePlace_ = place;
    cursorLeft_ = LineNoteLeft(place, lineLength_);
    if (staff.PlaceMark(place) == TNoteMark::Plain)
        staff.MarkPlace(place, TNoteMark::Due);
}

void TSightReading::AnswerJudged(const TJudgement& judgement)
{
    if (judgement.Exercise != TExerciseKind::Line || judgement.Place < 0 || judgement.Place >= lineLength_)
        return;
    // A wrong key at one's own pace leaves the note waiting with its miss shown; in time the
    // beat has gone by, so the note is missed for good.
    const bool inTime = line() && line()->InTime();
    page_.Staff.MarkPlace(judgement.Place,
                          judgement.Right ? TNoteMark::Right : (inTime ? TNoteMark::Missed : TNoteMark::Wrong));
}

void TSightReading::beat()
{
    const TLineExercise* exercise = line();
    if (!exercise || !exercise->InTime() || !page_.Core.Running()) {
        beatTimer_.stop();
        return;
    }
    if (page_.Core.Paused() != silenced_) {
        silenced_ = page_.Core.Paused();
        silenced_ ? cancelClicks() : resumeClicks();
    }
    page_.Core.Advance();
    if (lineLength_ == 0)
        return;
    // The cursor runs from a beat before the first note to the last, one note a beat.
    const auto sinceFirst = std::chrono::steady_clock::now() - exercise->BeatTime(exercise->FirstBeatOfLine());
    const double beats = std::clamp(std::chrono::duration<double>(sinceFirst).count() /
                                        std::chrono::duration<double>(exercise->BeatLength()).count(),
                                    -1.0, static_cast<double>(lineLength_ - 1));
    const double step = LineNoteLeft(1, lineLength_) - LineNoteLeft(0, lineLength_);
    // In whole pixels, and only when it moves: standing through the count-in and the bar between
    // lines, it costs no repaint.
    const double left = std::round(LineNoteLeft(0, lineLength_) + beats * step);
    if (left == cursorLeft_ && page_.Staff.CursorShown())
        return;
    cursorLeft_ = left;
    page_.Staff.SetCursor(cursorLeft_ + kCursorBesideNote);
}

// The time the cursor takes to move a pixel along a line of count places, within the steps' bounds.
int TSightReading::cursorStepMs(int count) const
{
    const double pixelsPerBeat = LineNoteLeft(1, std::max(count, 2)) - LineNoteLeft(0, std::max(count, 2));
    const double beatMs = std::chrono::duration<double, std::milli>(line()->BeatLength()).count();
    return static_cast<int>(
        std::lround(std::clamp(beatMs / pixelsPerBeat, kShortestCursorStepMs, kLongestCursorStepMs)));
}

// The metronome clicks every beat up to the end of the bar that holds the line's last note;
// the next line asks for the bar of rest before it and its own. Each batch is timed on the
// synthesizer's sample clock from one reading of the beat grid, so the clicks keep the grid.
void TSightReading::scheduleClicks(int lastBeat)
{
    constexpr int kBeatsPerBar = 4;
    TPianoSound* sound = sound_ ? sound_() : nullptr;
    const TLineExercise* exercise = line();
    const int to = (lastBeat / kBeatsPerBar + 1) * kBeatsPerBar;
    if (!sound || !exercise || to <= clickedTo_)
        return;
    using Ms = std::chrono::duration<double, std::milli>;
    const Ms firstDelay = exercise->BeatTime(clickedTo_) - std::chrono::steady_clock::now();
    sound->ScheduleClicks(firstDelay, Ms(exercise->BeatLength()), to - clickedTo_, kBeatsPerBar);
    clickedTo_ = to;
}

// Away from the page the clicks stop; back on it they go on from the next bar, on the grid the
// pause moved, so that what is heard is what is judged.
void TSightReading::resumeClicks()
{
    const TLineExercise* exercise = line();
    if (!exercise || lineLength_ == 0)
        return;
    constexpr int kBeatsPerBar = 4;
    const double beats = std::chrono::duration<double>(std::chrono::steady_clock::now() - exercise->BeatTime(0)) /
                         std::chrono::duration<double>(exercise->BeatLength());
    clickedTo_ = static_cast<int>(std::ceil(beats / kBeatsPerBar)) * kBeatsPerBar;
    scheduleClicks(exercise->FirstBeatOfLine() + lineLength_ - 1);
}

void TSightReading::cancelClicks()
{
    if (TPianoSound* sound = sound_ ? sound_() : nullptr)
        sound->CancelClicks();
}

void TSightReading::RunEnded(const TRunResult&)
{
    beatTimer_.stop();
    silenced_ = false;
    cancelClicks();
    clearLine();
    exercise_->setEnabled(true);
    tempo_->setEnabled(true);
    showLineKey();
    if (line())
        showTexts(LevelRowText(page_.Core.LevelRow().QuestionText),
                  LevelRowText(page_.Core.LevelRow().ExplanationText));
}

void TSightReading::Cleared()
{
    clearLine();
}

void TSightReading::clearLine()
{
    page_.Staff.ShowStaves(TStaffView::TStaves::Both);
    if (lineLength_ == 0 && !page_.Staff.CursorShown())
        return;
    page_.Staff.ClearLine();
    lineLength_ = 0;
    duePlace_ = -1;
    cursorLeft_ = -1;
}
