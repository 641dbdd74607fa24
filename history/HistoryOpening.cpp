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

TVerdict verdictOf(const QSqlError& error)
{
    return IsBusy(error) ? TVerdict::Busy : IsDamage(error) ? TVerdict::Damaged : TVerdict::Unopenable;
}

// Looks at an existing file without changing it: a read-only connection
// neither recovers nor checkpoints another program's database.
TVerdict inspect(const QString& path, const QString& connection, int busyTimeoutMs, QString* detail)
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
            verdict = verdictOf(query.lastError());
            return false;
        };
        QVariant id, version, check, tables, objects;
        if (!db.open()) {
            *detail = db.lastError().text();
            verdict = verdictOf(db.lastError());
        } else if (value("PRAGMA application_id", &id) && value("PRAGMA user_version", &version) &&
                   value("SELECT count(*) FROM sqlite_master", &objects)) {
            // An empty database holds nothing to keep: another instance starting at the same
            // moment may have just made it and not yet committed its tables. Opening it waits
            // for that instance's write lock and then finds the tables, or makes them.
            if (id.toInt() == 0 && version.toInt() == 0 && objects.toInt() == 0)
                verdict = TVerdict::Ours;
            else if (id.toInt() != THistoryStore::kApplicationId)
                verdict = TVerdict::Foreign;
            else if (version.toInt() > THistoryStore::kSchemaVersion)
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

void THistoryStore::notKept(const QString& why)
{
    const QString text = tr("History is not being kept: %1").arg(why);
    std::lock_guard lock(mutex_);
    if (!problem_.contains(text))
        problem_ = problem_.isEmpty() ? text : problem_ + '\n' + text;
}

bool THistoryStore::moveAside(const QString& why)
{
    const QString stamp = QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
    QString target = path_ + ".damaged-" + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = path_ + ".damaged-" + stamp + '-' + QString::number(n);
    if (!QFile::rename(path_, target)) {
        notKept(tr("the file %1 cannot be read and cannot be moved aside").arg(path_));
        return false;
    }
    // The journal files belong to the old file: a new database beside a
    // stale write-ahead log would take the old pages in.
    for (const char* suffix : {"-wal", "-shm"}) {
        if (QFileInfo::exists(path_ + suffix) && !QFile::rename(path_ + suffix, target + suffix)) {
            notKept(tr("the file %1 cannot be moved aside").arg(path_ + suffix));
            return false;
        }
    }
    std::lock_guard lock(mutex_);
    notice_ = why.arg(QFileInfo(target).fileName());
    return true;
}

namespace {

// SQLite's busy timeout does not wait out every lock: a connection changing the journal mode,
// or reading a write-ahead log that another is recovering, is told "database is locked" at
// once. When two instances open a new history at the same moment one of them meets that, so
// opening is tried again until the timeout is spent; attempt says whether the file was busy.
template <typename TAttempt>
auto retryWhileBusy(std::chrono::milliseconds timeout, TAttempt attempt)
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

void THistoryStore::openFile(QSqlDatabase& db)
{
    const QFileInfo file(path_);
    if (!QDir().mkpath(file.absolutePath()))
        return notKept(tr("the folder %1 cannot be made").arg(file.absolutePath()));
    if (file.exists() && !file.isFile())
        return notKept(tr("%1 is not a file").arg(path_));
    if (file.exists() && file.size() > 0) {
        const TInspection inspection = retryWhileBusy(busyTimeout_, [&] {
            TInspection result{TVerdict::Ours, {}, false};
            result.Verdict = inspect(path_, connectionName_ + "-check", int(busyTimeout_.count()), &result.Detail);
            result.Busy = result.Verdict == TVerdict::Busy;
            return result;
        });
        switch (inspection.Verdict) {
        case TVerdict::Ours:
            break;
        case TVerdict::Busy:
            return notKept(tr("the file %1 is in use (%2)").arg(path_, inspection.Detail));
        case TVerdict::Unopenable:
            // Intact as far as can be told, but this user may not open it as it is: every file stays
            // as it was, and what can be read of it is shown.
            notKept(tr("the file %1 cannot be opened (%2)").arg(path_, inspection.Detail));
            return showReadOnly(db);
        case TVerdict::Damaged:
            if (!moveAside(tr("The history file was damaged. It is kept as %1, and a new history has begun.")))
                return;
            break;
        case TVerdict::Foreign:
            if (!moveAside(tr("The history file belonged to another program. It is kept as %1, and a new history "
                              "has begun.")))
                return;
            break;
        case TVerdict::Newer:
            if (!moveAside(tr("The history file was written by a newer version of Lirasto Notes. It is kept as %1, "
                              "and a new history has begun.")))
                return;
            break;
        }
    }

    const TOpening opening = retryWhileBusy(busyTimeout_, [&] {
        Disconnect(db, connectionName_);
        return openConnection(db);
    });
    if (!opening.Error.isEmpty()) {
        notKept(opening.Error);
        if (opening.Readable)
            showReadOnly(db);
        return;
    }
    if (const QString error = load(db); !error.isEmpty())
        return notKept(tr("the file %1 cannot be read (%2)").arg(path_, error));
    usable_ = true;
}

void THistoryStore::showReadOnly(QSqlDatabase& db)
{
    // A history in write-ahead mode is read through a shared-memory file beside it, which a folder
    // this user cannot write does not let be made. Read as a file that cannot change, it needs
    // nothing beside it, at the cost of a last commit still in another instance's log.
    const QString unchanging = QUrl::fromLocalFile(path_).toString(QUrl::FullyEncoded) + "?immutable=1";
    const std::pair<QString, QString> ways[] = {{path_, QStringLiteral("QSQLITE_OPEN_READONLY")},
                                                {unchanging, QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI")}};
    for (const auto& [name, options] : ways) {
        Disconnect(db, connectionName_);
        db = QSqlDatabase::addDatabase("QSQLITE", connectionName_);
        db.setDatabaseName(name);
        db.setConnectOptions(options);
        if (db.open() && load(db).isEmpty())
            return;
    }
    Disconnect(db, connectionName_);
}

THistoryStore::TOpening THistoryStore::openConnection(QSqlDatabase& db)
{
    db = QSqlDatabase::addDatabase("QSQLITE", connectionName_);
    db.setDatabaseName(path_);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeout_.count()));
    if (!db.open())
        return {tr("the file %1 cannot be opened (%2)").arg(path_, db.lastError().text()), IsBusy(db.lastError()),
                !IsBusy(db.lastError())};
    // WAL lets another instance read while this one writes; NORMAL commits
    // without waiting for the disk, and a killed process still loses nothing.
    QSqlError error;
    if (!Run(db, {"PRAGMA journal_mode = WAL", "PRAGMA synchronous = NORMAL", "BEGIN IMMEDIATE"}, &error))
        return {tr("the file %1 cannot be written (%2)").arg(path_, error.text()), IsBusy(error), !IsBusy(error)};
    // Read the version inside the write lock: another instance may just
    // have made or migrated the file.
    QSqlQuery version(db);
    int from = version.exec("PRAGMA user_version") && version.next() ? version.value(0).toInt() : -1;
    version = QSqlQuery();
    QSqlError ignored;
    if (from < 0 || from > kSchemaVersion) {
        Run(db, {"ROLLBACK"}, &ignored);
        return {tr("the file %1 was changed by a newer version of Lirasto Notes").arg(path_), false};
    }
    bool migrated = true;
    for (int step = from; migrated && step < kSchemaVersion; ++step)
        migrated = Run(db, kSchemaSteps[size_t(step)], &error);
    if (!migrated || !Run(db, {QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion), "COMMIT"}, &error)) {
        Run(db, {"ROLLBACK"}, &ignored);
        return {tr("the file %1 cannot be brought up to date (%2)").arg(path_, error.text()), IsBusy(error)};
    }
    return {};
}

QString THistoryStore::load(QSqlDatabase& db)
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
        std::lock_guard lock(mutex_);
        answers_ = std::move(answers);
        runs_ = std::move(runs);
    }
    fileRead_ = true;
    emit Changed();
    return {};
}
