// The screen reader that the end-to-end play relies on, tried on staves composed
// from the game's own pictures the way the game lays them.
#include "tests/e2e/ScreenReader.h"

#include "game/uVariables.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <array>
#include <fstream>

using namespace lirasto::e2e;

namespace {

const std::filesystem::path kArtwork = LIRASTO_ARTWORK_DIR;

const ReferencePictures& references()
{
    static const ReferencePictures pictures = ReferencePictures::Load(kArtwork);
    return pictures;
}

const QImage& picture(const std::string& name)
{
    static std::map<std::string, QImage> cache;
    auto it = cache.find(name);
    if (it == cache.end())
        it = cache.emplace(name, ReadBitmapRecord(kArtwork / name)).first;
    return it->second;
}

struct Written
{
    int natural;
    Accidental sign;
};

// How the game writes a note in a key: its own spelling, in the reader's terms.
Written write(int n, int key)
{
    const TSpelling spelling = SpellNote(n, key);
    switch (spelling.Sign) {
    case TAccidental::Flat:
        return {spelling.Natural, Accidental::Flat};
    case TAccidental::Sharp:
        return {spelling.Natural, Accidental::Sharp};
    case TAccidental::Natural:
        return {spelling.Natural, Accidental::Natural};
    case TAccidental::None:
    case TAccidental::DoubleSharp: // not in the twelve keys
    case TAccidental::DoubleFlat:
        break;
    }
    return {spelling.Natural, Accidental::None};
}

int diatonic(int natural)
{
    static constexpr std::array<int, 12> kStep = {0, -1, 1, -1, 2, 3, -1, 4, -1, 5, -1, 6};
    return 7 * (natural / 12) + kStep[natural % 12];
}

// The staff as the game shows it for one note: key tiles, pointer mark, note, sign, ledger lines.
QImage composeStaff(int n, bool treble, int key)
{
    QImage staff(575, 289, QImage::Format_RGB32);
    staff.fill(Qt::white);
    QPainter p(&staff);
    p.drawImage(0, 0, picture("staff.bmp32"));
    p.drawImage(40, 70, references().keyTiles[2 * key]);
    p.drawImage(40, 170, references().keyTiles[2 * key + 1]);
    p.drawImage(125, 0, picture("mark_0.bmp32"));
    const Written w = write(n, key);
    const int y =
        treble ? 55 - 5 * (diatonic(w.natural) - diatonic(64)) : 155 - 5 * (diatonic(w.natural) - diatonic(43));
    const bool stemDown = treble ? n > 71 : n > 50;
    p.drawImage(125, stemDown ? y + 60 : y + 30, picture(stemDown ? "note_2.bmp32" : "note_0.bmp32"));
    if (w.sign == Accidental::Flat)
        p.drawImage(117, y + 53, references().flat);
    else if (w.sign == Accidental::Sharp)
        p.drawImage(117, y + 53, references().sharp);
    else if (w.sign == Accidental::Natural)
        p.drawImage(117, y + 55, references().natural);
    const int centre = y + 65;
    const int below = treble ? 130 : 230, above = treble ? 70 : 170;
    for (int row = below; row <= centre; row += 10)
        p.drawImage(121, row - 10, picture("note_7.bmp32"));
    for (int row = above; row >= centre; row -= 10)
        p.drawImage(121, row - 10, picture("note_7.bmp32"));
    return staff;
}

// Every note of both staves in every key reads back as the letter written, its sign and its pitch class.
TEST(ScreenReader, ReadsEveryNoteInEveryKeyAsWritten)
{
    struct Staff
    {
        bool treble;
        int low, high;
    };
    for (const Staff& s : {Staff{true, 53, 88}, Staff{false, 36, 67}})
        for (int key = 0; key < 12; ++key)
            for (int n = s.low; n <= s.high; ++n) {
                const Written w = write(n, key);
                const std::optional<StaffReading> reading =
                    ReadStaff(composeStaff(n, s.treble, key), {0, 0}, references());
                ASSERT_TRUE(reading) << "note " << n << " key " << key;
                EXPECT_EQ(reading->treble, s.treble) << reading->Describe();
                EXPECT_EQ(reading->naturalNote, w.natural)
                    << "note " << n << " key " << key << ": " << reading->Describe();
                EXPECT_EQ(reading->accidental, w.sign) << "note " << n << " key " << key << ": " << reading->Describe();
                EXPECT_EQ(reading->key, key) << reading->Describe();
                // A player reading the staff hears the note the game asks for, in every key.
                EXPECT_EQ(reading->pitchClass, n % 12) << "note " << n << " key " << key << ": " << reading->Describe();
            }
}

// A head of a stack as the game lays it: its written letter and sign, the column its sign takes
// (0 nearest the heads) and how far it stands beside the stem (a second's other note).
struct StackHead
{
    int natural;
    Accidental sign;
    int column = 0, shift = 0;
};

struct StackRow
{
    const char* name;
    bool treble;
    int key;
    std::vector<StackHead> heads; // bottom to top
    std::vector<int> pitchClasses;
};

void PrintTo(const StackRow& r, std::ostream* os)
{
    *os << r.name;
}

class StackReading : public testing::TestWithParam<StackRow>
{};

// Stacks with signs in columns read back head by head, the signs in whichever column they stand.
TEST_P(StackReading, ReadsEveryHeadWithItsSign)
{
    constexpr int kLeft = 300;
    const StackRow& row = GetParam();
    QImage staff(575, 289, QImage::Format_RGB32);
    staff.fill(Qt::white);
    QPainter p(&staff);
    p.drawImage(0, 0, picture("staff.bmp32"));
    p.drawImage(40, 70, references().keyTiles[2 * row.key]);
    p.drawImage(40, 170, references().keyTiles[2 * row.key + 1]);
    int headsLeft = kLeft;
    for (const StackHead& h : row.heads)
        headsLeft = std::min(headsLeft, kLeft + h.shift);
    for (const StackHead& h : row.heads) {
        const int y =
            row.treble ? 55 - 5 * (diatonic(h.natural) - diatonic(64)) : 155 - 5 * (diatonic(h.natural) - diatonic(43));
        if (h.shift == 0)
            p.drawImage(kLeft, y + 30, picture("note_0.bmp32"));
        else
            p.drawImage(kLeft + h.shift, y + 60, picture("note_12.bmp32"));
        const int signLeft = headsLeft - 8 - 7 * h.column;
        if (h.sign == Accidental::Flat)
            p.drawImage(signLeft, y + 53, references().flat);
        else if (h.sign == Accidental::Sharp)
            p.drawImage(signLeft, y + 53, references().sharp);
        else if (h.sign == Accidental::Natural)
            p.drawImage(signLeft, y + 55, references().natural);
    }
    p.end();
    const std::vector<StaffReading> read = ReadStack(staff, {0, 0}, references(), kLeft);
    ASSERT_EQ(read.size(), row.heads.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(std::tuple(read[i].naturalNote, read[i].accidental, read[i].pitchClass),
                  std::tuple(row.heads[i].natural, row.heads[i].sign, row.pitchClasses[i]))
            << read[i].Describe();
    }
}

constexpr auto kFlat = Accidental::Flat, kSharp = Accidental::Sharp, kNatural = Accidental::Natural,
               kNone = Accidental::None;

INSTANTIATE_TEST_SUITE_P(
    Table, StackReading,
    testing::Values(
        // E major in E flat: the naturals share the nearest column, the sharp between them takes the next.
        StackRow{"EMajorInEFlat", true, 3, {{64, kNatural}, {67, kSharp, 1}, {71, kNatural}}, {4, 8, 11}},
        // D major in G flat on the bass staff: a sign on every head, in two columns.
        StackRow{"DMajorInGFlat", false, 6, {{50, kNatural}, {53, kSharp, 1}, {57, kNatural}}, {2, 6, 9}},
        // The diminished seventh on C sharp in C: the sharp and the flat, far apart, share a column.
        StackRow{
            "CSharpDiminishedSeventh", true, 0, {{60, kSharp}, {64, kNone}, {67, kNone}, {71, kFlat}}, {1, 4, 7, 10}},
        // F sharp and G, a second: the G beside the stem, the sharp before the heads.
        StackRow{"SecondWithASharp", true, 0, {{65, kSharp}, {67, kNone, 0, 11}}, {6, 7}},
        // A flat key's stack without signs reads on the signature.
        StackRow{"InTheKey", true, 10, {{64, kNone}, {67, kNone}, {71, kNone}}, {3, 7, 10}}),
    [](const auto& info) { return std::string(info.param.name); });

// The staff is found wherever the window puts it, and nowhere when it is not shown.
TEST(ScreenReader, FindsTheStaffByItsLinesAndNothingOnAnEmptyPage)
{
    const QPoint origins[] = {{18, 54}, {0, 0}, {30, 7}};
    for (QPoint origin : origins) {
        QImage window(800, 600, QImage::Format_RGB32);
        window.fill(QColor(222, 184, 135));
        QPainter(&window).drawImage(origin, composeStaff(72, true, 3));
        EXPECT_EQ(FindStaffOrigin(window), origin);
    }
    QImage empty(800, 600, QImage::Format_RGB32);
    empty.fill(QColor(222, 184, 135));
    EXPECT_EQ(FindStaffOrigin(empty), std::nullopt);
}

// No notehead, no reading: an idle staff and a blank one give nothing.
TEST(ScreenReader, ReadsNoNoteOnAnIdleOrBlankStaff)
{
    QImage idle(575, 289, QImage::Format_RGB32);
    idle.fill(Qt::white);
    QPainter(&idle).drawImage(0, 0, picture("staff.bmp32"));
    QPainter(&idle).drawImage(40, 70, references().keyTiles[0]);
    EXPECT_EQ(ReadStaff(idle, {0, 0}, references()), std::nullopt);
    EXPECT_EQ(ReadKeySignature(idle, {0, 0}, references()), 0);
    QImage blank(575, 289, QImage::Format_RGB32);
    blank.fill(Qt::white);
    EXPECT_EQ(ReadStaff(blank, {0, 0}, references()), std::nullopt);
    EXPECT_EQ(ReadKeySignature(blank, {0, 0}, references()), std::nullopt);
}

// Verdict colours: green (0,128,0) is right, red (255,0,0) wrong, the wood neither.
TEST(ScreenReader, TellsTheVerdictByTheColourOfItsText)
{
    struct Row
    {
        QColor text;
        Verdict verdict;
    };
    for (const Row& row : {Row{QColor(0, 128, 0), Verdict::Right}, Row{QColor(255, 0, 0), Verdict::Wrong},
                           Row{QColor(40, 30, 20), Verdict::None}}) {
        QImage shot(200, 60, QImage::Format_RGB32);
        shot.fill(QColor(222, 184, 135));
        QPainter(&shot).fillRect(QRect(10, 10, 40, 10), row.text);
        EXPECT_EQ(ReadVerdict(shot, QRect(0, 0, 200, 60)), row.verdict);
        EXPECT_EQ(ReadVerdict(shot, QRect(100, 0, 100, 60)), Verdict::None) << "outside the region";
    }
}

// A bitmap record shorter or longer than its header says is refused, not read past its end.
TEST(ScreenReader, RefusesMalformedBitmapRecords)
{
    lirasto::test::TempDir dir;
    const std::vector<std::vector<uint8_t>> records = {
        {},
        {2, 0, 0, 0},
        {2, 0, 0, 0, 1, 0, 0, 0, 1, 2, 3, 4},
        {0xff, 0xff, 0xff, 0x7f, 1, 0, 0, 0},
        {1, 0, 0, 0, 1, 0, 0, 0, 1, 2, 3, 4, 5},
    };
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto file = dir.Path() / ("r" + std::to_string(i));
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(records[i].data()), static_cast<std::streamsize>(records[i].size()));
        EXPECT_THROW(ReadBitmapRecord(file), std::runtime_error) << "record " << i;
    }
    EXPECT_THROW(ReadBitmapRecord(dir.Path() / "missing"), std::runtime_error);
}

} // namespace
