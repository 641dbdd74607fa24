#include "graphics/Bitmap32.h"

#include "core/Checked.h"
#include "core/Errors.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <new>
#include <optional>

#include <sys/mman.h>
#include <unistd.h>

using lirasto::EAssertionFailed;
using lirasto::EListError;
using lirasto::ERangeError;
using lirasto::EReadError;

namespace {

constexpr std::align_val_t kPixelAlignment{32};

// Maps a large fresh block's pages in one call rather than taking one fault per page at its first
// touch, which costs far more (most of all on a virtual machine). A sized bitmap is as a rule filled
// at once (read, cleared or drawn on), so this maps nothing that would stay untouched. Older kernels
// refuse the request; the pages then come one by one as before.
void prefault(void* block, std::size_t bytes)
{
    if (bytes < 64 * 1024)
        return;
    static const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = (reinterpret_cast<std::uintptr_t>(block) + page - 1) / page * page;
    const auto end = (reinterpret_cast<std::uintptr_t>(block) + bytes) / page * page;
#ifdef MADV_POPULATE_WRITE
    if (end > start)
        madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
#endif
}

// The standard system palette, by index (scroll bar = 0 .. menu bar = 30), as 0x00BBGGRR.
constexpr std::array<uint32_t, 31> kSystemColors = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000, 0x000000, 0xB4B4B4,
    0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969,
    0xE3E3E3, 0x000000, 0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xD77800, 0xF0F0F0};

int32_t readInt32(const uint8_t* p)
{
    return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

void writeInt32(uint8_t* p, int32_t v)
{
    const auto u = uint32_t(v);
    p[0] = uint8_t(u);
    p[1] = uint8_t(u >> 8);
    p[2] = uint8_t(u >> 16);
    p[3] = uint8_t(u >> 24);
}

// Pixel bytes of a w x h bitmap, or nothing when the count does not fit memory sizes.
std::optional<std::size_t> pixelBytes(int64_t width, int64_t height)
{
    std::size_t count = 0, bytes = 0;
    if (__builtin_mul_overflow(std::size_t(width), std::size_t(height), &count) ||
        __builtin_mul_overflow(count, sizeof(TColor32), &bytes) || bytes > std::size_t(PTRDIFF_MAX))
        return std::nullopt;
    return bytes;
}

// Copies a row of another bitmap. Short rows are copied here in 16-byte pieces (fixed-size
// copies the compiler turns into plain moves): a library call costs more than the copy itself
// on the short rows of a layer's picture.
inline void copyRow(const TColor32* src, TColor32* dst, int count)
{
    if (count > 64) {
        std::memcpy(dst, src, std::size_t(count) * sizeof(TColor32));
        return;
    }
    int i = 0;
    for (; i + 4 <= count; i += 4)
        std::memcpy(dst + i, src + i, 4 * sizeof(TColor32));
    for (; i < count; ++i)
        dst[i] = src[i];
}

} // namespace

TFloatRect IntersectRect(const TFloatRect& a, const TFloatRect& b)
{
    TFloatRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                 std::min(a.Bottom, b.Bottom)};
    return r.IsEmpty() ? TFloatRect{} : r;
}

TColor32 Color32(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return ::Color32(uint8_t(rgb.red()), uint8_t(rgb.green()), uint8_t(rgb.blue()), 255);
}

TColor32 WinColor(int32_t winColor)
{
    uint32_t bgr = uint32_t(winColor);
    if (winColor < 0) {
        const uint32_t index = bgr & 0xFF;
        if (index >= kSystemColors.size())
            throw ERangeError("Unknown system colour index " + std::to_string(index));
        bgr = kSystemColors[index];
    }
    return ::Color32(uint8_t(bgr), uint8_t(bgr >> 8), uint8_t(bgr >> 16), 255);
}

TAlphaRuns::TAlphaRuns(const TColor32* bits, int width, int height)
{
    rowStart_.reserve(std::size_t(height) + 1);
    rowStart_.push_back(0);
    enum Kind { transparent, opaque, partial };
    auto kind = [](TColor32 c) { return c < 0x01000000 ? transparent : c >= 0xFF000000 ? opaque : partial; };
    for (int y = 0; y < height; ++y) {
        const TColor32* row = bits + std::ptrdiff_t(y) * width;
        const std::size_t first = runs_.size();
        for (int x = 0; x < width;) {
            const Kind k = kind(row[x]);
            int end = x + 1;
            while (end < width && kind(row[end]) == k)
                ++end;
            const bool longRun = end - x >= kShortest;
            if (k == transparent && longRun) {
                x = end;
                continue;
            }
            const bool isOpaque = k == opaque && longRun;
            // Short stretches join the blended piece before them.
            if (runs_.size() > first && !isOpaque && !runs_.back().Opaque && runs_.back().End == x)
                runs_.back().End = end;
            else
                runs_.push_back({x, end, isOpaque});
            x = end;
        }
        rowStart_.push_back(uint32_t(runs_.size()));
    }
}

void TThreadPersistent::Changed()
{
    if (updateCount_ == 0)
        NotifyChange();
}

void TThreadPersistent::BeginUpdate()
{
    updateCount_ = lirasto::CheckedAdd(updateCount_, 1);
}

void TThreadPersistent::EndUpdate()
{
    if (updateCount_ <= 0)
        throw EAssertionFailed("Unpaired TThreadPersistent.EndUpdate");
    --updateCount_;
}

void TThreadPersistent::Lock()
{
    lock_.lock();
    // Written only by the thread holding the lock, so a plain store does; others may read it.
    lockCount_.store(lockCount_.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
}

void TThreadPersistent::Unlock()
{
    // Leaving a mutex nobody holds would be undefined; refuse instead.
    const int count = lockCount_.load(std::memory_order_relaxed);
    if (count <= 0)
        throw EAssertionFailed("Unpaired TThreadPersistent.Unlock");
    lockCount_.store(count - 1, std::memory_order_relaxed);
    lock_.unlock();
}

int TThreadPersistent::LockCount() const
{
    return lockCount_.load(std::memory_order_relaxed);
}

bool TCustomMap::SetSize(int newWidth, int newHeight)
{
    newWidth = std::max(newWidth, 0);
    newHeight = std::max(newHeight, 0);
    if (newWidth == width_ && newHeight == height_)
        return false;
    ChangeSize(newWidth, newHeight);
    Changed();
    Resized();
    return true;
}

namespace {

// The last few small pixel blocks freed on this thread, handed out again for the same size: a
// layer made and freed for each key press would otherwise ask the allocator for an aligned
// block each time, which costs more than the picture's copy into it.
class RecentPixelBlocks
{
public:
#ifdef __SANITIZE_ADDRESS__
    // Under the address sanitizer every block goes back at once, so that a late use is caught.
    static constexpr std::size_t kLargest = 0;
#else
    static constexpr std::size_t kLargest = 64 * 1024;
#endif

    ~RecentPixelBlocks()
    {
        for (int i = 0; i < count_; ++i)
            ::operator delete[](blocks_[std::size_t(i)].pixels, kPixelAlignment);
        count_ = 0;
        gone_ = true;
    }
    // Set once this thread's blocks are freed at its exit: bitmaps freed later (statics of the
    // main thread) free their pixels directly. A plain flag, so that it outlives the object.
    static thread_local bool gone_;
    void* Take(std::size_t bytes)
    {
        for (int i = 0; i < count_; ++i) {
            if (blocks_[std::size_t(i)].bytes == bytes) {
                void* p = blocks_[std::size_t(i)].pixels;
                blocks_[std::size_t(i)] = blocks_[std::size_t(--count_)];
                blocks_[std::size_t(count_)] = {};
                return p;
            }
        }
        return nullptr;
    }
    // Keeps the block, or frees it (or the oldest kept) when there is no room.
    void Give(void* pixels, std::size_t bytes)
    {
        if (bytes > kLargest || bytes == 0) {
            ::operator delete[](pixels, kPixelAlignment);
            return;
        }
        if (count_ == kKept) {
            ::operator delete[](blocks_[0].pixels, kPixelAlignment);
            std::move(blocks_.begin() + 1, blocks_.end(), blocks_.begin());
            --count_;
        }
        blocks_[std::size_t(count_++)] = {pixels, bytes};
    }

private:
    struct Block
    {
        void* pixels = nullptr;
        std::size_t bytes = 0;
    };
    static constexpr int kKept = 4;
    std::array<Block, kKept> blocks_{};
    int count_ = 0;
};

thread_local bool RecentPixelBlocks::gone_ = false;

RecentPixelBlocks& recentPixelBlocks()
{
    thread_local RecentPixelBlocks blocks;
    return blocks;
}

} // namespace

void TBitmap32::FreePixels::operator()(TColor32* p) const
{
    if (RecentPixelBlocks::gone_)
        ::operator delete[](p, kPixelAlignment);
    else
        recentPixelBlocks().Give(p, bytes);
}

TBitmap32::TBitmap32()
{
    SetCombineMode(cmBlend);
}

TBitmap32::~TBitmap32()
{
    // The bracket is never closed: observers hear nothing more, except OnResize.
    BeginUpdate();
    Lock();
    try {
        SetSize(0, 0);
    } catch (...) {
        // A destructor cannot pass on what a resize observer threw.
    }
    Unlock();
}

bool TBitmap32::Empty() const
{
    return TCustomMap::Empty() || !bits_;
}

void TBitmap32::ChangeSize(int newWidth, int newHeight)
{
    // Size and storage are cleared first, so a failure leaves a consistent empty bitmap.
    bits_.reset();
    SetStoredSize(0, 0);
    clipRect_ = TRect{};
    if (newWidth > 0 && newHeight > 0) {
        const auto bytes = pixelBytes(newWidth, newHeight);
        void* p = bytes && !RecentPixelBlocks::gone_ ? recentPixelBlocks().Take(*bytes) : nullptr;
        if (!p) {
            p = bytes ? ::operator new[](*bytes, kPixelAlignment, std::nothrow) : nullptr;
            if (!p) {
                HandleChanged();
                throw lirasto::Exception("Can't allocate the DIB handle");
            }
            prefault(p, *bytes);
        }
        bits_ = std::unique_ptr<TColor32[], FreePixels>(static_cast<TColor32*>(p), FreePixels{*bytes});
    }
    SetStoredSize(newWidth, newHeight);
    clipRect_ = TRect{0, 0, newWidth, newHeight};
    HandleChanged();
}

void TBitmap32::Changed()
{
    runs_.reset();
    blendsSinceChange_ = 0;
    TCustomMap::Changed();
}

const TAlphaRuns* TBitmap32::RunsForBlending() const
{
    if (!runs_ && !Empty() && ++blendsSinceChange_ >= 2)
        runs_ = std::make_unique<const TAlphaRuns>(Bits(), Width(), Height());
    return runs_.get();
}

void TBitmap32::NotifyChange()
{
    if (OnChange)
        OnChange(this);
}

void TBitmap32::Resized()
{
    if (OnResize)
        OnResize(this);
}

void TBitmap32::HandleChanged()
{
    if (OnHandleChanged)
        OnHandleChanged(this);
}

void TBitmap32::Assign(const TBitmap32* src)
{
    BeginUpdate();
    try {
        if (!src) {
            SetSize(0, 0);
        } else if (src != this) {
            SetSize(src->Width(), src->Height());
            if (!Empty()) {
                std::memcpy(bits_.get(), src->Bits(), std::size_t(Width()) * std::size_t(Height()) * sizeof(TColor32));
                drawMode_ = src->drawMode_;
                masterAlpha_ = src->masterAlpha_;
                outerColor_ = src->outerColor_;
                stretchFilter_ = src->stretchFilter_;
            }
            detail_ = src->detail_;
        }
    } catch (...) {
        EndUpdate();
        Changed();
        throw;
    }
    EndUpdate();
    Changed();
}

const TBitmap32* TBitmap32::DetailPicture() const
{
    if (!detail_ || Empty())
        return nullptr;
    const TBitmap32* picture = detail_->Picture();
    if (!picture || int64_t(picture->Width()) != 2 * int64_t(Width()) ||
        int64_t(picture->Height()) != 2 * int64_t(Height()))
        return nullptr;
    return picture;
}

TDetailSource::TDetailSource(TLoader loader) : loader_(std::move(loader)) {}

TDetailSource::~TDetailSource() = default;

const TBitmap32* TDetailSource::Picture() const
{
    std::call_once(once_, [this] {
        try {
            if (loader_)
                picture_ = loader_();
        } catch (const std::exception& error) {
            // The plain picture, scaled, still shows; a missing detail is no reason to stop.
            qWarning("A picture at twice the resolution could not be read: %s", error.what());
            picture_.reset();
        }
    });
    return picture_.get();
}

TRect ScaleRectSaturated(const TRect& r, int scale)
{
    // Edges beyond what 32 bits hold stop at the limit: they lie far outside any buffer either way.
    auto edge = [scale](int32_t v) {
        return int32_t(std::clamp<int64_t>(int64_t(v) * scale, std::numeric_limits<int32_t>::min(),
                                           std::numeric_limits<int32_t>::max()));
    };
    return TRect{edge(r.Left), edge(r.Top), edge(r.Right), edge(r.Bottom)};
}

void TBitmap32::Clear(TColor32 color)
{
    if (Empty())
        return;
    std::fill_n(bits_.get(), std::size_t(Width()) * std::size_t(Height()), color);
    Changed();
}

void TBitmap32::FillRect(int x1, int y1, int x2, int y2, TColor32 color)
{
    if (x2 <= x1 || y2 <= y1)
        return;
    const TRect r = IntersectRect(TRect{x1, y1, x2, y2}, clipRect_);
    if (r.IsEmpty())
        return;
    for (int y = r.Top; y < r.Bottom; ++y)
        FillLongword(ScanLine(y) + r.Left, int(r.Width()), color);
    Changed();
}

void TBitmap32::DrawTo(TBitmap32& dst, const TRect& dstRect)
{
    if (Empty() || dst.Empty())
        return;
    Transfer(&dst, dstRect, dst.ClipRect(), this, BoundsRect(), stretchFilter_, drawMode_, OnPixelCombine);
    dst.Changed();
}

void TBitmap32::DrawTo(TBitmap32& dst, int x, int y)
{
    const TRect r{x, y, lirasto::CheckedAdd(x, Width()), lirasto::CheckedAdd(y, Height())};
    DrawTo(dst, r);
}

TColor32 TBitmap32::PixelS(int x, int y) const
{
    if (x >= clipRect_.Left && x < clipRect_.Right && y >= clipRect_.Top && y < clipRect_.Bottom)
        return Pixel(x, y);
    return outerColor_;
}

void TBitmap32::SetPixelS(int x, int y, TColor32 color)
{
    if (x >= clipRect_.Left && x < clipRect_.Right && y >= clipRect_.Top && y < clipRect_.Bottom) {
        Pixel(x, y) = color;
        runs_.reset();
        blendsSinceChange_ = 0;
    }
}

QImage TBitmap32::Image() const
{
    if (Empty())
        return QImage();
    return QImage(reinterpret_cast<const uchar*>(bits_.get()), Width(), Height(), qsizetype(Width()) * 4,
                  QImage::Format_RGB32);
}

void TBitmap32::SetClipRect(const TRect& rect)
{
    clipRect_ = IntersectRect(rect, BoundsRect());
}

void TBitmap32::SetDrawMode(TDrawMode mode)
{
    if (mode == drawMode_)
        return;
    drawMode_ = mode;
    Changed();
}

void TBitmap32::SetCombineMode(TCombineMode mode)
{
    combineMode_ = mode;
    Changed();
}

void TBitmap32::SetMasterAlpha(int alpha)
{
    if (alpha < 0 || alpha > 255)
        throw ERangeError("Master alpha " + std::to_string(alpha) + " outside 0..255");
    if (alpha == masterAlpha_)
        return;
    masterAlpha_ = alpha;
    Changed();
}

void TBitmap32::SetStretchFilter(TStretchFilter filter)
{
    if (filter == stretchFilter_)
        return;
    stretchFilter_ = filter;
    Changed();
}

std::size_t TBitmap32::RecordSize(int width, int height)
{
    const auto bytes = width < 0 || height < 0 ? std::nullopt : pixelBytes(width, height);
    if (!bytes || *bytes > SIZE_MAX - 8)
        throw ERangeError("No bitmap record of " + std::to_string(width) + " x " + std::to_string(height) + " pixels");
    return 8 + *bytes;
}

QSize TBitmap32::CheckData(const uint8_t* data, std::size_t size)
{
    if (size < 8 || !data)
        throw EReadError("Bitmap record too short: " + std::to_string(size) + " bytes, 8 needed for its size");
    const int32_t width = readInt32(data);
    const int32_t height = readInt32(data + 4);
    const std::string dims = std::to_string(width) + " x " + std::to_string(height);
    if (width < 0 || height < 0)
        throw EReadError("Bitmap record has a negative size " + dims);
    const auto bytes = pixelBytes(width, height);
    if (!bytes || *bytes > size - 8)
        throw EReadError("Bitmap record of " + dims + " pixels is truncated: " + std::to_string(size) +
                         " bytes present");
    if (*bytes < size - 8)
        throw EReadError("Bitmap record of " + dims + " pixels has " + std::to_string(size - 8 - *bytes) +
                         " bytes too many");
    return {width, height};
}

void TBitmap32::ReadData(const uint8_t* data, std::size_t size)
{
    detail_.reset();
    auto read = [&] {
        // Checked against what is there before anything is allocated.
        const QSize extent = CheckData(data, size);
        SetSize(extent.width(), extent.height());
        if (Empty())
            return;
        const std::size_t bytes = size - 8;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(bits_.get(), data + 8, bytes);
        } else {
            const uint8_t* p = data + 8;
            for (std::size_t i = 0, n = bytes / 4; i < n; ++i, p += 4)
                bits_[i] = uint32_t(readInt32(p));
        }
    };
    // Observers hear of the read whether it succeeds or not; the read's own error is the one passed on.
    try {
        read();
    } catch (...) {
        try {
            Changed();
        } catch (...) {
        }
        throw;
    }
    Changed();
}

std::vector<uint8_t> TBitmap32::WriteData() const
{
    const std::size_t pixels = Empty() ? 0 : std::size_t(Width()) * std::size_t(Height());
    std::vector<uint8_t> out(8 + pixels * 4);
    writeInt32(out.data(), Width());
    writeInt32(out.data() + 4, Height());
    if (pixels == 0) {
        // An empty bitmap with one positive dimension still records both, and no pixels.
        return out;
    }
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out.data() + 8, bits_.get(), pixels * 4);
    } else {
        for (std::size_t i = 0; i < pixels; ++i)
            writeInt32(out.data() + 8 + i * 4, int32_t(bits_[i]));
    }
    return out;
}

void Transfer(TBitmap32* dst, const TRect& dstRect, const TRect& dstClip, const TBitmap32* src, const TRect& srcRect,
              TStretchFilter filter, TDrawMode combineOp, const TPixelCombineEvent& combineCallBack)
{
    if (src && src->Empty())
        return;
    if (!dst || dst->Empty())
        throw lirasto::Exception("Destination bitmap is nil or empty");
    if (!src)
        throw lirasto::Exception("Source bitmap is nil or empty");
    if (srcRect.IsEmpty())
        return;
    if (srcRect.Left < 0 || srcRect.Top < 0 || srcRect.Right > src->Width() || srcRect.Bottom > src->Height())
        throw lirasto::Exception("Source rectangle is invalid");
    const TRect clip = IntersectRect(IntersectRect(dstClip, dst->BoundsRect()), dstRect);
    if (clip.IsEmpty())
        return;
    if (combineOp == dmCustom && !combineCallBack)
        combineOp = dmOpaque;
    if (combineOp == dmBlend && src->MasterAlpha() == 0)
        return;
    // Drawing a bitmap onto itself would read pixels it has already overwritten; a copy
    // of the source keeps the result what it would be from a separate bitmap.
    // (Held by pointer: an empty optional of a bitmap is cleared on every call, a cost that
    // shows on the many small transfers of a partial composition.)
    std::unique_ptr<TBitmap32> sourceCopy;
    if (src == dst) {
        sourceCopy = std::make_unique<TBitmap32>();
        sourceCopy->Assign(src);
        sourceCopy->SetCombineMode(src->CombineMode());
        src = sourceCopy.get();
    }

    const int n = int(clip.Width());
    // The row routine is looked up once per transfer, not once per row.
    const int M = src->MasterAlpha();
    const TBlendLine line = combineOp == dmBlend && M == 255 ? BLEND_LINE[src->CombineMode()] : nullptr;
    const TBlendLineEx lineEx = combineOp == dmBlend && M < 255 ? BLEND_LINE_EX[src->CombineMode()] : nullptr;
    auto combineRow = [&](const TColor32* s, TColor32* d) {
        if (line) {
            line(s, d, n);
        } else if (lineEx) {
            lineEx(s, d, n, M);
        } else if (combineOp == dmOpaque) {
            MoveLongword(s, d, n);
        } else {
            for (int i = 0; i < n; ++i)
                combineCallBack(s[i], d[i], TColor32(M));
        }
    };
    if (dstRect.Width() == srcRect.Width() && dstRect.Height() == srcRect.Height()) {
        const int64_t sx = srcRect.Left + (int64_t(clip.Left) - dstRect.Left);
        const int64_t sy = srcRect.Top + (int64_t(clip.Top) - dstRect.Top);
        // Whole rows of two bitmaps of one width lie end to end: one copy moves them all,
        // as fast as a plain memcpy of the block (a view's background is drawn like this).
        if (combineOp == dmOpaque && sx == 0 && clip.Left == 0 && n == dst->Width() && n == src->Width()) {
            std::memmove(dst->ScanLine(clip.Top), src->ScanLine(int(sy)),
                         std::size_t(n) * std::size_t(clip.Height()) * sizeof(TColor32));
            return;
        }
        // A picture blended again unchanged skips its transparent stretches unread and copies its opaque ones.
        const TAlphaRuns* runs = line || lineEx ? src->RunsForBlending() : nullptr;
        if (!runs && combineOp != dmCustom) {
            // The rows walked by pointer, with nothing reloaded between the calls: a key's picture
            // is a few dozen short rows, where the walk costs as much as the pixels.
            const TColor32* s = src->ScanLine(int(sy)) + sx;
            TColor32* d = dst->ScanLine(clip.Top) + clip.Left;
            const std::ptrdiff_t srcStride = src->Width(), dstStride = dst->Width();
            const int rows = int(clip.Height());
            if (line) {
                for (int y = 0; y < rows; ++y, s += srcStride, d += dstStride)
                    line(s, d, n);
            } else if (lineEx) {
                for (int y = 0; y < rows; ++y, s += srcStride, d += dstStride)
                    lineEx(s, d, n, M);
            } else {
                for (int y = 0; y < rows; ++y, s += srcStride, d += dstStride)
                    copyRow(s, d, n);
            }
            return;
        }
        for (int y = clip.Top; y < clip.Bottom; ++y) {
            const int srcY = int(sy + (y - clip.Top));
            TColor32* d = dst->ScanLine(y) + clip.Left; // source column sx
            if (!runs) {
                combineRow(src->ScanLine(srcY) + sx, d);
                continue;
            }
            const TColor32* s = src->ScanLine(srcY);
            for (const TAlphaRun& run : runs->Row(srcY)) {
                const int begin = int(std::max<int64_t>(run.Begin, sx));
                const int end = int(std::min<int64_t>(run.End, sx + n));
                if (begin >= end)
                    continue;
                TColor32* to = d + (begin - sx);
                if (run.Opaque && line)
                    MoveLongword(s + begin, to, end - begin);
                else if (line)
                    line(s + begin, to, end - begin);
                else
                    lineEx(s + begin, to, end - begin, M);
            }
        }
        return;
    }

    // Another size: every filter takes the nearest source pixel to each destination pixel's centre.
    (void)filter;
    // 128-bit products: a destination span of 2^32 times a source span of 2^31 overflows 64 bits.
    auto nearest = [](int64_t offset, int64_t srcSpan, int64_t dstSpan) {
        return int64_t((__int128(2 * offset + 1) * srcSpan) / (__int128(2) * dstSpan));
    };
    std::vector<TColor32> row(std::size_t(n), 0);
    for (int y = clip.Top; y < clip.Bottom; ++y) {
        const int64_t sy = srcRect.Top + nearest(int64_t(y) - dstRect.Top, srcRect.Height(), dstRect.Height());
        const TColor32* s = src->ScanLine(int(sy));
        for (int i = 0; i < n; ++i) {
            const int64_t sx =
                srcRect.Left + nearest(int64_t(clip.Left) + i - dstRect.Left, srcRect.Width(), dstRect.Width());
            row[std::size_t(i)] = s[sx];
        }
        combineRow(row.data(), dst->ScanLine(y) + clip.Left);
    }
}

TBitmap32List::TBitmap32List(QObject* owner) : QObject(owner) {}

TBitmap32List::~TBitmap32List() = default;

TBitmap32* TBitmap32List::Bitmap(int index)
{
    if (index < 0 || std::size_t(index) >= items_.size())
        throw EListError(lirasto::ListIndexMessage(index));
    Item& item = items_[std::size_t(index)];
    if (!item.record.empty()) {
        // Dropped only once read: an item whose read failed (no memory) is read again when next asked for.
        item.bitmap->ReadData(item.record.data(), item.record.size());
        item.bitmap->SetDetail(item.detail);
        item.record = {};
    }
    return item.bitmap.get();
}

const TBitmap32* TBitmap32List::Bitmap(int index) const
{
    return const_cast<TBitmap32List*>(this)->Bitmap(index);
}

void TBitmap32List::SetBitmap(int index, const TBitmap32* src)
{
    if (index >= 0 && std::size_t(index) < items_.size())
        items_[std::size_t(index)].record = {}; // replaced before it was ever read
    Bitmap(index)->Assign(src);
}

int TBitmap32List::Count() const
{
    return int(items_.size());
}

TBitmap32* TBitmap32List::Add()
{
    items_.push_back({std::make_unique<TBitmap32>(), {}, nullptr});
    return items_.back().bitmap.get();
}

void TBitmap32List::AddRecord(std::span<const uint8_t> record)
{
    TBitmap32::CheckData(record.data(), record.size());
    items_.push_back({std::make_unique<TBitmap32>(), record, nullptr});
}

void TBitmap32List::SetDetail(int index, std::shared_ptr<const TDetailSource> detail)
{
    if (index < 0 || std::size_t(index) >= items_.size())
        throw EListError(lirasto::ListIndexMessage(index));
    Item& item = items_[std::size_t(index)];
    item.detail = detail;
    if (item.record.empty())
        item.bitmap->SetDetail(std::move(detail));
}

void TBitmap32List::Clear()
{
    items_.clear();
}
