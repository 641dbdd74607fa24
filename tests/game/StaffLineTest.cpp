// A line of notes read back from the staff view's pixels as a musician reads it: where each head
// stands, the sign before it and the ledger lines through it. Registered twice, the second time on
// a screen scaled by 2, where the view composes from the finer pictures.
#include "KeySignatureReading.h"
#include "StaffFixture.h"
#include "game/MusicKeys.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <sstream>
#include <vector>

namespace {

constexpr std::array<int, 7> kWhiteKeys = {0, 2, 4, 5, 7, 9, 11};

// The staves' outer lines and the diatonic number (octave * 7 + letter) of each bottom line.
struct StaffRows
{
    int topLine, bottomLine, bottomLineDegree;
};
constexpr StaffRows kTrebleRows{80, 120, 4 * 7 + 2};
constexpr StaffRows kBassRows{180, 220, 2 * 7 + 4};
// The other clefs on the upper staff: F3 on the alto's bottom line, D3 on the tenor's, and the
// octave treble's E4 sounding E3.
constexpr StaffRows kAltoRows{80, 120, 3 * 7 + 3};
constexpr StaffRows kTenorRows{80, 120, 3 * 7 + 1};
constexpr StaffRows kOctaveTrebleRows{80, 120, 3 * 7 + 2};

const StaffRows& rowsOf(int clef)
{
    static const StaffRows* const kRows[] = {&kTrebleRows, &kBassRows, &kAltoRows, &kTenorRows, &kOctaveTrebleRows};
    return *kRows[clef - 1];
}

// One line of 16 notes for every key, alternating the staves: two ledger lines below the treble
// (A3), one (C4), and three above (E6); two above the bass (G4), one (C4) and two below (C2);
// the B, C, E and F that one key or another writes with a natural, and black keys.
const std::vector<TWrittenNote> kLine = {
    {1, 57, 0}, {2, 36, 1}, {1, 60, 2},  {2, 40, 3},  {1, 61, 4},  {2, 41, 5},  {1, 71, 6},  {2, 47, 7},
    {1, 72, 8}, {2, 60, 9}, {1, 83, 10}, {2, 63, 11}, {1, 85, 12}, {2, 64, 13}, {1, 88, 14}, {2, 67, 15},
};

struct ReadNote
{
    int note = -1;
    int headRow = 0;
    int sign = 2; // -1 flat, +1 sharp, 0 natural, 2 none
    std::set<int> ledgerRows;
    std::string problem;
};

class StaffReader : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!StaffFixture::HasArtwork())
            GTEST_SKIP() << "needs the program's artwork";
        staff_.AddDetails();
        CreateKeySignatureLayers(staff_.drawing);
        scale_ = qRound(QGuiApplication::primaryScreen()->devicePixelRatio());
    }

    // The buffer as composed now, in device pixels.
    std::vector<TColor32> Composed()
    {
        staff_.view.Invalidate();
        staff_.view.ForceCompose();
        const TBitmap32* b = staff_.view.Buffer();
        width_ = b->Width();
        return {b->Bits(), b->Bits() + std::size_t(b->Width()) * b->Height()};
    }

    // Whether the line changed a device pixel clearly from the empty staff.
    bool Inked(int x, int y) const
    {
        const TColor32 a = lined_[std::size_t(y) * width_ + x], b = empty_[std::size_t(y) * width_ + x];
        return std::abs(qGray(a) - qGray(b)) > 80;
    }

    // The head: the navy core of the glyph, whose centre is the head's row.
    int ReadHeadRow(int left) const
    {
        int first = -1, last = -1;
        for (int y = 0; y < 289 * scale_; ++y) {
            int navy = 0;
            for (int x = (left + 1) * scale_; x < (left + 11) * scale_; ++x) {
                const TColor32 c = lined_[std::size_t(y) * width_ + x];
                navy += int(c & 0xFF) - int((c >> 16) & 0xFF) > 40;
            }
            if (navy >= 6 * scale_) {
                if (first < 0)
                    first = y;
                last = y;
            }
        }
        // The centre lies half a row below the row it stands on: rounded up, it is that row.
        return first < 0 ? -1 : int(std::lround((first + last) / (2.0 * scale_)));
    }

    // Ledger lines reach past the head on the right: rows inked across columns left + 12..15.
    std::set<int> ReadLedgerRows(int left) const
    {
        std::set<int> rows;
        for (int y = 0; y < 289 * scale_; ++y) {
            bool across = true;
            for (int x = (left + 12) * scale_; x < (left + 16) * scale_ && across; ++x)
                across = Inked(x, y);
            if (across)
                rows.insert(y / scale_);
        }
        return rows;
    }

    // The sign: the accidental picture whose ink matches the pixels before the head best, searched
    // over the rows around it; none when those columns hold next to no ink off the ledger rows.
    int ReadSign(int left, int headRow, const std::set<int>& ledgerRows, std::ostringstream& problem) const
    {
        int ink = 0;
        for (int y = (headRow - 20) * scale_; y < (headRow + 12) * scale_; ++y)
            if (!ledgerRows.contains(y / scale_))
                for (int x = (left - 12) * scale_; x < (left - 1) * scale_; ++x)
                    ink += Inked(x, y);
        if (ink < 8 * scale_ * scale_)
            return 2;
        // Each sign with the columns it stands in before the head: the double flat, wider, further.
        static constexpr std::array<std::pair<int, int>, 5> kSigns = {{{kFlatPicture, 8},
                                                                       {kSharpPicture, 8},
                                                                       {kNaturalPicture, 8},
                                                                       {kDoubleSharpPicture, 8},
                                                                       {kDoubleFlatPicture, 12}}};
        int best = -1, bestMismatch = 1 << 30, bestCount = 0;
        for (const auto& [picture, before] : kSigns) {
            const int x0 = (left - before) * scale_;
            const TBitmap32* base = staff_.noteList.Bitmap(picture);
            const TBitmap32* glyph = scale_ == 2 ? base->DetailPicture() : base;
            for (int top = (headRow - 25) * scale_; top <= (headRow + 5) * scale_; ++top) {
                int mismatch = 0, count = 0;
                for (int y = 0; y < glyph->Height(); ++y)
                    for (int x = 0; x < glyph->Width(); ++x) {
                        const bool opaque = (glyph->Pixel(x, y) >> 24) >= 128;
                        // Staff and ledger lines, every tenth row, are black with or without the sign.
                        const bool lineRow = (top + y) / scale_ % 10 == 0;
                        count += opaque && !lineRow;
                        if (!lineRow)
                            mismatch += opaque != Inked(x0 + x, top + y);
                    }
                // The rest of the columns before the head must be clear off the line rows (where the
                // note before may reach with its ledger lines): a double flat is no flat.
                for (int y = 0; y < glyph->Height(); ++y)
                    for (int x = (left - 12) * scale_; x < (left - 1) * scale_; ++x)
                        if ((x < x0 || x >= x0 + glyph->Width()) && (top + y) / scale_ % 10 != 0)
                            mismatch += Inked(x, top + y);
                if (mismatch < bestMismatch)
                    best = picture, bestMismatch = mismatch, bestCount = count;
            }
        }
        if (bestMismatch * 4 > bestCount)
            problem << "a sign like no accidental (" << bestMismatch << " of " << bestCount << " pixels off); ";
        switch (best) {
        case kFlatPicture:
            return -1;
        case kSharpPicture:
            return 1;
        case kDoubleSharpPicture:
            return 3;
        case kDoubleFlatPicture:
            return -3;
        default:
            return 0;
        }
    }

    // A note as a musician reads it under a signature of signature signs (sharps when positive).
    ReadNote Read(const TWrittenNote& written, int left, int signature) const
    {
        ReadNote r;
        std::ostringstream problem;
        const StaffRows& s = rowsOf(written.Clef);
        r.headRow = ReadHeadRow(left);
        if (r.headRow < 0 || (r.headRow - s.bottomLine) % 5 != 0) {
            r.problem = "head at row " + std::to_string(r.headRow);
            return r;
        }
        r.ledgerRows = ReadLedgerRows(left);
        r.sign = ReadSign(left, r.headRow, r.ledgerRows, problem);
        const int degree = s.bottomLineDegree + (s.bottomLine - r.headRow) / 5;
        const int letter = kWhiteKeys[std::size_t(degree % 7)];
        const int alteration = r.sign == 2    ? musician::AlterationUnder(signature, letter)
                               : r.sign == 3  ? 2
                               : r.sign == -3 ? -2
                                              : r.sign;
        r.note = 12 * (degree / 7 + 1) + letter + alteration;
        r.problem = problem.str();
        return r;
    }

    // The signs of the signature on a staff (upper 0, lower 1), sharps positive: each a run of
    // inked columns off the staff lines, six columns wide for a sharp, five for a flat.
    int ReadSignature(int lower) const
    {
        const int top = (lower ? 160 : 60) * scale_, bottom = (lower ? 240 : 140) * scale_;
        int count = 0, run = 0, sharps = 0;
        for (int x = 40 * scale_; x <= 100 * scale_; ++x) {
            bool ink = false;
            for (int y = top; y < bottom && !ink; ++y) {
                const int row = y / scale_;
                const bool line = row % 10 == 0 && (lower ? row >= 180 && row <= 220 : row >= 80 && row <= 120);
                ink = !line && qGray(lined_[std::size_t(y) * width_ + x]) < 100;
            }
            if (ink) {
                ++run;
            } else if (run > 0) {
                ++count;
                sharps += run >= 6 * scale_;
                run = 0;
            }
        }
        return sharps == count ? count : sharps == 0 ? -count : 99;
    }

    StaffFixture staff_;
    int scale_ = 1;
    int width_ = 0;
    std::vector<TColor32> empty_, lined_;
};

std::set<int> neededLedgerRows(const TWrittenNote& n, int headRow)
{
    const StaffRows& s = rowsOf(n.Clef);
    return musician::NeededLedgerRows(s.topLine, s.bottomLine, headRow);
}

// The spelling of the line's note at place: a chromatic note in C major by the way the line goes.
TSpelling spelling(int place, int key)
{
    const bool up = place > 0 && kLine[std::size_t(place)].Note > kLine[std::size_t(place) - 1].Note;
    return SpellInMusicKey(kLine[std::size_t(place)].Note, MusicKeyOfLevelKey(key), up);
}

int expectedSign(int place, int key)
{
    switch (spelling(place, key).Sign) {
    case TAccidental::Flat:
        return -1;
    case TAccidental::Sharp:
        return 1;
    case TAccidental::Natural:
        return 0;
    default:
        return 2;
    }
}

class StaffLine : public StaffReader, public testing::WithParamInterface<int>
{};

// In every key each note of the line reads back as the note it sounds, on its natural's row, with
// the sign its key's spelling asks for and exactly the ledger lines it needs; at 2x from the finer
// pictures, and the line covers nothing of the staff but its notes.
TEST_P(StaffLine, EveryNoteReadsBackFromThePixelsAsItself)
{
    const int key = GetParam();
    if (qEnvironmentVariable("QT_SCALE_FACTOR") == QStringLiteral("2")) {
        ASSERT_EQ(scale_, 2);
    }
    staff_.drawing.SetLine({}, key, 16);
    empty_ = Composed();
    ASSERT_EQ(staff_.view.BufferScale(), scale_);
    staff_.drawing.SetLine(kLine, key);
    lined_ = Composed();
    for (const TWrittenNote& n : kLine) {
        const int left = TStaffView::PlaceLeft(n.Place, 16);
        const ReadNote r = Read(n, left, musician::kSignature[std::size_t(key)]);
        SCOPED_TRACE("note " + std::to_string(n.Note) + " at place " + std::to_string(n.Place) + " in " +
                     KeyNames[key]);
        EXPECT_EQ(r.problem, "");
        EXPECT_EQ(r.note, n.Note);
        EXPECT_EQ(r.sign, expectedSign(n.Place, key));
        EXPECT_EQ(r.headRow, TStaffView::HeadRow(n.Clef, spelling(n.Place, key).Natural));
        EXPECT_EQ(r.ledgerRows, neededLedgerRows(n, r.headRow));
    }
}

// Marking a note repaints only that note: its mark's corner and its head with its sign, no other
// note and not the staff; the played note's head takes the right colour, the pointer none.
TEST(StaffLineMarks, MarkingANoteRecomposesOnlyItsMarkAndHead)
{
    StaffFixture staff;
    CreateKeySignatureLayers(staff.drawing);
    staff.drawing.SetLine(kLine, 1);
    staff.view.ForceCompose();
    ASSERT_THROW(staff.drawing.MarkNote(16, TNoteMark::Right), lirasto::ERangeError);
    for (const auto& [place, mark] : {std::pair{2, TNoteMark::Right}, std::pair{3, TNoteMark::Due}}) {
        staff.drawing.MarkNote(place, mark);
        const QRegion pending = staff.view.PendingRegion();
        const TRect area = staff.drawing.NoteArea(place);
        EXPECT_TRUE(pending.subtracted(QRegion(area.Left, area.Top, int(area.Width()), int(area.Height()))).isEmpty())
            << place;
        // The head's rows are recomposed only when its colour changes.
        EXPECT_EQ(pending.boundingRect().bottom() > 29, mark == TNoteMark::Right) << place;
        staff.view.ForceCompose();
        EXPECT_EQ(staff.drawing.NoteMark(place), mark);
    }
}

INSTANTIATE_TEST_SUITE_P(TwelveKeys, StaffLine, testing::Range(0, 12),
                         [](const testing::TestParamInfo<int>& info) { return KeyNames[info.param]; });

} // namespace

namespace {

// The thirty keys as a musician names them, with the signs of their signatures.
struct NamedKey
{
    const char* name;
    int signature;
};
constexpr std::array<NamedKey, 30> kThirtyKeys = {{
    {"Cb", -7},      {"Gb", -6},      {"Db", -5},      {"Ab", -4},       {"Eb", -3},       {"Bb", -2},
    {"F", -1},       {"C", 0},        {"G", 1},        {"D", 2},         {"A", 3},         {"E", 4},
    {"B", 5},        {"F#", 6},       {"C#", 7},       {"Ab minor", -7}, {"Eb minor", -6}, {"Bb minor", -5},
    {"F minor", -4}, {"C minor", -3}, {"G minor", -2}, {"D minor", -1},  {"A minor", 0},   {"E minor", 1},
    {"B minor", 2},  {"F# minor", 3}, {"C# minor", 4}, {"G# minor", 5},  {"D# minor", 6},  {"A# minor", 7},
}};

class ClefKeyLine : public StaffReader, public testing::WithParamInterface<std::tuple<int, int>>
{};

} // namespace

// On every clef and in each of the thirty keys, every note from the fifth ledger line below the
// staff to the fifth above, lines going up and lines coming down, reads back from the pixels as
// itself under the signature drawn, with the sign its key spells and exactly its ledger lines.
TEST_P(ClefKeyLine, EveryNoteOfTheRangeReadsBackUnderItsSignature)
{
    const auto [clef, index] = GetParam();
    // From the finer pictures, the keys of seven flats and seven sharps, none, and the one with double sharps.
    if (scale_ == 2 && index != 0 && index != 14 && index != 22 && index != 29)
        GTEST_SKIP() << "read at 1x";
    const NamedKey& named = kThirtyKeys[std::size_t(index)];
    const int musicKey = MusicKeyFromName(named.name);
    ASSERT_GE(musicKey, 0) << named.name;
    const StaffRows& rows = rowsOf(clef);
    const auto noteOf = [](int degree) { return 12 * (degree / 7 + 1) + kWhiteKeys[std::size_t(degree % 7)]; };
    const int lowest = noteOf(rows.bottomLineDegree - 10), highest = noteOf(rows.bottomLineDegree + 18);
    std::vector<int> all;
    for (int note = lowest; note <= highest; ++note)
        all.push_back(note);
    for (std::size_t first = 0, chunk = 0; first < all.size(); first += TStaffView::kMaxPlaces, ++chunk) {
        std::vector<int> notes(all.begin() + std::ptrdiff_t(first),
                               all.begin() + std::ptrdiff_t(std::min(all.size(), first + TStaffView::kMaxPlaces)));
        if (chunk % 2 == 1)
            std::reverse(notes.begin(), notes.end());
        std::vector<TWrittenNote> line;
        for (int note : notes)
            line.push_back({clef, note, int(line.size())});
        staff_.drawing.SetMusicKeyLine({}, musicKey, int(line.size()));
        empty_ = Composed();
        staff_.drawing.SetMusicKeyLine(line, musicKey);
        lined_ = Composed();
        EXPECT_EQ(ReadSignature(clef == kBassClef), named.signature) << named.name;
        for (const TWrittenNote& n : line) {
            const ReadNote r = Read(n, TStaffView::PlaceLeft(n.Place, int(line.size())), named.signature);
            SCOPED_TRACE("note " + std::to_string(n.Note) + " on clef " + std::to_string(clef) + " in " + named.name);
            const bool up = n.Place > 0 && n.Note > line[std::size_t(n.Place) - 1].Note;
            const TSpelling spelt = SpellInMusicKey(n.Note, musicKey, up);
            EXPECT_EQ(r.problem, "");
            EXPECT_EQ(r.note, n.Note);
            EXPECT_EQ(r.headRow, TStaffView::HeadRow(n.Clef, spelt.Natural));
            EXPECT_EQ(r.ledgerRows, neededLedgerRows(n, r.headRow));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryClef, ClefKeyLine, testing::Combine(testing::Range(1, 6), testing::Range(0, 30)));
