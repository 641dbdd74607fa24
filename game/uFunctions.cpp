#include "game/uFunctions.h"

#include "graphics/Bitmap32.h"
#include "graphics/Image32.h"
#include "graphics/Layers.h"

#include <utility>

using lirasto::EAssertionFailed;
using lirasto::RangeArray;
namespace layout = lirasto::staff;

void ShowPicture(TBitmapLayer* layer, const TBitmap32* picture)
{
    layer->SetBitmap(picture);
    layer->Bitmap()->SetDrawMode(dmBlend);
    layer->Bitmap()->SetMasterAlpha(255);
    layer->SetVisible(true);
}

void ShowPicture(TBitmapLayer* layer, TBitmap32List* list, int index)
{
    ShowPicture(layer, list->Bitmap(index));
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
    RangeArray<TNoteSlot, 1, 5> TStaffState::*Slots;
    int (*NaturalY)(int natural);
    int (*LedgerFor)(int note, int key);
};

const TStaffDescription TrebleStaff{53, 88, &TStaffState::TrebleSlots, [](int natural) { return TrebleNoteY[natural]; },
                                    &TrebleLedgerFor};
const TStaffDescription BassStaff{36, 67, &TStaffState::BassSlots, [](int natural) { return BassNoteY[natural]; },
                                  [](int note, int) { return BassLedgerFor(note); }};

TBitmapLayer* newLayer(TStaffView& staff)
{
    return new TBitmapLayer(staff.ImgClefs().Layers());
}

TBitmapLayer* keySignatureLayer(TStaffView& staff, int index)
{
    auto* layer = dynamic_cast<TBitmapLayer*>(staff.ImgClefs().Layers()->Items(index));
    if (layer == nullptr)
        throw EAssertionFailed("The key-signature layer is missing");
    return layer;
}

void showKeyTile(TStaffView& staff, TBitmapLayer* layer, int item, int top)
{
    ShowPicture(layer, &staff.BMPKeyList(), item);
    PlaceLayer(layer, kKeySignatureLeft, top);
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
    if (!KeyAccidentalKind.Contains(key))
        throw lirasto::ERangeError("Range check error: key " + std::to_string(key) + " outside 0..11");
}

double notePosition(TStaffView& staff, const TStaffDescription& description, int slot, int key)
{
    TNoteSlot& s = (staff.*description.Slots)[slot];
    const TSpelling spelling = SpellNote(s.Note, key);
    const double y = description.NaturalY(spelling.Natural);
    if (spelling.Sign != TAccidental::None) {
        s.HasAccidental = true;
        s.AccidentalLayer = newLayer(staff);
        ShowPicture(s.AccidentalLayer, &staff.BMPNoteList(), layout::AccidentalPicture(spelling.Sign));
        PlaceLayer(s.AccidentalLayer, kAccidentalLeft, y + layout::AccidentalDrop(spelling.Sign));
    }
    return y;
}

// Each position has one ledger-line layer. Notes are drawn in ascending order, so
// above a staff the highest note decides its lines and below it the lowest.
void placeLedgerLines(TStaffView& staff, const TStaffDescription& description, int position, double top)
{
    TLedgerLayer& entry = staff.LedgerLayers[position];
    if (entry.Exists && !layout::IsAboveStaff(position))
        return;
    const int picture = layout::LedgerImage(position, (staff.*description.Slots)[1].StemDown, top);
    if (!entry.Exists) {
        // Recorded before it gets its picture, so that ClearStaff frees it whatever happens next.
        entry.Layer = newLayer(staff);
        entry.Exists = true;
    }
    ShowPicture(entry.Layer, &staff.BMPNoteList(), picture);
    PlaceLayer(entry.Layer, kLedgerLeft, layout::LedgerTop(position, picture));
}

void drawNotes(TStaffView& staff, const TStaffDescription& description, TNoteSet notes, int key)
{
    staff.Change([&] {
        auto& staffSlots = staff.*description.Slots;
        int slot = 1;
        for (int note = description.Lowest; note <= description.Highest; ++note) {
            if (!notes.Contains(note))
                continue;
            TNoteSlot& s = staffSlots[slot];
            s.Note = note;
            s.NoteLayer = newLayer(staff);
            const double y = notePosition(staff, description, slot, key);
            const bool stemDown = staffSlots[1].StemDown;
            const double top = layout::NoteTop(y, stemDown);
            ShowPicture(s.NoteLayer, &staff.BMPNoteList(), layout::NotePicture(stemDown));
            const int position = description.LedgerFor(note, key);
            if (position != 0)
                placeLedgerLines(staff, description, position, top);
            PlaceLayer(s.NoteLayer, kNoteLeft, top);
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

void CreateKeySignatureLayers(TStaffView& staff)
{
    const int key = staff.StaffKey;
    checkKey(key);
    staff.Change([&staff, key] {
        TBitmapLayer* treble = newLayer(staff);
        ShowPicture(treble, &staff.BMPKeyList(), 2 * key);
        staff.TrebleKeyLayerIndex = treble->Index();
        PlaceLayer(treble, kKeySignatureLeft, kTrebleKeySignatureTop);

        TBitmapLayer* bass = newLayer(staff);
        ShowPicture(bass, &staff.BMPKeyList(), 2 * key + 1);
        staff.BassKeyLayerIndex = bass->Index();
        PlaceLayer(bass, kKeySignatureLeft, kBassKeySignatureTop);
    });
}

void ShowKeySignature(TStaffView& staff, int key)
{
    checkKey(key);
    staff.Change([&staff, key] {
        showKeyTile(staff, keySignatureLayer(staff, staff.TrebleKeyLayerIndex), 2 * key, kTrebleKeySignatureTop);
        showKeyTile(staff, keySignatureLayer(staff, staff.BassKeyLayerIndex), 2 * key + 1, kBassKeySignatureTop);
    });
    staff.StaffKey = key;
}

void ClearStaff(TStaffView& staff)
{
    clearSlots(staff.BassSlots);
    clearSlots(staff.TrebleSlots);
    for (TLedgerLayer& entry : staff.LedgerLayers) {
        if (entry.Exists) {
            entry.Exists = false;
            freeLayer(entry.Layer);
        }
    }
    if (staff.EvaluationMarkShown) {
        staff.EvaluationMarkShown = false;
        freeLayer(staff.EvaluationMarkLayer);
    }
    ShowKeySignature(staff, staff.StaffKey);
}

void DrawTrebleNotes(TStaffView& staff, TNoteSet notes, int key)
{
    drawNotes(staff, TrebleStaff, notes, key);
}

void DrawBassNotes(TStaffView& staff, TNoteSet notes, int key)
{
    drawNotes(staff, BassStaff, notes, key);
}

int TrebleLedgerImage(int position, bool stemDown, double top)
{
    return layout::LedgerImage(position, stemDown, top);
}

int BassLedgerImage(int position, bool stemDown, double top)
{
    return layout::LedgerImage(position, stemDown, top);
}

bool StemDown(int clef, int note)
{
    return layout::StemDown(clef, note);
}

void ShowEvaluationMark(TStaffView& staff)
{
    staff.Change([&staff] {
        staff.EvaluationMarkLayer = newLayer(staff);
        staff.EvaluationMarkShown = true;
        ShowPicture(staff.EvaluationMarkLayer, &staff.BMPEvaluationList(), kPointerMarkPicture);
        PlaceLayer(staff.EvaluationMarkLayer, kEvaluationMarkLeft, kEvaluationMarkTop);
    });
}

void SetEvaluationMark(TStaffView& staff, int kind)
{
    // An answer judged before the run's first question has no mark to turn.
    if (!staff.EvaluationMarkShown)
        return;
    staff.Change([&staff, kind] {
        TBitmapLayer* mark = staff.EvaluationMarkLayer;
        const TFloatRect was = mark->Location();
        int picture = -1;
        if (kind == 1)
            picture = kRightMarkPicture;
        else if (kind == 2)
            picture = kWrongMarkPicture;
        if (picture >= 0)
            mark->SetBitmap(staff.BMPEvaluationList().Bitmap(picture));
        mark->Bitmap()->SetDrawMode(dmBlend);
        mark->Bitmap()->SetMasterAlpha(255);
        PlaceLayer(mark, was.Left, was.Top);
    });
}
