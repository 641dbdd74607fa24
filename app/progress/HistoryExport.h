#pragma once

#include "app/progress/HistoryCsv.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <thread>

class THistoryReader;

// Writes the answer history to a CSV file on a thread of its own, so that the
// window goes on however long the history is and however long another program
// holds its file. Its progress and its end are told on the owner's thread.
class THistoryExport : public QObject
{
    Q_OBJECT

public:
    // The history must outlive the export.
    THistoryExport(const THistoryReader& history, QString path, QObject* parent = nullptr);
    // Cancels a export still running and waits for its thread, which stops within a slice of rows or a step of
    // the wait for a held file.
    ~THistoryExport() override;

    void Start();
    // Stops the export; the file is not written and Finished tells so.
    void Cancel();
    bool Running() const { return running_; }
    const QString& Path() const { return path_; }
    int64_t Written() const { return written_.load(); }
    // How many answers the history said it holds; 0 until it has said.
    int64_t Total() const { return total_.load(); }

signals:
    // Rows written so far; told at most once per slice, and never more often than the window takes them.
    void Progress();
    void Finished(const THistoryCsvResult& result);

private:
    void progressed(int64_t written, int64_t total);

    const THistoryReader& history_;
    QString path_;
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::atomic<int64_t> written_{0};
    std::atomic<int64_t> total_{0};
    std::atomic<bool> progressPending_{false};
    bool running_ = false;
};
