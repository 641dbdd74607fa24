#include "app/progress/HistoryExport.h"

#include "history/HistoryReader.h"

THistoryExport::THistoryExport(const THistoryReader& history, QString path, QObject* parent)
    : QObject(parent), history_(history), path_(std::move(path))
{}

THistoryExport::~THistoryExport()
{
    cancel_ = true;
    if (worker_.joinable())
        worker_.join();
}

void THistoryExport::Start()
{
    if (running_ || worker_.joinable())
        return;
    running_ = true;
    worker_ = std::thread([this] {
        THistoryCsvResult result = WriteHistoryCsv(
            history_, path_, cancel_, [this](int64_t written, int64_t total) { progressed(written, total); });
        // Dropped with this object when the owner deletes it first.
        QMetaObject::invokeMethod(
            this,
            [this, result] {
                worker_.join();
                running_ = false;
                written_ = result.Written;
                emit Finished(result);
            },
            Qt::QueuedConnection);
    });
}

void THistoryExport::Cancel()
{
    cancel_ = true;
}

void THistoryExport::progressed(int64_t written, int64_t total)
{
    written_ = written;
    total_ = total;
    // One call on its way at a time: a window busy elsewhere gets the latest figures, not a queue of old ones.
    if (!progressPending_.exchange(true))
        QMetaObject::invokeMethod(
            this,
            [this] {
                progressPending_ = false;
                emit Progress();
            },
            Qt::QueuedConnection);
}
