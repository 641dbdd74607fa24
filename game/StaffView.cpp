#include "game/StaffView.h"

#include "game/MusicKeys.h"
#include "game/StaffLayout.h"
#include "game/uFunctions.h"
#include "graphics/Image32.h"
#include "graphics/Layers.h"

#include <algorithm>
#include <cmath>
#include <string>

using lirasto::ERangeError;
namespace staff = lirasto::staff;

namespace {

// The staff a clef writes on: the rows of its outer lines and the diatonic number
// (octave * 7 + letter) of the note on its bottom line.
struct TClefStaff
{
    int TopLine;
    int BottomLine;
    int BottomLineDegree;
};

constexpr TClefStaff kTrebleStaff{staff::kTrebleTopLine, staff::kTrebleBottomLine, 4 * 7 + 2}; // E4
constexpr TClefStaff kBassStaff{staff::kBassTopLine, staff::kBassBottomLine, 2 * 7 + 4};       // G2

// Five ledger lines each way, and a head just beyond the fifth.
constexpr int kMostLedgerLines = staff::kMostLedgerLines;
// The widest mark picture and the tallest, which a note's mark may show at its left.
constexpr int kMarkWidth = 19;
constexpr int kMarkHeight = 29;
// The cursor spans both staves and a ledger line beyond each.
int cursorTop(TStaffView::TStaves staves)
{
    return (staves == TStaffView::TStaves::Lower ? staff::kBassTopLine : staff::kTrebleTopLine) - staff::kLineSpacing;
}

int cursorBottom(TStaffView::TStaves staves)
{
    return (staves == TStaffView::TStaves::Upper ? staff::kTrebleBottomLine : staff::kBassBottomLine) +
           staff::kLineSpacing;
}

// A hidden staff's cover takes every row from just past the shown staff's outer line to the view's
// edge, so that the other clef, its signature and the line joining the staves all go.
constexpr int kStavesGapMiddle = (staff::kTrebleBottomLine + staff::kBassTopLine) / 2;
constexpr TColor32 kCursorColour = 0xA02060E0u;
// Signs of a stack: a column is this wide (the widest sign and a column of space), and signs in
// one column keep this many rows between them.
constexpr int kSignColumn = 7;
constexpr int kSignGap = 1;

const TClefStaff& clefStaff(int clef)
{
    if (clef == kTrebleClef)
        return kTrebleStaff;
    if (clef == kBassClef)
        return kBassStaff;
    // The other clefs take the upper staff.
    static const TClefStaff kUpperStaves[] = {
        {staff::kTrebleTopLine, staff::kTrebleBottomLine, staff::BottomLineDegree(kAltoClef)},
        {staff::kTrebleTopLine, staff::kTrebleBottomLine, staff::BottomLineDegree(kTenorClef)},
        {staff::kTrebleTopLine, staff::kTrebleBottomLine, staff::BottomLineDegree(kTrebleOctaveClef)}};
    if (clef >= kAltoClef && clef <= kTrebleOctaveClef)
        return kUpperStaves[clef - kAltoClef];
    throw ERangeError("Range check error: clef " + std::to_string(clef) + " outside 1..5");
}

bool onUpperStaff(int clef)
{
    return clef != kBassClef;
}

void tintPixels(TBitmap32& bitmap, TColor32 colour)
{
    const TColor32 rgb = colour & 0x00FFFFFFu;
    TColor32* p = bitmap.Bits();
    for (std::ptrdiff_t i = 0, n = std::ptrdiff_t(bitmap.Width()) * bitmap.Height(); i < n; ++i)
        p[i] = (p[i] & 0xFF000000u) | rgb;
    bitmap.Changed();
}

TRect unite(const TRect& a, const TRect& b)
{
    if (a.IsEmpty())
        return b;
    if (b.IsEmpty())
        return a;
    return TRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                 std::max(a.Bottom, b.Bottom)};
}

} // namespace

TStaffView::TStaffView(TImage32& view, TBitmap32List& keys, TBitmap32List& notes, TBitmap32List& marks)
    : view_(view), keys_(keys), notes_(notes), marks_(marks)
{}

TStaffView::~TStaffView() = default;

void TStaffView::Change(const std::function<void()>& body)
{
    view_.BeginUpdate();
    try {
        body();
    } catch (...) {
        view_.EndUpdate();
        view_.Changed();
        throw;
    }
    view_.EndUpdate();
    view_.Changed();
}

int TStaffView::PlaceLeft(int place, int places)
{
    if (places <= 1)
        return staff::kFirstLineNoteLeft;
    return staff::kFirstLineNoteLeft + (staff::kLastLineNoteLeft - staff::kFirstLineNoteLeft) * place / (places - 1);
}

int TStaffView::HeadRow(int clef, int natural)
{
    const TClefStaff& s = clefStaff(clef);
    return s.BottomLine - staff::kStep * (staff::DiatonicDegree(natural) - s.BottomLineDegree);
}

const TWrittenNote& TStaffView::LineNote(int index) const
{
    if (index < 0 || index >= LineLength())
        throw ERangeError("Range check error: note " + std::to_string(index) + " outside the line");
    return line_[std::size_t(index)].Written;
}

TNoteMark TStaffView::NoteMark(int index) const
{
    LineNote(index);
    return line_[std::size_t(index)].Mark;
}

TColor32 TStaffView::MarkColour(TNoteMark mark)
{
    switch (mark) {
    case TNoteMark::Right:
        return 0xFF008000u;
    case TNoteMark::Wrong:
        return 0xFFFF0000u;
    case TNoteMark::Missed:
        return 0xFFC05000u;
    default:
        return 0; // the engraved colour
    }
}

TBitmapLayer* TStaffView::newLayer()
{
    return new TBitmapLayer(view_.Layers());
}

const TBitmap32* TStaffView::tinted(int picture, TColor32 colour)
{
    const TBitmap32* source = notes_.Bitmap(picture);
    if (colour == 0)
        return source;
    std::unique_ptr<TBitmap32>& kept = tinted_[{picture, colour}];
    if (!kept) {
        auto copy = std::make_unique<TBitmap32>();
        copy->Assign(source);
        tintPixels(*copy, colour);
        copy->SetDetail(nullptr);
        if (const std::shared_ptr<const TDetailSource>& detail = source->Detail())
            copy->SetDetail(std::make_shared<TDetailSource>([detail, colour]() -> std::unique_ptr<TBitmap32> {
                const TBitmap32* fine = detail->Picture();
                if (fine == nullptr)
                    return nullptr;
                auto out = std::make_unique<TBitmap32>();
                out->Assign(fine);
                tintPixels(*out, colour);
                return out;
            }));
        kept = std::move(copy);
    }
    return kept.get();
}

void TStaffView::SetLine(std::span<const TWrittenNote> notes, int key, int places)
{
    SetLine(notes, {}, key, places);
}

void TStaffView::SetLine(std::span<const TWrittenNote> notes, std::span<const TSpelling> spellings, int key, int places)
{
    if (!KeyAccidentalKind.Contains(key))
        throw ERangeError("Range check error: key " + std::to_string(key) + " outside 0..11");
    setLine(notes, spellings, MusicKeyOfLevelKey(key), places);
}

void TStaffView::SetMusicKeyLine(std::span<const TWrittenNote> notes, int musicKey, int places)
{
    MusicKey(musicKey);
    setLine(notes, {}, musicKey, places);
}

void TStaffView::setLine(std::span<const TWrittenNote> notes, std::span<const TSpelling> given, int musicKey,
                         int places)
{
    const int key = LevelKeyOfMusicKey(musicKey);
    if (!given.empty() && given.size() != notes.size())
        throw ERangeError("Range check error: " + std::to_string(given.size()) + " spellings for " +
                          std::to_string(notes.size()) + " notes");
    // Each note as the key writes it unless its spelling is given, a chromatic one by the way the
    // line goes from the note before.
    std::vector<TSpelling> spellings(given.begin(), given.end());
    for (std::size_t i = spellings.size(); i < notes.size(); ++i)
        spellings.push_back(SpellInMusicKey(notes[i].Note, musicKey, i > 0 && notes[i].Note > notes[i - 1].Note));
    const auto spelling = [&](std::size_t i) { return spellings[i]; };
    int needed = 0;
    int upperClef = kTrebleClef;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const TWrittenNote& n = notes[i];
        const TClefStaff& s = clefStaff(n.Clef);
        if (onUpperStaff(n.Clef)) {
            if (upperClef != kTrebleClef && n.Clef != upperClef)
                throw ERangeError("Range check error: a line in two clefs on the upper staff");
            upperClef = n.Clef;
        }
        if (n.Note < kLowestMidiNote || n.Note > kHighestMidiNote)
            throw ERangeError("Range check error: note " + std::to_string(n.Note) + " outside 0..127");
        if (std::abs(spelling(i).Natural - n.Note) > 2)
            throw ERangeError("Range check error: note " + std::to_string(n.Note) + " written on " +
                              std::to_string(spelling(i).Natural));
        const int row = HeadRow(n.Clef, spelling(i).Natural);
        const int reach = staff::kLineSpacing * kMostLedgerLines + staff::kStep;
        if (row < s.TopLine - reach || row > s.BottomLine + reach)
            throw ERangeError("Range check error: note " + std::to_string(n.Note) + " lies beyond five ledger lines");
        needed = std::max(needed, n.Place + 1);
        if (n.Place < 0)
            throw ERangeError("Range check error: place " + std::to_string(n.Place) + " is negative");
    }
    if (places == 0)
        places = needed;
    if (places > kMaxPlaces || needed > places)
        throw ERangeError("Range check error: a line of " + std::to_string(std::max(places, needed)) +
                          " places, at most " + std::to_string(kMaxPlaces));
    Change([&] {
        freeLine();
        ShowKeySignature(*this, key);
        showUpperClef(upperClef, musicKey);
        line_.reserve(notes.size());
        for (std::size_t i = 0; i < notes.size(); ++i) {
            TLineNote& drawn = line_.emplace_back();
            drawn.Written = notes[i];
            drawn.Spelling = spelling(i);
            drawn.Left = PlaceLeft(notes[i].Place, places);
            drawn.SignLeft = drawn.Left - staff::AccidentalBefore(drawn.Spelling.Sign);
        }
        arrangeStacks();
        for (TLineNote& drawn : line_)
            layLineNote(drawn);
    });
}

void TStaffView::layLineNote(TLineNote& note)
{
    const TWrittenNote& w = note.Written;
    const TClefStaff& s = clefStaff(w.Clef);
    const int row = HeadRow(w.Clef, note.Spelling.Natural);
    const double y = row - staff::kHeadRowBelowOffset;
    note.StemDown = note.StackStem >= 0 ? note.StackStem == 1 : row < s.TopLine + 2 * staff::kLineSpacing;
    const TColor32 colour = MarkColour(note.Mark);

    note.NoteLayer = newLayer();
    ShowPicture(note.NoteLayer, headPicture(note, colour));
    // A bare head stands where the head of a stem-up picture would.
    const double bareDrop =
        note.HeadShift != 0 ? notes_.Bitmap(kNoteStemUpPicture)->Height() - notes_.Bitmap(kNoteHeadPicture)->Height()
                            : 0;
    PlaceLayer(note.NoteLayer, note.Left + note.HeadShift,
               staff::NoteTop(y, note.HeadShift == 0 && note.StemDown) + bareDrop);
    if (note.Spelling.Sign != TAccidental::None) {
        note.SignLayer = newLayer();
        ShowPicture(note.SignLayer, tinted(staff::AccidentalPicture(note.Spelling.Sign), colour));
        PlaceLayer(note.SignLayer, note.SignLeft, y + staff::AccidentalDrop(note.Spelling.Sign));
    }
    // Every line between the staff and the head, in pictures of up to three lines from the staff outward.
    const int above = note.OwnLedgers ? std::max(0, (s.TopLine - row) / staff::kLineSpacing) : 0;
    const int below = note.OwnLedgers ? std::max(0, (row - s.BottomLine) / staff::kLineSpacing) : 0;
    for (int laid = 0; laid < above + below;) {
        const bool up = laid < above;
        const int done = up ? laid : laid - above;
        const int lines = std::min(3, (up ? above : below) - done);
        const int top =
            up ? s.TopLine - staff::kLineSpacing * (done + lines + 1) : s.BottomLine + staff::kLineSpacing * done;
        TBitmapLayer* layer = newLayer();
        note.LedgerLayers.push_back(layer);
        ShowPicture(layer, notes_.Bitmap(kOneLedgerLinePicture + lines - 1));
        PlaceLayer(layer, note.Left + note.HeadShift - staff::kLedgerBeforeNote, top);
        laid += lines;
    }
    showMark(note);
}

const TBitmap32* TStaffView::headPicture(const TLineNote& note, TColor32 colour)
{
    return tinted(note.HeadShift != 0 ? kNoteHeadPicture : staff::NotePicture(note.StemDown), colour);
}

void TStaffView::arrangeStacks()
{
    std::map<std::pair<int, int>, std::vector<TLineNote*>> stacks;
    for (TLineNote& note : line_)
        stacks[{note.Written.Place, note.Written.Clef}].push_back(&note);
    const auto row = [](const TLineNote* n) { return HeadRow(n->Written.Clef, n->Spelling.Natural); };
    const int shift = notes_.Bitmap(kNoteStemUpPicture)->Width() - 1; // a head beside the stem shares its column
    for (auto& [where, stack] : stacks) {
        if (stack.size() < 2)
            continue;
        // Bottom to top.
        std::sort(stack.begin(), stack.end(), [&](const TLineNote* a, const TLineNote* b) { return row(a) > row(b); });
        const TClefStaff& s = clefStaff(where.second);
        const int middle = s.TopLine + 2 * staff::kLineSpacing;
        const bool down = row(stack.front()) + row(stack.back()) < 2 * middle;
        for (TLineNote* n : stack) {
            n->StackStem = down ? 1 : 0;
            n->OwnLedgers = false;
            n->ShowsMark = n == stack.front();
        }
        // A second's two heads cannot share a side: going up the stack (or down it, for a stem
        // going down), each note a step from one left in place stands on the stem's other side.
        for (std::size_t k = 1; k < stack.size(); ++k) {
            const std::size_t i = down ? stack.size() - 1 - k : k;
            const std::size_t previous = down ? i + 1 : i - 1;
            if (std::abs(row(stack[i]) - row(stack[previous])) == staff::kStep && stack[previous]->HeadShift == 0)
                stack[i]->HeadShift = down ? -shift : shift;
        }
        // The outermost notes lay the ledger lines for the stack; a head beside the stem beyond the
        // staff lays its own, which the stack's cover but for its far side.
        stack.front()->OwnLedgers = row(stack.front()) > s.BottomLine;
        stack.back()->OwnLedgers = row(stack.back()) < s.TopLine;
        for (TLineNote* n : stack)
            if (n->HeadShift != 0 && (row(n) < s.TopLine - staff::kStep || row(n) > s.BottomLine + staff::kStep))
                n->OwnLedgers = true;
        // The signs, top to bottom, each in the column nearest the heads where it touches no other.
        int headsLeft = stack.front()->Left;
        for (const TLineNote* n : stack)
            headsLeft = std::min(headsLeft, n->Left + n->HeadShift);
        std::vector<std::vector<std::pair<int, int>>> columns; // the rows each column's signs take
        for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
            TLineNote* n = *it;
            if (n->Spelling.Sign == TAccidental::None)
                continue;
            const int top = row(n) - staff::kHeadRowBelowOffset + staff::AccidentalDrop(n->Spelling.Sign);
            const int bottom = top + notes_.Bitmap(staff::AccidentalPicture(n->Spelling.Sign))->Height();
            std::size_t column = 0;
            const auto clear = [&](const std::pair<int, int>& taken) {
                return bottom + kSignGap <= taken.first || top >= taken.second + kSignGap;
            };
            while (column < columns.size() && !std::all_of(columns[column].begin(), columns[column].end(), clear))
                ++column;
            if (column == columns.size())
                columns.emplace_back();
            columns[column].emplace_back(top, bottom);
            n->SignLeft = headsLeft - staff::kAccidentalBeforeNote - kSignColumn * static_cast<int>(column);
        }
    }
}

void TStaffView::showMark(TLineNote& note)
{
    int picture = -1;
    switch (note.ShowsMark ? note.Mark : TNoteMark::Plain) {
    case TNoteMark::Due:
        picture = kPointerMarkPicture;
        break;
    case TNoteMark::Right:
        picture = kRightMarkPicture;
        break;
    case TNoteMark::Wrong:
    case TNoteMark::Missed:
        picture = kWrongMarkPicture;
        break;
    case TNoteMark::Plain:
        break;
    }
    // A note keeps its mark layer once it has one, hidden while plain: stepping along the line
    // then makes and frees no layer.
    if (picture < 0) {
        if (note.MarkLayer != nullptr)
            note.MarkLayer->SetVisible(false);
        return;
    }
    if (note.MarkLayer == nullptr)
        note.MarkLayer = newLayer();
    ShowPicture(note.MarkLayer, marks_.Bitmap(picture));
    PlaceLayer(note.MarkLayer, note.Left, kEvaluationMarkTop);
}

void TStaffView::MarkNote(int index, TNoteMark mark)
{
    LineNote(index);
    TLineNote& note = line_[std::size_t(index)];
    if (note.Mark == mark)
        return;
    // Plain and Due share the engraved colour: the pointer alone comes or goes then.
    const bool recolour = MarkColour(mark) != MarkColour(note.Mark);
    Change([&] {
        // What a mark changes is noted first, as one or two rectangles: the mark's corner above
        // the staff and the head with its sign. The changes of the layers fall inside them and
        // add nothing, so the view composes a part or two for the note instead of one per picture.
        if (TLayerHost* host = view_.Layers()->Host()) {
            host->LayerAreaChanged(markArea(note));
            if (recolour)
                host->LayerAreaChanged(headArea(note));
        }
        note.Mark = mark;
        if (recolour) {
            const TColor32 colour = MarkColour(mark);
            note.NoteLayer->SetBitmap(headPicture(note, colour));
            note.NoteLayer->Bitmap()->SetDrawMode(dmBlend);
            if (note.SignLayer != nullptr) {
                note.SignLayer->SetBitmap(tinted(staff::AccidentalPicture(note.Spelling.Sign), colour));
                note.SignLayer->Bitmap()->SetDrawMode(dmBlend);
            }
        }
        showMark(note);
    });
}

void TStaffView::MarkPlace(int place, TNoteMark mark)
{
    PlaceMark(place);
    Change([&] {
        for (int i = 0; i < LineLength(); ++i)
            if (line_[std::size_t(i)].Written.Place == place)
                MarkNote(i, mark);
    });
}

TNoteMark TStaffView::PlaceMark(int place) const
{
    const TLineNote* lowest = nullptr;
    for (const TLineNote& note : line_)
        if (note.Written.Place == place && (lowest == nullptr || note.Written.Note < lowest->Written.Note))
            lowest = &note;
    if (lowest == nullptr)
        throw ERangeError("Range check error: place " + std::to_string(place) + " holds no note");
    return lowest->Mark;
}

TRect TStaffView::markArea(const TLineNote& note)
{
    TRect area{note.Left, kEvaluationMarkTop, note.Left + kMarkWidth, kEvaluationMarkTop + kMarkHeight};
    if (note.MarkLayer != nullptr)
        area = unite(area, RoundLocation(note.MarkLayer->Location()));
    return area;
}

TRect TStaffView::headArea(const TLineNote& note)
{
    TRect area = RoundLocation(note.NoteLayer->Location());
    if (note.SignLayer != nullptr)
        area = unite(area, RoundLocation(note.SignLayer->Location()));
    return area;
}

TRect TStaffView::NoteArea(int index) const
{
    LineNote(index);
    const TLineNote& note = line_[std::size_t(index)];
    TRect area = unite(markArea(note), headArea(note));
    for (const TBitmapLayer* layer : note.LedgerLayers)
        area = unite(area, RoundLocation(layer->Location()));
    return area;
}

void TStaffView::showUpperClef(int clef, int musicKey)
{
    upperClef_ = clef;
    const int accidentals = MusicKey(musicKey).Accidentals;
    // The twelve keys' signatures are up already; another clef or a signature they lack is laid over them.
    const auto showSignature = [&](int index, int staffClef) {
        if (auto* layer = dynamic_cast<TBitmapLayer*>(view_.Layers()->Items(index))) {
            const TFloatRect at = layer->Location();
            ShowPicture(layer, &keys_, staff::SignaturePicture(staffClef, accidentals));
            PlaceLayer(layer, at.Left, at.Top);
        }
    };
    showSignature(TrebleKeyLayerIndex, clef);
    showSignature(BassKeyLayerIndex, kBassClef);
    const int tile = staff::ClefTilePicture(clef);
    if (tile < 0)
        return;
    clefLayer_ = newLayer();
    ShowPicture(clefLayer_, &keys_, tile);
    PlaceLayer(clefLayer_, staff::ClefTileLeft(), staff::ClefTileTop());
}

void TStaffView::freeLine()
{
    delete std::exchange(clefLayer_, nullptr);
    upperClef_ = kTrebleClef;
    for (TLineNote& note : line_) {
        delete std::exchange(note.MarkLayer, nullptr);
        for (TBitmapLayer*& layer : note.LedgerLayers)
            delete std::exchange(layer, nullptr);
        delete std::exchange(note.SignLayer, nullptr);
        delete std::exchange(note.NoteLayer, nullptr);
    }
    line_.clear();
}

void TStaffView::ClearLine()
{
    Change([&] {
        freeLine();
        delete std::exchange(cursor_, nullptr);
    });
}

void TStaffView::SetCursor(double x)
{
    if (!std::isfinite(x))
        throw ERangeError("Range check error: the cursor's place is not a number");
    Change([&] {
        if (cursor_ == nullptr) {
            if (cursorPicture_.Empty()) {
                cursorPicture_.SetSize(2, cursorBottom(staves_) - cursorTop(staves_));
                cursorPicture_.Clear(kCursorColour);
            }
            cursor_ = newLayer();
            ShowPicture(cursor_, &cursorPicture_);
        }
        cursor_->BringToFront();
        PlaceLayer(cursor_, std::round(x) - 1, cursorTop(staves_));
    });
}

void TStaffView::ShowStaves(TStaves staves)
{
    if (staves == staves_)
        return;
    Change([&] {
        staves_ = staves;
        delete std::exchange(staffCover_, nullptr);
        // The cursor is cut to the staves shown when next set.
        delete std::exchange(cursor_, nullptr);
        cursorPicture_.SetSize(0, 0);
        if (staves == TStaves::Both)
            return;
        const TBitmap32* paper = view_.Bitmap();
        if (paper == nullptr || paper->Empty())
            return;
        const int top = staves == TStaves::Upper ? staff::kTrebleBottomLine + 1 : 0;
        const int bottom = staves == TStaves::Upper ? paper->Height() : staff::kBassTopLine;
        coverPicture_.SetSize(paper->Width(), bottom - top);
        // The paper's colour, taken from the gap's middle at the staff's end, where nothing is drawn.
        coverPicture_.Clear(paper->Pixel(staff::kStaffRight - 10, kStavesGapMiddle));
        staffCover_ = newLayer();
        // Under the line's notes, which may reach into the gap, and over the staff and its signature.
        staffCover_->SetIndex(std::max(TrebleKeyLayerIndex, BassKeyLayerIndex) + 1);
        ShowPicture(staffCover_, &coverPicture_);
        PlaceLayer(staffCover_, 0, top);
    });
}

void TStaffView::HideCursor()
{
    if (cursor_ == nullptr)
        return;
    Change([&] { delete std::exchange(cursor_, nullptr); });
}
