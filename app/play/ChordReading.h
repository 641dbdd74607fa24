#pragma once

#include "app/window/WindowParts.h"
#include "game/ChordExercise.h"
#include "game/GameEvents.h"

#include <QCoreApplication>
#include <QString>
#include <vector>

class TSkinLabel;

// Reading stacks in the window: the chord or interval asked drawn as one stack on the staff,
// the texts that say how to answer, and after each answer the stack's name beside the verdict
// and the keys given that are no part of it drawn in red beside the stack. It follows the core.
class TChordReading : public TGameListener
{
    Q_DECLARE_TR_FUNCTIONS(TChordReading)

public:
    explicit TChordReading(const TGamePage& page);
    ~TChordReading() override;

    // "D minor, first inversion", "major sixth": in the language shown, the root named by the
    // chosen convention.
    static QString ChordName(const TChord& chord);
    // The name shown beside the verdict, and the notes drawn as given wrong (for the tests).
    QString NameShown() const;
    const std::vector<int>& WrongShown() const { return wrong_; }

    void QuestionPosed(const TQuestion& question) override;
    void AnswerJudged(const TJudgement& judgement) override;
    void RunEnded(const TRunResult& result) override;
    void Cleared() override;

private:
    const TChordExercise* exercise() const;
    void draw(bool right);
    void clear();

    TGamePage page_;
    TSkinLabel* name_ = nullptr;
    TQuestion question_;
    std::vector<TSpelling> spellings_;
    std::vector<int> wrong_;
    bool shown_ = false;
};
