#include "game/ChordExercise.h"

#include "core/Errors.h"

#include <algorithm>
#include <string>

namespace {

// The clefs a chord is written on, as TQuestion numbers them.
constexpr int kTreble = 1;
constexpr int kBass = 2;

} // namespace

void TChordSettings::Check() const
{
    if (Key < -1 || Key >= KeyCount)
        throw lirasto::ERangeError("Range check error: key " + std::to_string(Key) + " outside 0..11");
}

std::vector<TChord> ChordsFor(const TChordSettings& settings, int clef, int key)
{
    const int lowest = clef == kTreble ? kTrebleLowestNote : kBassLowestNote;
    const int highest = clef == kTreble ? kTrebleHighestNote : kBassHighestNote;
    std::vector<TChord> chords;
    for (const TChordType& type : ChordTypes(settings.Family)) {
        const int inversions = type.Family == TChordFamily::Intervals ? 1 : type.Size;
        // A root an octave below the range can still give an inversion within it.
        for (int root = lowest - 12; root <= highest; ++root) {
            for (int inversion = 0; inversion < inversions; ++inversion) {
                std::optional<TChord> chord = BuildChord(type, root, SpellNote(root, key).Natural, inversion);
                if (!chord || chord->Tones.front().Note < lowest || chord->Tones.back().Note > highest)
                    continue;
                if (settings.Chromatic || ChordInKey(*chord, key))
                    chords.push_back(std::move(*chord));
            }
        }
    }
    return chords;
}

TChordExercise::TChordExercise(TChordSettings settings) : settings_(settings)
{
    settings_.Check();
}

int TChordExercise::KeysPerAnswer(int) const
{
    if (chord_.Type != nullptr)
        return chord_.Type->Size;
    return ChordTypes(settings_.Family).front().Size;
}

void TChordExercise::Begin(TExerciseHost&)
{
    chord_ = {};
}

TStack DrawStack(const TChordSettings& settings, int key)
{
    TStack stack;
    stack.Clef = settings.Staff == TStaffChoice::Bass ? kBass : kTreble;
    if (settings.Staff == TStaffChoice::Grand)
        stack.Clef = 1 + Random(2);
    const std::vector<TChord> chords = ChordsFor(settings, stack.Clef, key);
    if (chords.empty())
        throw lirasto::ERangeError("Range check error: no chord fits the staff");
    stack.Chord = chords[std::size_t(Random(static_cast<int>(chords.size())))];
    return stack;
}

bool StackAnswered(const TChord& chord, const TAnswerGiven& answer)
{
    if (!answer.OctaveExact)
        return answer.PitchClasses == chord.PitchClasses();
    std::vector<int> given = answer.Notes;
    std::sort(given.begin(), given.end());
    return given == chord.Notes();
}

void TChordExercise::Tick(TExerciseHost& host)
{
    const int key = settings_.Key >= 0 ? settings_.Key : LevelKeys[host.Level()];
    const TStack stack = DrawStack(settings_, key);
    const int clef = stack.Clef;
    chord_ = stack.Chord;
    question_ = {host.Level(), key, clef, chord_.Tones.front().Note, {}, TExerciseKind::Chords};
    question_.Chord = LabelOf(chord_);
    for (const TChordTone& tone : chord_.Tones)
        question_.Notes.push_back({clef, tone.Note, 0});
    host.Pose(question_);
}

std::optional<TJudgement> TChordExercise::Judge(TExerciseHost& host, const TAnswerGiven& answer)
{
    TJudgement judgement;
    judgement.Question = question_;
    judgement.Exercise = TExerciseKind::Chords;
    judgement.Expected = chord_.PitchClasses();
    judgement.Right = StackAnswered(chord_, answer);
    if (judgement.Right)
        host.CloseQuestion();
    return judgement;
}
