#pragma once

#include "game/GameEvents.h"
#include "game/uVariables.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

// The rules of a run: start, tick, pose a question, keys going down and up,
// judging, scoring, the end of a run, reset and the choice of level. Inputs
// hand it notes; the staff, the piano, the labels, sound and history follow
// it as listeners. It knows nothing of a widget.
//
// The fields keep the names the game has always used for its state; the
// window's tests read them directly.
class TGameCore
{
public:
    using TClock = std::function<std::chrono::steady_clock::time_point()>;

    TGameCore();

    int32_t Level = 1;
    lirasto::RangeArray<TLevel, 1, 12> LevelTable;
    int32_t CurrentKey = 0;
    int32_t CurrentClef = 0; // 1 treble, 2 bass
    int32_t CurrentNote = 0;
    TPitchClassSet ExpectedKeys = 0;
    TNoteSet NoteSet;
    int32_t Score = 0;
    int32_t SecondsLeft = 0;
    int32_t QuestionDue = 0;
    int32_t QuestionsPosed = 0;
    // The pitch classes of the answer being given, and every key held down.
    TPitchClassSet PressedKeys = 0;
    int32_t HeldKeyCount = 0;

    // Every level: 150 seconds, 300 points, one key per question.
    void FillLevelTable();

    void AddListener(TGameListener* listener);
    void RemoveListener(TGameListener* listener);
    // nullptr: the uniform draw the game always made.
    void SetChooser(TQuestionChooser* chooser);
    // The clock the answer time is measured with; the steady clock by default.
    void SetClock(TClock clock);

    // MIDI and microphone answers count only when they are the very note written.
    void SetOctaveExact(bool on) { octaveExact_ = on; }
    bool OctaveExact() const { return octaveExact_; }
    // A wrong answer takes 5 points, never below 0.
    void SetMistakesCostPoints(bool on) { mistakesCostPoints_ = on; }
    bool MistakesCostPoints() const { return mistakesCostPoints_; }

    // Begins a run of the current level; the first question comes with the first tick.
    void Start();
    // One second of the run: the clock steps, the run ends at 0, else a question
    // is posed when the last one was answered right.
    void Tick();
    // Ends any run and clears the verdict; the staff goes back to C.
    void Reset();
    // The player chose a level (the list is closed during a run).
    void SetLevel(int level);
    // Score and time back to the level's start, as when the game page is shown idle.
    void RestartLevelClock();
    // The game page is left during a run: the clock stops and nothing is judged.
    void Pause();
    void Resume();

    // note is 0..127; anything else is ignored.
    void KeyDown(int note, TInputSource source);
    // A mouse release ends every mouse press at once, wherever it happens.
    void KeyUp(int note, TInputSource source);

    int CurrentLevel() const { return Level; }
    bool Running() const { return running_; }
    bool Paused() const { return paused_; }
    // A question is open from the tick that poses it until it is answered right.
    bool QuestionOnDisplay() const;
    bool IsHeld(int note, TInputSource source) const;
    const TLevel& LevelRow() const { return LevelTable[Level]; }

private:
    struct THeldKey
    {
        int Note;
        TInputSource Source;
    };

    void poseQuestion();
    void endRun(TRunEnd how);
    void judge(TInputSource source);
    void releaseKeys(bool mouseOnly);
    void forgetAnswer();
    int mouseKeysHeld() const;
    template <typename Event>
    void notify(Event event);

    std::vector<TGameListener*> listeners_;
    TQuestionChooser* chooser_ = nullptr;
    TClock clock_;
    bool octaveExact_ = false;
    bool mistakesCostPoints_ = false;
    bool running_ = false;
    bool paused_ = false;
    std::vector<THeldKey> held_;
    std::vector<int> answerNotes_;
    std::chrono::steady_clock::time_point questionShownAt_{};
    std::chrono::steady_clock::time_point pausedAt_{};
    std::chrono::system_clock::time_point runStarted_{};
};
