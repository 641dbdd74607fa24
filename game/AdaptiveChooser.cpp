#include "game/AdaptiveChooser.h"

#include "game/MusicKeys.h"

#include <algorithm>
#include <cmath>
#include <utility>

// How the weights come about
//
// Each question (a clef and a note) keeps a mastery estimate, 0..1, moved
// kLearnRate of the way towards the score of every answer: 0 for a miss and
// for the right answer that follows a miss (the question was missed), and
// for a right first try 1 when it came within kFastMs, falling to 0.5 at
// kSlowMs and beyond. The moving average lets recent answers count most, so a
// note missed lately weighs heavily even after many right answers long ago,
// and a learnt note leaves the drill after two or three fast answers.
//
// Mastery fades with time, as memory does: the chance the player still reads
// a note is taken as mastery * 2^(-elapsed / halfLife). As in spaced
// repetition, every right-and-fast first try in a row doubles the half-life
// (from a quarter of an hour), so a note known well comes back seldom, and
// further apart each time, but does come back. A miss starts again.
//
// The weight rises with what is still to learn, need = 1 - chance of reading
// it: 1 + kNeedWeight * need^2. The square keeps a half-known note closer to
// a known one than to a missed one, so the draws go to what is really weak.
// A note never posed weighs kNewWeight, a third of a missed one: it comes
// soon without crowding out a note the player has just missed. No weight is
// below 1 and the heaviest is 41, so no note is left out: among 67 known
// notes and one missed, a known note still has a chance of 1 in 108.
//
// The figures were set by simulating players (tests/game/SimulatedPlayers):
// three notes missed in a hundred questions are posed about five times as
// often as by a uniform draw, and a learner knows all notes in about 45 %
// fewer questions.
namespace {

constexpr double kLearnRate = 0.7;
constexpr double kSlowRightScore = 0.5;
constexpr int64_t kFastMs = 1500;
constexpr int64_t kSlowMs = 6000;
constexpr double kFirstHalfLife = 900.0; // seconds
constexpr int kLongestStreak = 14;       // about half a year's half-life
constexpr double kNeedWeight = 40.0;
constexpr double kNewWeight = 12.0;
// Weights are drawn as whole numbers of this many parts.
constexpr double kWeightParts = 100.0;

double seconds(std::chrono::system_clock::time_point at)
{
    return std::chrono::duration<double>(at.time_since_epoch()).count();
}

double rightScore(int64_t answerMs)
{
    if (answerMs <= kFastMs)
        return 1.0;
    if (answerMs >= kSlowMs)
        return kSlowRightScore;
    const double late = double(answerMs - kFastMs) / double(kSlowMs - kFastMs);
    return 1.0 - late * (1.0 - kSlowRightScore);
}

} // namespace

void TAdaptiveChooser::reset(int key)
{
    states_ = {};
    key_ = key;
    now_ = 0;
    lastClef_ = lastNote_ = 0;
    lastMissed_ = false;
}

void TAdaptiveChooser::Load(int key, const std::vector<TPastAnswer>& answers, std::chrono::system_clock::time_point now)
{
    reset(key);
    for (const TPastAnswer& answer : answers) {
        now_ = std::max(now_, seconds(answer.At));
        learn(answer.Clef, answer.Note, answer.Right, answer.AnswerMs, seconds(answer.At));
    }
    now_ = std::max(now_, seconds(now));
    // The coming run poses its own questions: a miss that ended the last
    // session makes its first answer to that note no second try.
    lastMissed_ = false;
}

TAdaptiveChooser::TNoteState* TAdaptiveChooser::stateOf(int clef, int note)
{
    return const_cast<TNoteState*>(std::as_const(*this).stateOf(clef, note));
}

const TAdaptiveChooser::TNoteState* TAdaptiveChooser::stateOf(int clef, int note) const
{
    // The levels ask only their ranges on the treble and bass staves; a practice of the player's own
    // may ask any note on any clef.
    const bool levels = key_ != kAnyKey;
    if (levels && clef == 1 && (note < kTrebleLowestNote || note > kTrebleHighestNote))
        return nullptr;
    if (levels && clef == 2 && (note < kBassLowestNote || note > kBassHighestNote))
        return nullptr;
    if (clef < 1 || clef > kClefs || note < kLowestMidiNote || note > kHighestMidiNote)
        return nullptr;
    return &states_[static_cast<std::size_t>((clef - 1) * (kHighestMidiNote + 1) + note)];
}

void TAdaptiveChooser::learn(int clef, int note, bool right, int64_t answerMs, double at)
{
    TNoteState* state = stateOf(clef, note);
    if (!state)
        return; // a note outside the ranges, from an older or edited history
    // The same question is never posed twice in a row, so an answer to the
    // note just missed is a second try at the same question.
    const bool retry = lastMissed_ && clef == lastClef_ && note == lastNote_;
    const double score = right && !retry ? rightScore(answerMs) : 0.0;
    if (state->Questions == 0)
        state->Mastery = score;
    else
        state->Mastery += kLearnRate * (score - state->Mastery);
    if (!retry)
        ++state->Questions;
    if (!right)
        state->Streak = 0;
    else if (!retry && score >= 0.75)
        state->Streak = std::min(state->Streak + 1, kLongestStreak);
    state->LastSeen = at;
    lastClef_ = clef;
    lastNote_ = note;
    lastMissed_ = !right;
}

void TAdaptiveChooser::AnswerJudged(const TJudgement& judgement)
{
    // Single notes only: a stack is read as a whole, not note by note. A line in a minor key, or in
    // another spelling of the major key (F sharp for G flat), is not read as the key's questions are.
    const int musicKey = judgement.Question.MusicKey;
    if (judgement.Exercise == TExerciseKind::Chords || judgement.Question.Chord.Type != 0)
        return; // a stack, alone or in a line
    if (key_ != kAnyKey && (judgement.Question.Key != key_ ||
                            (musicKey >= 0 && key_ >= 0 && key_ < 12 && musicKey != MusicKeyOfLevelKey(key_))))
        return;
    // The chooser's clock runs on the answers themselves, which keeps a run
    // reproducible from its history.
    now_ += std::max<int64_t>(0, judgement.AnswerTime.count()) / 1000.0;
    learn(judgement.Question.Clef, judgement.Question.Note, judgement.Right, judgement.AnswerTime.count(), now_);
}

double TAdaptiveChooser::Weight(int clef, int note) const
{
    const TNoteState* state = stateOf(clef, note);
    if (!state)
        return 0.0;
    if (state->Questions == 0)
        return kNewWeight;
    const double halfLife = kFirstHalfLife * std::exp2(state->Streak);
    const double chance = state->Mastery * std::exp2(-std::max(0.0, now_ - state->LastSeen) / halfLife);
    const double need = 1.0 - std::clamp(chance, 0.0, 1.0);
    return 1.0 + kNeedWeight * need * need;
}

TQuestionChooser::TChoice TAdaptiveChooser::Choose(int /*level*/, int key, int previousNote)
{
    if (key != key_)
        reset(key);
    std::array<int, kTrebleCount + kBassCount> parts{};
    int total = 0;
    for (size_t i = 0; i < parts.size(); ++i) {
        const bool treble = i < size_t(kTrebleCount);
        const int note = treble ? kTrebleLowestNote + int(i) : kBassLowestNote + int(i) - kTrebleCount;
        // The same note never comes twice in a row, on either staff.
        if (note == previousNote)
            continue;
        parts[i] = std::max(1, int(std::lround(Weight(treble ? 1 : 2, note) * kWeightParts)));
        total += parts[i];
    }
    int pick = Random(total);
    size_t i = 0;
    while (pick >= parts[i])
        pick -= parts[i++];
    if (i < size_t(kTrebleCount))
        return {1, kTrebleLowestNote + int(i)};
    return {2, kBassLowestNote + int(i) - kTrebleCount};
}

std::optional<std::size_t> TAdaptiveChooser::ChooseAmong(const std::vector<TWrittenNote>& notes, int /*musicKey*/,
                                                         int previousNote)
{
    std::vector<int> parts(notes.size(), 0);
    int total = 0;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        // The same note never comes twice in a row, unless it is the only one.
        if (notes[i].Note == previousNote && notes.size() > 1)
            continue;
        const double weight = stateOf(notes[i].Clef, notes[i].Note) ? Weight(notes[i].Clef, notes[i].Note) : kNewWeight;
        parts[i] = std::max(1, int(std::lround(weight * kWeightParts)));
        total += parts[i];
    }
    int pick = Random(total);
    std::size_t i = 0;
    while (pick >= parts[i])
        pick -= parts[i++];
    return i;
}
