#include "app/settings/IniFile.h"

#include "core/Errors.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>

namespace {

using lirasto::IniFile;
using lirasto::test::TempDir;

void writeBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct ReadRow
{
    const char* label;
    std::string file;
    std::string section, key;
    std::string expected; // "<default>" when the default applies
};

void PrintTo(const ReadRow& row, std::ostream* os)
{
    *os << row.label;
}

class IniFileRead : public testing::TestWithParam<ReadRow>
{};

// Section and key names match regardless of case and of blanks around them; the value loses its blanks.
TEST_P(IniFileRead, FindsValueOrGivesDefault)
{
    const ReadRow& row = GetParam();
    TempDir dir;
    const auto path = dir.Path() / "test.ini";
    writeBytes(path, row.file);
    EXPECT_EQ(IniFile(path.string()).ReadString(row.section, row.key, "<default>"), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lookups, IniFileRead,
    testing::Values(ReadRow{"Plain", "[S]\nLevel=3\n", "S", "Level", "3"},
                    ReadRow{"MixedCaseNames", "[lirasto - NOTES (Demo)]\nlEvEl=4\n", "Lirasto - Notes (demo)", "Level",
                            "4"},
                    ReadRow{"BlanksAroundNames", "  [  S  ]  \n \t Level \t= 5 \n", "S", "Level", "5"},
                    ReadRow{"BlanksAroundValue", "[S]\nLevel=  7  \n", "S", "Level", "7"},
                    ReadRow{"CrLf", "[S]\r\nLevel=6\r\n", "S", "Level", "6"},
                    ReadRow{"QuotedValue", "[S]\nName=\"a b\"\n", "S", "Name", "a b"},
                    ReadRow{"EmptyValue", "[S]\nLevel=\n", "S", "Level", ""},
                    ReadRow{"KeyInOtherSection", "[T]\nLevel=3\n[S]\nOther=1\n", "S", "Level", "<default>"},
                    ReadRow{"KeyBeforeAnySection", "Level=3\n[S]\n", "S", "Level", "<default>"},
                    ReadRow{"CommentedOut", "[S]\n;Level=3\n", "S", "Level", "<default>"},
                    ReadRow{"MissingSection", "[T]\nLevel=3\n", "S", "Level", "<default>"},
                    ReadRow{"EmptyFile", "", "S", "Level", "<default>"},
                    ReadRow{"FirstOfTwoKeys", "[S]\nLevel=1\nLevel=2\n", "S", "Level", "1"},
                    ReadRow{"LastLineWithoutBreak", "[S]\nLevel=9", "S", "Level", "9"},
                    ReadRow{"ByteOrderMarkBeforeSection", "\xEF\xBB\xBF[S]\nLevel=2\n", "S", "Level", "2"},
                    ReadRow{"ValueWithEquals", "[S]\nKey=a=b\n", "S", "Key", "a=b"}),
    [](const testing::TestParamInfo<ReadRow>& info) { return std::string(info.param.label); });

// A missing file or one that is not a readable file gives the default.
TEST(IniFileReadFailures, GivesDefaultForMissingOrUnreadableFiles)
{
    TempDir dir;
    EXPECT_EQ(IniFile((dir.Path() / "none.ini").string()).ReadString("S", "K", "d"), "d");
    EXPECT_EQ(IniFile(dir.Path().string()).ReadString("S", "K", "d"), "d"); // a directory
    const auto pipe = dir.Path() / "pipe.ini";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(IniFile(pipe.string()).ReadString("S", "K", "d"), "d"); // returns at once, with no writer
    const auto big = dir.Path() / "big.ini";
    writeBytes(big, "[S]\nK=1\n" + std::string(IniFile::kMaxFileSize, ';'));
    EXPECT_EQ(IniFile(big.string()).ReadString("S", "K", "d"), "d");
}

struct WriteRow
{
    const char* label;
    std::string before;
    std::string after;
    bool fileExists = true;
};

void PrintTo(const WriteRow& row, std::ostream* os)
{
    *os << row.label;
}

class IniFileWrite : public testing::TestWithParam<WriteRow>
{};

// Writing changes only the one value and keeps every other byte, line endings included.
TEST_P(IniFileWrite, ReplacesOnlyTheValue)
{
    const WriteRow& row = GetParam();
    TempDir dir;
    const auto path = dir.Path() / "test.ini";
    if (row.fileExists)
        writeBytes(path, row.before);
    IniFile(path.string()).WriteString("Lirasto - Notes (demo)", "Level", "3");
    EXPECT_EQ(readBytes(path), row.after);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "a temporary file was left";
}

INSTANTIATE_TEST_SUITE_P(
    Edits, IniFileWrite,
    testing::Values(
        WriteRow{"MissingFileIsCreated", "", "[Lirasto - Notes (demo)]\nLevel=3\n", false},
        WriteRow{"EmptyFile", "", "[Lirasto - Notes (demo)]\nLevel=3\n"},
        WriteRow{"ReplacesValue", "[Lirasto - Notes (demo)]\nLevel=11\n", "[Lirasto - Notes (demo)]\nLevel=3\n"},
        WriteRow{
            "KeepsOtherSectionsKeysAndComments",
            "; my settings\n[Other]\nA=1\n\n[Lirasto - Notes (demo)]\n; the level\nLevel=7\nSound=off\n\n[Z]\nB=2\n",
            "; my settings\n[Other]\nA=1\n\n[Lirasto - Notes (demo)]\n; the level\nLevel=3\nSound=off\n\n[Z]\nB=2\n"},
        WriteRow{"KeepsNameSpellingAndBlanks", "  [ lirasto - notes (DEMO) ]  \r\n  LEVEL\t= \t11  \r\n",
                 "  [ lirasto - notes (DEMO) ]  \r\n  LEVEL\t= \t3\r\n"},
        WriteRow{"AppendsSectionAtEnd", "[Other]\nA=1\n", "[Other]\nA=1\n[Lirasto - Notes (demo)]\nLevel=3\n"},
        WriteRow{"AppendsSectionAfterLastLineWithoutBreak", "[Other]\nA=1",
                 "[Other]\nA=1\n[Lirasto - Notes (demo)]\nLevel=3\n"},
        WriteRow{"AppendsKeyAtEndOfItsSection", "[Lirasto - Notes (demo)]\nA=1\n\n[Other]\nB=2\n",
                 "[Lirasto - Notes (demo)]\nA=1\nLevel=3\n\n[Other]\nB=2\n"},
        WriteRow{"AppendsKeyToEmptySectionAtEnd", "[Lirasto - Notes (demo)]", "[Lirasto - Notes (demo)]\nLevel=3\n"},
        WriteRow{"CrLfFileGetsCrLfLines", "[Other]\r\nA=1\r\n",
                 "[Other]\r\nA=1\r\n[Lirasto - Notes (demo)]\r\nLevel=3\r\n"},
        WriteRow{"CrLfFileGetsCrLfKey", "[Lirasto - Notes (demo)]\r\nA=1\r\n",
                 "[Lirasto - Notes (demo)]\r\nA=1\r\nLevel=3\r\n"},
        WriteRow{"OnlyFirstMatchingKeyChanges", "[Lirasto - Notes (demo)]\nLevel=1\nLevel=2\n",
                 "[Lirasto - Notes (demo)]\nLevel=3\nLevel=2\n"},
        WriteRow{"KeepsByteOrderMark", "\xEF\xBB\xBF[Lirasto - Notes (demo)]\nLevel=1\n",
                 "\xEF\xBB\xBF[Lirasto - Notes (demo)]\nLevel=3\n"},
        WriteRow{"CommentedKeyIsNotTheKey", "[Lirasto - Notes (demo)]\n;Level=5\n",
                 "[Lirasto - Notes (demo)]\n;Level=5\nLevel=3\n"}),
    [](const testing::TestParamInfo<WriteRow>& info) { return std::string(info.param.label); });

// Names and values that would change the file's structure are refused, leaving the file alone.
TEST(IniFileWriteFailures, RefusesNamesThatBreakTheFormat)
{
    TempDir dir;
    const auto path = dir.Path() / "test.ini";
    writeBytes(path, "[S]\nK=1\n");
    IniFile ini(path.string());
    EXPECT_THROW(ini.WriteString("S]", "K", "2"), lirasto::Exception);
    EXPECT_THROW(ini.WriteString("", "K", "2"), lirasto::Exception);
    EXPECT_THROW(ini.WriteString("S", "K=", "2"), lirasto::Exception);
    EXPECT_THROW(ini.WriteString("S", "[K", "2"), lirasto::Exception);
    EXPECT_THROW(ini.WriteString("S", "K", "2\nX=3"), lirasto::Exception);
    EXPECT_EQ(readBytes(path), "[S]\nK=1\n");
}

// A file too large to be a settings file is never rewritten.
TEST(IniFileWriteFailures, LeavesOversizedFileUntouched)
{
    TempDir dir;
    const auto path = dir.Path() / "big.ini";
    const std::string big = "[S]\nK=1\n" + std::string(IniFile::kMaxFileSize, ';');
    writeBytes(path, big);
    EXPECT_THROW(IniFile(path.string()).WriteString("S", "K", "2"), lirasto::Exception);
    EXPECT_EQ(readBytes(path), big);
}

} // namespace
