#include "app/SightReading.h"

#include "app/Application.h"
#include "app/GameLabels.h"
#include "app/SoundHookup.h"
#include "app/uMain.h"
#include "audio/PianoSound.h"
#include "controls/SkinCtrls.h"
#include "game/GameCore.h"
#include "game/uFunctions.h"
#include "graphics/Layers.h"

#include <QMetaProperty>
#include <algorithm>

namespace {

const char* const kLevelsItem = QT_TRANSLATE_NOOP("TSightReading", "Levels");
const char* const kSightReadingItem = QT_TRANSLATE_NOOP("TSightReading", "Sight-reading");
const char* const kLineQuestionText = QT_TRANSLATE_NOOP("TSightReading", "Play the line from left to right! ");
const char* const kLineExplanationText =
    QT_TRANSLATE_NOOP("TSightReading", "The pointer shows the note due; any key of that note answers.");

QString tempoName(int bpm)
{
    return bpm == 0 ? TSightReading::tr("At your pace") : TSightReading::tr("%1 beats a minute").arg(bpm);
}

// Where the line lies across the staff: after the widest key signature, to the staff's end.
constexpr double kFirstNoteLeft = 150;
constexpr double kLastNoteLeft = 545;
// The cursor moves this often in time; the beats themselves are judged on the input's clock.
constexpr int kCursorStepMs = 15;

// A drop-down in the design's look: the level list's own properties, at another place.
TSkinComboBox* newChoice(TfMain& form, const char* name, QRect place)
{
    auto* box = new TSkinComboBox(form.cbLevel->parentWidget());
    const QMetaObject* meta = form.cbLevel->metaObject();
    for (int i = QComboBox::staticMetaObject.propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (property.isWritable() && property.isStored())
            property.write(box, property.read(form.cbLevel));
    }
    box->setFont(form.cbLevel->font());
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(place);
    box->show();
    return box;
}

void freeLayer(TBitmapLayer*& layer)
{
    delete std::exchange(layer, nullptr);
}

} // namespace

TSightReading::TSightReading(TfMain& form) : form_(form)
{
    exercise_ = newChoice(form, "cbExercise", QRect(600, 6, 170, form.cbLevel->height()));
    exercise_->addItems({tr(kLevelsItem), tr(kSightReadingItem)});
    tempo_ = newChoice(form, "cbTempo", QRect(600, 285, 170, form.cbLevel->height()));
    for (int bpm : kTempos)
        tempo_->addItem(tempoName(bpm));
    tempo_->setVisible(false);
    exercise_->OnChange = [this](QObject*) { RunGuarded([this] { choiceChanged(); }); };
    tempo_->OnChange = exercise_->OnChange;
    summary_.OnText = [this](const std::string& text) {
        form_.lProgress->SetFontColor(QColor(0, 0, 0));
        form_.lProgress->SetCaption(QString::fromStdString(text));
    };
    beatTimer_.setTimerType(Qt::PreciseTimer);
    beatTimer_.setInterval(kCursorStepMs);
    connect(&beatTimer_, &QTimer::timeout, this, [this] { RunGuarded([this] { beat(); }); });
    form_.Core().AddListener(this);
    form_.Core().AddListener(&summary_);
}

TSightReading::~TSightReading()
{
    exercise_->OnChange = nullptr;
    tempo_->OnChange = nullptr;
    form_.Core().RemoveListener(&summary_);
    form_.Core().RemoveListener(this);
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
    exercise_->setCurrentIndex(line ? 1 : 0);
    choiceChanged();
}

bool TSightReading::LineChosen() const
{
    return exercise_->currentIndex() == 1;
}

void TSightReading::choiceChanged()
{
    tempo_->setVisible(LineChosen());
    if (!LineChosen()) {
        form_.Core().SetExercise(nullptr);
        return;
    }
    const int index = tempo_->currentIndex();
    if (index >= 0 && index < static_cast<int>(std::size(kTempos)))
        settings_.Tempo = kTempos[index];
    form_.Core().SetExercise(std::make_unique<TLineExercise>(settings_));
}

const TLineExercise* TSightReading::line() const
{
    return dynamic_cast<const TLineExercise*>(&form_.Core().Exercise());
}

double TSightReading::LineNoteLeft(int place, int count)
{
    return count <= 1 ? kFirstNoteLeft : kFirstNoteLeft + (kLastNoteLeft - kFirstNoteLeft) * place / (count - 1);
}

int TSightReading::MarkAt(int place) const
{
    return place >= 0 && place < static_cast<int>(notes_.size()) ? notes_[place].MarkKind : -1;
}

double TSightReading::CursorLeft() const
{
    return cursor_ ? cursor_->Location().Left : -1;
}

void TSightReading::RunStarted(int)
{
    clickedTo_ = 0;
    exercise_->setEnabled(false);
    tempo_->setEnabled(false);
}

void TSightReading::showTexts(const QString& question, const QString& explanation)
{
    form_.lQuestion->SetCaption(question);
    form_.lExplanation->SetCaption(explanation);
}

void TSightReading::QuestionPosed(const TQuestion& question)
{
    if (question.Exercise != TExerciseKind::Line)
        return;
    // The page turns: the last line goes, the new one is drawn whole.
    clearLine();
    showTexts(tr(kLineQuestionText), tr(kLineExplanationText));
    ::ClearStaff();
    ShowKeySignature(question.Key);
    const int count = static_cast<int>(question.Notes.size());
    for (const TWrittenNote& note : question.Notes) {
        const TLineNoteLayers drawn = DrawNoteAt(note.Clef, note.Note, question.Key, LineNoteLeft(note.Place, count));
        TDrawnNote& kept = notes_.emplace_back();
        for (TBitmapLayer* layer : {drawn.Ledger, drawn.Accidental, drawn.Note})
            if (layer)
                kept.Layers.push_back(layer);
    }
    cursor_ = DrawMarkAt(PointerMarkPicture, LineNoteLeft(0, count));
    if (line() && line()->InTime()) {
        beatTimer_.start();
        scheduleClicks(line()->FirstBeatOfLine() + count - 1);
    }
}

void TSightReading::NoteDue(const TQuestion& question, int place)
{
    if (question.Exercise != TExerciseKind::Line || !cursor_ || (line() && line()->InTime()))
        return;
    PlaceLayer(cursor_, LineNoteLeft(place, static_cast<int>(question.Notes.size())) + EvaluationMarkLeft - ::NoteLeft,
               EvaluationMarkTop);
}

void TSightReading::AnswerJudged(const TJudgement& judgement)
{
    if (judgement.Exercise == TExerciseKind::Line)
        setMark(judgement.Place, judgement.Right ? RightMarkPicture : WrongMarkPicture);
}

void TSightReading::setMark(int place, int kind)
{
    if (place < 0 || place >= static_cast<int>(notes_.size()))
        return;
    TDrawnNote& note = notes_[place];
    freeLayer(note.Mark);
    note.Mark = DrawMarkAt(kind, LineNoteLeft(place, static_cast<int>(notes_.size())));
    note.MarkKind = kind;
}

void TSightReading::beat()
{
    const TLineExercise* exercise = line();
    if (!exercise || !exercise->InTime() || !form_.Core().Running()) {
        beatTimer_.stop();
        return;
    }
    form_.Core().Advance();
    if (!cursor_ || notes_.empty())
        return;
    // The cursor runs from a beat before the first note to the last, one note a beat.
    const auto sinceFirst = std::chrono::steady_clock::now() - exercise->BeatTime(exercise->FirstBeatOfLine());
    const double beats = std::clamp(std::chrono::duration<double>(sinceFirst).count() /
                                        std::chrono::duration<double>(exercise->BeatLength()).count(),
                                    -1.0, static_cast<double>(notes_.size() - 1));
    const int count = static_cast<int>(notes_.size());
    const double step = LineNoteLeft(1, count) - LineNoteLeft(0, count);
    PlaceLayer(cursor_, LineNoteLeft(0, count) + beats * step + EvaluationMarkLeft - ::NoteLeft, EvaluationMarkTop);
    form_.ImgClefs->Changed();
}

// The metronome clicks every beat up to the end of the bar that holds the line's last note;
// the next line asks for the bar of rest before it and its own. Each batch is timed on the
// synthesizer's sample clock from one reading of the beat grid, so the clicks keep the grid.
void TSightReading::scheduleClicks(int lastBeat)
{
    constexpr int kBeatsPerBar = 4;
    TSoundHookup* sound = form_.SoundHookup();
    const TLineExercise* exercise = line();
    const int to = (lastBeat / kBeatsPerBar + 1) * kBeatsPerBar;
    if (!sound || !exercise || to <= clickedTo_)
        return;
    using Ms = std::chrono::duration<double, std::milli>;
    const Ms firstDelay = exercise->BeatTime(clickedTo_) - std::chrono::steady_clock::now();
    sound->Sound().scheduleClicks(firstDelay, Ms(exercise->BeatLength()), to - clickedTo_, kBeatsPerBar);
    clickedTo_ = to;
}

void TSightReading::RunEnded(const TRunResult&)
{
    beatTimer_.stop();
    if (TSoundHookup* sound = form_.SoundHookup())
        sound->Sound().cancelClicks();
    clearLine();
    exercise_->setEnabled(true);
    tempo_->setEnabled(true);
    if (line())
        showTexts(LevelRowText(form_.Core().LevelRow().QuestionText),
                  LevelRowText(form_.Core().LevelRow().ExplanationText));
}

void TSightReading::Cleared()
{
    clearLine();
}

void TSightReading::clearLine()
{
    for (TDrawnNote& note : notes_) {
        for (TBitmapLayer*& layer : note.Layers)
            freeLayer(layer);
        freeLayer(note.Mark);
    }
    notes_.clear();
    freeLayer(cursor_);
    form_.ImgClefs->Changed();
}
