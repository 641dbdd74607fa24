#include "game/GameCore.h"

#include <QtGlobal>
#include <algorithm>

using lirasto::checkedAdd;
using lirasto::checkedSub;
using lirasto::ERangeError;

namespace {

constexpr int kPointsPerAnswer = 5;

bool isNote(int note)
{
    return note >= LowestMidiNote && note <= HighestMidiNote;
}

// The draw the game always made, in the same order of calls on the generator.
TQuestionChooser::TChoice uniformChoice()
{
    TQuestionChooser::TChoice choice;
    choice.Clef = 1 + Random(2);
    if (choice.Clef == 1)
        choice.Note = TrebleLowestNote + Random(TrebleHighestNote - TrebleLowestNote + 1);
    else
        choice.Note = BassLowestNote + Random(BassHighestNote - BassLowestNote + 1);
    return choice;
}

void checkChoice(const TQuestionChooser::TChoice& choice)
{
    const bool treble = choice.Clef == 1 && choice.Note >= TrebleLowestNote && choice.Note <= TrebleHighestNote;
    const bool bass = choice.Clef == 2 && choice.Note >= BassLowestNote && choice.Note <= BassHighestNote;
    if (!treble && !bass)
        throw ERangeError("Range check error: the question chooser gave note " + std::to_string(choice.Note) +
                          " on clef " + std::to_string(choice.Clef));
}

} // namespace

TGameCore::TGameCore() : clock_([] { return std::chrono::steady_clock::now(); })
{
    FillLevelTable();
}

void TGameCore::FillLevelTable()
{
    for (TLevel& row : LevelTable) {
        row.TimeLimit = 150;
        row.Goal = 300;
        row.KeysPerQuestion = 1;
        // Translated where they are shown, in the context named here.
        row.QuestionText = QT_TRANSLATE_NOOP("TGameCore", "What note is this? ");
        row.ExplanationText = QT_TRANSLATE_NOOP("TGameCore", "Click on any corresponding key on the keyboard!");
    }
}

void TGameCore::AddListener(TGameListener* listener)
{
    if (listener && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void TGameCore::RemoveListener(TGameListener* listener)
{
    std::erase(listeners_, listener);
}

void TGameCore::SetChooser(TQuestionChooser* chooser)
{
    chooser_ = chooser;
}

void TGameCore::SetClock(TClock clock)
{
    if (clock)
        clock_ = std::move(clock);
}

// A listener may remove itself or another while an event goes round; one
// removed is not called again.
template <typename Event>
void TGameCore::notify(Event event)
{
    const std::vector<TGameListener*> now = listeners_;
    for (TGameListener* listener : now)
        if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end())
            event(*listener);
}

void TGameCore::Start()
{
    // A key still held from the last run must not count in this one.
    releaseKeys(false);
    forgetAnswer();
    running_ = true;
    paused_ = false;
    QuestionDue = 1;
    QuestionsPosed = 0;
    Score = 0;
    SecondsLeft = LevelRow().TimeLimit;
    runStarted_ = std::chrono::system_clock::now();
    notify([this](TGameListener& l) { l.RunStarted(Level); });
}

void TGameCore::Tick()
{
    if (!running_ || paused_)
        return;
    SecondsLeft = checkedSub(SecondsLeft, 1);
    notify([this](TGameListener& l) { l.ClockTicked(SecondsLeft); });
    if (SecondsLeft == 0) {
        endRun(TRunEnd::Time);
        return;
    }
    if (QuestionDue != QuestionsPosed)
        poseQuestion();
}

void TGameCore::poseQuestion()
{
    ExpectedKeys = 0;
    CurrentKey = LevelKeys[Level];
    const int previous = QuestionsPosed == 0 ? 0 : CurrentNote;
    const TQuestionChooser::TChoice choice = chooser_ ? chooser_->Choose(Level, CurrentKey, previous) : uniformChoice();
    checkChoice(choice);
    CurrentClef = choice.Clef;
    CurrentNote = choice.Note;
    ExpectedKeys = PitchClassBit(PitchClass(CurrentNote));
    NoteSet = TNoteSet::Of(CurrentNote);
    QuestionsPosed = checkedAdd(QuestionsPosed, 1);
    questionShownAt_ = clock_();
    const TQuestion question{Level, CurrentKey, CurrentClef, CurrentNote};
    notify([&question](TGameListener& l) { l.QuestionPosed(question); });
}

void TGameCore::endRun(TRunEnd how)
{
    running_ = false;
    paused_ = false;
    TRunResult result;
    result.Level = Level;
    result.Score = Score;
    result.Passed = how == TRunEnd::Time && Score >= LevelRow().Goal;
    result.EndedBy = how;
    result.Started = runStarted_;
    result.Ended = std::chrono::system_clock::now();
    notify([&result](TGameListener& l) { l.RunEnded(result); });
    if (result.Passed && Level < LevelCount) {
        Level = checkedAdd(Level, 1);
        CurrentKey = LevelKeys[Level];
        notify([this](TGameListener& l) { l.LevelChanged(Level); });
    }
}

void TGameCore::Reset()
{
    const int32_t timeLimit = LevelRow().TimeLimit;
    if (running_)
        endRun(TRunEnd::Reset);
    SecondsLeft = timeLimit;
    Score = 0;
    CurrentKey = 0;
    notify([](TGameListener& l) { l.Cleared(); });
}

void TGameCore::SetLevel(int level)
{
    if (level < 1 || level > LevelCount)
        throw ERangeError("Range check error: level " + std::to_string(level) + " outside 1..12");
    Level = level;
    CurrentKey = LevelKeys[Level];
    RestartLevelClock();
    notify([this](TGameListener& l) { l.LevelChanged(Level); });
    notify([](TGameListener& l) { l.Cleared(); });
}

void TGameCore::RestartLevelClock()
{
    SecondsLeft = LevelRow().TimeLimit;
    Score = 0;
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
    questionShownAt_ += clock_() - pausedAt_;
}

bool TGameCore::QuestionOnDisplay() const
{
    return running_ && QuestionsPosed > 0 && QuestionDue == QuestionsPosed;
}

bool TGameCore::IsHeld(int note, TInputSource source) const
{
    return std::any_of(held_.begin(), held_.end(),
                       [&](const THeldKey& key) { return key.Note == note && key.Source == source; });
}

int TGameCore::mouseKeysHeld() const
{
    return static_cast<int>(std::count_if(held_.begin(), held_.end(),
                                          [](const THeldKey& key) { return key.Source == TInputSource::Mouse; }));
}

void TGameCore::KeyDown(int note, TInputSource source)
{
    if (!isNote(note))
        return;
    const int keysPerQuestion = std::max(1, LevelRow().KeysPerQuestion);
    if (source == TInputSource::Mouse) {
        // The mouse answers only during a run, and takes one press more than the
        // level asks for, as the drawn piano always did.
        if (!running_ || paused_ || mouseKeysHeld() > keysPerQuestion)
            return;
    } else if (IsHeld(note, source)) {
        return; // a repeat of a key already down, or a second note-on
    }
    held_.push_back({note, source});
    HeldKeyCount = static_cast<int32_t>(held_.size());
    const bool answering = running_ && !paused_;
    if (answering) {
        answerNotes_.push_back(note);
        PressedKeys = static_cast<TPitchClassSet>(PressedKeys | PitchClassBit(PitchClass(note)));
    }
    notify([note, source](TGameListener& l) { l.KeyDown(note, source); });
    // The keyboard and MIDI answer as soon as enough keys are down; the mouse on release.
    if (answering && source != TInputSource::Mouse && static_cast<int>(answerNotes_.size()) >= keysPerQuestion) {
        if (QuestionOnDisplay())
            judge(source);
        else
            forgetAnswer();
    }
}

void TGameCore::KeyUp(int note, TInputSource source)
{
    if (source == TInputSource::Mouse) {
        const int held = mouseKeysHeld();
        if (held == 0)
            return;
        if (running_ && held < LevelRow().KeysPerQuestion)
            return;
        // Only an open question is judged: not before the run's first note, not
        // after the run ended or was reset, and not again once answered right.
        const bool judged = QuestionOnDisplay() && !paused_;
        releaseKeys(true);
        if (judged)
            judge(source);
        else
            forgetAnswer();
        return;
    }
    const auto found = std::find_if(held_.begin(), held_.end(),
                                    [&](const THeldKey& key) { return key.Note == note && key.Source == source; });
    if (found == held_.end())
        return;
    held_.erase(found);
    HeldKeyCount = static_cast<int32_t>(held_.size());
    // A key let go before the answer was complete no longer counts in it.
    if (auto given = std::find(answerNotes_.begin(), answerNotes_.end(), note); given != answerNotes_.end()) {
        answerNotes_.erase(given);
        PressedKeys = 0;
        for (int n : answerNotes_)
            PressedKeys = static_cast<TPitchClassSet>(PressedKeys | PitchClassBit(PitchClass(n)));
    }
    notify([note, source](TGameListener& l) { l.KeyUp(note, source); });
}

void TGameCore::releaseKeys(bool mouseOnly)
{
    std::vector<THeldKey> released;
    std::erase_if(held_, [&](const THeldKey& key) {
        const bool release = !mouseOnly || key.Source == TInputSource::Mouse;
        if (release)
            released.push_back(key);
        return release;
    });
    HeldKeyCount = static_cast<int32_t>(held_.size());
    for (const THeldKey& key : released)
        notify([&key](TGameListener& l) { l.KeyUp(key.Note, key.Source); });
}

void TGameCore::forgetAnswer()
{
    answerNotes_.clear();
    PressedKeys = 0;
}

void TGameCore::judge(TInputSource source)
{
    TJudgement judgement;
    judgement.Question = {Level, CurrentKey, CurrentClef, CurrentNote};
    judgement.Expected = ExpectedKeys;
    judgement.KeysGiven = answerNotes_;
    judgement.PitchClassesGiven = PressedKeys;
    judgement.Source = source;
    judgement.AnswerTime = std::max(std::chrono::milliseconds(0),
                                    std::chrono::duration_cast<std::chrono::milliseconds>(clock_() - questionShownAt_));
    if (octaveExact_ && source == TInputSource::Midi)
        judgement.Right = !answerNotes_.empty() && std::all_of(answerNotes_.begin(), answerNotes_.end(),
                                                               [this](int n) { return n == CurrentNote; });
    else
        judgement.Right = PressedKeys == ExpectedKeys;
    if (judgement.Right) {
        QuestionDue = checkedAdd(QuestionDue, 1);
        Score = checkedAdd(Score, kPointsPerAnswer);
    } else if (mistakesCostPoints_) {
        Score = std::max(0, Score - kPointsPerAnswer);
    }
    forgetAnswer();
    notify([&judgement](TGameListener& l) { l.AnswerJudged(judgement); });
}
