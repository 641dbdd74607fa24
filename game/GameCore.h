#pragma once

#include "game/Exercise.h"
#include "game/GameEvents.h"
#include "game/LevelsExercise.h"
#include "game/uVariables.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// The rules every run shares: start, the clock, pause and resume, keys going
// down and up, scoring, the end of a run, reset and the choice of level. What
// is asked and how an answer is judged is the exercise's (the levels unless
// another is chosen). Inputs hand it notes; the staff, the piano, the labels,
// sound and history follow it as listeners. It knows nothing of a widget.
class TGameCore : private TExerciseHost
{
public:
    using TClock = std::function<TGameTime()>;

    // Keys held together answer one question of several keys when they all went down within
    // this time of the first; a key older than that no longer counts in the answer.
    static constexpr std::chrono::milliseconds kChordWindow{1000};

    TGameCore();
    ~TGameCore();

    // Every level: 150 seconds, 300 points, one key per question.
    void FillLevelTable();

    // The order listeners hear each event in, whatever order they were added in; within a stage, the
    // order they were added in. First what shows it (the staff, the piano, the labels, the exercise's own
    // views); then the window paints that at once, so the player sees a key lit and a verdict before
    // anything else takes its turn; then the sound, so that a note is heard without waiting on the disk;
    // last what keeps it (the history, whose write may wait for a file another program holds).
    enum class TListenerStage { Show, Paint, Sound, Keep };
    void AddListener(TGameListener* listener, TListenerStage stage = TListenerStage::Show);
    void RemoveListener(TGameListener* listener);
    // nullptr: the uniform draw the game always made (the levels' questions).
    void SetChooser(TQuestionChooser* chooser);
    // The clock answer times and beats are measured with; the steady clock by default.
    void SetClock(TClock clock);
    // The way of practising from the next Start on; nullptr goes back to the levels.
    // Ends a run going on, as Reset does.
    void SetExercise(std::unique_ptr<TExercise> exercise);
    const TExercise& Exercise() const { return *exercise_; }
    // The twelve levels are practised (no other exercise is chosen).
    bool LevelsChosen() const { return exercise_ == levels_.get(); }

    // MIDI and microphone answers count only when they are the very note written.
    void SetOctaveExact(bool on) { octaveExact_ = on; }
    bool OctaveExact() const { return octaveExact_; }
    // A wrong answer takes 5 points, never below 0.
    void SetMistakesCostPoints(bool on) { mistakesCostPoints_ = on; }
    bool MistakesCostPoints() const { return mistakesCostPoints_; }

    // Begins a run of the current level; the first question comes with the first tick.
    void Start();
    // One second of the run: the clock steps, a timed run ends at 0, else a question
    // is posed when none is open.
    void Tick();
    // Time passes between ticks: an exercise in time judges the beats gone by.
    void Advance();
    // Ends any run and clears the verdict; the staff goes back to C.
    void Reset();
    // The player chose a level (the list is closed during a run).
    void SetLevel(int level);
    // The level kept from the last session, set before the window shows it; no listener is told.
    // One outside 1..12 raises ERangeError where its row is first read.
    void LoadLevel(int level);
    // Score and time back to the level's start, as when the game page is shown idle.
    void RestartLevelClock();
    // The game page is left during a run: the clock stops and nothing is judged.
    void Pause();
    void Resume();

    // note is 0..127; anything else is ignored. at is when the key went down on the
    // input's own clock (a MIDI event's time stamp); without it, or when it is empty, now.
    void KeyDown(int note, TInputSource source);
    void KeyDown(int note, TInputSource source, TGameTime at);
    // A mouse release ends every mouse press at once, wherever it happens.
    void KeyUp(int note, TInputSource source);

    int Level() const override { return level_; }
    int CurrentLevel() const { return level_; }
    int Score() const { return score_; }
    int SecondsLeft() const { return secondsLeft_; }
    // The key the staff shows: the question's, the level's when idle, C after a reset.
    int CurrentKey() const { return key_; }
    // The question on the staff and the note of it due now.
    const TQuestion& Question() const { return question_; }
    int CurrentClef() const { return question_.Clef; }
    int CurrentNote() const { return question_.Note; }
    int NoteDuePlace() const { return due_; }
    TPitchClassSet ExpectedKeys() const { return expected_; }
    // Questions posed in this run, and the number of the one awaited (one more once answered).
    int QuestionsPosed() const { return questionsPosed_; }
    int QuestionDue() const { return questionsPosed_ + (questionOpen_ ? 0 : 1); }
    // The pitch classes of the answer being given, and every key held down.
    TPitchClassSet PressedKeys() const { return pressedKeys_; }
    int HeldKeyCount() const { return static_cast<int>(held_.size()); }

    bool Running() const { return running_; }
    bool Paused() const { return paused_; }
    // A question is open from the tick that poses it until it is answered.
    bool QuestionOnDisplay() const;
    bool IsHeld(int note, TInputSource source) const;
    const TLevel& LevelRow() const { return levels_->Row(level_); }

private:
    struct THeldKey
    {
        int Note;
        TInputSource Source;
    };

    // What the core lends its exercise.
    TGameTime Now() const override { return clock_(); }
    void Pose(const TQuestion& question) override;
    void MakeDue(int place) override;
    void CloseQuestion() override;
    void Miss(TJudgement judgement) override;
    TQuestionChooser* Chooser() const override { return chooser_; }

    void endRun(TRunEnd how);
    void judge(TInputSource source, TGameTime at);
    void score(TJudgement& judgement);
    void releaseKeys(const TInputSource* only);
    void forgetAnswer();
    void takeBack(std::size_t given);
    void dropStaleKeys(TGameTime at);
    int keysHeldBy(TInputSource source) const;
    int keysPerAnswer() const;
    template <typename Event>
    void notify(Event event);

    struct TListening
    {
        TGameListener* Listener;
        TListenerStage Stage;
    };
    std::vector<TListening> listeners_; // by stage
    TQuestionChooser* chooser_ = nullptr;
    TClock clock_;
    std::unique_ptr<TLevelsExercise> levels_;
    std::unique_ptr<TExercise> chosen_; // another exercise than the levels, when one is chosen
    TExercise* exercise_;
    int level_ = 1;
    int key_ = 0;
    int score_ = 0;
    int secondsLeft_ = 0;
    TQuestion question_;
    int due_ = 0;
    TPitchClassSet expected_ = 0;
    int questionsPosed_ = 0;
    bool questionOpen_ = false;
    bool octaveExact_ = false;
    bool mistakesCostPoints_ = false;
    bool running_ = false;
    bool paused_ = false;
    std::vector<THeldKey> held_;
    std::vector<int> answerNotes_;
    std::vector<TGameTime> answerTimes_; // when each of answerNotes_ went down
    TPitchClassSet pressedKeys_ = 0;
    TGameTime dueSince_{};
    TGameTime pausedAt_{};
    std::chrono::system_clock::time_point runStarted_{};
};
