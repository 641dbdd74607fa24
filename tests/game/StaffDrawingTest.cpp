#include "KeySignatureReading.h"
#include "StaffFixture.h"

#include <gtest/gtest.h>
#include <ostream>

#include <array>
#include <optional>
#include <set>
#include <sstream>

using lirasto::EAssertionFailed;
using lirasto::ERangeError;

namespace {

constexpr std::array<int, 7> kWhiteKeys = {0, 2, 4, 5, 7, 9, 11};

struct Staff
{
    bool treble;
    int lowest, highest;
    int topLine, bottomLine; // rows of the staff's outer lines
    int bottomLineDegree;    // diatonic number (octave * 7 + letter) of the bottom line: E4, G2
    int middleNote;          // stems point down above this note
};

const Staff kTreble{true, 53, 88, 80, 120, 4 * 7 + 2, 71};
const Staff kBass{false, 36, 67, 180, 220, 2 * 7 + 4, 50};

class StaffDrawing : public testing::Test
{
protected:
    void SetUp() override { CreateKeySignatureLayers(staff_.drawing); }

    // What the game does for a question: clear, show the key, set the stems, draw.
    void DrawQuestion(const Staff& staff, int note, int key, bool withMark = false)
    {
        ClearStaff(this->staff_.drawing);
        this->staff_.drawing.StaffKey = key;
        ShowKeySignature(this->staff_.drawing, key);
        if (withMark)
            ShowEvaluationMark(this->staff_.drawing);
        if (staff.treble) {
            this->staff_.drawing.TrebleSlots[1].StemDown = note > staff.middleNote;
            DrawTrebleNotes(this->staff_.drawing, TNoteSet::Of(note), key);
        } else {
            this->staff_.drawing.BassSlots[1].StemDown = note > staff.middleNote;
            DrawBassNotes(this->staff_.drawing, TNoteSet::Of(note), key);
        }
    }

    int NotePicture(TBitmapLayer* layer) { return StaffFixture::PictureIndex(layer->Bitmap(), staff_.noteList); }

    int LayerCount() { return staff_.view.Layers()->Count(); }

    StaffFixture staff_;
};

// What a musician sees on the staff after one note is drawn.
struct Reading
{
    int note = 0; // the sounding note read from position, sign and key signature
    int headRow = 0;
    std::set<int> ledgerRows;
    std::string problem; // anything drawn that a reader could not make sense of
};

Reading readStaff(StaffFixture& staff, const Staff& s)
{
    Reading r;
    std::ostringstream problem;
    const int key = StaffFixture::PictureIndex(staff.Layer(0)->Bitmap(), staff.keyList) / 2;
    std::optional<int> sign;
    int notes = 0;
    for (int i = 2; i < staff.view.Layers()->Count(); ++i) {
        TBitmapLayer* layer = staff.Layer(i);
        const TFloatRect at = layer->Location();
        const int picture = StaffFixture::PictureIndex(layer->Bitmap(), staff.noteList);
        if (at.Right - at.Left != layer->Bitmap()->Width() || at.Bottom - at.Top != layer->Bitmap()->Height())
            problem << "layer " << i << " not at its picture's size; ";
        if (picture == kNoteStemUpPicture || picture == kNoteStemDownPicture) {
            ++notes;
            if (at.Left != kNoteLeft)
                problem << "note at left " << at.Left << "; ";
            // The head's centre lies 34.5 rows into a stem-up glyph and 4.5 into a stem-down one.
            r.headRow = static_cast<int>(at.Top) + (picture == kNoteStemUpPicture ? 35 : 5);
        } else if (picture >= kFlatPicture && picture <= kNaturalPicture) {
            if (sign)
                problem << "two signs; ";
            sign = picture == kFlatPicture ? -1 : picture == kSharpPicture ? 1 : 0;
            if (at.Left != kAccidentalLeft)
                problem << "sign at left " << at.Left << "; ";
        } else if (picture >= kOneLedgerLinePicture && picture <= kThreeLedgerLinesPicture) {
            if (at.Left != kLedgerLeft)
                problem << "ledger lines at left " << at.Left << "; ";
            for (int line = 0; line < picture - 6; ++line)
                r.ledgerRows.insert(static_cast<int>(at.Top) + 10 + 10 * line);
        } else {
            problem << "unknown picture on layer " << i << "; ";
        }
    }
    if (notes != 1 || (r.headRow - s.bottomLine) % 5 != 0) {
        problem << notes << " notes, head row " << r.headRow;
        r.problem = problem.str();
        return r;
    }
    const int degree = s.bottomLineDegree + (s.bottomLine - r.headRow) / 5;
    const int letter = kWhiteKeys[degree % 7];
    const int natural = 12 * (degree / 7 + 1) + letter;
    r.note = natural + (sign ? *sign : musician::SignatureAlteration(key, letter));
    // The sign must stand beside the head.
    for (int i = 2; i < staff.view.Layers()->Count(); ++i) {
        TBitmapLayer* layer = staff.Layer(i);
        const int picture = StaffFixture::PictureIndex(layer->Bitmap(), staff.noteList);
        if (picture >= kFlatPicture && picture <= kNaturalPicture &&
            (layer->Location().Top > r.headRow || layer->Location().Bottom < r.headRow))
            problem << "sign beside rows " << layer->Location().Top << ".." << layer->Location().Bottom << "; ";
    }
    r.problem = problem.str();
    return r;
}

std::set<int> neededLedgerRows(const Staff& s, int headRow)
{
    return musician::NeededLedgerRows(s.topLine, s.bottomLine, headRow);
}

} // namespace

// Every note of both staves in all twelve keys reads back as itself, with exactly the ledger lines it needs.
TEST_F(StaffDrawing, EveryNoteReadsBackAsItselfWithTheLedgerLinesItNeeds)
{
    for (const Staff* s : {&kTreble, &kBass})
        for (int key = 0; key < 12; ++key)
            for (int note = s->lowest; note <= s->highest; ++note) {
                DrawQuestion(*s, note, key);
                const Reading r = readStaff(staff_, *s);
                SCOPED_TRACE(std::string(s->treble ? "treble " : "bass ") + std::to_string(note) + " in " +
                             KeyNames[key]);
                EXPECT_EQ(r.problem, "");
                EXPECT_EQ(r.note, note);
                EXPECT_EQ(r.ledgerRows, neededLedgerRows(*s, r.headRow));
            }
}

struct NoteRow
{
    bool treble;
    int note;
    int key;
    bool stemDown;
    int notePicture;
    float noteTop;
    int signPicture; // -1: none
    float signTop;
    int ledgerPicture; // -1: none
    float ledgerTop;
};

void PrintTo(const NoteRow& r, std::ostream* os)
{
    *os << (r.treble ? "treble" : "bass") << " note " << r.note << " in key " << r.key;
}

class StaffNoteCases : public StaffDrawing, public testing::WithParamInterface<NoteRow>
{};

// Each note, sign and ledger layer sits where its staff offset puts it, at its picture's size, blended.
TEST_P(StaffNoteCases, LaysNoteSignAndLedgerLayersWhereTheStaffOffsetPutsThem)
{
    const NoteRow& row = GetParam();
    auto& noteSlots = row.treble ? staff_.drawing.TrebleSlots : staff_.drawing.BassSlots;
    noteSlots[1].StemDown = row.stemDown;
    if (row.treble)
        DrawTrebleNotes(staff_.drawing, TNoteSet::Of(row.note), row.key);
    else
        DrawBassNotes(staff_.drawing, TNoteSet::Of(row.note), row.key);

    const auto expectLayer = [&](TBitmapLayer* layer, int picture, float left, float top) {
        ASSERT_NE(layer, nullptr);
        EXPECT_EQ(NotePicture(layer), picture);
        const float w = static_cast<float>(layer->Bitmap()->Width());
        const float h = static_cast<float>(layer->Bitmap()->Height());
        EXPECT_EQ(layer->Location(), FloatRect(left, top, left + w, top + h));
        EXPECT_EQ(layer->Bitmap()->DrawMode(), dmBlend);
        EXPECT_EQ(layer->Bitmap()->MasterAlpha(), 255);
        EXPECT_TRUE(layer->Visible());
    };
    EXPECT_EQ(noteSlots[1].Note, row.note);
    expectLayer(noteSlots[1].NoteLayer, row.notePicture, kNoteLeft, row.noteTop);
    EXPECT_EQ(staff_.Layer(2), noteSlots[1].NoteLayer);
    EXPECT_EQ(noteSlots[1].HasAccidental, row.signPicture >= 0);
    if (row.signPicture >= 0) {
        expectLayer(noteSlots[1].AccidentalLayer, row.signPicture, kAccidentalLeft, row.signTop);
        EXPECT_EQ(staff_.Layer(3), noteSlots[1].AccidentalLayer);
    }
    int ledgers = 0;
    for (const TLedgerLayer& entry : staff_.drawing.LedgerLayers)
        if (entry.Exists) {
            ++ledgers;
            expectLayer(entry.Layer, row.ledgerPicture, kLedgerLeft, row.ledgerTop);
            EXPECT_EQ(staff_.Layer(LayerCount() - 1), entry.Layer);
        }
    EXPECT_EQ(ledgers, row.ledgerPicture >= 0 ? 1 : 0);
    EXPECT_EQ(LayerCount(), 3 + (row.signPicture >= 0) + (row.ledgerPicture >= 0));
    EXPECT_EQ(noteSlots[2].Note, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StaffNoteCases,
    testing::Values(NoteRow{true, 71, 0, false, 0, 65, -1, 0, -1, 0},     // B4 stems up
                    NoteRow{true, 72, 0, true, 2, 90, -1, 0, -1, 0},      // C5 stems down
                    NoteRow{true, 61, 0, false, 0, 90, 4, 113, -1, 0},    // D flat 4, no ledger line
                    NoteRow{true, 61, 2, false, 0, 95, -1, 0, 7, 120},    // C sharp 4 on the C4 line
                    NoteRow{true, 80, 0, true, 2, 65, 4, 58, 7, 60},      // A flat 5 over one ledger line
                    NoteRow{true, 80, 2, true, 2, 70, 5, 63, -1, 0},      // G sharp 5 inside the staff
                    NoteRow{true, 88, 0, true, 2, 45, -1, 0, 9, 40},      // E6, three lines above
                    NoteRow{true, 70, 0, false, 0, 65, 4, 88, -1, 0},     // B flat 4
                    NoteRow{true, 53, 0, false, 0, 115, -1, 0, 9, 120},   // F3, three lines below
                    NoteRow{true, 57, 0, false, 0, 105, -1, 0, 8, 120},   // A3, two lines below
                    NoteRow{true, 60, 6, false, 0, 95, 6, 120, 7, 120},   // C4 in Gb carries a natural sign
                    NoteRow{true, 71, 6, false, 0, 65, 6, 90, -1, 0},     // B4 in Gb, natural sign
                    NoteRow{true, 84, 0, true, 2, 55, -1, 0, 8, 50},      // C6, two lines above
                    NoteRow{false, 36, 0, false, 0, 205, -1, 0, 8, 220},  // C2, two lines below
                    NoteRow{false, 40, 0, false, 0, 195, -1, 0, 7, 220},  // E2, one line below
                    NoteRow{false, 67, 0, true, 2, 145, -1, 0, 9, 140},   // G4, three lines above
                    NoteRow{false, 65, 2, true, 2, 150, 6, 145, 8, 150},  // F natural 4 in D
                    NoteRow{false, 60, 0, true, 2, 165, -1, 0, 7, 160},   // C4 above the bass staff
                    NoteRow{false, 50, 0, false, 0, 165, -1, 0, -1, 0})); // D3 on the middle line

// The picture of the ledger lines follows the note's t (its top as if stemmed up), tested in order per position.
TEST(LedgerPicture, ChoosesOneTwoOrThreeLinesByPositionAndTop)
{
    struct Row
    {
        int position;
        double t;
        int picture;
    };
    const Row rows[] = {{1, 195, 7}, {1, 200, 7}, {1, 205, 8}, {1, 190, 9}, {1, 210, 9}, {2, 135, 7},
                        {2, 130, 7}, {2, 125, 8}, {2, 120, 8}, {2, 115, 9}, {2, 140, 9}, {3, 95, 7},
                        {3, 100, 7}, {3, 105, 8}, {3, 110, 8}, {3, 115, 9}, {4, 35, 7},  {4, 30, 7},
                        {4, 25, 8},  {4, 20, 8},  {4, 15, 9},  {4, 40, 9},  {0, 95, 9},  {5, 95, 9}};
    for (const Row& row : rows) {
        EXPECT_EQ(TrebleLedgerImage(row.position, false, row.t), row.picture) << row.position << " " << row.t;
        EXPECT_EQ(BassLedgerImage(row.position, true, row.t + 30), row.picture) << row.position << " " << row.t;
    }
}

// The two key-signature layers are the first of the view, at (40, 70) and (40, 170), showing items 2k and 2k + 1.
TEST_F(StaffDrawing, KeySignatureLayersShowItems2kAnd2kPlus1)
{
    ASSERT_EQ(LayerCount(), 2);
    EXPECT_EQ(staff_.drawing.TrebleKeyLayerIndex, 0);
    EXPECT_EQ(staff_.drawing.BassKeyLayerIndex, 1);
    EXPECT_EQ(staff_.Layer(0)->Location(), FloatRect(40, 70, 100, 130));
    EXPECT_EQ(staff_.Layer(1)->Location(), FloatRect(40, 170, 100, 230));
    for (int key : {0, 9, 11, 6}) {
        ShowKeySignature(staff_.drawing, key);
        // C's two tiles are alike, so the pictures are compared with the items themselves.
        EXPECT_TRUE(StaffFixture::SamePicture(staff_.Layer(0)->Bitmap(), staff_.keyList.Bitmap(2 * key)));
        EXPECT_TRUE(StaffFixture::SamePicture(staff_.Layer(1)->Bitmap(), staff_.keyList.Bitmap(2 * key + 1)));
        for (int i : {0, 1}) {
            EXPECT_EQ(staff_.Layer(i)->Bitmap()->DrawMode(), dmBlend);
            EXPECT_EQ(staff_.Layer(i)->Bitmap()->MasterAlpha(), 255);
            EXPECT_TRUE(staff_.Layer(i)->Visible());
        }
    }
    EXPECT_EQ(LayerCount(), 2);
}

// A key outside 0..11 is refused before anything changes, and the view's update bracket stays balanced.
TEST_F(StaffDrawing, RefusesAKeyOutsideTheTwelve)
{
    ShowKeySignature(staff_.drawing, 3);
    for (int key : {12, -1}) {
        EXPECT_THROW(ShowKeySignature(staff_.drawing, key), ERangeError);
        EXPECT_THROW(DrawTrebleNotes(staff_.drawing, TNoteSet::Of(60), key), ERangeError);
    }
    EXPECT_EQ(staff_.view.UpdateCount(), 0);
    EXPECT_EQ(StaffFixture::PictureIndex(staff_.Layer(0)->Bitmap(), staff_.keyList), 6);
}

// Clearing frees every layer of the question and keeps the key signature at indexes 0 and 1, showing StaffKey.
TEST_F(StaffDrawing, ClearStaffLeavesOnlyTheKeySignature)
{
    DrawQuestion(kTreble, 80, 0, true); // mark, note, flat, ledger line
    ASSERT_EQ(LayerCount(), 6);
    staff_.drawing.StaffKey = 4;
    ClearStaff(staff_.drawing);
    EXPECT_EQ(LayerCount(), 2);
    EXPECT_EQ(staff_.drawing.TrebleKeyLayerIndex, 0);
    EXPECT_EQ(staff_.drawing.BassKeyLayerIndex, 1);
    EXPECT_EQ(StaffFixture::PictureIndex(staff_.Layer(0)->Bitmap(), staff_.keyList), 8);
    EXPECT_EQ(StaffFixture::PictureIndex(staff_.Layer(1)->Bitmap(), staff_.keyList), 9);
    EXPECT_EQ(staff_.drawing.TrebleSlots[1].Note, 0);
    EXPECT_EQ(staff_.drawing.TrebleSlots[1].NoteLayer, nullptr);
    EXPECT_FALSE(staff_.drawing.TrebleSlots[1].HasAccidental);
    EXPECT_TRUE(staff_.drawing.TrebleSlots[1].StemDown); // the stem flags are the game's to set
    for (const TLedgerLayer& entry : staff_.drawing.LedgerLayers)
        EXPECT_FALSE(entry.Exists);
    EXPECT_FALSE(staff_.drawing.EvaluationMarkShown);
    ClearStaff(staff_.drawing);
    EXPECT_EQ(LayerCount(), 2);
}

// Layers lie in the order key signatures, mark, note, sign, ledger lines.
TEST_F(StaffDrawing, LaysMarkUnderNoteUnderSignUnderLedgerLines)
{
    DrawQuestion(kBass, 65, 2, true);
    ASSERT_EQ(LayerCount(), 6);
    EXPECT_EQ(staff_.Layer(2), staff_.drawing.EvaluationMarkLayer);
    EXPECT_EQ(staff_.Layer(3), staff_.drawing.BassSlots[1].NoteLayer);
    EXPECT_EQ(staff_.Layer(4), staff_.drawing.BassSlots[1].AccidentalLayer);
    EXPECT_EQ(staff_.Layer(5), staff_.drawing.LedgerLayers[2].Layer);
}

// A note set is drawn with one repaint, whatever it holds; notes off the staff are skipped.
TEST_F(StaffDrawing, DrawsASetWithOneRepaintSkippingNotesOffTheStaff)
{
    int repaints = 0;
    staff_.view.OnChange = [&](QObject*) { ++repaints; };
    TNoteSet set;
    for (int note : {32, 35, 50, 68, 80, 95})
        set.Include(note);
    DrawBassNotes(staff_.drawing, set, 0);
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(LayerCount(), 3);
    EXPECT_EQ(staff_.drawing.BassSlots[1].Note, 50);
    EXPECT_EQ(staff_.drawing.BassSlots[2].Note, 0);

    repaints = 0;
    TNoteSet offStaff;
    offStaff.Include(52);
    offStaff.Include(89);
    DrawTrebleNotes(staff_.drawing, offStaff, 0);
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(LayerCount(), 3);
}

// Above a staff the highest note of a chord decides the ledger lines, below it the lowest; one layer per position.
TEST_F(StaffDrawing, ChordLedgerLinesFollowTheOutermostNote)
{
    staff_.drawing.TrebleSlots[1].StemDown = true;
    TNoteSet above;
    above.Include(84); // C6, two lines
    above.Include(88); // E6, three lines
    DrawTrebleNotes(staff_.drawing, above, 0);
    ASSERT_TRUE(staff_.drawing.LedgerLayers[4].Exists);
    EXPECT_EQ(NotePicture(staff_.drawing.LedgerLayers[4].Layer), 9);
    EXPECT_EQ(staff_.drawing.LedgerLayers[4].Layer->Location().Top, 40);
    EXPECT_EQ(LayerCount(), 5);

    ClearStaff(staff_.drawing);
    staff_.drawing.TrebleSlots[1].StemDown = false;
    TNoteSet below;
    below.Include(53); // F3, three lines
    below.Include(60); // C4, one line
    DrawTrebleNotes(staff_.drawing, below, 0);
    ASSERT_TRUE(staff_.drawing.LedgerLayers[3].Exists);
    EXPECT_EQ(NotePicture(staff_.drawing.LedgerLayers[3].Layer), 9);
    EXPECT_EQ(staff_.drawing.LedgerLayers[3].Layer->Location().Top, 120);
    EXPECT_EQ(staff_.drawing.TrebleSlots[1].Note, 53);
    EXPECT_EQ(staff_.drawing.TrebleSlots[2].Note, 60);
    EXPECT_EQ(LayerCount(), 5);
}

// A sixth note on one staff is refused by the slot check, after the first five, and the view is not left frozen.
TEST_F(StaffDrawing, SixthNoteOnAStaffIsRefusedAndTheViewStillRepaints)
{
    int repaints = 0;
    staff_.view.OnChange = [&](QObject*) { ++repaints; };
    TNoteSet six;
    for (int note : {62, 64, 65, 67, 69, 71})
        six.Include(note);
    EXPECT_THROW(DrawTrebleNotes(staff_.drawing, six, 0), ERangeError);
    EXPECT_EQ(staff_.view.UpdateCount(), 0);
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(staff_.drawing.TrebleSlots[5].Note, 69);
    EXPECT_EQ(LayerCount(), 7);
    ClearStaff(staff_.drawing);
    EXPECT_EQ(LayerCount(), 2);
}

// A staff whose key-signature layers were never made refuses to show a signature rather than draw elsewhere.
TEST(StaffWithoutKeyLayers, ShowingASignatureRaises)
{
    StaffFixture staff;
    EXPECT_THROW(ShowKeySignature(staff.drawing, 0), lirasto::EListError);
    EXPECT_EQ(staff.view.Layers()->Count(), 0);
    EXPECT_EQ(staff.view.UpdateCount(), 0);
}

// The mark sits at (125, 0) at the size of its picture: pointer 14 x 29, balls 19 x 19.
TEST_F(StaffDrawing, EvaluationMarkSwapsPicturesAtTheSameCorner)
{
    int repaints = 0;
    staff_.view.OnChange = [&](QObject*) { ++repaints; };
    ShowEvaluationMark(staff_.drawing);
    EXPECT_EQ(repaints, 1);
    ASSERT_TRUE(staff_.drawing.EvaluationMarkShown);
    EXPECT_EQ(staff_.drawing.EvaluationMarkLayer->Location(), FloatRect(125, 0, 139, 29));
    EXPECT_EQ(StaffFixture::PictureIndex(staff_.drawing.EvaluationMarkLayer->Bitmap(), staff_.markList), 0);
    EXPECT_EQ(staff_.drawing.EvaluationMarkLayer->Bitmap()->DrawMode(), dmBlend);
    EXPECT_EQ(staff_.drawing.EvaluationMarkLayer->Bitmap()->MasterAlpha(), 255);
    EXPECT_TRUE(staff_.drawing.EvaluationMarkLayer->Visible());

    SetEvaluationMark(staff_.drawing, 1);
    EXPECT_EQ(staff_.drawing.EvaluationMarkLayer->Location(), FloatRect(125, 0, 144, 19));
    EXPECT_EQ(StaffFixture::PictureIndex(staff_.drawing.EvaluationMarkLayer->Bitmap(), staff_.markList), 1);
    EXPECT_EQ(staff_.drawing.EvaluationMarkLayer->Bitmap()->DrawMode(), dmBlend);

    SetEvaluationMark(staff_.drawing, 2);
    EXPECT_EQ(repaints, 3);
    EXPECT_EQ(StaffFixture::PictureIndex(staff_.drawing.EvaluationMarkLayer->Bitmap(), staff_.markList), 2);
    SetEvaluationMark(staff_.drawing, 1);
    EXPECT_EQ(StaffFixture::PictureIndex(staff_.drawing.EvaluationMarkLayer->Bitmap(), staff_.markList), 1);

    SetEvaluationMark(staff_.drawing, 3);
    EXPECT_EQ(StaffFixture::PictureIndex(staff_.drawing.EvaluationMarkLayer->Bitmap(), staff_.markList), 1);
    EXPECT_EQ(staff_.drawing.EvaluationMarkLayer->Location(), FloatRect(125, 0, 144, 19));
    EXPECT_EQ(LayerCount(), 3);
}

// With no mark up (before the first question, after a reset) judging touches nothing.
TEST_F(StaffDrawing, SettingTheMarkWithNoneShownDoesNothing)
{
    int repaints = 0;
    staff_.view.OnChange = [&](QObject*) { ++repaints; };
    EXPECT_NO_THROW(SetEvaluationMark(staff_.drawing, 1));
    ShowEvaluationMark(staff_.drawing);
    ClearStaff(staff_.drawing);
    repaints = 0;
    EXPECT_NO_THROW(SetEvaluationMark(staff_.drawing, 2));
    EXPECT_EQ(repaints, 0);
    EXPECT_EQ(LayerCount(), 2);
    EXPECT_EQ(staff_.drawing.EvaluationMarkLayer, nullptr);
}

// On the composed staff the notehead's dark core is centred on the row of its staff position.
TEST_F(StaffDrawing, NoteheadCoreLiesOnItsStaffRow)
{
    if (!StaffFixture::HasArtwork())
        GTEST_SKIP() << "needs the program's artwork";
    struct Row
    {
        const Staff* staff;
        int note;
        int row;
    };
    const Row rows[] = {{&kTreble, 64, 120}, {&kTreble, 71, 100}, {&kTreble, 72, 95},  {&kTreble, 60, 130},
                        {&kTreble, 88, 50},  {&kBass, 43, 220},   {&kBass, 50, 200},   {&kBass, 57, 180},
                        {&kBass, 36, 240},   {&kBass, 67, 150},   {&kTreble, 66, 110}, {&kBass, 61, 165}};
    for (const Row& row : rows) {
        DrawQuestion(*row.staff, row.note, 0);
        staff_.view.ForceCompose();
        const TBitmap32* buffer = staff_.view.Buffer();
        // Navy head pixels: clearly bluer than red, unlike the black lines and the white ground.
        int first = -1, last = -1;
        for (int y = 0; y < 289; ++y) {
            int navy = 0;
            for (int x = kNoteLeft + 1; x < kNoteLeft + 11; ++x) {
                const TColor32 c = buffer->PixelS(x, y);
                const int red = (c >> 16) & 0xFF, blue = c & 0xFF;
                navy += blue - red > 40;
            }
            if (navy >= 6) {
                if (first < 0)
                    first = y;
                last = y;
            }
        }
        SCOPED_TRACE("note " + std::to_string(row.note));
        ASSERT_GE(first, 0);
        EXPECT_NEAR((first + last) / 2.0, row.row, 1.5);
        EXPECT_LE(last - first, 10);
    }
}
