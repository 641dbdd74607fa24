#include "history/HistoryStore.h"
#include "tests/support/TempDir.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

// The export's reading of the history: from the file, which other instances write too, after this instance's own
// queued writes, one answer at a time, and never stuck behind a file another program holds.
namespace {

QString q(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

TAnswerRecord answer(int64_t index)
{
    return {0, 0, {}, 2, 5, 1, 65, {}, 0, true, index, TInputSource::Mouse};
}

struct Collected : TAnswerSink
{
    int64_t expected_ = -1;
    std::vector<int64_t> indexes_;
    mutable int asked_ = 0;
    int wantedFor_ = INT_MAX; // answers "no longer wanted" after this many questions

    bool Wanted() const override { return ++asked_ <= wantedFor_; }
    void Expect(int64_t count) override { expected_ = count; }
    bool Take(const TAnswerRecord& answer) override
    {
        indexes_.push_back(answer.AnswerMs);
        return true;
    }
};

TEST(HistoryReading, HandsOverWhatEveryInstanceWroteAndItsOwnQueuedAnswers)
{
    lirasto::test::TempDir dir;
    const QString db = q(dir.Path() / "history.sqlite3");
    THistoryStore store(db);
    store.Open();
    store.Flush();
    {
        THistoryStore other(db);
        other.Open();
        for (int i = 0; i < 3; ++i)
            other.AddAnswer(answer(i));
        other.Flush();
    }
    store.AddAnswer(answer(3)); // not waited for: the reading waits for it
    Collected sink;
    EXPECT_EQ(store.ReadEveryAnswer(sink), "");
    EXPECT_EQ(sink.expected_, 4);
    EXPECT_EQ(sink.indexes_, (std::vector<int64_t>{0, 1, 2, 3}));
}

TEST(HistoryReading, StopsWaitingForAFileAnotherProgramHoldsWhenNoLongerWanted)
{
    lirasto::test::TempDir dir;
    const QString path = q(dir.Path() / "history.sqlite3");
    THistoryStore store(path);
    store.Open();
    store.AddAnswer(answer(0));
    store.Flush();
    {
        // Another program holds the write lock: this instance's next answer waits for it, and so does the reading.
        QSqlDatabase holder = QSqlDatabase::addDatabase("QSQLITE", "holder");
        holder.setDatabaseName(path);
        ASSERT_TRUE(holder.open());
        QSqlQuery query(holder);
        ASSERT_TRUE(query.exec("BEGIN IMMEDIATE"));
        store.AddAnswer(answer(1));
        Collected sink;
        sink.wantedFor_ = 3;
        EXPECT_EQ(store.ReadEveryAnswer(sink), "");
        EXPECT_EQ(sink.asked_, 4);
        EXPECT_TRUE(sink.indexes_.empty());
        EXPECT_TRUE(query.exec("COMMIT"));
        query = QSqlQuery();
        holder.close();
    }
    QSqlDatabase::removeDatabase("holder");
    Collected sink; // the file free again
    EXPECT_EQ(store.ReadEveryAnswer(sink), "");
    EXPECT_EQ(sink.indexes_, (std::vector<int64_t>{0, 1}));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
