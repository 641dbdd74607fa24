#pragma once

#include "game/GameEvents.h"

class TGameCore;
class TPianoHighlight;
class TStaffView;
class TNotesExercise;

// Single notes of the player's own clef, key and range on the game page: each question written
// on the staff as a line of one note is (any clef, any of the thirty keys, doubles where the key
// calls for them) with the pointing hand over it, the verdict on the note, and the piano's keys
// outside the range dimmed while they are practised.
class TNotesReading : public TGameListener
{
public:
    TNotesReading(const TGameCore& core, TStaffView& staff, TPianoHighlight& piano);

    void QuestionPosed(const TQuestion& question) override;
    void AnswerJudged(const TJudgement& judgement) override;
    void RunEnded(const TRunResult& result) override;
    void Cleared() override;

    // A note of the thirty keys stands in the middle of the staff, where a level's note stands.
    static constexpr int kPlace = 1;
    static constexpr int kPlaces = 3;

private:
    const TNotesExercise* exercise() const;
    void clear();

    const TGameCore& core_;
    TStaffView& staff_;
    TPianoHighlight& piano_;
    bool shown_ = false;
};
