#include "app/settings/Settings.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using lirasto::settings::ReadLevel;
using lirasto::settings::WriteLevel;
using lirasto::test::TempDir;
using lirasto::test::WorkingDirectory;
namespace fs = std::filesystem;

void writeBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

long filesIn(const fs::path& dir)
{
    return static_cast<long>(std::distance(fs::directory_iterator(dir), {}));
}

struct StoredLevelRow
{
    const char* label;
    std::string stored;
    int level;
};

void PrintTo(const StoredLevelRow& row, std::ostream* os)
{
    *os << row.label;
}

class StoredLevel : public testing::TestWithParam<StoredLevelRow>
{};

// A stored level is used when it is a whole decimal number in 1..12 (blanks around it allowed); anything else
// starts the player at level 1 without a message.
TEST_P(StoredLevel, IsUsedOnlyWhenAPlayableLevel)
{
    TempDir dir;
    const fs::path path = dir.Path() / "vantrel.ini";
    writeBytes(path, "[Lirasto - Notes (demo)]\nLevel=" + GetParam().stored + "\n");
    EXPECT_EQ(ReadLevel(path.string()), GetParam().level);
}

INSTANTIATE_TEST_SUITE_P(
    Values, StoredLevel,
    testing::Values(StoredLevelRow{"One", "1", 1}, StoredLevelRow{"Three", "3", 3}, StoredLevelRow{"Twelve", "12", 12},
                    StoredLevelRow{"Blanks", " 7 ", 7}, StoredLevelRow{"Tab", "\t8", 8},
                    StoredLevelRow{"LeadingZero", "07", 7}, StoredLevelRow{"PlusSign", "+5", 5},
                    StoredLevelRow{"Letters", "abc", 1}, StoredLevelRow{"Empty", "", 1}, StoredLevelRow{"Zero", "0", 1},
                    StoredLevelRow{"Thirteen", "13", 1}, StoredLevelRow{"Negative", "-1", 1},
                    StoredLevelRow{"TrailingLetter", "3x", 1}, StoredLevelRow{"TwoNumbers", "1 2", 1},
                    StoredLevelRow{"Overflow", "99999999999999999999", 1}, StoredLevelRow{"Hex", "0x5", 1},
                    StoredLevelRow{"DollarHex", "$5", 1}, StoredLevelRow{"Decimal", "5.0", 1},
                    StoredLevelRow{"DoubleSign", "+-5", 1}, StoredLevelRow{"Comment", "7 ; reached in June", 7},
                    StoredLevelRow{"HashComment", "11\t# x", 11}, StoredLevelRow{"OnlyComment", "; 7", 1},
                    StoredLevelRow{"CommentAfterJunk", "7x ; y", 1}),
    [](const testing::TestParamInfo<StoredLevelRow>& info) { return std::string(info.param.label); });

// Without the file the level is 1, reading creates nothing, and the first write creates the file.
TEST(Settings, StartsAtLevelOneWithoutFileAndCreatesItOnWrite)
{
    TempDir dir;
    WorkingDirectory cwd(dir.Path());
    EXPECT_EQ(ReadLevel(), 1);
    EXPECT_FALSE(fs::exists(dir.Path() / "vantrel.ini"));
    ASSERT_TRUE(WriteLevel(3));
    EXPECT_EQ(readBytes(dir.Path() / "vantrel.ini"), "[Lirasto - Notes (demo)]\nLevel=3\n");
    EXPECT_EQ(ReadLevel(), 3);
}

// A file without the section or key gives level 1 and keeps its contents when the level is added.
TEST(Settings, AddsLevelToFileWithOtherSections)
{
    TempDir dir;
    const fs::path path = dir.Path() / "vantrel.ini";
    writeBytes(path, "; notes\r\n[Sound]\r\nVolume=8\r\n");
    EXPECT_EQ(ReadLevel(path.string()), 1);
    ASSERT_TRUE(WriteLevel(12, path.string()));
    EXPECT_EQ(readBytes(path), "; notes\r\n[Sound]\r\nVolume=8\r\n[Lirasto - Notes (demo)]\r\nLevel=12\r\n");
}

// The file is found relative to the working directory at each call, so each directory keeps its own level.
TEST(Settings, EachWorkingDirectoryKeepsItsOwnLevel)
{
    TempDir first;
    TempDir second;
    {
        WorkingDirectory cwd(first.Path());
        ASSERT_TRUE(WriteLevel(5));
    }
    {
        WorkingDirectory cwd(second.Path());
        EXPECT_EQ(ReadLevel(), 1);
        ASSERT_TRUE(WriteLevel(8));
        EXPECT_EQ(ReadLevel(), 8);
    }
    WorkingDirectory cwd(first.Path());
    EXPECT_EQ(ReadLevel(), 5);
}

// Where the file cannot be written the write fails quietly and creates nothing. The tests run as root, which
// writes into read-only folders, so an unusable folder is made from a path whose folder is a regular file
// or does not exist.
TEST(Settings, FailsQuietlyWhereTheFolderIsUnusable)
{
    TempDir dir;
    writeBytes(dir.Path() / "plain", "x");
    EXPECT_FALSE(WriteLevel(4, (dir.Path() / "plain" / "vantrel.ini").string()));
    EXPECT_FALSE(WriteLevel(4, (dir.Path() / "missing" / "vantrel.ini").string()));
    EXPECT_EQ(ReadLevel((dir.Path() / "plain" / "vantrel.ini").string()), 1);
    fs::create_directory(dir.Path() / "vantrel.ini");
    EXPECT_FALSE(WriteLevel(4, (dir.Path() / "vantrel.ini").string()));
    EXPECT_TRUE(fs::is_directory(dir.Path() / "vantrel.ini"));
    EXPECT_EQ(readBytes(dir.Path() / "plain"), "x");
    EXPECT_EQ(filesIn(dir.Path()), 2);
}

// A level outside 1..12 is not stored; the stored one stays.
TEST(Settings, RefusesToStoreUnplayableLevels)
{
    TempDir dir;
    const fs::path path = dir.Path() / "vantrel.ini";
    ASSERT_TRUE(WriteLevel(2, path.string()));
    for (int level : {0, 13, -1})
        EXPECT_FALSE(WriteLevel(level, path.string())) << level;
    EXPECT_EQ(ReadLevel(path.string()), 2);
}

// Rewriting keeps the file's permission bits.
TEST(Settings, KeepsPermissionsOfTheFile)
{
    TempDir dir;
    const fs::path path = dir.Path() / "vantrel.ini";
    writeBytes(path, "[Lirasto - Notes (demo)]\nLevel=1\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WriteLevel(6, path.string()));
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(ReadLevel(path.string()), 6);
}

// Limits the size of files this process may write, standing in for a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

// A write that fails part-way (here: the disk is full) leaves the old file byte for byte, with its
// permissions, and no temporary file behind.
TEST(Settings, FailedWriteLeavesOldFileIntact)
{
    TempDir dir;
    const fs::path path = dir.Path() / "vantrel.ini";
    const std::string old = "; " + std::string(200, '=') + "\n[Lirasto - Notes (demo)]\nLevel=4\n";
    writeBytes(path, old);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    {
        FileSizeLimit limit(100);
        EXPECT_FALSE(WriteLevel(9, path.string()));
    }
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(filesIn(dir.Path()), 1);
    EXPECT_EQ(ReadLevel(path.string()), 4);
}

constexpr uid_t kNobody = 65534;
const std::string kStored = "[Lirasto - Notes (demo)]\nLevel=4 ; June\n";

struct FileRow
{
    const char* label;
    bool link, fifo;
    uid_t linkOwner, fileOwner, user;
    mode_t mode;
    bool written;
};

void PrintTo(const FileRow& row, std::ostream* os)
{
    *os << row.label;
}

class StoredFile : public testing::TestWithParam<FileRow>
{};

// The level is written, keeping the comment, only to a file the user may write, and through a link only when
// the link and its regular target are the user's own; otherwise both stay as they were and the store says
// why, once. Each case runs in a child process as its user, since root may write any file.
TEST_P(StoredFile, IsReplacedOnlyWhereTheUserMay)
{
    const FileRow& row = GetParam();
    TempDir dir;
    const fs::path path = dir.Path() / "vantrel.ini", file = row.link ? dir.Path() / "target" : path;
    row.fifo ? (void)::mkfifo(file.c_str(), row.mode) : writeBytes(file, kStored);
    if (row.link)
        fs::create_symlink(file, path);
    ASSERT_EQ(::chmod(file.c_str(), row.mode) | ::chmod(dir.Path().c_str(), 0755) |
                  ::chown(dir.Path().c_str(), row.user, row.user) | ::chown(file.c_str(), row.fileOwner, 0) |
                  ::lchown(path.c_str(), row.linkOwner, 0),
              0);
    const pid_t child = ::fork();
    if (child == 0) {
        lirasto::settings::LevelStore store(path.string());
        if (::setgid(row.user) != 0 || ::setuid(row.user) != 0 || store.Load() != (row.fifo ? 1 : 4))
            ::_exit(2);
        store.LevelSet();
        const bool refused = store.Save(9).has_value();
        ::_exit(store.Save(9) ? 3 : refused ? 1 : 0);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == (row.written ? 0 : 1)) << status;
    EXPECT_EQ(fs::is_symlink(path), row.link);
    if (!row.fifo) {
        EXPECT_EQ(readBytes(file), row.written ? "[Lirasto - Notes (demo)]\nLevel=9 ; June\n" : kStored);
    }
    EXPECT_EQ(filesIn(dir.Path()), row.link ? 2 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Owners, StoredFile,
    testing::Values(FileRow{"OwnLink", true, false, 0, 0, 0, 0644, true},
                    FileRow{"LinkToAnotherUsersFile", true, false, 0, kNobody, 0, 0644, false},
                    FileRow{"AnotherUsersLink", true, false, kNobody, 0, 0, 0644, false},
                    FileRow{"LinkToFifo", true, true, 0, 0, 0, 0644, false},
                    FileRow{"WritableAsNobody", false, false, kNobody, kNobody, kNobody, 0644, true},
                    FileRow{"ReadOnlyAsNobody", false, false, kNobody, kNobody, kNobody, 0444, false}),
    [](const testing::TestParamInfo<FileRow>& info) { return std::string(info.param.label); });

} // namespace
