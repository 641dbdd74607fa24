#include "game/RunSummary.h"
#include "core/Errors.h"
#include "game/NoteFigures.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <ostream>

// Notes are named as they are written in the key: letter, sign, octave of the letter.
struct NameCase
{
    int note;
    int key;
    const char* name;
};

void PrintTo(const NameCase& c, std::ostream* os)
{
    *os << "note " << c.note << " in key " << c.key << " -> " << c.name;
}
class NoteNaming : public testing::TestWithParam<NameCase>
{};
TEST_P(NoteNaming, NamesTheNoteAsWrittenInTheKey)
{
    EXPECT_EQ(NoteName(GetParam().note, GetParam().key), GetParam().name);
}
INSTANTIATE_TEST_SUITE_P(Keys, NoteNaming,
                         testing::Values(NameCase{66, 7, "F\u266F4"}, NameCase{46, 5, "B\u266D2"},
                                         NameCase{60, 0, "C4"}, NameCase{61, 0, "D\u266D4"},
                                         NameCase{61, 2, "C\u266F4"}, NameCase{59, 6, "B3"}, NameCase{36, 0, "C2"},
                                         NameCase{88, 11, "E6"}, NameCase{70, 10, "B\u266D4"}, NameCase{47, 11, "B2"}));

TEST(NoteNaming, RefusesNotesAndKeysItCannotName)
{
    EXPECT_THROW(NoteName(0, 0), lirasto::ERangeError);
    EXPECT_THROW(NoteName(127, 0), lirasto::ERangeError);
    EXPECT_THROW(NoteName(60, 12), lirasto::ERangeError);
}

// Medians take the mean of the middle pair; times are shown in rounded tenths.
TEST(NoteFigures, MedianAndTimesAreExact)
{
    std::vector<int64_t> none, one{5}, odd{4, 1, 3}, even{4, 1, 3, 2}, huge{INT64_MAX, INT64_MAX};
    EXPECT_EQ(MedianOf(none), 0);
    EXPECT_EQ(MedianOf(one), 5);
    EXPECT_EQ(MedianOf(odd), 3);
    EXPECT_EQ(MedianOf(even), 2);
    EXPECT_EQ(MedianOf(huge), INT64_MAX);
    // Every order of an even count: the lower middle must be the largest of the lower half, wherever it lies.
    std::vector<int64_t> times{10, 20, 30, 40, 50, 60};
    do {
        std::vector<int64_t> given = times;
        ASSERT_EQ(MedianOf(given), 35) << testing::PrintToString(times);
    } while (std::next_permutation(times.begin(), times.end()));
    EXPECT_EQ(FormatSeconds(3150), "3.2 s");
    EXPECT_EQ(FormatSeconds(3149), "3.1 s");
    EXPECT_EQ(FormatSeconds(-5), "0.0 s");
    EXPECT_EQ(FormatShare(2, 3), "67 %");
    EXPECT_EQ(FormatShare(1, 0), "0 %");
}

// A run's summary counts first tries per question, times every answer and names each miss.
TEST(RunSummary, WordsAMadeUpRun)
{
    TRunSummary summary;
    std::vector<std::string> shown;
    summary.OnText = [&](const std::string& text) { shown.push_back(text); };
    const auto judge = [&](int note, bool right, int ms) {
        TJudgement j;
        j.Question = {5, 2, 1, note};
        j.Right = right;
        j.AnswerTime = std::chrono::milliseconds(ms);
        summary.AnswerJudged(j);
    };
    summary.RunStarted(5);
    summary.QuestionPosed({5, 2, 1, 66});
    judge(66, false, 1000);
    summary.QuestionPosed({5, 2, 1, 66}); // posed again while it waits: still the same question
    judge(66, false, 1500);
    judge(66, true, 2500);
    summary.QuestionPosed({5, 2, 2, 46});
    judge(46, false, 4000);
    judge(46, true, 5000);
    summary.QuestionPosed({5, 2, 1, 62});
    judge(62, true, 800);
    summary.QuestionPosed({5, 2, 1, 62}); // the same note again after a right answer: a new question
    judge(62, true, 900);
    summary.QuestionPosed({5, 2, 1, 64}); // never answered before the time ran out
    summary.RunEnded({});
    EXPECT_EQ(summary.Text(), "Right at the first try: 50 % (2 of 4)\nMedian answer time: 1.5 s\n"
                              "missed: F\u266F4 \u00D72, A\u266F2");
    summary.RunStarted(5);
    EXPECT_EQ(summary.Text(), "");
    summary.RunEnded({});
    EXPECT_EQ(summary.Text(), "No note was answered in this run.");
    EXPECT_EQ(shown.size(), 3u);
}
