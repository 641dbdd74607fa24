#include "history/HistoryStore.h"
#include "game/MusicKeys.h"
#include "history/HistoryModule.h"
#include "history/HistoryRecorder.h"
#include "tests/support/EventWait.h"
#include "tests/support/TempDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <set>
#include <unistd.h>

// The history keeps every judged answer in a real SQLite file, through kills,
// a second instance, damaged files and old versions.
namespace {

using namespace std::chrono;
namespace fs = std::filesystem;

QString q(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

TAnswerRecord answer(int64_t index)
{
    return {0, 0, {}, 2, 5, 1, 65, {}, 0, true, index, TInputSource::Mouse};
}

// The child: prints its pid, then the index of each answer once committed.
int writeAnswers(const char* path, int count)
{
    THistoryStore store(path);
    store.Open();
    std::printf("%d\n", int(getpid()));
    for (int i = 0; i < count; ++i) {
        store.AddAnswer(answer(i));
        store.Flush();
        std::printf("%d\n", i), std::fflush(stdout);
    }
    if (store.Problem().isEmpty() && store.Notice().isEmpty())
        return 0;
    std::fprintf(stderr, "%s%s\n", qPrintable(store.Problem()), qPrintable(store.Notice()));
    return 1;
}

FILE* startWriter(const fs::path& db, int count)
{
    const std::string exe = fs::read_symlink("/proc/self/exe");
    return popen(("exec '" + exe + "' --write '" + db.string() + "' " + std::to_string(count)).c_str(), "r");
}

std::set<int64_t> storedIndexes(const fs::path& db)
{
    THistoryStore store(q(db));
    store.Open();
    store.Flush();
    EXPECT_EQ(store.Problem(), "");
    std::set<int64_t> indexes;
    for (const TAnswerRecord& a : store.AllAnswers())
        indexes.insert(a.AnswerMs);
    return indexes;
}

// Runs statements on a file directly; returns the first value of the last.
QVariant sql(const fs::path& db, const QStringList& statements)
{
    QVariant value;
    {
        QSqlDatabase sql = QSqlDatabase::addDatabase("QSQLITE", "test");
        sql.setDatabaseName(q(db));
        EXPECT_TRUE(sql.open());
        QSqlQuery query(sql);
        for (const QString& statement : statements)
            EXPECT_TRUE(query.exec(statement)) << statement.toStdString();
        value = query.next() ? query.value(0) : QVariant();
    }
    QSqlDatabase::removeDatabase("test");
    return value;
}

QByteArray bytes(const fs::path& file)
{
    QFile f(q(file));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeHistory(const fs::path& db, int answers)
{
    THistoryStore store(q(db));
    store.Open();
    for (int i = 0; i < answers; ++i)
        store.AddAnswer(answer(i));
}

TEST(HistoryStore, ReadsBackEveryFieldOfAnAnswerAndARun)
{
    lirasto::test::TempDir dir;
    const fs::path db = dir.Path() / "data/history.sqlite3";
    const auto at = system_clock::time_point{} + milliseconds(1765252800123);
    {
        THistoryStore store(q(db));
        store.Open();
        THistoryRecorder recorder(store, [&] { return at; });
        recorder.RunStarted(4);
        recorder.AnswerJudged({{4, 10, 2, 46}, true, 0x402, {58, 70}, 0x400, TInputSource::Midi, milliseconds(1234)});
        recorder.RunEnded({4, 305, true, TRunEnd::Reset, at - seconds(150), at});
    }
    THistoryStore store(q(db));
    store.Open();
    store.Flush();
    ASSERT_EQ(store.Answers(4).size(), 1u);
    ASSERT_EQ(store.Runs(4).size(), 1u);
    const TAnswerRecord a = store.Answers(4)[0];
    const TRunRecord r = store.Runs(4)[0];
    EXPECT_EQ(std::tuple(a.RunId, a.At, a.Level, a.Key, a.Clef, a.Note, a.KeysGiven, a.PitchClassesGiven, a.Right,
                         a.AnswerMs, a.Source),
              std::tuple(r.Id, at, 4, 10, 2, 46, std::vector<int>{58, 70}, TPitchClassSet(0x400), true, int64_t(1234),
                         TInputSource::Midi));
    EXPECT_EQ(std::tuple(r.Started, r.Ended, r.Level, r.Score, r.Passed, r.EndedBy),
              std::tuple(at - seconds(150), at, 4, 305, true, TRunEnd::Reset));
    {
        // Another instance writes the same file: what this one reads for the export holds that answer too.
        THistoryStore other(q(db));
        other.Open();
        other.AddAnswer(answer(7));
        other.Flush();
    }
    EXPECT_EQ(store.AllAnswers().size(), 2u);
    THistoryRecorder recorder(store, [&] { return at; });
    recorder.RunStarted(5);
    store.Clear(); // while a run goes on: its end is still written
    EXPECT_TRUE(store.AllAnswers().empty());
    EXPECT_TRUE(storedIndexes(db).empty());
    // An answer after the clear belongs to the run that goes on, whose end updates that same row.
    recorder.AnswerJudged({{5, 3, 1, 64}, true, 0x10, {64}, 0x10, TInputSource::Mouse, milliseconds(900)});
    recorder.RunEnded({5, 10, false, TRunEnd::Time, at, at});
    store.Flush();
    EXPECT_EQ(sql(db, {"SELECT count(*) FROM runs WHERE ended_ms IS NOT NULL AND level = 5"}).toInt(), 1);
    EXPECT_EQ(sql(db, {"SELECT count(*) FROM runs"}).toInt(), 1);
    EXPECT_EQ(
        sql(db, {"SELECT count(*) FROM answers JOIN runs ON runs.id = answers.run_id AND runs.level = 5"}).toInt(), 1);
}

TEST(HistoryStore, KeepsEveryAnswerCommittedBeforeTheProcessIsKilled)
{
    lirasto::test::TempDir dir;
    FILE* child = startWriter(dir.Path() / "history.sqlite3", 100000);
    int pid = 0, last = -1;
    ASSERT_EQ(std::fscanf(child, "%d", &pid), 1);
    while (last < 300 && std::fscanf(child, "%d", &last) == 1) {
    }
    kill(pid, SIGKILL);
    while (std::fscanf(child, "%d", &last) == 1) {
    }
    pclose(child);
    const std::set<int64_t> stored = storedIndexes(dir.Path() / "history.sqlite3");
    for (int i = 0; i <= last; ++i)
        ASSERT_TRUE(stored.count(i)) << "answer " << i << " of " << last << " lost";
}

TEST(HistoryStore, TwoProcessesWritingAtOnceLoseNoAnswer)
{
    lirasto::test::TempDir dir;
    FILE* children[] = {startWriter(dir.Path() / "history.sqlite3", 1000),
                        startWriter(dir.Path() / "history.sqlite3", 1000)};
    for (FILE* child : children) {
        int lines = 0, index = 0;
        while (std::fscanf(child, "%d", &index) == 1)
            ++lines;
        EXPECT_EQ(pclose(child), 0);
        EXPECT_EQ(lines, 1 + 1000);
    }
    EXPECT_EQ(storedIndexes(dir.Path() / "history.sqlite3").size(), 1000u); // each index twice
    EXPECT_EQ(sql(dir.Path() / "history.sqlite3", {"SELECT count(*) FROM answers"}).toInt(), 2000);
}

void makeDamaged(const std::string& how, const fs::path& db)
{
    QFile file(q(db));
    if (how == "garbage")
        file.open(QIODevice::WriteOnly), file.write(QByteArray(8192, 'Z'));
    if (how == "short")
        sql(db, {"CREATE TABLE t(x)"}), fs::resize_file(db, 60);
    if (how == "truncated")
        writeHistory(db, 2000), fs::resize_file(db, fs::file_size(db) / 2);
    if (how == "foreign")
        sql(db, {"CREATE TABLE contacts(name TEXT)"});
    if (how == "newer")
        writeHistory(db, 3),
            sql(db, {QStringLiteral("PRAGMA user_version = %1").arg(THistoryStore::kSchemaVersion + 1)});
}

// Another program holding the file's lock longer than the busy timeout delays the answers
// given meanwhile; it does not lose them.
TEST(HistoryStore, AnswersRefusedWhileTheFileIsLockedAreWrittenWhenTheLockGoes)
{
    lirasto::test::TempDir dir;
    const fs::path db = dir.Path() / "history.sqlite3";
    THistoryStore store(q(db), milliseconds(20));
    store.Open();
    store.AddAnswer(answer(1));
    store.Flush();
    {
        QSqlDatabase locker = QSqlDatabase::addDatabase("QSQLITE", "locker");
        locker.setDatabaseName(q(db));
        ASSERT_TRUE(locker.open());
        QSqlQuery(locker).exec("BEGIN IMMEDIATE");
        store.AddAnswer(answer(2));
        // Many busy timeouts go by while the lock is held.
        QThread::msleep(300);
        QSqlQuery(locker).exec("COMMIT");
        locker.close();
    }
    QSqlDatabase::removeDatabase("locker");
    store.Flush();
    EXPECT_EQ(store.Problem(), "");
    EXPECT_EQ(storedIndexes(db), (std::set<int64_t>{1, 2}));
}

// A damaged row's time beyond the clock's reach reads as the farthest time, not as an overflow.
TEST(HistoryStore, ReadsATimeBeyondTheClocksReachAsItsFarthest)
{
    lirasto::test::TempDir dir;
    const fs::path db = dir.Path() / "history.sqlite3";
    writeHistory(db, 2);
    sql(db, {"UPDATE answers SET at_ms = 9223372036854775807 WHERE answer_ms = 0",
             "UPDATE answers SET at_ms = -9223372036854775807 WHERE answer_ms = 1"});
    THistoryStore store(q(db));
    store.Open();
    store.Flush();
    const std::vector<TAnswerRecord> answers = store.AllAnswers();
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_GT(answers[0].At, system_clock::time_point{} + hours(24 * 365 * 290));
    EXPECT_LT(answers[1].At, system_clock::time_point{} - hours(24 * 365 * 290));
}

// A database with nothing in it, as another instance leaves it for a moment while it makes its
// history, is not moved aside: its tables are made in it.
TEST(HistoryStore, TakesAnEmptyDatabaseAsANewHistory)
{
    lirasto::test::TempDir dir;
    const fs::path db = dir.Path() / "history.sqlite3";
    sql(db, {"PRAGMA journal_mode = WAL"});
    {
        THistoryStore store(q(db));
        store.Open();
        store.AddAnswer(answer(7));
        store.Flush();
        EXPECT_EQ(store.Notice(), "");
        EXPECT_EQ(store.Problem(), "");
    }
    EXPECT_TRUE(QDir(q(dir.Path())).entryList({"history.sqlite3.damaged-*"}).isEmpty());
    EXPECT_EQ(storedIndexes(db), std::set<int64_t>{7});
}

// How the file is damaged, and what the player is told.
class DamagedFile : public testing::TestWithParam<std::pair<std::string, std::string>>
{};

TEST_P(DamagedFile, IsKeptBesideUnderANewNameAndAFreshHistoryBegins)
{
    lirasto::test::TempDir dir;
    const fs::path db = dir.Path() / "history.sqlite3";
    makeDamaged(GetParam().first, db);
    const QByteArray before = bytes(db);
    {
        THistoryStore store(q(db));
        store.Open();
        store.AddAnswer(answer(7));
        store.Flush();
        const std::string said = GetParam().second + " It is kept as history.sqlite3.damaged-20";
        EXPECT_EQ(store.Notice().toStdString().substr(0, said.size()), said);
        EXPECT_EQ(store.Problem(), ""); // the fresh history is kept
    }
    // The journal files go with it, as name-wal and name-shm.
    const QStringList kept = QDir(q(dir.Path())).entryList({"history.sqlite3.damaged-\?\?\?\?\?\?\?\?-\?\?\?\?\?\?"});
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(bytes(dir.Path() / kept[0].toStdString()), before);
    EXPECT_EQ(storedIndexes(db), std::set<int64_t>{7}); // and said only once
}

using TCase = std::pair<std::string, std::string>;
const std::string kDamaged = "The history file was damaged.";
INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedFile,
    testing::Values(TCase{"garbage", kDamaged}, TCase{"short", kDamaged}, TCase{"truncated", kDamaged},
                    TCase{"foreign", "The history file belonged to another program."},
                    TCase{"newer", "The history file was written by a newer version of Lirasto Notes."}),
    [](const auto& info) { return info.param.first; });

// A file an older version wrote is brought up to date in place: its answers stay, read as a level's (version 4: a
// stack's with its notes), with no key of the thirty, chord or practice.
class OldFile : public testing::TestWithParam<int>
{};

TEST_P(OldFile, IsBroughtUpToDateKeepingItsAnswers)
{
    lirasto::test::TempDir dir;
    const fs::path db = dir.Path() / "history.sqlite3";
    const bool stacks = GetParam() == 4;
    sql(db, {"PRAGMA application_id = 1280198740", QStringLiteral("PRAGMA user_version = %1").arg(GetParam()),
             "CREATE TABLE runs(id INTEGER PRIMARY KEY, started_ms, ended_ms, level, score, passed, ended_by)",
             QStringLiteral("CREATE TABLE answers(id INTEGER PRIMARY KEY, run_id, at_ms, level, key_index, clef, note,"
                            " keys, pitch_classes, is_right, answer_ms, input%1)")
                 .arg(stacks ? ", exercise NOT NULL DEFAULT 0, place NOT NULL DEFAULT 0, timing_error_ms, notes_asked"
                             : ""),
             "INSERT INTO runs VALUES (1, 1000, 151000, 3, 300, 1, 0)",
             "INSERT INTO answers(id, run_id, at_ms, level, key_index, clef, note, keys, pitch_classes, is_right,"
             " answer_ms, input) VALUES (1, 1, 5000, 3, 7, 1, 67, '55 67 300', 128, 1, 900, 1)"});
    if (GetParam() >= 2)
        sql(db,
            {"CREATE INDEX answers_by_level ON answers(level, id)", "CREATE INDEX runs_by_level ON runs(level, id)"});
    if (stacks)
        sql(db, {"UPDATE answers SET exercise = 2, notes_asked = '67 71 74'"});
    THistoryStore store(q(db));
    store.Open();
    store.Flush();
    EXPECT_EQ(store.Problem(), "");
    ASSERT_EQ(store.Answers(3).size(), 1u);
    const TAnswerRecord a = store.Answers(3)[0];
    EXPECT_EQ(a.KeysGiven, (std::vector<int>{55, 67})); // 300 is no key: dropped
    EXPECT_EQ(std::tuple(a.Source, a.Exercise, a.Place, a.TimingErrorMs, a.NotesAsked),
              std::tuple(TInputSource::ComputerKeyboard, stacks ? TExerciseKind::Chords : TExerciseKind::Levels, 0,
                         std::optional<int64_t>(), stacks ? std::vector<int>{67, 71, 74} : std::vector<int>{}));
    EXPECT_EQ(std::tuple(a.Key, a.MusicKey, a.Chord, a.Practice), std::tuple(7, -1, TChordLabel{}, QString()));
    EXPECT_EQ(store.Runs(3).at(0).Score, 300);
    EXPECT_EQ(sql(db, {"PRAGMA user_version"}).toInt(), THistoryStore::kSchemaVersion);
    EXPECT_EQ(sql(db, {"SELECT count(*) FROM sqlite_master WHERE name = 'answers_by_level'"}).toInt(), 1);
    EXPECT_EQ(sql(db, {"SELECT count(*) FROM answers WHERE place = 0 AND timing_error_ms IS NULL AND music_key IS NULL"
                       " AND chord_type IS NULL AND chord_inversion = 0 AND chord_root IS NULL AND practice IS NULL"})
                  .toInt(),
              1);
}

INSTANTIATE_TEST_SUITE_P(Versions, OldFile, testing::Values(1, 2, 4));

// A damaged value of the columns that name a clef, a key of the thirty or a chord reads as none; the rest of the
// answer stays.
TEST(HistoryStore, ReadsADamagedCodeAsNone)
{
    // What is written over the answer's value, and the clef, key and chord type then read.
    const std::tuple<const char*, int, int, int> damaged[] = {
        {"clef = 6", 0, 15, 22},           {"clef = -1", 0, 15, 22},       {"music_key = 0", 3, -1, 22},
        {"music_key = 31", 3, -1, 22},     {"music_key = 'x'", 3, -1, 22}, {"chord_type = 14", 3, 15, 0},
        {"chord_inversion = 3", 3, 15, 0}, {"chord_root = 0", 3, 15, 0},   {"chord_root = 22", 3, 15, 0},
        {"chord_root = NULL", 3, 15, 0}};
    lirasto::test::TempDir dir;
    const fs::path db = dir.Path() / "history.sqlite3";
    {
        THistoryStore store(q(db));
        store.Open();
        for (int i = 0; i < int(std::size(damaged)); ++i) {
            TAnswerRecord chord = answer(i);
            chord.Clef = 3;
            chord.MusicKey = 15; // A flat minor
            chord.Chord = {22, 1, 1, 0};
            store.AddAnswer(chord);
        }
        store.Flush();
    }
    for (int i = 0; i < int(std::size(damaged)); ++i)
        sql(db, {QStringLiteral("UPDATE answers SET %1 WHERE answer_ms = %2").arg(std::get<0>(damaged[i])).arg(i)});
    THistoryStore store(q(db));
    store.Open();
    store.Flush();
    const std::vector<TAnswerRecord> answers = store.Answers(2);
    ASSERT_EQ(answers.size(), std::size(damaged));
    for (std::size_t i = 0; i < answers.size(); ++i)
        EXPECT_EQ(std::tuple(answers[i].Clef, answers[i].MusicKey, answers[i].Chord.Type, answers[i].Note),
                  std::tuple(std::get<1>(damaged[i]), std::get<2>(damaged[i]), std::get<3>(damaged[i]), 65))
            << std::get<0>(damaged[i]);
}

// A stack's answer keeps every note asked and every key given, its chord, its key of the thirty and its practice,
// and reads back as one of stacks; a single note after it has none of the chord.
TEST(HistoryStore, ReadsBackAChordWithEveryNoteAskedAndGiven)
{
    lirasto::test::TempDir dir;
    const fs::path db = dir.Path() / "history.sqlite3";
    const QString practice = QStringLiteral("=Viola, \"alto\"\n2");
    {
        THistoryStore store(q(db));
        store.Open();
        THistoryRecorder recorder(store);
        recorder.SetPractice(practice);
        TQuestion asked{2, 11, 3, 62, {{3, 62}, {3, 65}, {3, 71}}, TExerciseKind::Chords, 15, {22, 1, 1, 0}};
        recorder.AnswerJudged({asked, false, 0, {62, 65, 70}, 0, TInputSource::Midi, {}, TExerciseKind::Chords});
        recorder.SetPractice({});
        recorder.AnswerJudged({{2, 5, 1, 65}, true, 0, {65}, 0x20, TInputSource::Mouse});
        store.Flush();
    }
    THistoryStore store(q(db));
    store.Open();
    store.Flush();
    ASSERT_EQ(store.Answers(2).size(), 2u);
    const TAnswerRecord a = store.Answers(2)[0];
    EXPECT_EQ(std::tuple(a.Exercise, a.NotesAsked, a.KeysGiven, a.Clef, a.MusicKey, a.Chord, a.Practice),
              std::tuple(TExerciseKind::Chords, std::vector<int>{62, 65, 71}, std::vector<int>{62, 65, 70}, 3, 15,
                         TChordLabel{22, 1, 1, 0}, practice));
    const TAnswerRecord single = store.Answers(2)[1];
    // A level's question is filed under its major key.
    EXPECT_EQ(std::tuple(single.NotesAsked, single.MusicKey, single.Chord, single.Practice),
              std::tuple(std::vector<int>{}, MusicKeyOfLevelKey(5), TChordLabel{}, QString()));
}

// Every judged note of a line is kept with its place and, in time, how far off its beat the key went down.
TEST(HistoryStore, ReadsBackALinesNotesWithTheirPlacesAndTimingErrors)
{
    lirasto::test::TempDir dir;
    const fs::path db = dir.Path() / "history.sqlite3";
    {
        THistoryStore store(q(db));
        store.Open();
        THistoryRecorder recorder(store);
        recorder.RunStarted(2);
        const auto note = [](int place, int note, bool right, std::optional<milliseconds> error) {
            TJudgement j{{2, 7, 1, note}, right, 0, {}, 0, TInputSource::Midi, milliseconds(500)};
            j.Exercise = TExerciseKind::Line;
            j.Place = place;
            j.TimingError = error;
            return j;
        };
        recorder.AnswerJudged(note(0, 67, true, milliseconds(-40)));  // on time, a little early
        recorder.AnswerJudged(note(1, 69, false, milliseconds(180))); // late
        recorder.AnswerJudged(note(2, 71, false, std::nullopt));      // no key in its time
        TJudgement stack = note(3, 60, true, milliseconds(10));       // a triad of a line of stacks
        stack.Question.Notes = {{1, 67, 2}, {1, 60, 3}, {1, 64, 3}, {1, 67, 3}};
        recorder.AnswerJudged(stack);
    }
    THistoryStore store(q(db));
    store.Open();
    store.Flush();
    std::vector<std::tuple<TExerciseKind, int, int, bool, std::optional<int64_t>>> read;
    for (const TAnswerRecord& a : store.Answers(2))
        read.emplace_back(a.Exercise, a.Place, a.Note, a.Right, a.TimingErrorMs);
    using R = decltype(read)::value_type;
    EXPECT_EQ(read, (decltype(read){R{TExerciseKind::Line, 0, 67, true, -40}, R{TExerciseKind::Line, 1, 69, false, 180},
                                    R{TExerciseKind::Line, 2, 71, false, std::nullopt},
                                    R{TExerciseKind::Line, 3, 60, true, 10}}));
    EXPECT_EQ(store.Answers(2)[3].NotesAsked, (std::vector<int>{60, 64, 67}));
    // A missed line note counts against that note for the drilling chooser; a stack is no single note.
    const std::vector<TPastAnswer> past = PastAnswers(store.Answers(2), 7);
    ASSERT_EQ(past.size(), 3u);
    EXPECT_FALSE(past[2].Right);
    EXPECT_EQ(past[2].Note, 71);
}

TEST(HistoryStore, KeepsAnAnswerGivenBeforeTheFileOpened)
{
    lirasto::test::TempDir dir;
    const fs::path db = dir.Path() / "history.sqlite3";
    {
        THistoryStore store(q(db));
        store.AddAnswer(answer(3)); // the window may answer before the module has opened the file
        store.Open();
        store.Flush();
    }
    EXPECT_EQ(storedIndexes(db), std::set<int64_t>{3});
}

TEST(HistoryStore, GoesOnInMemoryWhenTheFolderCannotBeWritten)
{
    lirasto::test::TempDir dir;
    QFile(q(dir.Path() / "data")).open(QIODevice::WriteOnly); // a file where the folder should be
    THistoryStore store(q(dir.Path() / "data/history.sqlite3"));
    store.Open();
    store.AddAnswer(answer(5));
    store.Flush();
    EXPECT_TRUE(store.Problem().startsWith("History is not being kept: the folder ")) << store.Problem().toStdString();
    ASSERT_EQ(store.Answers(2).size(), 1u);
    EXPECT_EQ(store.AllAnswers().size(), 1u);
}

// The child: opens a history, answers once, and says what it shows and what it was told.
int readAnswers(const char* path)
{
    THistoryStore store(path);
    store.Open();
    store.AddAnswer(answer(9));
    store.Flush();
    std::printf("%zu\n%s\n%s\n", store.Answers(2).size(), qPrintable(store.Problem()), qPrintable(store.Notice()));
    return 0;
}

// An intact history this user may not open as it is stays as it is, every file of it; its past answers are shown
// and the player is told that new ones are not kept.
class UnopenableFile : public testing::TestWithParam<const char*>
{};

TEST_P(UnopenableFile, IsLeftAloneAndItsAnswersAreShown)
{
    lirasto::test::TempDir dir;
    const fs::path folder = dir.Path() / "data";
    const fs::path db = folder / "history.sqlite3";
    fs::create_directory(folder);
    writeHistory(db, 3);
    const std::string how = GetParam();
    std::string command = "exec '" + fs::read_symlink("/proc/self/exe").string() + "' --read '" + db.string() + "'";
    if (how == "journal") {
        fs::create_directory(db.string() + "-shm"); // the shared memory cannot be opened, for root too
    } else {
        // Another user's history in a folder this user cannot write: the file and folder may only be read.
        fs::permissions(dir.Path(), fs::perms::owner_all | fs::perms::others_exec);
        fs::permissions(folder, fs::perms(0555));
        fs::permissions(db, fs::perms(0444));
        if (geteuid() == 0)
            command = "exec setpriv --reuid=nobody --regid=nogroup --clear-groups " + command.substr(5);
    }
    const QByteArray before = bytes(db);
    auto files = [&] { return QDir(q(folder)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); };
    const QStringList filesBefore = files();

    FILE* child = popen(command.c_str(), "r");
    ASSERT_TRUE(child);
    char shown[16] = {}, problem[512] = {}, notice[512] = {};
    const bool said = std::fgets(shown, sizeof shown, child) && std::fgets(problem, sizeof problem, child) &&
                      std::fgets(notice, sizeof notice, child);
    ASSERT_EQ(pclose(child), 0);
    ASSERT_TRUE(said);
    EXPECT_EQ(std::atoi(shown), 4) << "the three past answers and the new one";
    EXPECT_TRUE(std::string(problem).starts_with("History is not being kept: the file " + db.string())) << problem;
    EXPECT_EQ(std::string(notice), "\n");
    // SQLite may add an empty log of its own beside the file; nothing is moved or taken away.
    for (const QString& file : filesBefore)
        EXPECT_TRUE(files().contains(file)) << file.toStdString() << ": " << problem;
    EXPECT_TRUE(files().filter("damaged").isEmpty()) << problem;
    EXPECT_EQ(bytes(db), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, UnopenableFile, testing::Values("journal", "readonly"),
                         [](const auto& info) { return std::string(info.param); });

// Without its module the history asked before its start waits for the module to be tried, keeps nothing, says why,
// and tells its page once as a change; the start after it adds nothing.
TEST(HistoryModule, AskedBeforeStartWithoutItsModuleSaysWhy)
{
    lirasto::test::TempDir empty;
    const QByteArray modules = qgetenv("LIRASTO_MODULE_DIR");
    qputenv("LIRASTO_MODULE_DIR", empty.Path().c_str());
    THistoryModule history;
    int changes = 0;
    history.SetOnChanged([&] { ++changes; });
    EXPECT_TRUE(history.Answers(1).empty());
    EXPECT_EQ(history.BeginRun(1, std::chrono::system_clock::now()), 0);
    EXPECT_EQ(history.Problem(), "History is not being kept: the module lirasto-history.so is missing");
    history.Start();
    EXPECT_TRUE(lirasto::test::WaitFor([&] { return changes == 1; }, 5000));
    QCoreApplication::processEvents();
    EXPECT_EQ(changes, 1);
    qputenv("LIRASTO_MODULE_DIR", modules);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && std::string(argv[1]) == "--write")
        return writeAnswers(argv[2], std::atoi(argv[3]));
    if (argc == 3 && std::string(argv[1]) == "--read")
        return readAnswers(argv[2]);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
