#include "app/settings/PracticePresets.h"

#include "core/Errors.h"
#include "game/MusicKeys.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using namespace lirasto::settings;
namespace fs = std::filesystem;

std::string readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Practices saved by name read back alike from the file in a later session; saving a name again
// replaces it in its place, and a deleted one is gone while the others stay.
TEST(PracticePresets, KeptAcrossARestart)
{
    lirasto::test::TempDir dir;
    const std::string path = (dir.Path() / "vantrel.ini").string();
    std::ofstream(path) << "[Lirasto - Notes (demo)]\nLevel=4\n";
    TPractice viola{TPracticeExercise::Notes, TStaffChoice::Alto, MusicKeyFromName("Cb"), false, false, 48, 67};
    TPractice lines{TPracticeExercise::Line, TStaffChoice::Grand, MusicKeyFromName("F# minor"), false, true, 41, 76};
    TPractice chords{TPracticeExercise::Sevenths, TStaffChoice::Bass, -1, true, false, 0, 0};
    SavePractice(path, "Viola", viola);
    SavePractice(path, "Lines, grand", lines);
    SavePractice(path, "Chords", chords);
    lines.Accidentals = false;
    SavePractice(path, "Lines, grand", lines);

    const TPracticesRead read = ReadPractices(path);
    ASSERT_TRUE(read.Refused.empty()) << read.Refused.front();
    ASSERT_EQ(read.Practices.size(), 3u);
    EXPECT_EQ(read.Practices[0].Name, "Viola");
    EXPECT_EQ(read.Practices[0].Practice, viola);
    EXPECT_EQ(read.Practices[1].Name, "Lines, grand");
    EXPECT_EQ(read.Practices[1].Practice, lines);
    EXPECT_EQ(read.Practices[2].Practice, chords);
    EXPECT_NE(readBytes(path).find("Level=4\n"), std::string::npos);

    DeletePractice(path, "Lines, grand");
    const TPracticesRead after = ReadPractices(path);
    ASSERT_EQ(after.Practices.size(), 2u);
    EXPECT_EQ(after.Practices[1].Name, "Chords");
    EXPECT_THROW(SavePractice(path, "A|B", viola), lirasto::Exception);
    EXPECT_THROW(SavePractice(path, "", viola), lirasto::Exception);
}

struct DamagedRow
{
    const char* text;
    const char* fault; // what the refusal names
};

// A damaged practice is refused with its reason, the others beside it load, and saving another
// leaves the damaged one in the file as it was.
class DamagedPractice : public testing::TestWithParam<DamagedRow>
{};

TEST_P(DamagedPractice, RefusedWithItsReasonAndKept)
{
    lirasto::test::TempDir dir;
    const std::string path = (dir.Path() / "vantrel.ini").string();
    const std::string damaged = std::string("Practice2=") + GetParam().text + "\n";
    std::ofstream(path) << "[Practices]\nPractice1=Good|notes|treble|C|none|\n"
                        << damaged << "Practice3=Also good|line|bass|Ebm|chromatic|C2-C4\n";
    const TPracticesRead read = ReadPractices(path);
    ASSERT_EQ(read.Practices.size(), 2u);
    EXPECT_EQ(read.Practices[1].Name, "Also good");
    ASSERT_EQ(read.Refused.size(), 1u);
    EXPECT_NE(read.Refused[0].find("Practice2: "), std::string::npos) << read.Refused[0];
    EXPECT_NE(read.Refused[0].find(GetParam().fault), std::string::npos) << read.Refused[0];
    SavePractice(path, "New", {});
    EXPECT_NE(readBytes(path).find(damaged), std::string::npos);
    EXPECT_EQ(ReadPractices(path).Practices.size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(Table, DamagedPractice,
                         testing::Values(DamagedRow{"Bad|notes|altoo|C|none|", "unknown clef \"altoo\""},
                                         DamagedRow{"Bad|notes|alto|H major|none|", "unknown key"},
                                         DamagedRow{"Bad|notes|alto|C|some|", "unknown accidentals"},
                                         DamagedRow{"Bad|scales|alto|C|none|", "unknown exercise"},
                                         DamagedRow{"Bad|notes|alto|C|none|C3-C7", "does not fit: the staff reaches"},
                                         DamagedRow{"Bad|notes|treble|C|none|G4-C4", "lies above the highest"},
                                         DamagedRow{"Bad|notes|grand|C|none|C4-G5", "spans middle C"},
                                         DamagedRow{"Bad|notes|bass|C|none|C2-X9", "bad range"},
                                         DamagedRow{"Bad|notes|bass|C|none|C2-G99999999999", "bad range"},
                                         DamagedRow{"Bad|notes|bass|C", "fields, not 5"},
                                         DamagedRow{"no bar at all", "no name"},
                                         DamagedRow{"Good|line|bass|C|none|", "taken by an earlier practice"},
                                         DamagedRow{"\x01\xff|notes|bass|C|none|", "no name"}));

} // namespace
