// Opening the history file: what is found there is inspected without changing it, a damaged file is
// moved aside, an intact one this user may not write is left alone and shown read-only, and an older
// schema is brought up to date, all on the store's worker.
#include "history/HistorySql.h"
#include "history/HistoryStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>
#include <thread>

using namespace HistorySql;

namespace {

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
