#pragma once

#include "game/AdaptiveChooser.h"
#include "history/HistoryStorage.h"

#include <functional>

// Writes every judged answer and every run of the game into the history.
// It follows the core as a listener; answers carry the run they belong to.
class THistoryRecorder : public TGameListener
{
public:
    using TClock = std::function<std::chrono::system_clock::time_point()>;

    explicit THistoryRecorder(THistoryStorage& store, TClock clock = &std::chrono::system_clock::now);

    // Every answer from now on is stamped with this practice's name (empty: none).
    void SetPractice(const QString& name) { practice_ = name; }
    const QString& Practice() const { return practice_; }

    void RunStarted(int level) override;
    void AnswerJudged(const TJudgement& judgement) override;
    void RunEnded(const TRunResult& result) override;

private:
    THistoryStorage& store_;
    TClock clock_;
    int64_t runToken_ = 0;
    QString practice_;
};

// The single notes answered in a key (its major key: not a minor key that shares its signature) and practice
// (empty: none), as the adaptive chooser learns them, oldest first.
std::vector<TPastAnswer> PastAnswers(const std::vector<TAnswerRecord>& answers, int key, const QString& practice = {});
