#pragma once

#include "history/HistoryStorage.h"

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

class QSqlDatabase;
class QSqlQuery;

// The answer history in an SQLite file, by default history.sqlite3 in the
// user's data folder. It is the history module's store.
//
// Threads: the file is opened, checked, migrated and read on a worker thread
// that owns the only connection, so start-up and the GUI never wait for the
// disk. Writes go through the same worker, and the caller waits for the
// commit (tens of microseconds: WAL with synchronous=NORMAL writes without
// waiting for the disk), so an answer is in the file before the game goes
// on and a process killed right after loses nothing. The wait is bounded:
// should the worker be stuck (another instance holding the file longer than
// kWriteWait), the game goes on and the answer is written when the file is
// free. What the readers return comes from memory, kept by the worker.
class THistoryStore : public QObject, public THistoryStorage
{
    Q_OBJECT

public:
    static constexpr int kSchemaVersion = 5;
    static constexpr int kApplicationId = 0x4c4e4854; // "LNHT", marks our files

    // Another instance holds the write lock only for one commit at a time: a statement waits
    // this long for it before the file counts as busy.
    static constexpr std::chrono::milliseconds kDefaultBusyTimeout{5000};

    // path empty: history.sqlite3 in QStandardPaths::AppDataLocation.
    explicit THistoryStore(QString path = {}, std::chrono::milliseconds busyTimeout = kDefaultBusyTimeout);
    ~THistoryStore() override;

    static QString DefaultPath();
    QString Path() const override { return path_; }

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
    // The history read back changed (opened, written, cleared); emitted on
    // the worker thread, so connect it queued to widgets.
    void Changed();

private:
    using TTask = std::function<void(QSqlDatabase&)>;
    int64_t post(TTask task) const;
    bool waitFor(int64_t ticket, std::chrono::milliseconds limit) const;
    void work();

    void openFile(QSqlDatabase& db);
    // How one try at opening the file went: Error empty when it is open and up to date;
    // Busy when another instance held it; Readable when it may still be read, though not written.
    struct TOpening
    {
        QString Error;
        bool Busy = false;
        bool Readable = false;
    };
    TOpening openConnection(QSqlDatabase& db);
    bool moveAside(const QString& why);
    // Reads every answer and run into memory; says what went wrong, or nothing.
    QString load(QSqlDatabase& db);
    // Shows what a history this user may only read holds; nothing is written to it.
    void showReadOnly(QSqlDatabase& db);
    void notKept(const QString& why);
    bool execWhenUnlocked(QSqlQuery& query);
    void writeRun(QSqlDatabase& db, int64_t token, const TRunRecord& run, bool end);
    bool waitForWritesBefore(const TAnswerSink& sink) const;
    QString readFile(TAnswerSink& sink) const;
    void readMemory(TAnswerSink& sink) const;

    QString path_;
    std::chrono::milliseconds busyTimeout_;
    QString connectionName_;

    mutable std::mutex mutex_;
    // The queue takes reads too, from const readers.
    mutable std::condition_variable wake_;
    mutable std::condition_variable done_;
    mutable std::deque<std::pair<int64_t, TTask>> tasks_;
    mutable int64_t posted_ = 0;
    int64_t finished_ = -1; // the opening is ticket 0
    bool stopping_ = false;
    std::thread worker_;

    // Read back under mutex_.
    std::vector<TAnswerRecord> answers_;
    std::vector<TRunRecord> runs_;
    QString problem_;
    QString notice_;

    // The file was read whole once: a reading for the export goes to the file, not to memory.
    std::atomic<bool> fileRead_{false};

    // The worker's own.
    bool usable_ = false;
    std::map<int64_t, int64_t> runIds_;      // token -> row
    std::map<int64_t, TRunRecord> openRuns_; // token -> its start, while it goes on
    int64_t nextToken_ = 0;                  // under mutex_
};
