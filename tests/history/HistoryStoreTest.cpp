#include "history/HistoryRecorder.h"
#include "tests/support/TempDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <csignal>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <spawn.h>
#include <sys/wait.h>

// The history keeps every judged answer in a real SQLite file, through kills,
// a second instance, damaged files and old versions.
namespace {

using namespace std::chrono;
namespace fs = std::filesystem;

TAnswerRecord Answer(int64_t index)
{
    TAnswerRecord a;
    a.Level = 2, a.Key = 5, a.Clef = 1, a.Note = 65, a.Right = true, a.AnswerMs = index;
    return a;
}

// Child mode: writes count answers, printing each index once it is committed.
int WriteAnswers(const char* path, int count)
{
    THistoryStore store(path);
    store.Open();
    store.Flush();
    for (int i = 0; i < count; ++i)
        if (store.AddAnswer(Answer(i)))
            std::printf("%d\n", i), std::fflush(stdout);
    if (!store.Problem().isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(store.Problem()));
    return store.Problem().isEmpty() ? 0 : 1;
}

struct Child
{
    pid_t Pid = 0;
    FILE* Out = nullptr;
};

Child StartWriter(const fs::path& db, int count)
{
    int fds[2];
    EXPECT_EQ(pipe(fds), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    std::string exe = fs::read_symlink("/proc/self/exe"), file = db.string(), n = std::to_string(count);
    char* argv[] = {exe.data(), const_cast<char*>("--write"), file.data(), n.data(), nullptr};
    Child child;
    EXPECT_EQ(posix_spawn(&child.Pid, exe.c_str(), &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    child.Out = fdopen(fds[0], "r");
    return child;
}

std::set<int64_t> StoredIndexes(const fs::path& db)
{
    THistoryStore store(QString::fromStdString(db.string()));
    store.Open();
    store.Flush();
    EXPECT_EQ(store.Problem(), "");
    std::set<int64_t> indexes;
    for (const TAnswerRecord& a : store.AllAnswers())
        indexes.insert(a.AnswerMs);
    return indexes;
}

TEST(HistoryStore, ReadsBackEveryFieldOfAnAnswerAndARunAndExportsThem)
{
    lirasto::test::TempDir dir;
    const QString path = QString::fromStdString((dir.path() / "data/history.sqlite3").string());
    const auto at = system_clock::time_point{} + milliseconds(1765252800123);
    {
        THistoryStore store(path);
        store.Open();
        THistoryRecorder recorder(store, [&] { return at; });
        recorder.RunStarted(4);
        TJudgement j{{4, 10, 2, 46}, true, 0x402, {58, 70}, 0x400, TInputSource::Midi, milliseconds(1234)};
        recorder.AnswerJudged(j);
        recorder.RunEnded({4, 305, true, TRunEnd::Reset, at - seconds(150), at});
        EXPECT_TRUE(store.ExportCsv(path + ".csv"));
    }
    THistoryStore store(path);
    store.Open();
    store.Flush();
    ASSERT_EQ(store.Answers(4).size(), 1u) << store.Problem().toStdString();
    ASSERT_EQ(store.Runs(4).size(), 1u);
    const TAnswerRecord a = store.Answers(4)[0];
    const TRunRecord r = store.Runs(4)[0];
    EXPECT_EQ(std::tuple(a.RunId, a.At, a.Level, a.Key, a.Clef, a.Note, a.KeysGiven, a.PitchClassesGiven, a.Right,
                         a.AnswerMs, a.Source),
              std::tuple(r.Id, at, 4, 10, 2, 46, std::vector<int>{58, 70}, TPitchClassSet(0x400), true, int64_t(1234),
                         TInputSource::Midi));
    EXPECT_EQ(std::tuple(r.Started, r.Ended, r.Level, r.Score, r.Passed, r.EndedBy),
              std::tuple(at - seconds(150), at, 4, 305, true, TRunEnd::Reset));
    QFile csv(path + ".csv");
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll(), "id,run_id,time,level,key,clef,note,keys,pitch_classes,right,answer_ms,input\n"
                             "1,1,2025-12-09T04:00:00.123Z,4,Bb,bass,46,58 70,10,1,1234,midi\n");
    store.Clear();
    EXPECT_TRUE(store.AllAnswers().empty());
    EXPECT_TRUE(StoredIndexes(path.toStdString()).empty());
}

TEST(HistoryStore, KeepsEveryAnswerCommittedBeforeTheProcessIsKilled)
{
    lirasto::test::TempDir dir;
    Child child = StartWriter(dir.path() / "history.sqlite3", 100000);
    int last = -1;
    for (int i = 0; i < 300 && std::fscanf(child.Out, "%d", &last) == 1; ++i) {
    }
    kill(child.Pid, SIGKILL);
    waitpid(child.Pid, nullptr, 0);
    while (std::fscanf(child.Out, "%d", &last) == 1) {
    }
    std::fclose(child.Out);
    ASSERT_GE(last, 299);
    const std::set<int64_t> stored = StoredIndexes(dir.path() / "history.sqlite3");
    for (int i = 0; i <= last; ++i)
        ASSERT_TRUE(stored.count(i)) << "answer " << i << " of " << last << " lost";
}

TEST(HistoryStore, TwoProcessesWritingAtOnceLoseNoAnswer)
{
    lirasto::test::TempDir dir;
    const fs::path db = dir.path() / "history.sqlite3";
    Child children[] = {StartWriter(db, 1000), StartWriter(db, 1000)};
    for (Child& child : children) {
        int status = -1, index = 0, lines = 0;
        while (std::fscanf(child.Out, "%d", &index) == 1)
            ++lines;
        std::fclose(child.Out);
        waitpid(child.Pid, &status, 0);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(lines, 1000);
    }
    THistoryStore store(QString::fromStdString(db.string()));
    store.Open();
    store.Flush();
    EXPECT_EQ(store.AllAnswers().size(), 2000u);
}

// Runs statements on a file directly; returns the first value of the last.
QVariant Sql(const fs::path& db, const QStringList& statements)
{
    QVariant value;
    {
        QSqlDatabase sql = QSqlDatabase::addDatabase("QSQLITE", "test");
        sql.setDatabaseName(QString::fromStdString(db.string()));
        EXPECT_TRUE(sql.open());
        QSqlQuery query(sql);
        for (const QString& statement : statements)
            EXPECT_TRUE(query.exec(statement)) << statement.toStdString();
        value = query.next() ? query.value(0) : QVariant();
    }
    QSqlDatabase::removeDatabase("test");
    return value;
}

QByteArray Bytes(const fs::path& file)
{
    QFile f(QString::fromStdString(file.string()));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteHistory(const fs::path& db, int answers)
{
    THistoryStore store(QString::fromStdString(db.string()));
    store.Open();
    for (int i = 0; i < answers; ++i)
        store.AddAnswer(Answer(i));
}

struct DamagedCase
{
    const char* Name;
    std::function<void(const fs::path&)> Make;
    const char* Said;
};

class DamagedFile : public testing::TestWithParam<DamagedCase>
{};

TEST_P(DamagedFile, IsKeptBesideUnderANewNameAndAFreshHistoryBegins)
{
    lirasto::test::TempDir dir;
    const fs::path db = dir.path() / "history.sqlite3";
    GetParam().Make(db);
    const QByteArray before = Bytes(db);
    {
        THistoryStore store(QString::fromStdString(db.string()));
        store.Open();
        store.AddAnswer(Answer(7));
        EXPECT_TRUE(store.Problem().startsWith(GetParam().Said)) << store.Problem().toStdString();
        EXPECT_TRUE(store.Problem().contains(" It is kept as history.sqlite3.damaged-20"));
    }
    std::vector<fs::path> kept;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        if (entry.path().filename().string().find(".damaged-") != std::string::npos &&
            !entry.path().string().ends_with("-wal") && !entry.path().string().ends_with("-shm"))
            kept.push_back(entry.path());
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(Bytes(kept[0]), before);
    EXPECT_EQ(StoredIndexes(db), std::set<int64_t>{7}); // and said only once
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedFile,
    testing::Values(
        DamagedCase{"garbage",
                    [](const fs::path& db) {
                        QFile f(QString::fromStdString(db.string()));
                        f.open(QIODevice::WriteOnly);
                        for (uint32_t i = 0, x = 1; i < 2048; ++i, x = x * 134775813u + 1u)
                            f.write(reinterpret_cast<const char*>(&x), 4);
                    },
                    "The history file was damaged."},
        DamagedCase{"short", [](const fs::path& db) { Sql(db, {"CREATE TABLE t(x)"}), fs::resize_file(db, 60); },
                    "The history file was damaged."},
        DamagedCase{"truncated",
                    [](const fs::path& db) { WriteHistory(db, 2000), fs::resize_file(db, fs::file_size(db) / 2); },
                    "The history file was damaged."},
        DamagedCase{"foreign", [](const fs::path& db) { Sql(db, {"CREATE TABLE contacts(name TEXT)"}); },
                    "The history file belonged to another program."},
        DamagedCase{"newer", [](const fs::path& db) { WriteHistory(db, 3), Sql(db, {"PRAGMA user_version = 3"}); },
                    "The history file was written by a newer version of Lirasto Notes."}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(HistoryStore, BringsAVersionOneFileUpToDateKeepingItsAnswers)
{
    lirasto::test::TempDir dir;
    const fs::path db = dir.path() / "history.sqlite3";
    Sql(db, {"PRAGMA application_id = 1280198740", "PRAGMA user_version = 1",
             "CREATE TABLE runs(id INTEGER PRIMARY KEY, started_ms INTEGER NOT NULL, ended_ms INTEGER, level INTEGER "
             "NOT NULL, score INTEGER NOT NULL DEFAULT 0, passed INTEGER NOT NULL DEFAULT 0, ended_by INTEGER NOT NULL "
             "DEFAULT 0)",
             "CREATE TABLE answers(id INTEGER PRIMARY KEY, run_id INTEGER, at_ms INTEGER NOT NULL, level INTEGER NOT "
             "NULL, key_index INTEGER NOT NULL, clef INTEGER NOT NULL, note INTEGER NOT NULL, keys TEXT NOT NULL, "
             "pitch_classes INTEGER NOT NULL, is_right INTEGER NOT NULL, answer_ms INTEGER NOT NULL, input INTEGER NOT "
             "NULL)",
             "INSERT INTO runs VALUES (1, 1000, 151000, 3, 300, 1, 0)",
             "INSERT INTO answers VALUES (1, 1, 5000, 3, 7, 1, 67, '55 67 300', 128, 1, 900, 1)"});
    THistoryStore store(QString::fromStdString(db.string()));
    store.Open();
    store.Flush();
    EXPECT_EQ(store.Problem(), "");
    ASSERT_EQ(store.Answers(3).size(), 1u);
    ASSERT_EQ(store.Runs(3).size(), 1u);
    EXPECT_EQ(store.Answers(3)[0].KeysGiven, (std::vector<int>{55, 67})); // 300 is no key: dropped
    EXPECT_EQ(store.Answers(3)[0].Source, TInputSource::ComputerKeyboard);
    EXPECT_EQ(store.Runs(3)[0].Score, 300);
    EXPECT_EQ(Sql(db, {"PRAGMA user_version"}).toInt(), 2);
    EXPECT_EQ(Sql(db, {"SELECT count(*) FROM sqlite_master WHERE name = 'answers_by_level'"}).toInt(), 1);
}

TEST(HistoryStore, GoesOnInMemoryWhenTheFolderCannotBeWritten)
{
    lirasto::test::TempDir dir;
    QFile(QString::fromStdString((dir.path() / "data").string())).open(QIODevice::WriteOnly); // a file, not a folder
    THistoryStore store(QString::fromStdString((dir.path() / "data/history.sqlite3").string()));
    store.Open();
    EXPECT_TRUE(store.AddAnswer(Answer(5)));
    EXPECT_TRUE(store.Problem().startsWith("History is not being kept: the folder ")) << store.Problem().toStdString();
    ASSERT_EQ(store.Answers(2).size(), 1u);
    EXPECT_TRUE(store.ExportCsv(QString::fromStdString((dir.path() / "out.csv").string())));
    EXPECT_EQ(Bytes(dir.path() / "out.csv").count('\n'), 2);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && std::string(argv[1]) == "--write")
        return WriteAnswers(argv[2], std::atoi(argv[3]));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
