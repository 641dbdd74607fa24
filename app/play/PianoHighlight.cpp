#include "app/play/PianoHighlight.h"

#include "app/language/Language.h"

#include "game/PianoKeys.h"
#include "game/uFunctions.h"
#include "graphics/Image32.h"
#include "graphics/Layers.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

namespace {

// Keeps the view's update bracket closed on every path, so that a failure
// while a highlight is laid cannot stop the keyboard from ever repainting.
class TUpdateBracket
{
public:
    explicit TUpdateBracket(TImage32& view) : view_(view) { view_.BeginUpdate(); }
    ~TUpdateBracket()
    {
        view_.EndUpdate();
        view_.Changed();
    }
    TUpdateBracket(const TUpdateBracket&) = delete;
    TUpdateBracket& operator=(const TUpdateBracket&) = delete;

private:
    TImage32& view_;
};

} // namespace

TPianoHighlight::~TPianoHighlight() = default; // the view owns the layers

int TPianoHighlight::DrawnNoteFor(int note)
{
    if (note < kLowestDrawnNote)
        return kLowestDrawnNote + (note % 12 + 12) % 12;
    if (note > kHighestDrawnNote)
        return kHighestDrawnNote - 11 + note % 12;
    return note;
}

TBitmapLayer* TPianoHighlight::layHighlight(int note)
{
    const std::optional<TPianoKeyHit> key = PianoKeyOfNote(DrawnNoteFor(note));
    if (!key)
        return nullptr;
    TUpdateBracket bracket(view_);
    auto layer = std::make_unique<TBitmapLayer>(view_.Layers());
    ShowPicture(layer.get(), &pictures_, key->HighlightItem);
    PlaceLayer(layer.get(), key->Left, 0);
    return layer.release();
}

void TPianoHighlight::KeyDown(int note, TInputSource source)
{
    if (TBitmapLayer* layer = layHighlight(note))
        highlights_.push_back({note, source, layer});
    // The rows' mark stays in sight across a lit key.
    if (rowsMark_)
        rowsMark_->BringToFront();
}

void TPianoHighlight::ShowOctave(int note)
{
    constexpr int kOctaveMarkMs = 400;
    removeOctaveMark();
    octaveMark_ = layHighlight(note);
    const int mark = ++octaveMarks_;
    QTimer::singleShot(kOctaveMarkMs, &view_, [this, mark] {
        if (mark == octaveMarks_)
            removeOctaveMark();
    });
}

void TPianoHighlight::ShowRows(int base)
{
    // A strip at the foot of the white keys, below the black keys and the key names.
    constexpr int kStripHeight = 3;
    constexpr TColor32 kStripColor = Color32(196, 64, 32);
    if (base == rowsBase_)
        return;
    TUpdateBracket bracket(view_);
    delete std::exchange(rowsMark_, nullptr);
    rowsBase_ = 0;
    const std::optional<TPianoKeyHit> first = PianoKeyOfNote(base);
    if (!first)
        return;
    // Up to the right edge of the next C, which K plays, or the keyboard's end.
    const std::optional<TPianoKeyHit> next = PianoKeyOfNote(base + 14);
    const int right = next ? next->Left : kKeyboardWidth;
    auto layer = std::make_unique<TBitmapLayer>(view_.Layers());
    layer->Bitmap()->SetSize(right - first->Left, kStripHeight);
    layer->Bitmap()->Clear(kStripColor);
    PlaceLayer(layer.get(), first->Left, view_.Bitmap()->Height() - kStripHeight);
    rowsMark_ = layer.release();
    rowsBase_ = base;
}

void TPianoHighlight::clearRange()
{
    for (TBitmapLayer* shade : rangeShades_)
        delete shade;
    rangeShades_.clear();
}

void TPianoHighlight::ShowRange(int lowest, int highest)
{
    constexpr TColor32 kShade = 0x90303030u;
    TUpdateBracket bracket(view_);
    clearRange();
    if (lowest > highest)
        return;
    const auto shade = [this](int left, int right) {
        if (right <= left)
            return;
        auto layer = std::make_unique<TBitmapLayer>(view_.Layers());
        layer->Bitmap()->SetSize(right - left, view_.Bitmap()->Height());
        layer->Bitmap()->Clear(kShade);
        layer->Bitmap()->SetDrawMode(dmBlend);
        PlaceLayer(layer.get(), left, 0);
        rangeShades_.push_back(layer.release());
    };
    if (const std::optional<TPianoKeyHit> low = PianoKeyOfNote(lowest); low && lowest > kLowestDrawnNote)
        shade(0, low->Left);
    if (const std::optional<TPianoKeyHit> high = PianoKeyOfNote(highest); high && highest < kHighestDrawnNote) {
        // The first key above the range starts where the highest one's neighbour does.
        const std::optional<TPianoKeyHit> above =
            PianoKeyOfNote(highest + (IsBlackKey[PitchClass(highest + 1)] ? 2 : 1));
        shade(above ? above->Left : kKeyboardWidth, kKeyboardWidth);
    }
}

void TPianoHighlight::removeOctaveMark()
{
    if (!octaveMark_)
        return;
    TUpdateBracket bracket(view_);
    delete std::exchange(octaveMark_, nullptr);
}

void TPianoHighlight::KeyUp(int note, TInputSource source)
{
    const auto found = std::find_if(highlights_.begin(), highlights_.end(),
                                    [&](const THighlight& h) { return h.Note == note && h.Source == source; });
    if (found == highlights_.end())
        return;
    TBitmapLayer* layer = found->Layer;
    highlights_.erase(found);
    TUpdateBracket bracket(view_);
    delete layer;
}

namespace {

// The bitmap's pixels as an image that paints straight into them.
QImage paintable(TBitmap32& bitmap)
{
    return QImage(reinterpret_cast<uchar*>(bitmap.Bits()), bitmap.Width(), bitmap.Height(), bitmap.Width() * 4,
                  QImage::Format_RGB32);
}

// The white keys' names at the foot of each key, in the note names in use, painted on the keyboard
// picture at `scale` device pixels per picture pixel. A longer name (Sol) is set smaller to fit its key.
void paintKeyNames(QImage& picture, int scale)
{
    QPainter painter(&picture);
    QFont font = painter.font();
    font.setBold(true);
    painter.setPen(QColor(96, 96, 96));
    constexpr int kSlot = 20; // each octave's white keys lie in 20-pixel slots
    const int height = picture.height() / scale;
    for (int key = 0; key * kSlot < kKeyboardWidth; ++key) {
        const QString name = QString::fromStdString(LetterName(key % 7, 0, CurrentNoteNaming()));
        for (int size = 11; size >= 7; --size) {
            font.setPixelSize(size * scale);
            if (QFontMetrics(font).horizontalAdvance(name) <= (kSlot - 2) * scale)
                break;
        }
        painter.setFont(font);
        // The names sit at the keys' foot, below the black keys.
        painter.drawText(QRect(key * kSlot * scale, (height - 17) * scale, kSlot * scale, 14 * scale), Qt::AlignCenter,
                         name);
    }
}

// The keyboard's detail with the names painted at twice the size, made when first shown.
std::shared_ptr<const TDetailSource> namedDetail(std::shared_ptr<const TDetailSource> plain)
{
    if (!plain)
        return nullptr;
    return std::make_shared<TDetailSource>([plain]() -> std::unique_ptr<TBitmap32> {
        const TBitmap32* source = plain->Picture();
        if (!source)
            return nullptr;
        auto named = std::make_unique<TBitmap32>();
        named->Assign(source);
        QImage picture = paintable(*named);
        paintKeyNames(picture, 2);
        return named;
    });
}

} // namespace

void TPianoHighlight::RenameKeys()
{
    if (plainKeyboard_.empty())
        return;
    SetKeyNames(false);
    SetKeyNames(true);
}

void TPianoHighlight::SetKeyNames(bool on)
{
    TBitmap32* keyboard = view_.Bitmap();
    const std::size_t pixels = std::size_t(keyboard->Width()) * std::size_t(keyboard->Height());
    if (on == !plainKeyboard_.empty() || pixels == 0)
        return;
    if (!on) {
        std::memcpy(keyboard->Bits(), plainKeyboard_.data(), pixels * sizeof(uint32_t));
        plainKeyboard_.clear();
        keyboard->SetDetail(std::exchange(plainDetail_, nullptr));
    } else {
        plainKeyboard_.assign(keyboard->Bits(), keyboard->Bits() + pixels);
        plainDetail_ = keyboard->Detail();
        QImage picture = paintable(*keyboard);
        paintKeyNames(picture, 1);
        keyboard->SetDetail(namedDetail(plainDetail_));
    }
    keyboard->Changed();
    view_.Changed();
}
