#include "app/play/ChordReading.h"

#include "app/language/Language.h"
#include "app/play/SightReading.h"
#include "controls/SkinCtrls.h"
#include "game/GameCore.h"
#include "game/LineExercise.h"
#include "game/NoteNames.h"
#include "game/StaffView.h"
#include "game/uFunctions.h"

#include <QMetaProperty>
#include <algorithm>

namespace {

const char* const kChordQuestionText = QT_TRANSLATE_NOOP("TChordReading", "Play the chord! ");
const char* const kIntervalQuestionText = QT_TRANSLATE_NOOP("TChordReading", "Play the interval! ");
const char* const kChordExplanationText =
    QT_TRANSLATE_NOOP("TChordReading", "Hold all its keys down together, or click them one after another.");

// The stack stands in the middle of three places, the wrong keys given at the right of it.
constexpr int kPlaces = 4;
constexpr int kStackPlace = 1;
constexpr int kWrongPlace = 2;
// A key given is drawn within this many semitones of the stack, moved by octaves, so that it
// stays within the ledger lines the staff draws (a stack spans more than this already, so
// every pitch class has a place there).
constexpr int kReach = 6;

// A label in the look of the explanation under the staff, at another place.
TSkinLabel* newLabel(TSkinLabel& explanation, QRect place)
{
    auto* label = new TSkinLabel(explanation.parentWidget());
    const QMetaObject* meta = explanation.metaObject();
    for (int i = QWidget::staticMetaObject.propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (property.isWritable() && property.isStored() && property.name() != QByteArray("Caption"))
            property.write(label, property.read(&explanation));
    }
    label->setFont(explanation.font());
    label->setObjectName(QStringLiteral("lChordName"));
    label->SetAutoSize(false);
    label->setGeometry(place);
    label->show();
    return label;
}

} // namespace

TChordReading::TChordReading(const TGamePage& page) : page_(page)
{
    // Under the verdict, clear of a line's tempo list above it.
    name_ = newLabel(*page_.lExplanation, QRect(600, 342, 195, 20));
    page_.Core.AddListener(this);
}

TChordReading::~TChordReading()
{
    page_.Core.RemoveListener(this);
}

QString TChordReading::ChordName(const TChord& chord)
{
    return ChordNameShown(chord);
}

QString TChordReading::NameShown() const
{
    return name_->Caption();
}

const TChordExercise* TChordReading::exercise() const
{
    return dynamic_cast<const TChordExercise*>(&page_.Core.Exercise());
}

void TChordReading::QuestionPosed(const TQuestion& question)
{
    if (question.Exercise == TExerciseKind::Line)
        name_->SetCaption(QString()); // a new line: no stack of it judged yet
    if (question.Exercise != TExerciseKind::Chords || !exercise())
        return;
    const TChord& chord = exercise()->Chord();
    const bool interval = chord.Type != nullptr && chord.Type->Family == TChordFamily::Intervals;
    page_.lQuestion->SetCaption(tr(interval ? kIntervalQuestionText : kChordQuestionText));
    page_.lExplanation->SetCaption(tr(kChordExplanationText));
    question_ = question;
    spellings_ = SpellingsInKey(chord, question.Key);
    wrong_.clear();
    name_->SetCaption(QString());
    draw(false);
    page_.Staff.MarkNote(0, TNoteMark::Due);
}

void TChordReading::AnswerJudged(const TJudgement& judgement)
{
    // A stack of a line is named as a single stack is; the line itself marks it on the staff.
    if (const auto* line = CurrentLine(page_.Core); line && judgement.Exercise == TExerciseKind::Line &&
                                                    judgement.Place >= 0 &&
                                                    judgement.Place < static_cast<int>(line->Stacks().size())) {
        name_->SetCaption(ChordName(line->Stacks()[static_cast<std::size_t>(judgement.Place)]));
        return;
    }
    if (judgement.Exercise != TExerciseKind::Chords || !shown_ || !exercise())
        return;
    name_->SetCaption(ChordName(exercise()->Chord()));
    // The keys given that the stack does not hold, each once, drawn near the stack.
    const std::vector<int> asked = exercise()->Chord().Notes();
    const int bottom = asked.front(), top = asked.back();
    wrong_.clear();
    for (int note : judgement.KeysGiven) {
        const bool right = page_.Core.OctaveExact() ? std::find(asked.begin(), asked.end(), note) != asked.end()
                                                    : HasPitchClass(judgement.Expected, PitchClass(note));
        if (right)
            continue;
        while (note < bottom - kReach)
            note += 12;
        while (note > top + kReach)
            note -= 12;
        if (std::find(wrong_.begin(), wrong_.end(), note) == wrong_.end())
            wrong_.push_back(note);
    }
    draw(judgement.Right);
}

void TChordReading::draw(bool right)
{
    std::vector<TWrittenNote> notes;
    std::vector<TSpelling> spellings = spellings_;
    for (const TWrittenNote& n : question_.Notes)
        notes.push_back({n.Clef, n.Note, kStackPlace});
    for (int note : wrong_) {
        notes.push_back({question_.Clef, note, kWrongPlace});
        spellings.push_back(SpellNote(note, question_.Key));
    }
    TStaffView& staff = page_.Staff;
    staff.Change([&] {
        ClearStaff(staff);
        staff.SetLine(notes, spellings, question_.Key, kPlaces);
        for (std::size_t i = 0; i < notes.size(); ++i)
            if (i >= question_.Notes.size())
                staff.MarkNote(int(i), TNoteMark::Wrong);
            else if (right)
                staff.MarkNote(int(i), TNoteMark::Right);
    });
    shown_ = true;
}

void TChordReading::clear()
{
    name_->SetCaption(QString());
    if (!shown_)
        return;
    shown_ = false;
    wrong_.clear();
    page_.Staff.ClearLine();
}

void TChordReading::RunEnded(const TRunResult&)
{
    clear();
}

void TChordReading::Cleared()
{
    clear();
}
