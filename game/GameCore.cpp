#include "game/GameCore.h"

#include "game/InputKinds.h"

#include <algorithm>

using lirasto::CheckedAdd;
using lirasto::CheckedSub;
using lirasto::ERangeError;

namespace {

constexpr int kPointsPerAnswer = 5;

bool isNote(int note)
{
    return note >= kLowestMidiNote && note <= kHighestMidiNote;
}

void checkLevel(int level)
{
    if (level < 1 || level > LevelCount)
        throw ERangeError("Range check error: level " + std::to_string(level) + " outside 1..12");
}

} // namespace

TGameCore::TGameCore()
    : clock_([] { return std::chrono::steady_clock::now(); }), levels_(std::make_unique<TLevelsExercise>()),
      exercise_(levels_.get())
{
    FillLevelTable();
}

TGameCore::~TGameCore() = default;

void TGameCore::FillLevelTable()
{
    levels_->FillLevelTable();
}

namespace {

template <typename TListenings>
auto findListener(TListenings& listeners, const TGameListener* listener)
{
    return std::find_if(listeners.begin(), listeners.end(),
                        [listener](const auto& l) { return l.Listener == listener; });
}

} // namespace

void TGameCore::AddListener(TGameListener* listener, TListenerStage stage)
{
    if (!listener || findListener(listeners_, listener) != listeners_.end())
        return;
    const auto after =
        std::find_if(listeners_.begin(), listeners_.end(), [stage](const TListening& l) { return l.Stage > stage; });
    listeners_.insert(after, {listener, stage});
}

void TGameCore::RemoveListener(TGameListener* listener)
{
    std::erase_if(listeners_, [listener](const TListening& l) { return l.Listener == listener; });
}

void TGameCore::SetChooser(TQuestionChooser* chooser)
{
    chooser_ = chooser;
    levels_->SetChooser(chooser);
}

void TGameCore::SetClock(TClock clock)
{
    if (clock)
        clock_ = std::move(clock);
}

void TGameCore::SetExercise(std::unique_ptr<TExercise> exercise)
{
    if (running_)
        Reset();
    chosen_ = std::move(exercise);
    exercise_ = chosen_ ? chosen_.get() : levels_.get();
    notify([](TGameListener& l) { l.ExerciseChanged(); });
}

// A listener may remove itself or another while an event goes round; one
// removed is not called again.
template <typename Event>
void TGameCore::notify(Event event)
{
    const std::vector<TListening> now = listeners_;
    for (const TListening& l : now)
        if (findListener(listeners_, l.Listener) != listeners_.end())
            event(*l.Listener);
}

void TGameCore::Start()
{
    // A key still held from the last run must not count in this one.
    releaseKeys(nullptr);
    forgetAnswer();
    running_ = true;
    paused_ = false;
    questionOpen_ = false;
    questionsPosed_ = 0;
    score_ = 0;
    secondsLeft_ = LevelRow().TimeLimit;
    runStarted_ = std::chrono::system_clock::now();
    exercise_->Begin(*this);
    notify([this](TGameListener& l) { l.RunStarted(level_); });
}

void TGameCore::Tick()
{
    if (!running_ || paused_)
        return;
    if (exercise_->Timed()) {
        secondsLeft_ = CheckedSub(secondsLeft_, 1);
        notify([this](TGameListener& l) { l.ClockTicked(secondsLeft_); });
        if (secondsLeft_ == 0) {
            endRun(TRunEnd::Time);
            return;
        }
    }
    if (!questionOpen_)
        exercise_->Tick(*this);
}

void TGameCore::Advance()
{
    if (running_ && !paused_)
        exercise_->Advance(*this, clock_());
}

void TGameCore::Pose(const TQuestion& question)
{
    question_ = question;
    key_ = question.Key;
    questionsPosed_ = CheckedAdd(questionsPosed_, 1);
    questionOpen_ = true;
    notify([this](TGameListener& l) { l.QuestionPosed(question_); });
    MakeDue(0);
}

void TGameCore::MakeDue(int place)
{
    if (place < 0 || place >= static_cast<int>(question_.Notes.size()))
        throw ERangeError("Range check error: place " + std::to_string(place) + " is not in the line");
    due_ = place;
    question_.Clef = question_.Notes[place].Clef;
    question_.Note = question_.Notes[place].Note;
    // Every note written at the place is asked for together (a chord's stack).
    expected_ = 0;
    for (const TWrittenNote& written : question_.Notes)
        if (written.Place == question_.Notes[place].Place)
            expected_ = static_cast<TPitchClassSet>(expected_ | PitchClassBit(PitchClass(written.Note)));
    // A wrong try leaves this alone: every try at a note is timed from when it became due.
    dueSince_ = clock_();
    notify([this](TGameListener& l) { l.NoteDue(question_, due_); });
}

void TGameCore::CloseQuestion()
{
    questionOpen_ = false;
}

void TGameCore::endRun(TRunEnd how)
{
    running_ = false;
    paused_ = false;
    TRunResult result;
    result.Level = level_;
    result.Score = score_;
    result.Passed = how == TRunEnd::Time && score_ >= LevelRow().Goal;
    result.EndedBy = how;
    result.Started = runStarted_;
    result.Ended = std::chrono::system_clock::now();
    notify([&result](TGameListener& l) { l.RunEnded(result); });
    // Only the levels themselves lead on to the next level; a practice of one's own keeps it.
    if (result.Passed && LevelsChosen() && level_ < LevelCount) {
        level_ = CheckedAdd(level_, 1);
        key_ = LevelKeys[level_];
        notify([this](TGameListener& l) { l.LevelChanged(level_); });
    }
}

void TGameCore::Reset()
{
    const int32_t timeLimit = LevelRow().TimeLimit;
    if (running_)
        endRun(TRunEnd::Reset);
    secondsLeft_ = timeLimit;
    score_ = 0;
    key_ = 0;
    notify([](TGameListener& l) { l.Cleared(); });
}

void TGameCore::SetLevel(int level)
{
    checkLevel(level);
    level_ = level;
    key_ = LevelKeys[level_];
    RestartLevelClock();
    notify([this](TGameListener& l) { l.LevelChanged(level_); });
    notify([](TGameListener& l) { l.Cleared(); });
}

void TGameCore::LoadLevel(int level)
{
    level_ = level;
}

void TGameCore::RestartLevelClock()
{
    secondsLeft_ = LevelRow().TimeLimit;
    score_ = 0;
}

void TGameCore::Pause()
{
    if (!running_ || paused_)
        return;
    paused_ = true;
    pausedAt_ = clock_();
}

void TGameCore::Resume()
{
    if (!paused_)
        return;
    paused_ = false;
    // The time away from the page is no time spent looking at the note.
    const auto away = clock_() - pausedAt_;
    dueSince_ += away;
    exercise_->Resumed(away);
}

bool TGameCore::QuestionOnDisplay() const
{
    return running_ && questionsPosed_ > 0 && questionOpen_;
}

bool TGameCore::IsHeld(int note, TInputSource source) const
{
    return std::any_of(held_.begin(), held_.end(),
                       [&](const THeldKey& key) { return key.Note == note && key.Source == source; });
}

int TGameCore::keysHeldBy(TInputSource source) const
{
    return static_cast<int>(
        std::count_if(held_.begin(), held_.end(), [source](const THeldKey& key) { return key.Source == source; }));
}

int TGameCore::keysPerAnswer() const
{
    return std::max(1, exercise_->KeysPerAnswer(level_));
}

void TGameCore::KeyDown(int note, TInputSource source)
{
    KeyDown(note, source, clock_());
}

void TGameCore::KeyDown(int note, TInputSource source, TGameTime at)
{
    if (!isNote(note))
        return;
    if (at == TGameTime{})
        at = clock_(); // an input that could not tell when the key went down
    const TInputKind& kind = InputKind(source);
    if (kind.PressAgainTakesBack && keysPerAnswer() > 1 && IsHeld(note, source)) {
        // A key given again is taken back from the answer of several keys being built.
        std::erase_if(held_, [&](const THeldKey& key) { return key.Note == note && key.Source == source; });
        if (auto given = std::find(answerNotes_.begin(), answerNotes_.end(), note); given != answerNotes_.end())
            takeBack(std::size_t(given - answerNotes_.begin()));
        notify([note, source](TGameListener& l) { l.KeyUp(note, source); });
        return;
    }
    if (kind.PressesOnlyDuringRun) {
        // The drawn piano answers only during a run, and takes one press more than
        // the answer asks for, as it always did.
        if (!running_ || paused_ || keysHeldBy(source) > keysPerAnswer())
            return;
    }
    if (kind.IgnoresRepeatedPress && IsHeld(note, source))
        return; // a repeat of a key already down, or a second note-on
    held_.push_back({note, source});
    const bool answering = running_ && !paused_;
    if (answering) {
        if (!kind.PressAgainTakesBack)
            dropStaleKeys(at);
        answerNotes_.push_back(note);
        answerTimes_.push_back(at);
        pressedKeys_ = static_cast<TPitchClassSet>(pressedKeys_ | PitchClassBit(PitchClass(note)));
    }
    notify([note, source](TGameListener& l) { l.KeyDown(note, source); });
    if (answering && !kind.AnswersOnRelease && static_cast<int>(answerNotes_.size()) >= keysPerAnswer()) {
        if (QuestionOnDisplay())
            judge(source, at);
        else
            forgetAnswer();
    }
}

void TGameCore::KeyUp(int note, TInputSource source)
{
    const TInputKind& kind = InputKind(source);
    if (kind.ReleaseEndsEveryKey) {
        const int held = keysHeldBy(source);
        if (held == 0)
            return;
        if (running_ && held < exercise_->KeysPerAnswer(level_))
            return;
        // Only an open question is judged: not before the run's first note, not
        // after the run ended or was reset, and not again once answered right.
        const bool judged = kind.AnswersOnRelease && QuestionOnDisplay() && !paused_;
        releaseKeys(&source);
        if (judged)
            judge(source, clock_());
        else
            forgetAnswer();
        return;
    }
    const auto found = std::find_if(held_.begin(), held_.end(),
                                    [&](const THeldKey& key) { return key.Note == note && key.Source == source; });
    if (found == held_.end())
        return;
    held_.erase(found);
    // A key let go before the answer was complete no longer counts in it.
    if (auto given = std::find(answerNotes_.begin(), answerNotes_.end(), note); given != answerNotes_.end())
        takeBack(std::size_t(given - answerNotes_.begin()));
    notify([note, source](TGameListener& l) { l.KeyUp(note, source); });
}

// only: the one input whose keys go; nullptr: every key.
void TGameCore::releaseKeys(const TInputSource* only)
{
    std::vector<THeldKey> released;
    std::erase_if(held_, [&](const THeldKey& key) {
        const bool release = !only || key.Source == *only;
        if (release)
            released.push_back(key);
        return release;
    });
    for (const THeldKey& key : released)
        notify([&key](TGameListener& l) { l.KeyUp(key.Note, key.Source); });
}

void TGameCore::forgetAnswer()
{
    answerNotes_.clear();
    answerTimes_.clear();
    pressedKeys_ = 0;
}

void TGameCore::takeBack(std::size_t given)
{
    answerNotes_.erase(answerNotes_.begin() + std::ptrdiff_t(given));
    answerTimes_.erase(answerTimes_.begin() + std::ptrdiff_t(given));
    pressedKeys_ = 0;
    for (int n : answerNotes_)
        pressedKeys_ = static_cast<TPitchClassSet>(pressedKeys_ | PitchClassBit(PitchClass(n)));
}

// Keys held together: one that went down more than the window before this one is still held,
// but it is no part of the same chord.
void TGameCore::dropStaleKeys(TGameTime at)
{
    for (std::size_t i = answerNotes_.size(); i-- > 0;)
        if (at - answerTimes_[i] > kChordWindow)
            takeBack(i);
}

void TGameCore::judge(TInputSource source, TGameTime at)
{
    const TGameTime first = answerTimes_.empty() ? at : *std::min_element(answerTimes_.begin(), answerTimes_.end());
    const TAnswerGiven given{answerNotes_, pressedKeys_, octaveExact_ && InputKind(source).HonoursOctaveExact, at,
                             std::min(first, at)};
    std::optional<TJudgement> judged = exercise_->Judge(*this, given);
    if (!judged) {
        forgetAnswer();
        return;
    }
    TJudgement& judgement = *judged;
    judgement.KeysGiven = answerNotes_;
    judgement.PitchClassesGiven = pressedKeys_;
    judgement.Source = source;
    judgement.AnswerTime =
        std::max(std::chrono::milliseconds(0), std::chrono::duration_cast<std::chrono::milliseconds>(at - dueSince_));
    forgetAnswer();
    score(judgement);
}

void TGameCore::Miss(TJudgement judgement)
{
    // The keys of a stack begun but not finished in its time belong to it, not to the next one.
    if (keysPerAnswer() > 1)
        forgetAnswer();
    judgement.Right = false;
    judgement.AnswerTime = std::max(std::chrono::milliseconds(0),
                                    std::chrono::duration_cast<std::chrono::milliseconds>(clock_() - dueSince_));
    score(judgement);
}

void TGameCore::score(TJudgement& judgement)
{
    if (judgement.Right)
        score_ = CheckedAdd(score_, kPointsPerAnswer);
    else if (mistakesCostPoints_)
        score_ = std::max(0, score_ - kPointsPerAnswer);
    notify([&judgement](TGameListener& l) { l.AnswerJudged(judgement); });
    exercise_->Judged(*this, judgement);
}
