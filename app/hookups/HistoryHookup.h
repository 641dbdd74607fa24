#pragma once

#include "app/window/WindowParts.h"
#include "game/AdaptiveChooser.h"
#include "game/RunSummary.h"
#include "history/HistoryModule.h"
#include "history/HistoryRecorder.h"

#include <QObject>
#include <QPointer>

class TOptionsPage;
class TProgressPage;
class TSkinLabel;
class TTabSheet;
class QTabWidget;

// What the window does with the answer history: every judged answer and run
// goes into the store, "Drill my weak notes" chooses the questions from it,
// the "Progress" page shows it, and a run's summary stays on the game page
// until the next Start.
class THistoryHookup : public QObject, private TGameListener
{
    Q_OBJECT

public:
    // The store's file is history.sqlite3 in the user's data folder; nothing
    // is read from it until Start().
    // The "Progress" page is built on the window's progress sheet, the summary on the game page.
    THistoryHookup(const TGamePage& game, TOptionsPage& options, const TWindowPages& pages,
                   const TDesignPictures& pictures);
    ~THistoryHookup() override;

    // Loads the history module and opens the history, each on a thread of its own; the window calls it after
    // its first frame.
    void Start();

    THistoryModule& Store() { return store_; }
    THistoryRecorder& Recorder() { return recorder_; }
    // nullptr until the "Progress" page is first shown.
    TProgressPage* ProgressPage() const;
    // nullptr until the first Start.
    TSkinLabel* SummaryLabel() const;
    bool Drilling() const;
    // The practice (a saved choice of clef, range and key) being played: every answer from now on is stamped
    // with its name, and the "Progress" page shows its figures. Empty: none, the level's figures.
    void SetPractice(const QString& name);

private:
    void RunStarted(int level) override;
    void setDrilling(bool on);
    void loadChooser();
    void pageShown();

    TGamePage game_;
    TOptionsPage& options_;
    QTabWidget& pageControl_;
    TTabSheet& sheet_;
    TDesignPictures pictures_;
    THistoryModule store_;
    THistoryRecorder recorder_;
    TAdaptiveChooser chooser_;
    TRunSummary summary_;
    QPointer<TSkinLabel> summaryLabel_;
    QPointer<TProgressPage> page_;
};
