#include "history/HistoryStore.h"

#include "game/InputKinds.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUrl>
#include <QVariant>
#include <algorithm>
#include <atomic>
#include <memory>
#include <optional>
#include <pthread.h>
#include <sched.h>
#include <thread>

namespace {

// Long enough for any commit that is not stuck behind another instance.
constexpr auto kWriteWait = std::chrono::milliseconds(250);
// Reading the whole file for an export waits for the writes queued before it, and for a file another
// program holds, this long at most; in steps, so that the export can be cancelled meanwhile.
constexpr auto kReadWait = std::chrono::seconds(30);
constexpr int kReadStepMs = 100;
// A stored answer names at most this many keys; more means a damaged row.
constexpr int kMostKeys = 128;

// Step i takes a file from schema version i to i + 1; a new file goes through
// all of them. Later versions add a step here and raise SchemaVersion.
const std::vector<std::vector<QString>> kSchemaSteps = {
    {
        QStringLiteral("PRAGMA application_id = %1").arg(THistoryStore::ApplicationId),
        "CREATE TABLE runs(id INTEGER PRIMARY KEY, started_ms INTEGER NOT NULL, ended_ms INTEGER,"
        " level INTEGER NOT NULL, score INTEGER NOT NULL DEFAULT 0, passed INTEGER NOT NULL DEFAULT 0,"
        " ended_by INTEGER NOT NULL DEFAULT 0)",
        "CREATE TABLE answers(id INTEGER PRIMARY KEY, run_id INTEGER, at_ms INTEGER NOT NULL,"
        " level INTEGER NOT NULL, key_index INTEGER NOT NULL, clef INTEGER NOT NULL, note INTEGER NOT NULL,"
        " keys TEXT NOT NULL, pitch_classes INTEGER NOT NULL, is_right INTEGER NOT NULL,"
        " answer_ms INTEGER NOT NULL, input INTEGER NOT NULL)",
    },
    {
        // The progress page reads one level at a time.
        "CREATE INDEX answers_by_level ON answers(level, id)",
        "CREATE INDEX runs_by_level ON runs(level, id)",
    },
    {
        // Sight-reading lines: which exercise, the note's place in its line, and
        // its timing error in time (NULL at one's own pace and for a note missed).
        "ALTER TABLE answers ADD COLUMN exercise INTEGER NOT NULL DEFAULT 0",
        "ALTER TABLE answers ADD COLUMN place INTEGER NOT NULL DEFAULT 0",
        "ALTER TABLE answers ADD COLUMN timing_error_ms INTEGER",
    },
    {
        // Stacks of notes: every note asked at once (NULL for a single note).
        "ALTER TABLE answers ADD COLUMN notes_asked TEXT",
    },
};
static_assert(THistoryStore::SchemaVersion == 4, "one schema step per version");

// The exercise column: 0 the levels, 1 a line, 2 stacks.
int ExerciseCode(TExerciseKind exercise)
{
    switch (exercise) {
    case TExerciseKind::Line:
        return 1;
    case TExerciseKind::Chords:
        return 2;
    case TExerciseKind::Levels:
        break;
    }
    return 0;
}

std::atomic<int> ConnectionCount{0};

int64_t Ms(std::chrono::system_clock::time_point at)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(at.time_since_epoch()).count();
}

// A damaged row may hold any number: one beyond the clock's reach (some 292 years either side of
// 1970) would overflow in the conversion, so it stands at the clock's farthest time instead.
std::chrono::system_clock::time_point TimeOf(int64_t ms)
{
    using std::chrono::milliseconds;
    constexpr int64_t kFarthest =
        std::chrono::duration_cast<milliseconds>(std::chrono::system_clock::duration::max()).count();
    return std::chrono::system_clock::time_point{milliseconds(std::clamp(ms, -kFarthest, kFarthest))};
}

QString KeysText(const std::vector<int>& keys)
{
    QStringList words;
    for (int key : keys)
        words << QString::number(key);
    // Never a null string: that would be stored as NULL.
    return words.isEmpty() ? QStringLiteral("") : words.join(' ');
}

std::vector<int> KeysFromText(const QString& text)
{
    std::vector<int> keys;
    for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int key = word.toInt(&ok);
        if (ok && key >= LowestMidiNote && key <= HighestMidiNote && keys.size() < size_t(kMostKeys))
            keys.push_back(key);
    }
    return keys;
}

// Runs statements; false with the first error in *error.
bool Run(QSqlDatabase& db, const std::vector<QString>& statements, QSqlError* error)
{
    QSqlQuery query(db);
    for (const QString& statement : statements) {
        if (!query.exec(statement)) {
            *error = query.lastError();
            return false;
        }
    }
    return true;
}

// SQLite's primary result code: an extended code keeps it in its low byte.
int PrimaryCode(const QSqlError& error)
{
    return error.nativeErrorCode().toInt() & 0xff;
}

bool IsBusy(const QSqlError& error)
{
    // SQLITE_BUSY and SQLITE_LOCKED: the file is in use, not damaged.
    return PrimaryCode(error) == 5 || PrimaryCode(error) == 6;
}

bool IsDamage(const QSqlError& error)
{
    // SQLITE_CORRUPT and SQLITE_NOTADB say the file itself is wrong. Any other failure (a file
    // or its journal this user may not open, a read-only folder, a failing disk) leaves it alone.
    return PrimaryCode(error) == 11 || PrimaryCode(error) == 26;
}

void Disconnect(QSqlDatabase& db, const QString& connection)
{
    if (!db.isValid())
        return;
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection);
}

const char* const kSelectAnswers =
    "SELECT id, run_id, at_ms, level, key_index, clef, note, keys, pitch_classes,"
    " is_right, answer_ms, input, exercise, place, timing_error_ms, notes_asked FROM answers ORDER BY id";

// The answer on the row a query of kSelectAnswers stands on.
TAnswerRecord AnswerAt(const QSqlQuery& query)
{
    TAnswerRecord a;
    a.Id = query.value(0).toLongLong();
    a.RunId = query.value(1).toLongLong();
    a.At = TimeOf(query.value(2).toLongLong());
    a.Level = query.value(3).toInt();
    a.Key = query.value(4).toInt();
    a.Clef = query.value(5).toInt();
    a.Note = query.value(6).toInt();
    a.KeysGiven = KeysFromText(query.value(7).toString());
    a.PitchClassesGiven = TPitchClassSet(query.value(8).toUInt() & 0xfff);
    a.Right = query.value(9).toInt() != 0;
    a.AnswerMs = query.value(10).toLongLong();
    const int input = query.value(11).toInt();
    a.Source = InputSourceFromHistoryCode(input).value_or(TInputSource::Mouse);
    // An exercise this version does not know is read as a level's question.
    const int exercise = query.value(12).toInt();
    a.Exercise = exercise == 1 ? TExerciseKind::Line : exercise == 2 ? TExerciseKind::Chords : TExerciseKind::Levels;
    a.Place = std::max(0, query.value(13).toInt());
    if (!query.value(14).isNull())
        a.TimingErrorMs = query.value(14).toLongLong();
    if (!query.value(15).isNull())
        a.NotesAsked = KeysFromText(query.value(15).toString());
    return a;
}

std::vector<TAnswerRecord> ReadAnswers(QSqlDatabase& db, QString* error)
{
    std::vector<TAnswerRecord> answers;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(kSelectAnswers)) {
        *error = query.lastError().text();
        return {};
    }
    while (query.next())
        answers.push_back(AnswerAt(query));
    return answers;
}

enum class TVerdict { Ours, Damaged, Foreign, Newer, Busy, Unopenable };

TVerdict VerdictOf(const QSqlError& error)
{
    return IsBusy(error) ? TVerdict::Busy : IsDamage(error) ? TVerdict::Damaged : TVerdict::Unopenable;
}

// Looks at an existing file without changing it: a read-only connection
// neither recovers nor checkpoints another program's database.
TVerdict Inspect(const QString& path, const QString& connection, int busyTimeoutMs, QString* detail)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *detail = file.errorString();
        return TVerdict::Unopenable;
    }
    const QByteArray header = file.read(100);
    if (header.size() < 100 || !header.startsWith(QByteArray("SQLite format 3\0", 16)))
        return TVerdict::Damaged;
    file.close();

    TVerdict verdict = TVerdict::Ours;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
        QSqlQuery query(db);
        auto value = [&](const QString& sql, QVariant* out) {
            if (query.exec(sql) && query.next()) {
                *out = query.value(0);
                return true;
            }
            *detail = query.lastError().text();
            verdict = VerdictOf(query.lastError());
            return false;
        };
        QVariant id, version, check, tables, objects;
        if (!db.open()) {
            *detail = db.lastError().text();
            verdict = VerdictOf(db.lastError());
        } else if (value("PRAGMA application_id", &id) && value("PRAGMA user_version", &version) &&
                   value("SELECT count(*) FROM sqlite_master", &objects)) {
            // An empty database holds nothing to keep: another instance starting at the same
            // moment may have just made it and not yet committed its tables. Opening it waits
            // for that instance's write lock and then finds the tables, or makes them.
            if (id.toInt() == 0 && version.toInt() == 0 && objects.toInt() == 0)
                verdict = TVerdict::Ours;
            else if (id.toInt() != THistoryStore::ApplicationId)
                verdict = TVerdict::Foreign;
            else if (version.toInt() > THistoryStore::SchemaVersion)
                verdict = TVerdict::Newer;
            else if (version.toInt() < 1)
                verdict = TVerdict::Damaged;
            else if (value("PRAGMA quick_check", &check) &&
                     value("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN ('answers', 'runs')",
                           &tables) &&
                     (check.toString() != "ok" || tables.toInt() != 2))
                verdict = TVerdict::Damaged;
        }
        query = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return verdict;
}

} // namespace

THistoryStore::THistoryStore(QString path, std::chrono::milliseconds busyTimeout)
    : Path_(path.isEmpty() ? DefaultPath() : std::move(path)), BusyTimeout_(busyTimeout),
      ConnectionName_(QStringLiteral("lirasto-history-%1").arg(ConnectionCount++))
{}

THistoryStore::~THistoryStore()
{
    {
        std::lock_guard lock(Mutex_);
        Stopping_ = true;
    }
    Wake_.notify_all();
    if (Worker_.joinable())
        Worker_.join();
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
    std::lock_guard lock(Mutex_);
    if (Worker_.joinable())
        return;
    // Ticket 0 goes first, before any write made while the file was closed.
    Tasks_.emplace_front(0, [this](QSqlDatabase& db) { OpenFile(db); });
    Worker_ = std::thread([this] { Work(); });
}

int64_t THistoryStore::Post(TTask task) const
{
    std::lock_guard lock(Mutex_);
    Tasks_.emplace_back(++Posted_, std::move(task));
    Wake_.notify_one();
    return Posted_;
}

bool THistoryStore::WaitFor(int64_t ticket, std::chrono::milliseconds limit) const
{
    std::unique_lock lock(Mutex_);
    if (!Worker_.joinable())
        return false;
    return Done_.wait_for(lock, limit, [&] { return Finished_ >= ticket; });
}

void THistoryStore::Flush()
{
    int64_t ticket = 0;
    {
        std::lock_guard lock(Mutex_);
        ticket = Posted_;
    }
    WaitFor(ticket, std::chrono::hours(1));
}

void THistoryStore::Work()
{
    // A commit woken by an answer waits for the window to finish the frame that
    // shows the verdict rather than taking the processor from it; batch threads
    // still get their share, so nothing is put off for long.
    const sched_param batch{};
    pthread_setschedparam(pthread_self(), SCHED_BATCH, &batch);
    {
        QSqlDatabase db;
        for (;;) {
            std::unique_lock lock(Mutex_);
            Wake_.wait(lock, [&] { return Stopping_ || !Tasks_.empty(); });
            if (Tasks_.empty())
                break;
            auto [ticket, task] = std::move(Tasks_.front());
            Tasks_.pop_front();
            lock.unlock();
            task(db);
            lock.lock();
            Finished_ = std::max(Finished_, ticket);
            Done_.notify_all();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(ConnectionName_);
}

void THistoryStore::NotKept(const QString& why)
{
    const QString text = tr("History is not being kept: %1").arg(why);
    std::lock_guard lock(Mutex_);
    if (!Problem_.contains(text))
        Problem_ = Problem_.isEmpty() ? text : Problem_ + '\n' + text;
}

bool THistoryStore::MoveAside(const QString& why)
{
    const QString stamp = QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
    QString target = Path_ + ".damaged-" + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = Path_ + ".damaged-" + stamp + '-' + QString::number(n);
    if (!QFile::rename(Path_, target)) {
        NotKept(tr("the file %1 cannot be read and cannot be moved aside").arg(Path_));
        return false;
    }
    // The journal files belong to the old file: a new database beside a
    // stale write-ahead log would take the old pages in.
    for (const char* suffix : {"-wal", "-shm"}) {
        if (QFileInfo::exists(Path_ + suffix) && !QFile::rename(Path_ + suffix, target + suffix)) {
            NotKept(tr("the file %1 cannot be moved aside").arg(Path_ + suffix));
            return false;
        }
    }
    std::lock_guard lock(Mutex_);
    Notice_ = why.arg(QFileInfo(target).fileName());
    return true;
}

namespace {

// How long to wait before trying a busy file again: short, since the other instance's hold
// is over in a commit or two.
constexpr auto kBusyRetryPause = std::chrono::milliseconds(20);

// SQLite's busy timeout does not wait out every lock: a connection changing the journal mode,
// or reading a write-ahead log that another is recovering, is told "database is locked" at
// once. When two instances open a new history at the same moment one of them meets that, so
// opening is tried again until the timeout is spent; attempt says whether the file was busy.
template <typename TAttempt>
auto RetryWhileBusy(std::chrono::milliseconds timeout, TAttempt attempt)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        auto result = attempt();
        if (!result.Busy || std::chrono::steady_clock::now() >= deadline)
            return result;
        std::this_thread::sleep_for(kBusyRetryPause);
    }
}

struct TInspection
{
    TVerdict Verdict;
    QString Detail;
    bool Busy;
};

} // namespace

void THistoryStore::OpenFile(QSqlDatabase& db)
{
    const QFileInfo file(Path_);
    if (!QDir().mkpath(file.absolutePath()))
        return NotKept(tr("the folder %1 cannot be made").arg(file.absolutePath()));
    if (file.exists() && !file.isFile())
        return NotKept(tr("%1 is not a file").arg(Path_));
    if (file.exists() && file.size() > 0) {
        const TInspection inspection = RetryWhileBusy(BusyTimeout_, [&] {
            TInspection result{TVerdict::Ours, {}, false};
            result.Verdict = Inspect(Path_, ConnectionName_ + "-check", int(BusyTimeout_.count()), &result.Detail);
            result.Busy = result.Verdict == TVerdict::Busy;
            return result;
        });
        switch (inspection.Verdict) {
        case TVerdict::Ours:
            break;
        case TVerdict::Busy:
            return NotKept(tr("the file %1 is in use (%2)").arg(Path_, inspection.Detail));
        case TVerdict::Unopenable:
            // Intact as far as can be told, but this user may not open it as it is: every file stays
            // as it was, and what can be read of it is shown.
            NotKept(tr("the file %1 cannot be opened (%2)").arg(Path_, inspection.Detail));
            return ShowReadOnly(db);
        case TVerdict::Damaged:
            if (!MoveAside(tr("The history file was damaged. It is kept as %1, and a new history has begun.")))
                return;
            break;
        case TVerdict::Foreign:
            if (!MoveAside(tr("The history file belonged to another program. It is kept as %1, and a new history "
                              "has begun.")))
                return;
            break;
        case TVerdict::Newer:
            if (!MoveAside(tr("The history file was written by a newer version of Lirasto Notes. It is kept as %1, "
                              "and a new history has begun.")))
                return;
            break;
        }
    }

    const TOpening opening = RetryWhileBusy(BusyTimeout_, [&] {
        Disconnect(db, ConnectionName_);
        return OpenConnection(db);
    });
    if (!opening.Error.isEmpty()) {
        NotKept(opening.Error);
        if (opening.Readable)
            ShowReadOnly(db);
        return;
    }
    if (const QString error = Load(db); !error.isEmpty())
        return NotKept(tr("the file %1 cannot be read (%2)").arg(Path_, error));
    Usable_ = true;
}

void THistoryStore::ShowReadOnly(QSqlDatabase& db)
{
    // A history in write-ahead mode is read through a shared-memory file beside it, which a folder
    // this user cannot write does not let be made. Read as a file that cannot change, it needs
    // nothing beside it, at the cost of a last commit still in another instance's log.
    const QString unchanging = QUrl::fromLocalFile(Path_).toString(QUrl::FullyEncoded) + "?immutable=1";
    const std::pair<QString, QString> ways[] = {{Path_, QStringLiteral("QSQLITE_OPEN_READONLY")},
                                                {unchanging, QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI")}};
    for (const auto& [name, options] : ways) {
        Disconnect(db, ConnectionName_);
        db = QSqlDatabase::addDatabase("QSQLITE", ConnectionName_);
        db.setDatabaseName(name);
        db.setConnectOptions(options);
        if (db.open() && Load(db).isEmpty())
            return;
    }
    Disconnect(db, ConnectionName_);
}

THistoryStore::TOpening THistoryStore::OpenConnection(QSqlDatabase& db)
{
    db = QSqlDatabase::addDatabase("QSQLITE", ConnectionName_);
    db.setDatabaseName(Path_);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeout_.count()));
    if (!db.open())
        return {tr("the file %1 cannot be opened (%2)").arg(Path_, db.lastError().text()), IsBusy(db.lastError()),
                !IsBusy(db.lastError())};
    // WAL lets another instance read while this one writes; NORMAL commits
    // without waiting for the disk, and a killed process still loses nothing.
    QSqlError error;
    if (!Run(db, {"PRAGMA journal_mode = WAL", "PRAGMA synchronous = NORMAL", "BEGIN IMMEDIATE"}, &error))
        return {tr("the file %1 cannot be written (%2)").arg(Path_, error.text()), IsBusy(error), !IsBusy(error)};
    // Read the version inside the write lock: another instance may just
    // have made or migrated the file.
    QSqlQuery version(db);
    int from = version.exec("PRAGMA user_version") && version.next() ? version.value(0).toInt() : -1;
    version = QSqlQuery();
    QSqlError ignored;
    if (from < 0 || from > SchemaVersion) {
        Run(db, {"ROLLBACK"}, &ignored);
        return {tr("the file %1 was changed by a newer version of Lirasto Notes").arg(Path_), false};
    }
    bool migrated = true;
    for (int step = from; migrated && step < SchemaVersion; ++step)
        migrated = Run(db, kSchemaSteps[size_t(step)], &error);
    if (!migrated || !Run(db, {QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion), "COMMIT"}, &error)) {
        Run(db, {"ROLLBACK"}, &ignored);
        return {tr("the file %1 cannot be brought up to date (%2)").arg(Path_, error.text()), IsBusy(error)};
    }
    return {};
}

QString THistoryStore::Load(QSqlDatabase& db)
{
    QString error;
    std::vector<TAnswerRecord> answers = ReadAnswers(db, &error);
    std::vector<TRunRecord> runs;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (error.isEmpty() && !query.exec("SELECT id, started_ms, ended_ms, level, score, passed, ended_by FROM runs"
                                       " WHERE ended_ms IS NOT NULL ORDER BY id"))
        error = query.lastError().text();
    while (error.isEmpty() && query.next()) {
        TRunRecord run;
        run.Id = query.value(0).toLongLong();
        run.Started = TimeOf(query.value(1).toLongLong());
        run.Ended = TimeOf(query.value(2).toLongLong());
        run.Level = query.value(3).toInt();
        run.Score = query.value(4).toInt();
        run.Passed = query.value(5).toInt() != 0;
        run.EndedBy = query.value(6).toInt() == 1 ? TRunEnd::Reset : TRunEnd::Time;
        runs.push_back(run);
    }
    if (!error.isEmpty())
        return error;
    {
        std::lock_guard lock(Mutex_);
        Answers_ = std::move(answers);
        Runs_ = std::move(runs);
    }
    FileRead_ = true;
    emit Changed();
    return {};
}

int64_t THistoryStore::BeginRun(int level, std::chrono::system_clock::time_point started)
{
    int64_t token = 0;
    {
        std::lock_guard lock(Mutex_);
        token = ++NextToken_;
    }
    TRunRecord run;
    run.Level = level;
    run.Started = started;
    // No wait: the run's answers follow it in line and wait for their commit.
    Post([this, token, run](QSqlDatabase& db) { WriteRun(db, token, run, false); });
    return token;
}

void THistoryStore::EndRun(int64_t runToken, const TRunResult& result)
{
    TRunRecord run;
    run.Level = result.Level;
    run.Score = result.Score;
    run.Passed = result.Passed;
    run.EndedBy = result.EndedBy;
    run.Started = result.Started;
    run.Ended = result.Ended;
    WaitFor(Post([this, runToken, run](QSqlDatabase& db) { WriteRun(db, runToken, run, true); }), kWriteWait);
}

bool THistoryStore::ExecWhenUnlocked(QSqlQuery& query)
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
            std::lock_guard lock(Mutex_);
            if (Stopping_) {
                Usable_ = false;
                return false;
            }
        }
        std::this_thread::sleep_for(kBusyRetryPause);
    }
}

void THistoryStore::WriteRun(QSqlDatabase& db, int64_t token, const TRunRecord& given, bool end)
{
    TRunRecord run = given;
    const auto row = RunIds_.find(token);
    run.Id = row == RunIds_.end() ? 0 : row->second;
    if (Usable_) {
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
            if (!ExecWhenUnlocked(query))
                NotKept(tr("a run cannot be written (%1)").arg(query.lastError().text()));
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
        RunIds_.erase(token);
        OpenRuns_.erase(token);
        std::lock_guard lock(Mutex_);
        Runs_.push_back(run);
    } else {
        OpenRuns_[token] = given;
        if (run.Id != 0)
            RunIds_[token] = run.Id;
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
    Post([this, a = answer](QSqlDatabase& db) mutable {
        const auto row = RunIds_.find(a.RunId);
        a.RunId = row == RunIds_.end() ? 0 : row->second;
        if (Usable_) {
            QSqlQuery query(db);
            query.prepare("INSERT INTO answers(run_id, at_ms, level, key_index, clef, note, keys,"
                          " pitch_classes, is_right, answer_ms, input, exercise, place, timing_error_ms,"
                          " notes_asked) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
            for (const QVariant& value :
                 {a.RunId ? QVariant(qint64(a.RunId)) : QVariant(), QVariant(qint64(Ms(a.At))), QVariant(a.Level),
                  QVariant(a.Key), QVariant(a.Clef), QVariant(a.Note), QVariant(KeysText(a.KeysGiven)),
                  QVariant(int(a.PitchClassesGiven)), QVariant(a.Right ? 1 : 0), QVariant(qint64(a.AnswerMs)),
                  QVariant(InputKind(a.Source).HistoryCode), QVariant(ExerciseCode(a.Exercise)), QVariant(a.Place),
                  a.TimingErrorMs ? QVariant(qint64(*a.TimingErrorMs)) : QVariant(),
                  a.NotesAsked.empty() ? QVariant() : QVariant(KeysText(a.NotesAsked))})
                query.addBindValue(value);
            if (ExecWhenUnlocked(query))
                a.Id = query.lastInsertId().toLongLong();
            else
                NotKept(tr("an answer cannot be written (%1)").arg(query.lastError().text()));
        }
        // Kept in memory even when the file fails, so the run's
        // answers still show.
        {
            std::lock_guard lock(Mutex_);
            Answers_.push_back(std::move(a));
        }
        emit Changed();
    });
}

void THistoryStore::Clear()
{
    WaitFor(
        Post([this](QSqlDatabase& db) {
            QSqlError error;
            if (Usable_ && !Run(db, {"BEGIN IMMEDIATE", "DELETE FROM answers", "DELETE FROM runs", "COMMIT"}, &error)) {
                QSqlError ignored;
                Run(db, {"ROLLBACK"}, &ignored);
                NotKept(tr("the history cannot be cleared (%1)").arg(error.text()));
                return;
            }
            // A run going on keeps a row of its own: the answers it gets after the clear, and its
            // end, belong to it and not to the row just deleted.
            for (const auto& [token, run] : OpenRuns_) {
                RunIds_.erase(token);
                WriteRun(db, token, run, false);
            }
            {
                std::lock_guard lock(Mutex_);
                Answers_.clear();
                Runs_.clear();
            }
            emit Changed();
        }),
        kWriteWait);
}

std::vector<TAnswerRecord> THistoryStore::Answers(int level) const
{
    std::lock_guard lock(Mutex_);
    std::vector<TAnswerRecord> answers;
    for (const TAnswerRecord& a : Answers_)
        if (a.Level == level)
            answers.push_back(a);
    return answers;
}

std::vector<TRunRecord> THistoryStore::Runs(int level) const
{
    std::lock_guard lock(Mutex_);
    std::vector<TRunRecord> runs;
    for (const TRunRecord& r : Runs_)
        if (r.Level == level)
            runs.push_back(r);
    return runs;
}

QString THistoryStore::ReadEveryAnswer(TAnswerSink& sink) const
{
    if (!WaitForWritesBefore(sink))
        return {};
    // The file holds what every instance of the program wrote, so the export reads it rather than what this
    // one remembers; what this one remembers is all there is when the file was never read.
    if (FileRead_)
        return ReadFile(sink);
    ReadMemory(sink);
    return {};
}

bool THistoryStore::WaitForWritesBefore(const TAnswerSink& sink) const
{
    const auto until = std::chrono::steady_clock::now() + kReadWait;
    std::unique_lock lock(Mutex_);
    const int64_t ticket = Posted_;
    while (Worker_.joinable() && Finished_ < ticket && std::chrono::steady_clock::now() < until) {
        lock.unlock();
        if (!sink.Wanted())
            return false;
        lock.lock();
        Done_.wait_for(lock, std::chrono::milliseconds(kReadStepMs), [&] { return Finished_ >= ticket; });
    }
    return true;
}

QString THistoryStore::ReadFile(TAnswerSink& sink) const
{
    const QString name = QStringLiteral("lirasto-history-%1").arg(ConnectionCount++);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(Path_);
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
    return error.isEmpty() ? QString() : tr("the file %1 cannot be read (%2)").arg(Path_, error);
}

void THistoryStore::ReadMemory(TAnswerSink& sink) const
{
    // Copied a slice at a time, so that neither the memory nor the lock is held for the whole history.
    constexpr std::size_t kSlice = 4096;
    std::vector<TAnswerRecord> slice;
    int64_t count = 0;
    {
        std::lock_guard lock(Mutex_);
        count = int64_t(Answers_.size());
    }
    sink.Expect(count);
    for (std::size_t next = 0;; next += slice.size()) {
        {
            std::lock_guard lock(Mutex_);
            if (next >= Answers_.size())
                return;
            const auto from = Answers_.begin() + std::ptrdiff_t(next);
            slice.assign(from, from + std::ptrdiff_t(std::min(kSlice, Answers_.size() - next)));
        }
        for (const TAnswerRecord& a : slice)
            if (!sink.Take(a))
                return;
    }
}

QString THistoryStore::Problem() const
{
    std::lock_guard lock(Mutex_);
    return Problem_;
}

QString THistoryStore::Notice() const
{
    std::lock_guard lock(Mutex_);
    return Notice_;
}

extern "C" __attribute__((visibility("default"))) THistoryStorage* lirasto_history_create(int version,
                                                                                          const QString& path)
{
    if (version != THistoryStorage::kVersion)
        return nullptr;
    return new THistoryStore(path);
}
