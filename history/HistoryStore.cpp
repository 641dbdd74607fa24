#include "history/HistoryStore.h"

#include "history/HistorySql.h"

#include "game/InputKinds.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>
#include <algorithm>
#include <atomic>
#include <memory>
#include <optional>
#include <pthread.h>
#include <sched.h>
#include <thread>

using namespace HistorySql;

namespace {

// Long enough for any commit that is not stuck behind another instance.
constexpr auto kWriteWait = std::chrono::milliseconds(250);
// Reading the whole file for an export waits for the writes queued before it, and for a file another
// program holds, this long at most; in steps, so that the export can be cancelled meanwhile.
constexpr auto kReadWait = std::chrono::seconds(30);
constexpr int kReadStepMs = 100;

std::atomic<int> ConnectionCount{0};

} // namespace

THistoryStore::THistoryStore(QString path, std::chrono::milliseconds busyTimeout)
    : path_(path.isEmpty() ? DefaultPath() : std::move(path)), busyTimeout_(busyTimeout),
      connectionName_(QStringLiteral("lirasto-history-%1").arg(ConnectionCount++))
{}

THistoryStore::~THistoryStore()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (worker_.joinable())
        worker_.join();
}

void THistoryStore::SetOnChanged(std::function<void()> changed)
{
    connect(this, &THistoryStore::Changed, this, std::move(changed), Qt::DirectConnection);
}

QString THistoryStore::DefaultPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath("history.sqlite3");
}

void THistoryStore::Open()
{
    std::lock_guard lock(mutex_);
    if (worker_.joinable())
        return;
    // Ticket 0 goes first, before any write made while the file was closed.
    tasks_.emplace_front(0, [this](QSqlDatabase& db) { openFile(db); });
    worker_ = std::thread([this] { work(); });
}

int64_t THistoryStore::post(TTask task) const
{
    std::lock_guard lock(mutex_);
    tasks_.emplace_back(++posted_, std::move(task));
    wake_.notify_one();
    return posted_;
}

bool THistoryStore::waitFor(int64_t ticket, std::chrono::milliseconds limit) const
{
    std::unique_lock lock(mutex_);
    if (!worker_.joinable())
        return false;
    return done_.wait_for(lock, limit, [&] { return finished_ >= ticket; });
}

void THistoryStore::Flush()
{
    int64_t ticket = 0;
    {
        std::lock_guard lock(mutex_);
        ticket = posted_;
    }
    waitFor(ticket, std::chrono::hours(1));
}

void THistoryStore::work()
{
    // A commit woken by an answer waits for the window to finish the frame that
    // shows the verdict rather than taking the processor from it; batch threads
    // still get their share, so nothing is put off for long.
    const sched_param batch{};
    pthread_setschedparam(pthread_self(), SCHED_BATCH, &batch);
    {
        QSqlDatabase db;
        for (;;) {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || !tasks_.empty(); });
            if (tasks_.empty())
                break;
            auto [ticket, task] = std::move(tasks_.front());
            tasks_.pop_front();
            lock.unlock();
            task(db);
            lock.lock();
            finished_ = std::max(finished_, ticket);
            done_.notify_all();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName_);
}

int64_t THistoryStore::BeginRun(int level, std::chrono::system_clock::time_point started)
{
    int64_t token = 0;
    {
        std::lock_guard lock(mutex_);
        token = ++nextToken_;
    }
    TRunRecord run;
    run.Level = level;
    run.Started = started;
    // No wait: the run's answers follow it in line and wait for their commit.
    post([this, token, run](QSqlDatabase& db) { writeRun(db, token, run, false); });
    return token;
}

void THistoryStore::EndRun(int64_t runToken, const TRunResult& result)
{
    const TRunRecord run = TRunRecord::From(result);
    waitFor(post([this, runToken, run](QSqlDatabase& db) { writeRun(db, runToken, run, true); }), kWriteWait);
}

bool THistoryStore::execWhenUnlocked(QSqlQuery& query)
{
    // A write refused only because another instance holds the file's lock past the busy
    // timeout is tried again until the lock goes: the player's answers wait in line, and what
    // follows waits behind them in order. Closing ends the wait, and with it the writing, so
    // that a lock held for good cannot hold the window's close for a timeout per answer.
    for (;;) {
        if (query.exec())
            return true;
        if (!IsBusy(query.lastError()))
            return false;
        {
            std::lock_guard lock(mutex_);
            if (stopping_) {
                usable_ = false;
                return false;
            }
        }
        std::this_thread::sleep_for(kBusyRetryPause);
    }
}

void THistoryStore::writeRun(QSqlDatabase& db, int64_t token, const TRunRecord& given, bool end)
{
    TRunRecord run = given;
    const auto row = runIds_.find(token);
    run.Id = row == runIds_.end() ? 0 : row->second;
    if (usable_) {
        QSqlQuery query(db);
        auto write = [&](const char* sql, bool updating) {
            query.prepare(sql);
            for (const QVariant& value :
                 {QVariant(qint64(Ms(run.Started))), end ? QVariant(qint64(Ms(run.Ended))) : QVariant(),
                  QVariant(run.Level), QVariant(run.Score), QVariant(run.Passed ? 1 : 0),
                  QVariant(run.EndedBy == TRunEnd::Reset ? 1 : 0)})
                query.addBindValue(value);
            if (updating)
                query.addBindValue(qint64(run.Id));
            if (!execWhenUnlocked(query))
                notKept(tr("a run cannot be written (%1)").arg(query.lastError().text()));
            return query.isActive() && (!updating || query.numRowsAffected() > 0);
        };
        // An update that finds no row (its start could not be written, or the
        // history was cleared during the run) writes the run whole.
        const bool updated = run.Id != 0 && end &&
                             write("UPDATE runs SET started_ms = ?, ended_ms = ?, level = ?, score = ?, passed = ?,"
                                   " ended_by = ? WHERE id = ?",
                                   true);
        if (!updated && write("INSERT INTO runs(started_ms, ended_ms, level, score, passed, ended_by)"
                              " VALUES (?, ?, ?, ?, ?, ?)",
                              false))
            run.Id = query.lastInsertId().toLongLong();
    }
    if (end) {
        runIds_.erase(token);
        openRuns_.erase(token);
        std::lock_guard lock(mutex_);
        runs_.push_back(run);
    } else {
        openRuns_[token] = given;
        if (run.Id != 0)
            runIds_[token] = run.Id;
    }
    if (end)
        emit Changed();
}

void THistoryStore::AddAnswer(const TAnswerRecord& answer)
{
    // Not waited for: the worker commits it within a millisecond or so, and the window
    // paints the verdict meanwhile. A killed process loses it no more than if the
    // window waited, since the commit happens on the worker either way; and a file
    // locked by another instance does not hold the window up.
    post([this, a = answer](QSqlDatabase& db) mutable {
        const auto row = runIds_.find(a.RunId);
        a.RunId = row == runIds_.end() ? 0 : row->second;
        if (usable_) {
            QSqlQuery query(db);
            query.prepare("INSERT INTO answers(run_id, at_ms, level, key_index, clef, note, keys,"
                          " pitch_classes, is_right, answer_ms, input, exercise, place, timing_error_ms,"
                          " notes_asked, music_key, chord_type, chord_inversion, chord_root, practice)"
                          " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
            for (const QVariant& value :
                 {a.RunId ? QVariant(qint64(a.RunId)) : QVariant(), QVariant(qint64(Ms(a.At))), QVariant(a.Level),
                  QVariant(a.Key), QVariant(a.Clef), QVariant(a.Note), QVariant(KeysText(a.KeysGiven)),
                  QVariant(int(a.PitchClassesGiven)), QVariant(a.Right ? 1 : 0), QVariant(qint64(a.AnswerMs)),
                  QVariant(InputKind(a.Source).HistoryCode), QVariant(ExerciseCode(a.Exercise)), QVariant(a.Place),
                  a.TimingErrorMs ? QVariant(qint64(*a.TimingErrorMs)) : QVariant(),
                  a.NotesAsked.empty() ? QVariant() : QVariant(KeysText(a.NotesAsked)), MusicKeyValue(a.MusicKey)})
                query.addBindValue(value);
            BindChord(query, a.Chord);
            query.addBindValue(a.Practice.isEmpty() ? QVariant() : QVariant(a.Practice));
            if (execWhenUnlocked(query))
                a.Id = query.lastInsertId().toLongLong();
            else
                notKept(tr("an answer cannot be written (%1)").arg(query.lastError().text()));
        }
        // Kept in memory even when the file fails, so the run's
        // answers still show.
        {
            std::lock_guard lock(mutex_);
            answers_.push_back(std::move(a));
        }
        emit Changed();
    });
}

void THistoryStore::Clear()
{
    waitFor(
        post([this](QSqlDatabase& db) {
            QSqlError error;
            if (usable_ && !Run(db, {"BEGIN IMMEDIATE", "DELETE FROM answers", "DELETE FROM runs", "COMMIT"}, &error)) {
                QSqlError ignored;
                Run(db, {"ROLLBACK"}, &ignored);
                notKept(tr("the history cannot be cleared (%1)").arg(error.text()));
                return;
            }
            // A run going on keeps a row of its own: the answers it gets after the clear, and its
            // end, belong to it and not to the row just deleted.
            for (const auto& [token, run] : openRuns_) {
                runIds_.erase(token);
                writeRun(db, token, run, false);
            }
            {
                std::lock_guard lock(mutex_);
                answers_.clear();
                runs_.clear();
            }
            emit Changed();
        }),
        kWriteWait);
}

std::vector<TAnswerRecord> THistoryStore::Answers(int level) const
{
    std::lock_guard lock(mutex_);
    std::vector<TAnswerRecord> answers;
    for (const TAnswerRecord& a : answers_)
        if (a.Level == level)
            answers.push_back(a);
    return answers;
}

std::vector<TRunRecord> THistoryStore::Runs(int level) const
{
    std::lock_guard lock(mutex_);
    std::vector<TRunRecord> runs;
    for (const TRunRecord& r : runs_)
        if (r.Level == level)
            runs.push_back(r);
    return runs;
}

QString THistoryStore::ReadEveryAnswer(TAnswerSink& sink) const
{
    if (!waitForWritesBefore(sink))
        return {};
    // The file holds what every instance of the program wrote, so the export reads it rather than what this
    // one remembers; what this one remembers is all there is when the file was never read.
    if (fileRead_)
        return readFile(sink);
    readMemory(sink);
    return {};
}

bool THistoryStore::waitForWritesBefore(const TAnswerSink& sink) const
{
    const auto until = std::chrono::steady_clock::now() + kReadWait;
    std::unique_lock lock(mutex_);
    const int64_t ticket = posted_;
    while (worker_.joinable() && finished_ < ticket && std::chrono::steady_clock::now() < until) {
        lock.unlock();
        if (!sink.Wanted())
            return false;
        lock.lock();
        done_.wait_for(lock, std::chrono::milliseconds(kReadStepMs), [&] { return finished_ >= ticket; });
    }
    return true;
}

QString THistoryStore::readFile(TAnswerSink& sink) const
{
    const QString name = QStringLiteral("lirasto-history-%1").arg(ConnectionCount++);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(path_);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(kReadStepMs));
        if (!db.open())
            error = db.lastError().text();
        QSqlQuery query(db);
        query.setForwardOnly(true);
        const auto until = std::chrono::steady_clock::now() + kReadWait;
        // One read transaction, so that the count and the rows agree however others write meanwhile.
        const auto begin = [&] {
            return query.exec("BEGIN") && query.exec("SELECT count(*) FROM answers") && query.next();
        };
        bool wanted = true;
        while (error.isEmpty() && !begin()) {
            const QSqlError why = query.lastError();
            query.exec("ROLLBACK");
            if (!IsBusy(why) || std::chrono::steady_clock::now() >= until) {
                error = why.text();
                break;
            }
            if (!(wanted = sink.Wanted()))
                break;
        }
        if (error.isEmpty() && wanted) {
            sink.Expect(query.value(0).toLongLong());
            if (query.exec(kSelectAnswers)) {
                while (query.next() && sink.Take(AnswerAt(query))) {
                }
            }
            if (query.lastError().type() != QSqlError::NoError)
                error = query.lastError().text();
            query.finish();
            query.exec("COMMIT");
        }
        query = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return error.isEmpty() ? QString() : tr("the file %1 cannot be read (%2)").arg(path_, error);
}

void THistoryStore::readMemory(TAnswerSink& sink) const
{
    // Copied a slice at a time, so that neither the memory nor the lock is held for the whole history.
    constexpr std::size_t kSlice = 4096;
    std::vector<TAnswerRecord> slice;
    int64_t count = 0;
    {
        std::lock_guard lock(mutex_);
        count = int64_t(answers_.size());
    }
    sink.Expect(count);
    for (std::size_t next = 0;; next += slice.size()) {
        {
            std::lock_guard lock(mutex_);
            if (next >= answers_.size())
                return;
            const auto from = answers_.begin() + std::ptrdiff_t(next);
            slice.assign(from, from + std::ptrdiff_t(std::min(kSlice, answers_.size() - next)));
        }
        for (const TAnswerRecord& a : slice)
            if (!sink.Take(a))
                return;
    }
}

QString THistoryStore::Problem() const
{
    std::lock_guard lock(mutex_);
    return problem_;
}

QString THistoryStore::Notice() const
{
    std::lock_guard lock(mutex_);
    return notice_;
}

extern "C" __attribute__((visibility("default"))) THistoryStorage* lirasto_history_create(int version,
                                                                                          const QString& path)
{
    if (version != THistoryStorage::kVersion)
        return nullptr;
    return new THistoryStore(path);
}
