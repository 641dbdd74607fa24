// Stacks of notes on the staff, read back from the pictures laid: the signs of every chord in
// every key stand clear of one another and of the heads, a second's heads take both sides of the
// stem, the stem follows the stack's middle and the ledger lines are laid once for the stack.
#include "StaffFixture.h"

#include "game/ChordExercise.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <map>
#include <set>

namespace {

using TInk = std::set<std::pair<int, int>>;

TInk inkOf(TBitmapLayer* layer)
{
    TInk ink;
    const TBitmap32* b = layer->Bitmap();
    const int left = int(std::lround(layer->Location().Left)), top = int(std::lround(layer->Location().Top));
    for (int y = 0; y < b->Height(); ++y)
        for (int x = 0; x < b->Width(); ++x)
            if ((b->Pixel(x, y) >> 24) != 0)
                ink.insert({left + x, top + y});
    return ink;
}

// The first and last columns a layer lays ink in.
std::pair<int, int> inkColumns(TBitmapLayer* layer)
{
    const TBitmap32* b = layer->Bitmap();
    const int left = int(std::lround(layer->Location().Left));
    int first = INT_MAX, last = INT_MIN;
    for (int y = 0; y < b->Height(); ++y)
        for (int x = 0; x < b->Width(); ++x)
            if ((b->Pixel(x, y) >> 24) != 0)
                first = std::min(first, left + x), last = std::max(last, left + x);
    return {first, last};
}

bool isSign(const TBitmap32* b, TBitmap32List& list)
{
    for (int p : {kFlatPicture, kSharpPicture, kNaturalPicture})
        if (StaffFixture::SamePicture(b, list.Bitmap(p)))
            return true;
    return false;
}

bool isLedger(const TBitmap32* b, TBitmap32List& list)
{
    for (int p : {kOneLedgerLinePicture, kTwoLedgerLinesPicture, kThreeLedgerLinesPicture})
        if (StaffFixture::SamePicture(b, list.Bitmap(p)))
            return true;
    return false;
}

class StaffChord : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!StaffFixture::HasArtwork())
            GTEST_SKIP() << "needs the program's artwork";
        CreateKeySignatureLayers(staff_.drawing);
    }
    void Show(const TChord& chord, int clef, int key)
    {
        std::vector<TWrittenNote> notes;
        std::vector<TSpelling> spellings;
        for (const TChordTone& tone : chord.Tones) {
            notes.push_back({clef, tone.Note, 0});
            spellings.push_back({tone.Natural, SignInKey(tone, key)});
        }
        staff_.drawing.SetLine(notes, spellings, key, 1);
    }
    // The layers after the two key signatures, sorted by kind.
    void ReadLayers()
    {
        signs_.clear();
        heads_.clear();
        ledgers_ = 0;
        for (int i = 2; i < staff_.view.Layers()->Count(); ++i) {
            TBitmapLayer* layer = staff_.Layer(i);
            if (!layer->Visible())
                continue;
            if (isSign(layer->Bitmap(), staff_.noteList))
                signs_.push_back(inkOf(layer));
            else if (isLedger(layer->Bitmap(), staff_.noteList))
                ++ledgers_;
            else
                heads_.push_back(layer);
        }
    }

    StaffFixture staff_;
    std::vector<TInk> signs_;
    std::vector<TBitmapLayer*> heads_;
    int ledgers_ = 0;
};

// Every type and inversion on every root of each pitch class, in all twelve keys and on both
// staves, chromatic (so with every sign a key can call for).
void forEveryChord(const std::function<void(const TChord&, int clef, int key)>& body)
{
    for (TChordFamily family : {TChordFamily::Intervals, TChordFamily::Triads, TChordFamily::Sevenths})
        for (int key = 0; key < KeyCount; ++key)
            for (int clef : {1, 2}) {
                std::set<std::tuple<const TChordType*, int, int>> seen;
                for (const TChord& chord : ChordsFor({family, key, true, TStaffChoice::Grand}, clef, key))
                    if (seen.insert({chord.Type, chord.Inversion, PitchClass(chord.Tones[0].Note)}).second)
                        body(chord, clef, key);
            }
}

bool overlaps(const TInk& a, const TInk& b)
{
    for (const auto& pixel : a)
        if (b.contains(pixel))
            return true;
    return false;
}

// Every type and inversion on every root, in all twelve keys and on both staves, chromatic (so
// with every sign a key can call for): no sign's ink touches another's or a head's.
TEST_F(StaffChord, NoSignOverlapsAnotherOrAHead)
{
    int checked = 0, stacked = 0;
    forEveryChord([&](const TChord& chord, int clef, int key) {
        if (HasFailure())
            return; // one chord's fault is enough to tell
        Show(chord, clef, key);
        ReadLayers();
        ++checked;
        stacked += signs_.size() > 1;
        for (std::size_t i = 0; i < signs_.size(); ++i) {
            for (std::size_t j = i + 1; j < signs_.size(); ++j)
                ASSERT_FALSE(overlaps(signs_[i], signs_[j])) << chord.Type->Name << " inversion " << chord.Inversion
                                                             << " on " << chord.Tones[0].Note << " key " << key;
            for (TBitmapLayer* head : heads_)
                ASSERT_FALSE(overlaps(signs_[i], inkOf(head))) << chord.Type->Name << " inversion " << chord.Inversion
                                                               << " on " << chord.Tones[0].Note << " key " << key;
        }
    });
    EXPECT_GT(checked, 5000);
    EXPECT_GT(stacked, 1000);
}

// A line of stacks: whatever chords stand side by side, the ink of one stack (signs, heads, stems and
// ledger lines) stays clear of its neighbour's and the first stack's clear of the key signature, in
// every key, at the most stacks a line holds.
TEST_F(StaffChord, StacksOfALineStayClearOfTheirNeighbours)
{
    const int places = TLineSettings::kMostStacks;
    const int left = TStaffView::PlaceLeft(1, places);
    int reachLeft = 0, reachRight = 0, signatureRight = 0;
    int lastKey = -1;
    forEveryChord([&](const TChord& chord, int clef, int key) {
        std::vector<TWrittenNote> notes;
        for (const TChordTone& tone : chord.Tones)
            notes.push_back({clef, tone.Note, 1});
        staff_.drawing.SetLine(notes, SpellingsInKey(chord, key), key, places);
        for (int i = 0; i < staff_.view.Layers()->Count(); ++i) {
            // The key signature (layers 0 and 1) once for each key.
            if (!staff_.Layer(i)->Visible() || (i < 2 && key == lastKey))
                continue;
            const auto [first, last] = inkColumns(staff_.Layer(i));
            if (i < 2)
                signatureRight = std::max(signatureRight, last);
            else
                reachLeft = std::max(reachLeft, left - first), reachRight = std::max(reachRight, last - left);
        }
        lastKey = key;
    });
    const int spacing = TStaffView::PlaceLeft(2, places) - left;
    EXPECT_LT(reachRight + reachLeft, spacing)
        << "a stack spans " << reachLeft << " left and " << reachRight << " right";
    EXPECT_LT(signatureRight, TStaffView::PlaceLeft(0, places) - reachLeft);
}

struct StackRow
{
    std::vector<int> notes; // on the treble staff, in C
    bool stemDown;
    std::vector<int> shifted; // the notes drawn beside the stem, and to which side
    int ledgers;              // ledger-line layers for the stack
};

void PrintTo(const StackRow& r, std::ostream* os)
{
    *os << "stack from " << r.notes.front();
}

class StaffStack : public StaffChord, public testing::WithParamInterface<StackRow>
{};

TEST_P(StaffStack, PutsSecondsBesideTheStemAndLaysLedgersOnce)
{
    const StackRow& row = GetParam();
    std::vector<TWrittenNote> notes;
    for (int n : row.notes)
        notes.push_back({1, n, 0});
    staff_.drawing.SetLine(notes, 0, 1);
    ReadLayers();
    ASSERT_EQ(heads_.size(), row.notes.size());
    const int left = TStaffView::PlaceLeft(0, 1);
    std::vector<int> shifted;
    for (std::size_t i = 0; i < heads_.size(); ++i) {
        const int dx = int(std::lround(heads_[i]->Location().Left)) - left;
        if (dx != 0)
            shifted.push_back(dx > 0 ? row.notes[i] : -row.notes[i]);
        else
            EXPECT_TRUE(StaffFixture::SamePicture(
                heads_[i]->Bitmap(), staff_.noteList.Bitmap(row.stemDown ? kNoteStemDownPicture : kNoteStemUpPicture)));
    }
    EXPECT_EQ(shifted, row.shifted);
    EXPECT_EQ(ledgers_, row.ledgers);
}

// Right of the stem: positive; left: negative.
INSTANTIATE_TEST_SUITE_P(
    Table, StaffStack,
    testing::Values(StackRow{{60, 64, 67}, false, {}, 1},            // C4 E4 G4, one ledger line
                    StackRow{{62, 64}, false, {64}, 0},              // D4 E4: E right
                    StackRow{{77, 79, 81, 83}, true, {-77, -81}, 2}, // F5 G5 A5 B5: F, A left; A on its own line
                    StackRow{{57, 59, 60}, false, {59}, 2},          // A3 B3 C4: B right, with ledgers
                    StackRow{{84, 88}, true, {}, 1}));               // C6 E6: one picture of lines

} // namespace
