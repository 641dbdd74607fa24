#pragma once

#include "graphics/Blend.h"
#include "graphics/LowLevel.h"

#include <QColor>
#include <QImage>
#include <QObject>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

// Integer rectangle, half-open: Left <= x < Right, Top <= y < Bottom.
struct TRect
{
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    // Width and height in 64 bits, so that no pair of 32-bit edges overflows.
    constexpr int64_t Width() const { return int64_t(Right) - Left; }
    constexpr int64_t Height() const { return int64_t(Bottom) - Top; }
    constexpr bool operator==(const TRect&) const = default;
};

constexpr TRect MakeRect(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    return TRect{left, top, right, bottom};
}

// The common part of a and b; an empty result is (0, 0, 0, 0).
inline TRect IntersectRect(const TRect& a, const TRect& b)
{
    const TRect r{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
                  a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
    return r.IsEmpty() ? TRect{} : r;
}

// The same with 32-bit floats: where a layer sits in its view.
struct TFloatRect
{
    float Left = 0;
    float Top = 0;
    float Right = 0;
    float Bottom = 0;

    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool operator==(const TFloatRect&) const = default;
};

constexpr TFloatRect FloatRect(float left, float top, float right, float bottom)
{
    return TFloatRect{left, top, right, bottom};
}

// The common part of a and b; an empty result is (0, 0, 0, 0).
TFloatRect IntersectRect(const TFloatRect& a, const TFloatRect& b);

enum TDrawMode { dmOpaque, dmBlend, dmCustom };
enum TStretchFilter { sfNearest, sfDraft, sfLinear, sfCosine, sfSpline, sfLanczos, sfMitchell };

// dmCustom's per-pixel callback: source F, destination B (written in place), master alpha M.
using TPixelCombineEvent = std::function<void(TColor32 F, TColor32& B, TColor32 M)>;

// Conversion of a platform colour: alpha is always 255.
TColor32 Color32(const QColor& color);
// Conversion of a window-system colour 0x00BBGGRR. A negative value names a system
// colour by its low byte (0 = scroll bar .. 30 = menu bar, the standard palette);
// an unknown index raises ERangeError.
TColor32 WinColor(int32_t winColor);

// A piece of a bitmap row, [Begin, End): copied when Opaque (every alpha 255), blended
// otherwise. The pixels between pieces are fully transparent and are never read.
struct TAlphaRun
{
    int32_t Begin = 0;
    int32_t End = 0;
    bool Opaque = false;
    constexpr bool operator==(const TAlphaRun&) const = default;
};

// The pieces of every row of a bitmap. Transparent and opaque stretches shorter than
// kShortest pixels stay inside the blended piece around them: the row blend skips or copies
// them nearly as fast, and each piece costs a call and its unaligned ends (64 measured
// fastest on the soft-edged shapes of the layers, against 32 and 128).
class TAlphaRuns
{
public:
    static constexpr int kShortest = 64;

    TAlphaRuns(const TColor32* bits, int width, int height);
    std::span<const TAlphaRun> Row(int y) const
    {
        return {runs_.data() + rowStart_[std::size_t(y)], runs_.data() + rowStart_[std::size_t(y) + 1]};
    }

private:
    std::vector<TAlphaRun> runs_;
    std::vector<uint32_t> rowStart_; // height + 1 entries into runs_
};

// A persistent object with an update count, a change notification and a lock that
// any thread may take.
class TThreadPersistent
{
public:
    TThreadPersistent() = default;
    virtual ~TThreadPersistent() = default;
    TThreadPersistent(const TThreadPersistent&) = delete;
    TThreadPersistent& operator=(const TThreadPersistent&) = delete;

    // Notifies when no update bracket is open.
    virtual void Changed();
    void BeginUpdate();
    // Closes a bracket without notifying; throws EAssertionFailed when none is open.
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // The object's own (recursive) mutex is held between Lock and Unlock; the count of
    // locks held is atomic, so that asking it takes no lock.
    void Lock();
    void Unlock();
    int LockCount() const;

protected:
    // Sends the change notification; called by Changed when no bracket is open.
    virtual void NotifyChange() {}

private:
    std::recursive_mutex lock_;
    std::atomic<int> lockCount_ = 0;
    int updateCount_ = 0;
};

// A two-dimensional map with a size.
class TCustomMap : public TThreadPersistent
{
public:
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Negative values count as 0. Returns whether the size changed; when it did,
    // Changed and then the resize notification follow.
    bool SetSize(int newWidth, int newHeight);
    virtual void Delete() { SetSize(0, 0); }
    virtual bool Empty() const { return width_ == 0 || height_ == 0; }

protected:
    // Reallocates for the new size and stores it (through SetStoredSize).
    virtual void ChangeSize(int newWidth, int newHeight) = 0;
    virtual void Resized() {}
    void SetStoredSize(int width, int height)
    {
        width_ = width;
        height_ = height;
    }

private:
    int width_ = 0;
    int height_ = 0;
};

class TBitmap32;

// A picture at twice the resolution of the bitmaps that refer to it, read the first time
// a view composes on a screen of more than one device pixel per logical pixel, then
// shared by every copy of those bitmaps. On a plain screen it is never read.
class TDetailSource
{
public:
    using TLoader = std::function<std::unique_ptr<TBitmap32>()>;
    explicit TDetailSource(TLoader loader);
    ~TDetailSource();
    TDetailSource(const TDetailSource&) = delete;
    TDetailSource& operator=(const TDetailSource&) = delete;

    // The picture, or null when the loader has none or fails (logged once); safe from any thread.
    const TBitmap32* Picture() const;

private:
    TLoader loader_;
    mutable std::once_flag once_;
    mutable std::unique_ptr<TBitmap32> picture_;
};

// The device-pixel rectangle of a logical one at a whole-number scale; edges saturate at the int32 limits.
TRect ScaleRectSaturated(const TRect& r, int scale);
inline TRect ScaleRect(const TRect& r, int scale)
{
    return scale == 1 ? r : ScaleRectSaturated(r, scale);
}

// A rectangle of 32-bit pixels, rows top to bottom without padding.
class TBitmap32 : public TCustomMap
{
public:
    TBitmap32();
    ~TBitmap32() override;

    // Also forgets the row runs: whoever writes pixels through Bits or Pixel calls Changed
    // afterwards, as the views that show the bitmap need it anyway.
    void Changed() override;
    // The row runs of a picture blended again unchanged, found on its second blend since
    // the last change (a picture blended once is not worth the extra pass); null until then.
    const TAlphaRuns* RunsForBlending() const;
    // The runs as they stand, without counting a blend.
    const TAlphaRuns* KnownRuns() const { return runs_.get(); }

    bool Empty() const override;

    // Copies size, pixels and DrawMode, MasterAlpha, OuterColor, StretchFilter and the detail
    // from src (only the size when src is empty); a null src empties this bitmap. One notification.
    void Assign(const TBitmap32* src);

    // The same picture at twice the resolution, or null. Reading a record drops it; whoever
    // changes the pixels otherwise sets a detail that matches, or none.
    const std::shared_ptr<const TDetailSource>& Detail() const { return detail_; }
    void SetDetail(std::shared_ptr<const TDetailSource> detail) { detail_ = std::move(detail); }
    // The detail's picture when it is exactly twice this bitmap's size, else null.
    const TBitmap32* DetailPicture() const;

    // Every pixel becomes color; an empty bitmap is left alone without notification.
    void Clear(TColor32 color);
    // Fills [x1, x2) x [y1, y2) clipped to ClipRect.
    void FillRect(int x1, int y1, int x2, int y2, TColor32 color);
    // Draws this whole bitmap into dstRect of dst with this bitmap's mode, then dst.Changed().
    void DrawTo(TBitmap32& dst, const TRect& dstRect);
    // The same at (x, y) at this bitmap's own size.
    void DrawTo(TBitmap32& dst, int x, int y);

    TColor32* Bits() { return bits_.get(); }
    const TColor32* Bits() const { return bits_.get(); }
    // Row y; no check, like Pixel.
    TColor32* ScanLine(int y) { return bits_.get() + std::ptrdiff_t(y) * Width(); }
    const TColor32* ScanLine(int y) const { return bits_.get() + std::ptrdiff_t(y) * Width(); }
    TColor32& Pixel(int x, int y) { return bits_[std::ptrdiff_t(y) * Width() + x]; }
    TColor32 Pixel(int x, int y) const { return bits_[std::ptrdiff_t(y) * Width() + x]; }
    // OuterColor outside ClipRect.
    TColor32 PixelS(int x, int y) const;
    // Writes only inside ClipRect.
    void SetPixelS(int x, int y, TColor32 color);

    // A Format_RGB32 image sharing the pixel memory (the alpha byte is not shown);
    // valid until the next size change. A null image while empty.
    QImage Image() const;

    TRect BoundsRect() const { return TRect{0, 0, Width(), Height()}; }
    TRect ClipRect() const { return clipRect_; }
    // Stored intersected with the bounds.
    void SetClipRect(const TRect& rect);

    TDrawMode DrawMode() const { return drawMode_; }
    void SetDrawMode(TDrawMode mode);
    TCombineMode CombineMode() const { return combineMode_; }
    // Always notifies, even with the current value.
    void SetCombineMode(TCombineMode mode);
    int MasterAlpha() const { return masterAlpha_; }
    // 0..255; anything else raises ERangeError.
    void SetMasterAlpha(int alpha);
    TColor32 OuterColor() const { return outerColor_; }
    void SetOuterColor(TColor32 color) { outerColor_ = color; }
    TStretchFilter StretchFilter() const { return stretchFilter_; }
    void SetStretchFilter(TStretchFilter filter);

    // The stored form: int32 width, int32 height (little-endian), then the pixels as
    // bytes B, G, R, A. ReadData throws EReadError on a short or malformed record and
    // notifies in every case.
    void ReadData(const uint8_t* data, std::size_t size);
    // The size a record announces, once its length is found to match; throws EReadError as ReadData.
    static QSize CheckData(const uint8_t* data, std::size_t size);
    std::vector<uint8_t> WriteData() const;
    // The length of the record of a w x h bitmap.
    static std::size_t RecordSize(int width, int height);

    std::function<void(TBitmap32*)> OnChange;
    std::function<void(TBitmap32*)> OnResize;
    std::function<void(TBitmap32*)> OnHandleChanged;
    TPixelCombineEvent OnPixelCombine;

protected:
    void NotifyChange() override;
    void ChangeSize(int newWidth, int newHeight) override;
    void Resized() override;
    void HandleChanged();

private:
    // Rows are 32-byte aligned for the vector blends.
    struct FreePixels
    {
        FreePixels() noexcept : bytes(0) {}
        explicit FreePixels(std::size_t size) noexcept : bytes(size) {}
        std::size_t bytes; // the block's size, so that it can be reused for another of that size
        void operator()(TColor32* p) const;
    };
    std::unique_ptr<TColor32[], FreePixels> bits_;
    TRect clipRect_;
    TDrawMode drawMode_ = dmOpaque;
    TCombineMode combineMode_ = cmBlend;
    int masterAlpha_ = 255;
    TColor32 outerColor_ = 0;
    TStretchFilter stretchFilter_ = sfNearest;
    std::shared_ptr<const TDetailSource> detail_;
    mutable std::unique_ptr<const TAlphaRuns> runs_;
    mutable int blendsSinceChange_ = 0;
};

namespace lirasto {

// Holds a bitmap's lock for a scope, also when drawing raises.
class BitmapLock
{
public:
    explicit BitmapLock(TBitmap32& bitmap) : bitmap_(bitmap) { bitmap_.Lock(); }
    ~BitmapLock() { bitmap_.Unlock(); }
    BitmapLock(const BitmapLock&) = delete;
    BitmapLock& operator=(const BitmapLock&) = delete;

private:
    TBitmap32& bitmap_;
};

} // namespace lirasto

// Draws srcRect of src into dstRect of dst, clipped by dstClip and dst's bounds.
// Throws lirasto::Exception "Destination bitmap is nil or empty", "Source bitmap is
// nil or empty" or "Source rectangle is invalid". Different sizes resample with the
// nearest pixel whatever the filter.
void Transfer(TBitmap32* dst, const TRect& dstRect, const TRect& dstClip, const TBitmap32* src, const TRect& srcRect,
              TStretchFilter filter, TDrawMode combineOp, const TPixelCombineEvent& combineCallBack = {});

// An ordered list of bitmaps, numbered from 0, which it owns.
class TBitmap32List : public QObject
{
    Q_OBJECT

public:
    explicit TBitmap32List(QObject* owner = nullptr);
    ~TBitmap32List() override;

    // Throws EListError "List index out of bounds (%d)" outside 0..Count()-1.
    TBitmap32* Bitmap(int index);
    const TBitmap32* Bitmap(int index) const;
    // Copies src into item index.
    void SetBitmap(int index, const TBitmap32* src);
    int Count() const;
    // Appends an empty item and returns its bitmap.
    TBitmap32* Add();
    // Appends an item read from a bitmap record. The record is checked now (EReadError as
    // TBitmap32::ReadData), its pixels are copied when the item is first asked for: a picture
    // the program never shows costs no memory. The bytes must outlive the list.
    void AddRecord(std::span<const uint8_t> record);
    // Gives item index a detail (see TBitmap32::SetDetail), kept also when the item is read later.
    void SetDetail(int index, std::shared_ptr<const TDetailSource> detail);
    void Clear();

private:
    struct Item
    {
        std::unique_ptr<TBitmap32> bitmap;
        std::span<const uint8_t> record; // still to be read into bitmap
        std::shared_ptr<const TDetailSource> detail;
    };
    std::vector<Item> items_;
};
