#pragma once

#include "history/HistoryStorage.h"

#include <QObject>
#include <future>
#include <memory>

namespace lirasto {
class TModuleWorker;
}

// The answer history as the window holds it: it stands in for the store of
// the history module, which Start loads on a thread of its own. A call that
// needs the store before the module is in waits for the load, which only the
// moments right after the start can see; a call before Start has it loaded
// and waits for it. Without the module nothing is kept, and Problem says why.
// ReadEveryAnswer may come from another thread (the export's worker).
class THistoryModule : public QObject, public THistoryStorage
{
    Q_OBJECT

public:
    THistoryModule();
    // The store goes first: it ends its worker, the only sender of Changed.
    ~THistoryModule() override;

    // Loads the module in the background, then opens the store on this thread.
    void Start();

    QString Path() const override;
    void Open() override;
    int64_t BeginRun(int level, std::chrono::system_clock::time_point started) override;
    void AddAnswer(const TAnswerRecord& answer) override;
    void EndRun(int64_t runToken, const TRunResult& result) override;
    void Clear() override;
    void Flush() override;
    void SetOnChanged(std::function<void()> changed) override;

    std::vector<TAnswerRecord> Answers(int level) const override;
    std::vector<TRunRecord> Runs(int level) const override;
    QString ReadEveryAnswer(TAnswerSink& sink) const override;
    QString Problem() const override;
    QString Notice() const override;

signals:
    // As the store's; emitted on its worker, or on this thread when the module failed.
    void Changed();

private:
    // What loading the module gave: the store, or why there is none.
    struct TLoaded
    {
        std::unique_ptr<THistoryStorage> Store;
        QString Problem;
    };
    // Starts loading the module on the loader; the store opens once made when `open`.
    void load(bool open) const;
    // Waits for the store, loading the module first when nothing asked for it yet; null without the module.
    THistoryStorage* store() const;

    // Set once by the loader, so any thread may wait for it and share what it made.
    mutable std::promise<TLoaded> promise_;
    std::shared_future<TLoaded> loaded_;
    std::unique_ptr<lirasto::TModuleWorker> loader_;
    bool started_ = false;
};
