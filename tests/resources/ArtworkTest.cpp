#include "core/Errors.h"
#include "resources/artwork/ArtworkFiles.h"
#include "resources/artwork/ArtworkGeometry.h"
#include "resources/artwork/MusicFont.h"
#include "resources/artwork/Pictures.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>

using namespace lirasto::artwork;

namespace {

// Fonts and painting need an application object; the offscreen platform needs no display.
class GuiEnvironment : public testing::Environment
{
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "ArtworkTest";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QGuiApplication> app_;
};

[[maybe_unused]] testing::Environment* const kGGui = testing::AddGlobalTestEnvironment(new GuiEnvironment);

struct Painted
{
    Artwork art;
    std::map<std::string, std::vector<uint8_t>> files;
};

Painted paint()
{
    const MusicFont font(MusicFont::DefaultPath());
    Painted result{PaintArtwork(font), {}};
    for (ArtworkFile& file : ArtworkFiles(result.art))
        result.files[file.Name] = std::move(file.Bytes);
    return result;
}

const Painted& painted()
{
    static const Painted once = paint();
    return once;
}

struct Pixels
{
    int width = 0;
    int height = 0;
    const uint8_t* data = nullptr;

    uint32_t At(int x, int y) const
    {
        const uint8_t* p = data + 8 + 4 * (std::size_t(y) * width + x);
        return uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
    }
    int Alpha(int x, int y) const { return int(At(x, y) >> 24); }
    int Red(int x, int y) const { return int(At(x, y) >> 16 & 0xFF); }
    int Green(int x, int y) const { return int(At(x, y) >> 8 & 0xFF); }
    int Blue(int x, int y) const { return int(At(x, y) & 0xFF); }
    bool Dark(int x, int y) const { return Red(x, y) < 100 && Green(x, y) < 100 && Blue(x, y) < 100; }
    bool Light(int x, int y) const { return Red(x, y) >= 200 && Green(x, y) >= 190 && Blue(x, y) >= 200; }
};

int32_t readInt32(const uint8_t* p)
{
    return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

Pixels record(const std::string& name)
{
    const std::vector<uint8_t>& bytes = painted().files.at(name);
    return {readInt32(bytes.data()), readInt32(bytes.data() + 4), bytes.data()};
}

std::string itemName(const char* stem, int index)
{
    char text[32];
    std::snprintf(text, sizeof text, index >= 10 || std::strcmp(stem, "key") == 0 ? "%s_%02d.bmp32" : "%s_%d.bmp32",
                  stem, index);
    return text;
}

} // namespace

// Every picture has the size the window design and the layer arithmetic expect,
// and its record is exactly 8 + 4 * width * height bytes.
struct SizeRow
{
    std::string name;
    int width;
    int height;
};

class PictureSize : public testing::TestWithParam<SizeRow>
{};

TEST_P(PictureSize, RecordHoldsWidthHeightAndAllPixels)
{
    const SizeRow& row = GetParam();
    const std::vector<uint8_t>& bytes = painted().files.at(row.name);
    ASSERT_GE(bytes.size(), 8u);
    EXPECT_EQ(readInt32(bytes.data()), row.width);
    EXPECT_EQ(readInt32(bytes.data() + 4), row.height);
    EXPECT_EQ(bytes.size(), 8u + 4u * std::size_t(row.width) * std::size_t(row.height));
}

std::vector<SizeRow> sizeRows()
{
    std::vector<SizeRow> rows = {{"keyboard.bmp32", 561, 71}, {"staff.bmp32", 575, 300}, {"logo.bmp32", 230, 300},
                                 {"note_0.bmp32", 12, 40},    {"note_1.bmp32", 12, 40},  {"note_2.bmp32", 12, 40},
                                 {"note_3.bmp32", 12, 40},    {"note_4.bmp32", 5, 18},   {"note_5.bmp32", 6, 18},
                                 {"note_6.bmp32", 4, 19},     {"note_7.bmp32", 20, 20},  {"note_8.bmp32", 20, 30},
                                 {"note_9.bmp32", 20, 40},    {"mark_0.bmp32", 14, 29},  {"mark_1.bmp32", 19, 19},
                                 {"mark_2.bmp32", 19, 19},    {"mark_3.bmp32", 23, 17},  {"pianokey_0.bmp32", 12, 39}};
    for (int i = 0; i < 24; ++i)
        rows.push_back({itemName("key", i), 60, 60});
    for (int i = 1; i < 8; ++i)
        rows.push_back({itemName("pianokey", i), 20, i == 3 || i == 7 ? 70 : 71});
    for (int i = 0; i < 7; ++i)
        rows.push_back({itemName("degree", i), 60, 60});
    return rows;
}

INSTANTIATE_TEST_SUITE_P(AllPictures, PictureSize, testing::ValuesIn(sizeRows()),
                         [](const testing::TestParamInfo<SizeRow>& info) {
                             std::string name = info.param.name.substr(0, info.param.name.find('.'));
                             return name;
                         });

// The record lengths the window design relies on.
TEST(BitmapRecord, KeyTileAndKeyboardRecordsHaveTheirKnownLengths)
{
    EXPECT_EQ(painted().files.at("key_00.bmp32").size(), 14408u);
    EXPECT_EQ(painted().files.at("keyboard.bmp32").size(), 159332u);
}

// Pixels are stored blue, green, red, alpha with straight alpha, and transparent pixels as white.
TEST(BitmapRecord, StoresStraightBgraAndWhiteUnderTransparentPixels)
{
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, 0x80112233);
    image.setPixel(1, 0, 0x00123456);
    image.setPixel(2, 0, 0xFF0A0B0C);
    const std::vector<uint8_t> expected = {3,    0,    0,    0,    1,    0,    0,    0,    0x33, 0x22,
                                           0x11, 0x80, 0xFF, 0xFF, 0xFF, 0x00, 0x0C, 0x0B, 0x0A, 0xFF};
    EXPECT_EQ(BitmapRecord(image), expected);
}

// Every stored picture keeps white under its fully transparent pixels.
TEST(BitmapRecord, EveryTransparentPixelOfEveryPictureIsWhite)
{
    for (const auto& [name, bytes] : painted().files) {
        if (name.size() < 6 || name.substr(name.size() - 6) != ".bmp32")
            continue;
        for (std::size_t i = 8; i + 3 < bytes.size(); i += 4)
            if (bytes[i + 3] == 0) {
                ASSERT_TRUE(bytes[i] == 0xFF && bytes[i + 1] == 0xFF && bytes[i + 2] == 0xFF)
                    << name << " pixel " << (i - 8) / 4;
            }
    }
}

// The static pictures, key tiles and marks cover what lies below them completely.
TEST(OpaquePictures, AreOpaqueEverywhere)
{
    std::vector<std::string> names = {"keyboard.bmp32", "staff.bmp32",  "logo.bmp32",  "mark_0.bmp32",
                                      "mark_1.bmp32",   "mark_2.bmp32", "mark_3.bmp32"};
    for (int i = 0; i < 24; ++i)
        names.push_back(itemName("key", i));
    for (const std::string& name : names) {
        const Pixels p = record(name);
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                ASSERT_EQ(p.Alpha(x, y), 255) << name << " at " << x << "," << y;
    }
}

// The staff picture is pure black on white, with its lines where the note arithmetic puts them.
TEST(StaffPicture, HoldsOnlyOpaqueBlackAndOpaqueWhite)
{
    const Pixels p = record("staff.bmp32");
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            ASSERT_TRUE(p.At(x, y) == 0xFF000000u || p.At(x, y) == 0xFFFFFFFFu) << x << "," << y;
}

TEST(StaffPicture, DrawsEachStaffLineFromColumn5To571)
{
    const Pixels p = record("staff.bmp32");
    for (int row : {80, 90, 100, 110, 120, 180, 190, 200, 210, 220}) {
        for (int x = 5; x <= 571; ++x)
            ASSERT_EQ(p.At(x, row), 0xFF000000u) << "row " << row << " column " << x;
        EXPECT_EQ(p.At(4, row), 0xFFFFFFFFu) << row;
        EXPECT_EQ(p.At(572, row), 0xFFFFFFFFu) << row;
    }
    // Just off the lines, away from the clefs and bar lines, the staff is white.
    for (int row : {79, 81, 85, 121, 179, 221})
        EXPECT_EQ(p.At(300, row), 0xFFFFFFFFu) << row;
}

TEST(StaffPicture, JoinsTheStavesAtColumns5And571AndBarsEachStaffAt95And100)
{
    const Pixels p = record("staff.bmp32");
    for (int y = 80; y <= 220; ++y) {
        ASSERT_EQ(p.At(5, y), 0xFF000000u) << y;
        ASSERT_EQ(p.At(571, y), 0xFF000000u) << y;
    }
    for (int column : {95, 100}) {
        for (int y = 80; y <= 120; ++y)
            EXPECT_EQ(p.At(column, y), 0xFF000000u) << column << "," << y;
        for (int y = 180; y <= 220; ++y)
            EXPECT_EQ(p.At(column, y), 0xFF000000u) << column << "," << y;
        EXPECT_EQ(p.At(column, 150), 0xFFFFFFFFu);
        EXPECT_EQ(p.At(column, 79), 0xFFFFFFFFu);
        EXPECT_EQ(p.At(column, 221), 0xFFFFFFFFu);
    }
    EXPECT_EQ(p.At(5, 79), 0xFFFFFFFFu);
    EXPECT_EQ(p.At(5, 221), 0xFFFFFFFFu);
}

TEST(StaffPicture, MarksTheLedgerRowsWithTicksAtTheLeftEdge)
{
    const Pixels p = record("staff.bmp32");
    for (int row : {140, 150, 160, 170}) {
        for (int x = 5; x <= 7; ++x)
            EXPECT_EQ(p.At(x, row), 0xFF000000u) << x << "," << row;
        EXPECT_EQ(p.At(8, row), 0xFFFFFFFFu) << row;
    }
    EXPECT_EQ(p.At(6, 130), 0xFF000000u);
    EXPECT_EQ(p.At(7, 135), 0xFFFFFFFFu);
    for (int y = 221; y < 300; ++y)
        for (int x = 0; x < 575; ++x)
            ASSERT_EQ(p.At(x, y), 0xFFFFFFFFu) << x << "," << y;
}

// The clefs keep to their boxes, left of the key-signature tile, and the curl of the
// treble clef and the head of the bass clef sit on their lines.
TEST(StaffPicture, KeepsClefInkInsideTheClefBoxes)
{
    const Pixels p = record("staff.bmp32");
    auto isLine = [](int row) { return (row >= 80 && row <= 120 && row % 10 == 0) || (row >= 180 && row % 10 == 0); };
    int treble = 0, bass = 0;
    for (int y = 0; y < 230; ++y)
        for (int x = 8; x < 40; ++x) {
            if (p.At(x, y) != 0xFF000000u || isLine(y))
                continue;
            const bool inTreble = x >= 10 - 2 && x <= 32 + 2 && y >= 71 - 4 && y <= 133 + 2;
            const bool inBass = x >= 9 - 1 && x <= 34 + 1 && y >= 182 - 4 && y <= 211 + 1;
            ASSERT_TRUE(inTreble || inBass) << x << "," << y;
            (inTreble ? treble : bass)++;
        }
    EXPECT_GT(treble, 150);
    EXPECT_GT(bass, 80);
    // The spiral wraps round the G line: ink just above and just below it, left and right of its centre.
    for (int row : {105, 115}) {
        bool left = false, right = false;
        for (int x = 10; x <= 32; ++x)
            if (p.At(x, row) == 0xFF000000u)
                (x < 21 ? left : right) = true;
        EXPECT_TRUE(left && right) << row;
    }
    // The bass clef's dots lie either side of the F line, right of its body.
    int upperDot = 0, lowerDot = 0;
    for (int x = 30; x <= 35; ++x) {
        for (int y = 183; y <= 189; ++y)
            upperDot += p.At(x, y) == 0xFF000000u;
        for (int y = 191; y <= 198; ++y)
            lowerDot += p.At(x, y) == 0xFF000000u;
    }
    EXPECT_GT(upperDot, 3);
    EXPECT_GT(lowerDot, 3);
}

// The keyboard is one octave repeated pixel for pixel; the hit test counts on it.
TEST(KeyboardPicture, RepeatsTheFirstOctaveEvery140Columns)
{
    const Pixels p = record("keyboard.bmp32");
    for (int y = 0; y < 71; ++y)
        for (int x = 0; x < 420; ++x)
            ASSERT_EQ(p.At(x, y), p.At(x + 140, y)) << x << "," << y;
}

TEST(KeyboardPicture, DrawsBlackKeysDarkInTheirColumnsAndWhiteFacesLightAround)
{
    const Pixels p = record("keyboard.bmp32");
    for (int octave = 0; octave < 4; ++octave) {
        const int origin = octave * 140;
        for (const ColumnRange& key : kBlackKeyColumns) {
            for (int y = 2; y <= 41; ++y)
                for (int x = key.First; x <= key.Last; ++x)
                    ASSERT_TRUE(p.Dark(origin + x, y)) << origin + x << "," << y;
            for (int y = 2; y <= 40; ++y) {
                EXPECT_TRUE(p.Light(origin + key.First - 1, y)) << origin + key.First - 1 << "," << y;
                EXPECT_TRUE(p.Light(origin + key.Last + 1, y)) << origin + key.Last + 1 << "," << y;
            }
        }
    }
}

TEST(KeyboardPicture, DrawsWhiteFacesLightBetweenTwoPixelDarkSeparators)
{
    const Pixels p = record("keyboard.bmp32");
    for (int k = 0; k < 28; ++k) {
        for (int y = 43; y <= 62; ++y) {
            for (int x = 20 * k + 1; x <= 20 * k + 18; ++x)
                ASSERT_TRUE(p.Light(x, y)) << x << "," << y;
            if (k > 0) {
                ASSERT_TRUE(p.Dark(20 * k - 1, y)) << 20 * k - 1 << "," << y;
            }
            ASSERT_TRUE(p.Dark(20 * k, y)) << 20 * k << "," << y;
        }
    }
    for (int y = 0; y < 71; ++y) {
        EXPECT_TRUE(p.Dark(559, y)) << y;
        EXPECT_TRUE(p.Dark(560, y)) << y;
    }
}

TEST(KeyboardPicture, HasDarkTopEdgeMauveLipAndBlackBottomRows)
{
    const Pixels p = record("keyboard.bmp32");
    for (int x = 0; x < 561; ++x) {
        EXPECT_TRUE(p.Dark(x, 0) && p.Dark(x, 1)) << x;
        EXPECT_EQ(p.At(x, 69), 0xFF000000u) << x;
        EXPECT_EQ(p.At(x, 70), 0xFF000000u) << x;
    }
    for (int y = 63; y <= 68; ++y) {
        const int x = 10;
        EXPECT_GE(p.Red(x, y), 110) << y;
        EXPECT_LE(p.Red(x, y), 165) << y;
        EXPECT_GE(p.Blue(x, y), 135) << y;
        EXPECT_LE(p.Blue(x, y), 155) << y;
    }
}

// Notehead centres lie 30 rows apart, so both stem directions put the head on the same point.
double headCentreRow(const Pixels& p, int stemColumn)
{
    double sum = 0, weight = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (x != stemColumn) {
                sum += p.Alpha(x, y) * y;
                weight += p.Alpha(x, y);
            }
    return sum / weight;
}

TEST(NoteGlyphs, PutTheHeadCentreAtRow34Point5StemUpAnd4Point5StemDown)
{
    const double up = headCentreRow(record("note_0.bmp32"), 11);
    const double down = headCentreRow(record("note_2.bmp32"), 0);
    EXPECT_NEAR(up, kNoteHeadCentreStemUp, 0.75);
    EXPECT_NEAR(down, kNoteHeadCentreStemDown, 0.75);
    EXPECT_NEAR(up - down, 30.0, 0.75);
}

// Stems are one pixel wide, nearly opaque, on the side and over the rows the layout expects.
struct StemRow
{
    int index;
    int column;
    int first;
    int last;
};

void PrintTo(const StemRow& row, std::ostream* out)
{
    *out << "note " << row.index << " stem at column " << row.column << ", rows " << row.first << ".." << row.last;
}

class NoteStem : public testing::TestWithParam<StemRow>
{};

TEST_P(NoteStem, RunsInItsColumnOverItsRows)
{
    const StemRow& row = GetParam();
    const Pixels p = record(itemName("note", row.index));
    for (int y = row.first; y <= row.last; ++y) {
        EXPECT_GE(p.Alpha(row.column, y), 244) << y;
        EXPECT_LE(p.Red(row.column, y), 5) << y;
    }
    const int otherSide = row.column == 0 ? 11 : 0;
    const int clearRow = row.first == 0 ? 15 : 25;
    EXPECT_EQ(p.Alpha(otherSide, clearRow), 0);
}

INSTANTIATE_TEST_SUITE_P(StemPictures, NoteStem,
                         testing::Values(StemRow{0, 11, 0, 36}, StemRow{1, 0, 0, 34}, StemRow{2, 0, 5, 39},
                                         StemRow{3, 11, 5, 39}));

TEST(NoteGlyphs, ShadeTheHeadDarkNavyWithAnOpaqueCore)
{
    const Pixels p = record("note_0.bmp32");
    for (int y = 32; y <= 37; ++y)
        for (int x = 4; x <= 8; ++x) {
            EXPECT_GE(p.Alpha(x, y), 244) << x << "," << y;
            if (y >= 34) {
                EXPECT_LE(p.Red(x, y), 5) << x << "," << y;
                EXPECT_LE(p.Green(x, y), 5) << x << "," << y;
                EXPECT_GE(p.Blue(x, y), 23) << x << "," << y;
                EXPECT_LE(p.Blue(x, y), 90) << x << "," << y;
            }
        }
    // The corners of the glyph box around the tilted oval stay clear.
    EXPECT_EQ(p.Alpha(0, 30), 0);
    EXPECT_EQ(p.Alpha(5, 20), 0);
}

// The natural is drawn to the pixel: its strokes and bars where the layout expects them.
TEST(NoteGlyphs, DrawsTheNaturalWithOffsetStrokesAndTwoBars)
{
    const Pixels p = record("note_6.bmp32");
    for (int y = 0; y <= 13; ++y)
        EXPECT_EQ(p.At(0, y), 0xFF000000u) << y;
    for (int y = 4; y <= 18; ++y)
        EXPECT_EQ(p.At(3, y), 0xFF000000u) << y;
    for (int y : {5, 6, 11, 12})
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(p.At(x, y), 0xFF000000u) << x << "," << y;
    EXPECT_EQ(p.Alpha(0, 16), 0);
    EXPECT_EQ(p.Alpha(3, 1), 0);
    EXPECT_EQ(p.Alpha(1, 9), 0);
}

TEST(NoteGlyphs, DrawsFlatAndSharpAsBlackInk)
{
    for (int index : {4, 5}) {
        const Pixels p = record(itemName("note", index));
        int opaque = 0;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) {
                if (p.Alpha(x, y) > 0) {
                    EXPECT_EQ(p.At(x, y) & 0xFFFFFFu, 0u) << index << " at " << x << "," << y;
                }
                opaque += p.Alpha(x, y) == 255;
            }
        EXPECT_GT(opaque, 15) << index;
    }
    // The flat's stem runs down its left side.
    const Pixels flat = record("note_4.bmp32");
    for (int y = 2; y <= 15; ++y)
        EXPECT_GE(flat.Alpha(0, y) + flat.Alpha(1, y), 200) << y;
}

// The C clef stands centred on the line it names, the middle line for the alto and the fourth for the
// tenor (rows 40 and 30 of the tile), over the staff's four spaces; the octave treble clef has its 8
// below the clef, clear of the lowest staff line.
TEST(ClefTiles, CentreTheCClefOnItsLineAndPutTheEightBelowTheTrebleClef)
{
    const auto inkRows = [](const Pixels& p, int fromRow) {
        std::pair<int, int> rows{-1, -1};
        for (int y = fromRow; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                if (p.Dark(x, y) && !(y % 10 == 0 && y >= 20 && y <= 60)) {
                    rows = {rows.first < 0 ? y : rows.first, y};
                    break;
                }
        return rows;
    };
    for (const auto& [index, centre] : {std::pair{24, 40}, {25, 30}}) {
        const auto [top, bottom] = inkRows(record(itemName("key", index)), 0);
        EXPECT_NEAR((top + bottom) / 2.0, centre, 1.0) << index;
        EXPECT_NEAR(bottom - top, 40, 2) << index;
    }
    const auto [top, bottom] = inkRows(record(itemName("key", 26)), 75);
    EXPECT_EQ(top, 76);
    EXPECT_GE(bottom, 84);
}

// The double sharp is a cross on its diagonals (its corners inked, the middles of its edges clear),
// the double flat two flats side by side (two stems down its height).
TEST(NoteGlyphs, DrawsTheDoubleSharpAsAnXAndTheDoubleFlatWithTwoStems)
{
    const Pixels cross = record("note_10.bmp32");
    for (const auto& [x, y] : {std::pair{0, 0}, {6, 0}, {0, 6}, {6, 6}, {3, 3}})
        EXPECT_GE(cross.Alpha(x, y), 128) << x << "," << y;
    for (const auto& [x, y] : {std::pair{3, 0}, {0, 3}, {6, 3}, {3, 6}})
        EXPECT_LT(cross.Alpha(x, y), 128) << x << "," << y;
    const Pixels twoFlats = record("note_11.bmp32");
    int stems = 0;
    for (int x = 0, inStem = 0; x < twoFlats.width; ++x) {
        int run = 0;
        for (int y = 0; y < 12; ++y)
            run += twoFlats.Alpha(x, y) >= 128;
        stems += run >= 10 && !inStem;
        inStem = run >= 10;
    }
    EXPECT_EQ(stems, 2);
}

// Ledger tiles put an opaque black line every 10 rows from row 10 and nothing else.
TEST(LedgerTiles, DrawFullWidthLinesEveryTenRowsFromRow10)
{
    for (int lines = 1; lines <= 3; ++lines) {
        const Pixels p = record(itemName("note", 6 + lines));
        for (int y = 0; y < p.height; ++y) {
            const bool line = y >= 10 && y % 10 == 0;
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(p.At(x, y), line ? 0xFF000000u : 0x00FFFFFFu) << lines << ": " << x << "," << y;
        }
    }
}

// Highlights: translucent azure inside, black outline, greyish lip, alpha 0 outside the key.
TEST(KeyHighlights, UseTranslucentAzureInsideTheOutline)
{
    for (int index = 0; index < 8; ++index) {
        const Pixels p = record(itemName("pianokey", index));
        const int lip = p.height - 8;
        int azure = 0;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) {
                const int a = p.Alpha(x, y);
                if (a == 0 || (a == 255 && p.At(x, y) == 0xFF000000u) || (index > 0 && y >= lip))
                    continue;
                ++azure;
                ASSERT_TRUE(a >= 143 && a <= 152 && p.Blue(x, y) >= 250 && p.Green(x, y) >= 116 &&
                            p.Green(x, y) <= 128 && p.Red(x, y) <= 2)
                    << index << " at " << x << "," << y << std::hex << " " << p.At(x, y);
            }
        EXPECT_GT(azure, 200) << index;
    }
}

struct HighlightRow
{
    int index;
    int height;
    int upperFirst;
    int upperLast;
    int shoulderRow;
};

void PrintTo(const HighlightRow& row, std::ostream* out)
{
    *out << "highlight " << row.index;
}

class TWhiteKeyHighlight : public testing::TestWithParam<HighlightRow>
{};

TEST_P(TWhiteKeyHighlight, FollowsTheKeyShapeWithItsNotchAndBottomRows)
{
    const HighlightRow& row = GetParam();
    const Pixels p = record(itemName("pianokey", row.index));
    ASSERT_EQ(p.height, row.height);
    const int middle = (row.upperFirst + row.upperLast) / 2;
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(p.Alpha(middle, y), 0) << y;
    for (int y = 5; y < row.shoulderRow; ++y) {
        EXPECT_EQ(p.At(row.upperFirst, y), 0xFF000000u) << "left outline " << y;
        EXPECT_GT(p.Alpha(row.upperLast, y), 0) << y;
        if (row.upperFirst > 0) {
            EXPECT_EQ(p.Alpha(row.upperFirst - 1, y), 0) << y;
        }
        if (row.upperLast < 19) {
            EXPECT_EQ(p.Alpha(row.upperLast + 1, y), 0) << y;
        }
    }
    EXPECT_EQ(p.At(middle, 5), 0xFF000000u) << "top outline";
    for (int y = row.shoulderRow; y < row.height; ++y) {
        EXPECT_EQ(p.At(0, y), 0xFF000000u) << y;
        EXPECT_GT(p.Alpha(19, y), 0) << y;
    }
    for (int x = 0; x < 20; ++x) {
        EXPECT_EQ(p.At(x, row.height - 1), 0xFF000000u);
        EXPECT_EQ(p.At(x, row.height - 2), 0xFF000000u);
    }
    for (int y = row.height - 8; y < row.height - 2; ++y)
        EXPECT_TRUE(p.Alpha(10, y) >= 110 && p.Alpha(10, y) <= 190) << "lip " << y;
}

INSTANTIATE_TEST_SUITE_P(WhiteKeys, TWhiteKeyHighlight,
                         testing::Values(HighlightRow{1, 71, 0, 9, 42}, HighlightRow{2, 71, 5, 13, 42},
                                         HighlightRow{3, 70, 10, 19, 41}, HighlightRow{4, 71, 0, 9, 42},
                                         HighlightRow{5, 71, 5, 12, 42}, HighlightRow{6, 71, 8, 15, 42},
                                         HighlightRow{7, 70, 10, 19, 41}));

TEST(KeyHighlights, OutlineTheBlackKeyHighlightAllRound)
{
    const Pixels p = record("pianokey_0.bmp32");
    for (int x = 0; x < 12; ++x) {
        EXPECT_EQ(p.At(x, 0), 0xFF000000u);
        EXPECT_EQ(p.At(x, 38), 0xFF000000u);
    }
    for (int y = 0; y < 39; ++y) {
        EXPECT_EQ(p.At(0, y), 0xFF000000u);
        EXPECT_EQ(p.At(11, y), 0xFF000000u);
    }
    EXPECT_EQ(p.Alpha(6, 20), 145);
}

TEST(KeyHighlights, RejectAnIndexOutsideTheList)
{
    EXPECT_THROW(PaintKeyHighlight(8), lirasto::ERangeError);
    EXPECT_THROW(PaintKeyHighlight(-1), lirasto::ERangeError);
    const MusicFont font(MusicFont::DefaultPath());
    EXPECT_THROW(PaintNote(font, 13), lirasto::ERangeError);
    EXPECT_THROW(PaintEvaluationMark(4), lirasto::ERangeError);
    EXPECT_THROW(PaintScaleDegree(7), lirasto::ERangeError);
}

// Key-signature tiles: black on white, lines at 10..50, one sign in each box of the signature.
bool inkOffLines(const Pixels& p, int left, int right, int top, int bottom)
{
    for (int y = std::max(top, 0); y <= std::min(bottom, 59); ++y)
        for (int x = left; x <= right; ++x)
            if (p.At(x, y) == 0xFF000000u && !(y >= 10 && y <= 50 && y % 10 == 0))
                return true;
    return false;
}

class KeySignatureTile : public testing::TestWithParam<int>
{};

TEST_P(KeySignatureTile, CarriesItsSignsInTheirBoxesOnBothStaves)
{
    const int key = GetParam();
    const int count = kSignatureAccidentals[std::size_t(key)];
    for (int bass = 0; bass < 2; ++bass) {
        const Pixels p = record(itemName("key", 2 * key + bass));
        const int drop = bass ? 10 : 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x)
                ASSERT_TRUE(p.At(x, y) == 0xFF000000u || p.At(x, y) == 0xFFFFFFFFu) << x << "," << y;
        for (int row : {10, 20, 30, 40, 50})
            EXPECT_EQ(p.At(59, row), 0xFF000000u);
        for (int n = 0; n < 6; ++n) {
            const bool present = n < std::abs(count);
            if (count <= 0) {
                const ColumnRange c = kFlatColumns[std::size_t(n)];
                const int top = kFlatPitchRows[std::size_t(n)] - kFlatPitchBelowTop + drop;
                EXPECT_EQ(inkOffLines(p, c.First, c.Last, top, top + 17), present) << "flat " << n;
            } else if (n < 5) {
                const ColumnRange c = kSharpColumns[std::size_t(n)];
                const int top = kSharpPitchRows[std::size_t(n)] - kSharpPitchBelowTop + drop;
                EXPECT_EQ(inkOffLines(p, c.First, c.Last, top, top + 17), present) << "sharp " << n;
            }
        }
        // Nothing strays right of the last sign.
        EXPECT_FALSE(inkOffLines(p, 50, 59, 0, 59));
    }
}

INSTANTIATE_TEST_SUITE_P(TwelveKeys, KeySignatureTile, testing::Range(0, 12));

// The flat of B flat has its bowl on the middle line (row 30) of the treble tile, row 40 in the bass.
TEST(KeySignatureTile, PutsTheBFlatBowlOnTheMiddleLine)
{
    for (int bass = 0; bass < 2; ++bass) {
        const Pixels p = record(itemName("key", 10 + bass));
        const int line = 30 + 10 * bass;
        // The bowl closes round the line: ink in the bowl's columns just above and below it.
        EXPECT_TRUE(inkOffLines(p, 7, 9, line - 4, line - 1)) << bass;
        EXPECT_TRUE(inkOffLines(p, 6, 9, line + 1, line + 5)) << bass;
        EXPECT_FALSE(inkOffLines(p, 5, 9, 0, line - 14)) << bass;
    }
}

// Scale degrees are pure blue at alpha 234 on alpha 0, rows 15 to 37.
TEST(ScaleDegrees, DrawBlueNumeralsInRows15To37)
{
    for (int i = 0; i < 7; ++i) {
        const Pixels p = record(itemName("degree", i));
        int top = 60, bottom = -1, left = 60, right = -1;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x) {
                const uint32_t c = p.At(x, y);
                ASSERT_TRUE(c == 0x00FFFFFFu || c == 0xEA0000FFu) << i << " at " << x << "," << y;
                if (c == 0xEA0000FFu) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        EXPECT_EQ(top, 15) << i;
        EXPECT_EQ(bottom, 37) << i;
        EXPECT_NEAR((left + right) / 2.0, 28.5, 1.5) << i;
    }
}

// Answer marks: the balls are green and red at their centre, the hand's fingertip at the bottom.
TEST(EvaluationMarks, ShowGreenAndRedBallsAndAHandPointingDown)
{
    const Pixels right = record("mark_1.bmp32");
    EXPECT_GT(right.Green(9, 9), 2 * right.Red(9, 9));
    EXPECT_EQ(right.At(0, 0), 0xFFFFFFFFu);
    const Pixels wrong = record("mark_2.bmp32");
    EXPECT_GT(wrong.Red(9, 9), 2 * wrong.Green(9, 9));
    EXPECT_EQ(wrong.At(18, 18), 0xFFFFFFFFu);
    const Pixels hand = record("mark_0.bmp32");
    int tipLeft = 14, tipRight = -1;
    for (int x = 0; x < 14; ++x)
        if (hand.Red(x, 27) < 200) {
            tipLeft = std::min(tipLeft, x);
            tipRight = std::max(tipRight, x);
        }
    EXPECT_GE(tipLeft, 6);
    EXPECT_LE(tipRight, 10);
    EXPECT_GT(hand.Blue(6, 3), hand.Red(6, 3) + 80) << "blue cuff";
}

// The wallpaper is a baseline JFIF file, stored with its class name and byte count.
TEST(Wallpaper, IsAJfifFileWrappedWithItsClassName)
{
    const std::vector<uint8_t>& jpeg = painted().files.at("wallpaper.jpg");
    ASSERT_GT(jpeg.size(), 1000u);
    const std::vector<uint8_t> start = {0xFF, 0xD8, 0xFF, 0xE0};
    EXPECT_TRUE(std::equal(start.begin(), start.end(), jpeg.begin()));
    EXPECT_EQ(std::memcmp(jpeg.data() + 6, "JFIF\0", 5), 0);
    EXPECT_EQ(jpeg[jpeg.size() - 2], 0xFF);
    EXPECT_EQ(jpeg[jpeg.size() - 1], 0xD9);
    const std::vector<uint8_t>& blob = painted().files.at("wallpaper.picture");
    ASSERT_EQ(blob.size(), 1 + 10 + 4 + jpeg.size());
    EXPECT_EQ(blob[0], 10);
    EXPECT_EQ(std::memcmp(blob.data() + 1, "TJPEGImage", 10), 0);
    EXPECT_EQ(std::size_t(readInt32(blob.data() + 11)), jpeg.size());
    EXPECT_TRUE(std::equal(jpeg.begin(), jpeg.end(), blob.begin() + 15));
}

TEST(Wallpaper, DecodesToAnOpaqueLightWoodPictureOfTheWallpaperSize)
{
    const std::vector<uint8_t>& jpeg = painted().files.at("wallpaper.jpg");
    QImage image;
    ASSERT_TRUE(image.loadFromData(jpeg.data(), int(jpeg.size()), "JPEG"));
    EXPECT_EQ(image.width(), 800);
    EXPECT_EQ(image.height(), 376);
    long long red = 0, green = 0, blue = 0;
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7) {
            red += qRed(image.pixel(x, y));
            green += qGreen(image.pixel(x, y));
            blue += qBlue(image.pixel(x, y));
        }
    EXPECT_GT(red, green);
    EXPECT_GT(green, blue);
}

// The icon is one 128 x 128 image with 24-bit colour and a 1-bit mask.
TEST(Icon, IsOneImageOf24BitsWithAnAndMask)
{
    const std::vector<uint8_t>& ico = painted().files.at("icon.ico");
    const std::size_t imageBytes = 40 + 128 * 128 * 3 + 128 * 16;
    ASSERT_EQ(ico.size(), 6 + 16 + imageBytes);
    const std::vector<uint8_t> header = {0, 0, 1, 0, 1, 0, 128, 128, 0, 0, 1, 0, 24, 0};
    EXPECT_TRUE(std::equal(header.begin(), header.end(), ico.begin()));
    EXPECT_EQ(std::size_t(readInt32(ico.data() + 14)), imageBytes);
    EXPECT_EQ(readInt32(ico.data() + 18), 22);
    const uint8_t* info = ico.data() + 22;
    EXPECT_EQ(readInt32(info), 40);
    EXPECT_EQ(readInt32(info + 4), 128);
    EXPECT_EQ(readInt32(info + 8), 256);
    EXPECT_EQ(info[14], 24);
    // The mask's first row is the picture's bottom row; its left corner is transparent.
    const uint8_t* mask = info + 40 + 128 * 128 * 3;
    EXPECT_EQ(mask[0] & 0x80, 0x80);
    int opaque = 0;
    for (std::size_t i = 0; i < 128 * 16; ++i)
        for (int bit = 0; bit < 8; ++bit)
            opaque += (mask[i] >> bit & 1) == 0;
    EXPECT_GT(opaque, 1500);
    EXPECT_LT(opaque, 128 * 128 / 2);
}

// The painter gives the same bytes every time it runs.
TEST(Painter, PaintsTheSameBytesTwice)
{
    const Painted again = paint();
    ASSERT_EQ(again.files.size(), painted().files.size());
    for (const auto& [name, bytes] : painted().files)
        EXPECT_TRUE(again.files.at(name) == bytes) << name;
}

TEST(Painter, RefusesAFontFileThatCannotBeRead)
{
    EXPECT_THROW(MusicFont(QStringLiteral("/nonexistent/music.otf")), lirasto::Exception);
}
