#include "game/uFunctions.h"

#include "graphics/Bitmap32.h"
#include "graphics/Image32.h"
#include "graphics/Layers.h"

#include <utility>

using lirasto::EAssertionFailed;
using lirasto::RangeArray;

TStaffWindow* StaffWindow = nullptr;

RangeArray<TNoteSlot, 1, 5> TrebleSlots;
RangeArray<TNoteSlot, 1, 5> BassSlots;
RangeArray<TLedgerLayer, 1, 4> LedgerLayers;
TBitmapLayer* EvaluationMarkLayer = nullptr;
bool EvaluationMarkShown = false;
int TrebleKeyLayerIndex = 0;
int BassKeyLayerIndex = 0;
int StaffKey = 0;

void ResetStaffState()
{
    TrebleSlots = {};
    BassSlots = {};
    LedgerLayers = {};
    EvaluationMarkLayer = nullptr;
    EvaluationMarkShown = false;
    TrebleKeyLayerIndex = 0;
    BassKeyLayerIndex = 0;
    StaffKey = 0;
}

void ShowPicture(TBitmapLayer* layer, TBitmap32List* list, int index)
{
    layer->SetBitmap(list->Bitmap(index));
    layer->Bitmap()->SetDrawMode(dmBlend);
    layer->Bitmap()->SetMasterAlpha(255);
    layer->SetVisible(true);
}

void PlaceLayer(TBitmapLayer* layer, double left, double top)
{
    const double right = left + layer->Bitmap()->Width();
    const double bottom = top + layer->Bitmap()->Height();
    layer->SetLocation(FloatRect(static_cast<float>(left), static_cast<float>(top), static_cast<float>(right),
                                 static_cast<float>(bottom)));
}

namespace {

// The two staves differ only in these figures; one set of routines draws on both.
struct TStaffDescription
{
    int Lowest;
    int Highest;
    RangeArray<TNoteSlot, 1, 5>* Slots;
    int (*NaturalY)(int natural);
    int (*LedgerFor)(int note, int key);
};

const TStaffDescription TrebleStaff{53, 88, &TrebleSlots, [](int natural) { return TrebleNoteY[natural]; },
                                    &TrebleLedgerFor};
const TStaffDescription BassStaff{36, 67, &BassSlots, [](int natural) { return BassNoteY[natural]; },
                                  [](int note, int) { return BassLedgerFor(note); }};

// A stem-up note layer's top lies 30 below the staff offset of its natural.
constexpr double kNoteTopBelowOffset = 30;
// A stem-down picture has its head 30 rows higher in the glyph, so its layer sits 30 lower.
constexpr double kStemDownDrop = 30;
// Ledger-line layers hang 30 below the base top of their position.
constexpr double kLedgerTopBelowBase = 30;

TStaffWindow& window()
{
    if (StaffWindow == nullptr)
        throw EAssertionFailed("The staff window is not set");
    return *StaffWindow;
}

TImage32& staffView()
{
    return *window().ImgClefs();
}

TBitmapLayer* newLayer()
{
    return new TBitmapLayer(staffView().Layers());
}

// Runs one drawing inside an update bracket of the staff view, ending with a single
// repaint. A drawing that fails part-way still closes the bracket, so the view does
// not stay frozen.
template <typename Body>
void drawOnStaff(Body body)
{
    TImage32& view = staffView();
    view.BeginUpdate();
    try {
        body();
    } catch (...) {
        view.EndUpdate();
        view.Changed();
        throw;
    }
    view.EndUpdate();
    view.Changed();
}

TBitmapLayer* keySignatureLayer(int index)
{
    auto* layer = dynamic_cast<TBitmapLayer*>(staffView().Layers()->Items(index));
    if (layer == nullptr)
        throw EAssertionFailed("The key-signature layer is missing");
    return layer;
}

void showKeyTile(TBitmapLayer* layer, int item, int top)
{
    ShowPicture(layer, window().BMPKeyList(), item);
    PlaceLayer(layer, KeySignatureLeft, top);
}

// Frees a layer the staff state refers to, forgetting it first so that a failure
// while it leaves the view cannot free it twice.
void freeLayer(TBitmapLayer*& layer)
{
    delete std::exchange(layer, nullptr);
}

// A key outside 0..11 stops a drawing before anything is drawn.
void checkKey(int key)
{
    if (!KeyAccidentalKind.contains(key))
        throw lirasto::ERangeError("Range check error: key " + std::to_string(key) + " outside 0..11");
}

bool isAboveStaff(int position)
{
    return position == 2 || position == 4;
}

int accidentalPicture(TAccidental sign)
{
    switch (sign) {
    case TAccidental::Flat:
        return FlatPicture;
    case TAccidental::Sharp:
        return SharpPicture;
    default:
        return NaturalPicture;
    }
}

double notePosition(const TStaffDescription& staff, int slot, int key)
{
    TNoteSlot& s = (*staff.Slots)[slot];
    const TSpelling spelling = SpellNote(s.Note, key);
    const double y = staff.NaturalY(spelling.Natural);
    if (spelling.Sign != TAccidental::None) {
        s.HasAccidental = true;
        s.AccidentalLayer = newLayer();
        ShowPicture(s.AccidentalLayer, window().BMPNoteList(), accidentalPicture(spelling.Sign));
        // A natural sign is one row taller than a flat or a sharp and sits two rows lower.
        PlaceLayer(s.AccidentalLayer, AccidentalLeft, y + (spelling.Sign == TAccidental::Natural ? 55 : 53));
    }
    return y;
}

int ledgerImage(int position, bool stemDown, double top)
{
    const double t = stemDown ? top - kStemDownDrop : top;
    int picture = ThreeLedgerLinesPicture;
    switch (position) {
    case 1:
        if (t == 205)
            picture = TwoLedgerLinesPicture;
        if (t >= 205)
            break;
        if (t >= 195)
            picture = OneLedgerLinePicture;
        break;
    case 2:
        if (t >= 100 && t <= 135)
            picture = OneLedgerLinePicture;
        if (t >= 90 && t <= 125)
            picture = TwoLedgerLinesPicture;
        if (t == 115)
            picture = ThreeLedgerLinesPicture;
        break;
    case 3:
        if (t >= 75 && t <= 110)
            picture = TwoLedgerLinesPicture;
        if (t >= 65 && t <= 100)
            picture = OneLedgerLinePicture;
        break;
    case 4:
        if (t >= 0 && t <= 35)
            picture = OneLedgerLinePicture;
        if (t >= -10 && t <= 25)
            picture = TwoLedgerLinesPicture;
        if (t == 15)
            picture = ThreeLedgerLinesPicture;
        break;
    default:
        break;
    }
    return picture;
}

// Below a staff the picture hangs from a fixed top; above it the lowest line stays
// on the first ledger line and the picture grows upward.
double ledgerTop(int position, int picture)
{
    double top = LedgerTop[position] + kLedgerTopBelowBase;
    if (isAboveStaff(position)) {
        if (picture == OneLedgerLinePicture)
            top += 20;
        else if (picture == TwoLedgerLinesPicture)
            top += 10;
    }
    return top;
}

// Each position has one ledger-line layer. Notes are drawn in ascending order, so
// above a staff the highest note decides its lines and below it the lowest.
void placeLedgerLines(const TStaffDescription& staff, int position, double top)
{
    TLedgerLayer& entry = LedgerLayers[position];
    if (entry.Exists && !isAboveStaff(position))
        return;
    const int picture = ledgerImage(position, (*staff.Slots)[1].StemDown, top);
    if (!entry.Exists) {
        // Recorded before it gets its picture, so that ClearStaff frees it whatever happens next.
        entry.Layer = newLayer();
        entry.Exists = true;
    }
    ShowPicture(entry.Layer, window().BMPNoteList(), picture);
    PlaceLayer(entry.Layer, LedgerLeft, ledgerTop(position, picture));
}

void drawNotes(const TStaffDescription& staff, TNoteSet notes, int key)
{
    drawOnStaff([&] {
        int slot = 1;
        for (int note = staff.Lowest; note <= staff.Highest; ++note) {
            if (!notes.Contains(note))
                continue;
            TNoteSlot& s = (*staff.Slots)[slot];
            s.Note = note;
            s.NoteLayer = newLayer();
            const double y = notePosition(staff, slot, key);
            double top = y + kNoteTopBelowOffset;
            int picture = NoteStemUpPicture;
            if ((*staff.Slots)[1].StemDown) {
                picture = NoteStemDownPicture;
                top += kStemDownDrop;
            }
            ShowPicture(s.NoteLayer, window().BMPNoteList(), picture);
            const int position = staff.LedgerFor(note, key);
            if (position != 0)
                placeLedgerLines(staff, position, top);
            PlaceLayer(s.NoteLayer, NoteLeft, top);
            ++slot;
        }
    });
}

void clearSlots(RangeArray<TNoteSlot, 1, 5>& staffSlots)
{
    for (TNoteSlot& s : staffSlots) {
        if (s.Note > 0) {
            s.Note = 0;
            freeLayer(s.NoteLayer);
        }
        if (s.HasAccidental) {
            s.HasAccidental = false;
            freeLayer(s.AccidentalLayer);
        }
    }
}

} // namespace

void CreateKeySignatureLayers()
{
    const int key = StaffKey;
    checkKey(key);
    drawOnStaff([key] {
        TBitmapLayer* treble = newLayer();
        ShowPicture(treble, window().BMPKeyList(), 2 * key);
        TrebleKeyLayerIndex = treble->Index();
        PlaceLayer(treble, KeySignatureLeft, TrebleKeySignatureTop);

        TBitmapLayer* bass = newLayer();
        ShowPicture(bass, window().BMPKeyList(), 2 * key + 1);
        BassKeyLayerIndex = bass->Index();
        PlaceLayer(bass, KeySignatureLeft, BassKeySignatureTop);
    });
}

void ShowKeySignature(int key)
{
    checkKey(key);
    drawOnStaff([key] {
        showKeyTile(keySignatureLayer(TrebleKeyLayerIndex), 2 * key, TrebleKeySignatureTop);
        showKeyTile(keySignatureLayer(BassKeyLayerIndex), 2 * key + 1, BassKeySignatureTop);
    });
    StaffKey = key;
}

void ClearStaff()
{
    clearSlots(BassSlots);
    clearSlots(TrebleSlots);
    for (TLedgerLayer& entry : LedgerLayers) {
        if (entry.Exists) {
            entry.Exists = false;
            freeLayer(entry.Layer);
        }
    }
    if (EvaluationMarkShown) {
        EvaluationMarkShown = false;
        freeLayer(EvaluationMarkLayer);
    }
    ShowKeySignature(StaffKey);
}

void DrawTrebleNotes(TNoteSet notes, int key)
{
    drawNotes(TrebleStaff, notes, key);
}

void DrawBassNotes(TNoteSet notes, int key)
{
    drawNotes(BassStaff, notes, key);
}

double TrebleNotePosition(int slot, int key)
{
    return notePosition(TrebleStaff, slot, key);
}

double BassNotePosition(int slot, int key)
{
    return notePosition(BassStaff, slot, key);
}

void PlaceTrebleLedgerLines(int position, double top)
{
    placeLedgerLines(TrebleStaff, position, top);
}

void PlaceBassLedgerLines(int position, double top)
{
    placeLedgerLines(BassStaff, position, top);
}

int TrebleLedgerImage(int position, bool stemDown, double top)
{
    return ledgerImage(position, stemDown, top);
}

int BassLedgerImage(int position, bool stemDown, double top)
{
    return ledgerImage(position, stemDown, top);
}

TLineNoteLayers DrawNoteAt(int clef, int note, int key, double left)
{
    checkKey(key);
    const TStaffDescription& staff = clef == 1 ? TrebleStaff : BassStaff;
    if (note < staff.Lowest || note > staff.Highest)
        throw lirasto::ERangeError("Range check error: note " + std::to_string(note) + " is not on clef " +
                                   std::to_string(clef));
    TLineNoteLayers layers;
    drawOnStaff([&] {
        const TSpelling spelling = SpellNote(note, key);
        const double y = staff.NaturalY(spelling.Natural);
        if (spelling.Sign != TAccidental::None) {
            layers.Accidental = newLayer();
            ShowPicture(layers.Accidental, window().BMPNoteList(), accidentalPicture(spelling.Sign));
            PlaceLayer(layers.Accidental, left + AccidentalLeft - NoteLeft,
                       y + (spelling.Sign == TAccidental::Natural ? 55 : 53));
        }
        const bool stemDown = StemDown(clef, note);
        const double top = y + kNoteTopBelowOffset + (stemDown ? kStemDownDrop : 0);
        if (const int position = staff.LedgerFor(note, key); position != 0) {
            layers.Ledger = newLayer();
            const int picture = ledgerImage(position, stemDown, top);
            ShowPicture(layers.Ledger, window().BMPNoteList(), picture);
            PlaceLayer(layers.Ledger, left + LedgerLeft - NoteLeft, ledgerTop(position, picture));
        }
        layers.Note = newLayer();
        ShowPicture(layers.Note, window().BMPNoteList(), stemDown ? NoteStemDownPicture : NoteStemUpPicture);
        PlaceLayer(layers.Note, left, top);
    });
    return layers;
}

bool StemDown(int clef, int note)
{
    constexpr int kTrebleMiddleNote = 71;
    constexpr int kBassMiddleNote = 50;
    return note > (clef == 1 ? kTrebleMiddleNote : kBassMiddleNote);
}

TBitmapLayer* DrawMarkAt(int kind, double left)
{
    TBitmapLayer* mark = nullptr;
    drawOnStaff([&] {
        mark = newLayer();
        ShowPicture(mark, window().BMPEvaluationList(), kind);
        PlaceLayer(mark, left + EvaluationMarkLeft - NoteLeft, EvaluationMarkTop);
    });
    return mark;
}

void ShowEvaluationMark()
{
    drawOnStaff([] {
        EvaluationMarkLayer = newLayer();
        EvaluationMarkShown = true;
        ShowPicture(EvaluationMarkLayer, window().BMPEvaluationList(), PointerMarkPicture);
        PlaceLayer(EvaluationMarkLayer, EvaluationMarkLeft, EvaluationMarkTop);
    });
}

void SetEvaluationMark(int kind)
{
    // An answer judged before the run's first question has no mark to turn.
    if (!EvaluationMarkShown)
        return;
    drawOnStaff([kind] {
        const TFloatRect was = EvaluationMarkLayer->Location();
        int picture = -1;
        if (kind == 1)
            picture = RightMarkPicture;
        else if (kind == 2)
            picture = WrongMarkPicture;
        if (picture >= 0)
            EvaluationMarkLayer->SetBitmap(window().BMPEvaluationList()->Bitmap(picture));
        EvaluationMarkLayer->Bitmap()->SetDrawMode(dmBlend);
        EvaluationMarkLayer->Bitmap()->SetMasterAlpha(255);
        PlaceLayer(EvaluationMarkLayer, was.Left, was.Top);
    });
}
