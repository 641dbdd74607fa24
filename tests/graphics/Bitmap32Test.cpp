#include "graphics/Bitmap32.h"

#include "core/Errors.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

// The largest pixel store requested, so that a test can tell that a reader did not
// allocate what a damaged record merely claims.
namespace {
std::atomic<std::size_t> largestPixelRequest{0};
}

void* operator new[](std::size_t size, std::align_val_t align, const std::nothrow_t&) noexcept
{
    std::size_t seen = largestPixelRequest.load();
    while (size > seen && !largestPixelRequest.compare_exchange_weak(seen, size)) {
    }
    return std::aligned_alloc(std::size_t(align),
                              (size + std::size_t(align) - 1) / std::size_t(align) * std::size_t(align));
}

void operator delete[](void* p, std::align_val_t) noexcept
{
    std::free(p);
}

namespace {

using lirasto::EAssertionFailed;
using lirasto::EListError;
using lirasto::EReadError;

// Counts the notifications a bitmap sends.
struct Observed
{
    TBitmap32 bitmap;
    int changes = 0;
    int resizes = 0;

    Observed()
    {
        bitmap.OnChange = [this](TBitmap32*) { ++changes; };
        bitmap.OnResize = [this](TBitmap32*) { ++resizes; };
    }
};

template <typename E>
std::string messageOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const E& e) {
        return e.what();
    }
    return "(no error)";
}

// Colours are built and split as 0xAARRGGBB; platform colours always come out opaque,
// and window-system colours 0x00BBGGRR swap red and blue.
TEST(Color32, ConvertsPlatformAndWindowSystemColours)
{
    static_assert(Color32(0x12, 0x34, 0x56, 0x78) == 0x78123456);
    static_assert(RedComponent(0x78123456) == 0x12 && AlphaComponent(0x78123456) == 0x78);
    EXPECT_EQ(Color32(QColor(10, 20, 30, 40)), 0xFF0A141Eu);
    EXPECT_EQ(Color32(QColor(Qt::white)), 0xFFFFFFFFu);
    const std::pair<int32_t, TColor32> rows[] = {
        {0x00FFFFFF, 0xFFFFFFFF},          {0x000000FF, 0xFFFF0000}, {0x00102030, 0xFF302010},
        {int32_t(0xFF00000F), 0xFFF0F0F0}, // the button face colour of the standard palette
        {int32_t(0x80000008), 0xFF000000}, // window text
    };
    for (const auto& [win, expected] : rows)
        EXPECT_EQ(WinColor(win), expected) << std::hex << win;
    EXPECT_THROW(WinColor(int32_t(0xFF0000FF)), lirasto::ERangeError);
}

// Intersections keep the overlap; an empty one is (0, 0, 0, 0).
TEST(Rects, IntersectToTheOverlapOrToZero)
{
    struct Row
    {
        TRect a, b, expected;
    };
    const Row rows[] = {
        {{0, 0, 10, 10}, {5, 5, 20, 20}, {5, 5, 10, 10}}, {{0, 0, 10, 10}, {2, 3, 4, 5}, {2, 3, 4, 5}},
        {{0, 0, 10, 10}, {10, 0, 20, 10}, {0, 0, 0, 0}},  {{0, 0, 10, 10}, {-30, -30, -20, -20}, {0, 0, 0, 0}},
        {{5, 5, 5, 9}, {0, 0, 10, 10}, {0, 0, 0, 0}},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(IntersectRect(r.a, r.b), r.expected);
        EXPECT_EQ(IntersectRect(r.b, r.a), r.expected);
    }
    EXPECT_EQ(IntersectRect(FloatRect(0, 0, 10.5f, 10), FloatRect(10, 2, 30, 5)), FloatRect(10, 2, 10.5f, 5));
    EXPECT_EQ(IntersectRect(FloatRect(0, 0, 1, 1), FloatRect(1, 0, 2, 1)), TFloatRect{});
}

// SetSize reports and notifies only a real change; negative sizes count as 0.
TEST(Bitmap32Size, NotifiesOnlyRealChanges)
{
    Observed o;
    EXPECT_TRUE(o.bitmap.SetSize(4, 3));
    EXPECT_EQ(o.changes, 1);
    EXPECT_EQ(o.resizes, 1);
    EXPECT_EQ(o.bitmap.ClipRect(), MakeRect(0, 0, 4, 3));
    EXPECT_FALSE(o.bitmap.SetSize(4, 3));
    EXPECT_EQ(o.changes, 1);
    EXPECT_EQ(o.resizes, 1);
    EXPECT_TRUE(o.bitmap.SetSize(-3, 10));
    EXPECT_EQ(o.bitmap.Width(), 0);
    EXPECT_EQ(o.bitmap.Height(), 10);
    EXPECT_TRUE(o.bitmap.Empty());
    EXPECT_EQ(o.bitmap.Bits(), nullptr);
    EXPECT_FALSE(o.bitmap.SetSize(0, 10));
    EXPECT_EQ(o.changes, 2);
}

// A size whose storage cannot be had fails with no pixels, size 0 x 0 and no notification.
TEST(Bitmap32Size, FailedAllocationLeavesAnEmptyBitmap)
{
    Observed o;
    int handles = 0;
    o.bitmap.OnHandleChanged = [&](TBitmap32*) { ++handles; };
    o.bitmap.SetSize(2, 2);
    const int changes = o.changes;
    EXPECT_EQ(messageOf<lirasto::Exception>([&] { o.bitmap.SetSize(0x7FFFFFFF, 0x7FFFFFFF); }),
              "Can't allocate the DIB handle");
    EXPECT_EQ(o.bitmap.Width(), 0);
    EXPECT_EQ(o.bitmap.Height(), 0);
    EXPECT_TRUE(o.bitmap.Empty());
    EXPECT_EQ(o.changes, changes);
    EXPECT_EQ(o.resizes, 1);
    EXPECT_EQ(handles, 2);
}

// DrawMode, MasterAlpha and StretchFilter notify only when they change; CombineMode always.
TEST(Bitmap32Setters, NotifyAsEachPropertyRequires)
{
    Observed o;
    struct Row
    {
        const char* what;
        std::function<void(TBitmap32&)> set;
        int notifications;
    };
    const Row rows[] = {
        {"DrawMode unchanged", [](TBitmap32& b) { b.SetDrawMode(dmOpaque); }, 0},
        {"DrawMode changed", [](TBitmap32& b) { b.SetDrawMode(dmBlend); }, 1},
        {"MasterAlpha unchanged", [](TBitmap32& b) { b.SetMasterAlpha(255); }, 0},
        {"MasterAlpha changed", [](TBitmap32& b) { b.SetMasterAlpha(7); }, 1},
        {"StretchFilter unchanged", [](TBitmap32& b) { b.SetStretchFilter(sfNearest); }, 0},
        {"StretchFilter changed", [](TBitmap32& b) { b.SetStretchFilter(sfLinear); }, 1},
        {"CombineMode unchanged", [](TBitmap32& b) { b.SetCombineMode(cmBlend); }, 1},
        {"CombineMode changed", [](TBitmap32& b) { b.SetCombineMode(cmMerge); }, 1},
        {"Clear of an empty bitmap", [](TBitmap32& b) { b.Clear(0xFF000000); }, 0},
        {"FillRect of an empty bitmap", [](TBitmap32& b) { b.FillRect(0, 0, 5, 5, 0); }, 0},
    };
    for (const auto& r : rows) {
        const int before = o.changes;
        r.set(o.bitmap);
        EXPECT_EQ(o.changes - before, r.notifications) << r.what;
    }
    EXPECT_THROW(o.bitmap.SetMasterAlpha(256), lirasto::ERangeError);
    EXPECT_THROW(o.bitmap.SetMasterAlpha(-1), lirasto::ERangeError);
}

// An update bracket holds back notifications: EndUpdate sends nothing, Changed one.
TEST(Bitmap32Updates, BracketSendsOneNotification)
{
    Observed o;
    o.bitmap.BeginUpdate();
    o.bitmap.SetSize(3, 3);
    o.bitmap.Clear(0xFF102030);
    o.bitmap.FillRect(0, 0, 1, 1, 0);
    o.bitmap.EndUpdate();
    EXPECT_EQ(o.changes, 0);
    EXPECT_EQ(o.resizes, 1);
    o.bitmap.Changed();
    EXPECT_EQ(o.changes, 1);
    EXPECT_EQ(messageOf<EAssertionFailed>([&] { o.bitmap.EndUpdate(); }), "Unpaired TThreadPersistent.EndUpdate");
    EXPECT_EQ(o.bitmap.UpdateCount(), 0);
    o.bitmap.Changed();
    EXPECT_EQ(o.changes, 2);
}

// Lock counts go up and down in pairs; leaving an unheld lock is refused.
TEST(Bitmap32Updates, LocksInPairs)
{
    TBitmap32 b;
    b.Lock();
    b.Lock();
    EXPECT_EQ(b.LockCount(), 2);
    b.Unlock();
    b.Unlock();
    EXPECT_EQ(b.LockCount(), 0);
    EXPECT_THROW(b.Unlock(), EAssertionFailed);
}

// Destruction sends no change notification any more, but the final resize is still heard.
TEST(Bitmap32Updates, DestructionOnlyReportsTheResize)
{
    int changes = 0, resizes = 0;
    {
        TBitmap32 b;
        b.SetSize(2, 2);
        b.OnChange = [&](TBitmap32*) { ++changes; };
        b.OnResize = [&](TBitmap32* sender) {
            ++resizes;
            EXPECT_EQ(sender->Width(), 0);
        };
    }
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(resizes, 1);
}

// Assign copies pixels and the drawing properties from a non-empty bitmap (not CombineMode),
// only the size from an empty one, and notifies once.
TEST(Bitmap32Assign, CopiesPropertiesOnlyFromANonEmptySource)
{
    TBitmap32 src;
    src.SetSize(3, 2);
    for (int i = 0; i < 6; ++i)
        src.Bits()[i] = 0x01020304u * uint32_t(i + 1);
    src.SetDrawMode(dmBlend);
    src.SetMasterAlpha(99);
    src.SetOuterColor(0x11223344);
    src.SetStretchFilter(sfLanczos);
    src.SetCombineMode(cmMerge);

    Observed o;
    o.bitmap.Assign(&src);
    EXPECT_EQ(o.changes, 1);
    ASSERT_EQ(o.bitmap.Width(), 3);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(o.bitmap.Bits()[i], src.Bits()[i]);
    EXPECT_EQ(o.bitmap.DrawMode(), dmBlend);
    EXPECT_EQ(o.bitmap.MasterAlpha(), 99);
    EXPECT_EQ(o.bitmap.OuterColor(), 0x11223344u);
    EXPECT_EQ(o.bitmap.StretchFilter(), sfLanczos);
    EXPECT_EQ(o.bitmap.CombineMode(), cmBlend);

    TBitmap32 emptySrc;
    emptySrc.SetSize(0, 7);
    o.bitmap.Assign(&emptySrc);
    EXPECT_EQ(o.changes, 2);
    EXPECT_EQ(o.bitmap.Width(), 0);
    EXPECT_EQ(o.bitmap.Height(), 7);
    EXPECT_EQ(o.bitmap.DrawMode(), dmBlend);
    EXPECT_EQ(o.bitmap.MasterAlpha(), 99);
    EXPECT_EQ(o.bitmap.StretchFilter(), sfLanczos);

    // A stored picture carries the defaults, so a copy of it is opaque at full strength.
    TBitmap32 stored;
    stored.SetSize(1, 1);
    o.bitmap.Assign(&stored);
    EXPECT_EQ(o.bitmap.DrawMode(), dmOpaque);
    EXPECT_EQ(o.bitmap.MasterAlpha(), 255);
    o.bitmap.Assign(nullptr);
    EXPECT_TRUE(o.bitmap.Empty());
    EXPECT_EQ(o.bitmap.Height(), 0);
}

// FillRect fills only the part inside ClipRect; PixelS reads OuterColor outside it.
TEST(Bitmap32Pixels, FillAndReadAreClipped)
{
    Observed o;
    o.bitmap.SetSize(4, 4);
    o.bitmap.Clear(0);
    o.bitmap.SetOuterColor(0xDEADBEEF);
    o.bitmap.SetClipRect(MakeRect(1, 1, 10, 3));
    EXPECT_EQ(o.bitmap.ClipRect(), MakeRect(1, 1, 4, 3));
    const int before = o.changes;
    o.bitmap.FillRect(-5, -5, 3, 100, 0xFF00FF00);
    EXPECT_EQ(o.changes, before + 1);
    const TColor32 expected[4][4] = {
        {0, 0, 0, 0}, {0, 0xFF00FF00, 0xFF00FF00, 0}, {0, 0xFF00FF00, 0xFF00FF00, 0}, {0, 0, 0, 0}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(o.bitmap.Pixel(x, y), expected[y][x]) << x << "," << y;
    EXPECT_EQ(o.bitmap.PixelS(0, 0), 0xDEADBEEFu);
    EXPECT_EQ(o.bitmap.PixelS(1, 1), 0xFF00FF00u);
    EXPECT_EQ(o.bitmap.PixelS(-1, 2), 0xDEADBEEFu);
    o.bitmap.FillRect(5, 5, 9, 9, 1);
    o.bitmap.FillRect(3, 1, 2, 2, 1);
    EXPECT_EQ(o.changes, before + 1);
    o.bitmap.SetSize(5, 5);
    EXPECT_EQ(o.bitmap.ClipRect(), MakeRect(0, 0, 5, 5));
}

// The image shares the pixel memory.
TEST(Bitmap32Pixels, ImageSharesThePixels)
{
    TBitmap32 b;
    EXPECT_TRUE(b.Image().isNull());
    b.SetSize(3, 2);
    b.Clear(0x80123456);
    const QImage image = b.Image();
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.constBits(), reinterpret_cast<const uchar*>(b.Bits()));
    EXPECT_EQ(image.pixel(2, 1), 0xFF123456u);
}

// A source filled with one colour per pixel index: tells which source pixel landed where.
void numberPixels(TBitmap32& b, int w, int h, TColor32 alpha = 0xFF000000)
{
    b.SetSize(w, h);
    for (int i = 0; i < w * h; ++i)
        b.Bits()[i] = alpha | TColor32(i + 1);
}

struct TransferCase
{
    const char* what;
    TRect dstRect, dstClip;
    TRect expectedArea; // where source pixels land; the rest keeps its colour
};

// Transfer draws the part of the destination rectangle inside the clip and the bitmap. Every other
// pixel is a guard: a row that overhangs the left or right edge unclipped would run into the
// rows beside it, so those rows must keep their colour too.
const TransferCase kTransferCases[] = {
    {"whole", {2, 1, 5, 3}, {0, 0, 8, 6}, {2, 1, 5, 3}},
    {"clipped by the clip rectangle", {2, 1, 5, 3}, {3, 0, 8, 2}, {3, 1, 5, 2}},
    {"hanging over the top left", {-1, -1, 2, 1}, {0, 0, 8, 6}, {0, 0, 2, 1}},
    {"hanging over the bottom right", {6, 5, 9, 7}, {0, 0, 100, 100}, {6, 5, 8, 6}},
    {"hanging over the right edge mid-height", {6, 2, 9, 4}, {0, 0, 100, 100}, {6, 2, 8, 4}},
    {"hanging over the left edge mid-height", {-2, 2, 1, 4}, {-10, -10, 100, 100}, {0, 2, 1, 4}},
    {"wholly outside", {20, 20, 23, 22}, {0, 0, 100, 100}, {0, 0, 0, 0}},
    {"clip outside", {2, 1, 5, 3}, {6, 0, 8, 6}, {0, 0, 0, 0}},
};

class Bitmap32Transfer : public testing::TestWithParam<TransferCase>
{};

TEST_P(Bitmap32Transfer, CopiesTheClippedArea)
{
    const auto& c = GetParam();
    TBitmap32 src, dst;
    numberPixels(src, 3, 2);
    dst.SetSize(8, 6);
    dst.Clear(0xFFABCDEF);
    Transfer(&dst, c.dstRect, c.dstClip, &src, src.BoundsRect(), sfNearest, dmOpaque);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= c.expectedArea.Left && x < c.expectedArea.Right && y >= c.expectedArea.Top &&
                                y < c.expectedArea.Bottom;
            const TColor32 expected = inside ? src.Pixel(x - c.dstRect.Left, y - c.dstRect.Top) : 0xFFABCDEF;
            ASSERT_EQ(dst.Pixel(x, y), expected) << c.what << " at " << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Bitmap32Transfer, testing::ValuesIn(kTransferCases),
                         [](const testing::TestParamInfo<TransferCase>& info) {
                             std::string name;
                             for (const char* p = info.param.what; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

// Missing or empty bitmaps and a source rectangle beyond the source are errors; an empty
// source or source rectangle draws nothing.
TEST(Bitmap32TransferErrors, NameWhatIsWrong)
{
    TBitmap32 src, dst, empty;
    numberPixels(src, 3, 2);
    dst.SetSize(4, 4);
    const TRect r = MakeRect(0, 0, 3, 2);
    using lirasto::Exception;
    EXPECT_EQ(messageOf<Exception>([&] { Transfer(nullptr, r, r, &src, r, sfNearest, dmOpaque); }),
              "Destination bitmap is nil or empty");
    EXPECT_EQ(messageOf<Exception>([&] { Transfer(&empty, r, r, &src, r, sfNearest, dmOpaque); }),
              "Destination bitmap is nil or empty");
    EXPECT_EQ(messageOf<Exception>([&] { Transfer(&dst, r, r, nullptr, r, sfNearest, dmOpaque); }),
              "Source bitmap is nil or empty");
    EXPECT_EQ(messageOf<Exception>([&] { Transfer(&dst, r, r, &src, MakeRect(0, 0, 4, 2), sfNearest, dmOpaque); }),
              "Source rectangle is invalid");
    EXPECT_EQ(messageOf<Exception>([&] { Transfer(&dst, r, r, &src, MakeRect(-1, 0, 2, 2), sfNearest, dmOpaque); }),
              "Source rectangle is invalid");
    EXPECT_NO_THROW(Transfer(nullptr, r, r, &empty, r, sfNearest, dmOpaque));
    EXPECT_NO_THROW(Transfer(&dst, r, r, &src, MakeRect(0, 0, 0, 2), sfNearest, dmOpaque));
}

// dmBlend goes through the blend (with master alpha below 255), draws nothing at master
// alpha 0; dmCustom calls the callback, or copies when there is none.
TEST(Bitmap32DrawTo, CombinesByTheSourceDrawMode)
{
    TBitmap32 src, dst;
    src.SetSize(1, 1);
    src.Clear(0x80FF0000);
    dst.SetSize(1, 1);
    int dstChanges = 0;
    dst.OnChange = [&](TBitmap32*) { ++dstChanges; };
    struct Row
    {
        TDrawMode mode;
        int masterAlpha;
        TColor32 expected;
    };
    const Row rows[] = {
        {dmOpaque, 255, 0x80FF0000}, {dmBlend, 255, 0xC0800000},  {dmBlend, 128, 0xDF400000},
        {dmBlend, 0, 0xFF000000},    {dmCustom, 255, 0x80FF0000},
    };
    for (const auto& r : rows) {
        dst.Clear(0xFF000000);
        src.SetDrawMode(r.mode);
        src.SetMasterAlpha(r.masterAlpha);
        const int before = dstChanges;
        src.DrawTo(dst, MakeRect(0, 0, 1, 1));
        EXPECT_EQ(dst.Pixel(0, 0), r.expected) << r.mode << " " << r.masterAlpha;
        EXPECT_EQ(dstChanges, before + 1);
    }
    src.OnPixelCombine = [](TColor32 F, TColor32& B, TColor32 M) { B = F ^ B ^ M; };
    src.SetDrawMode(dmCustom);
    src.SetMasterAlpha(3);
    dst.Clear(0xFF000000);
    src.DrawTo(dst, 0, 0);
    EXPECT_EQ(dst.Pixel(0, 0), 0x7FFF0003u);
}

// Drawing into a rectangle of another size takes the nearest source pixel.
TEST(Bitmap32DrawTo, StretchesWithTheNearestPixel)
{
    TBitmap32 src, dst;
    numberPixels(src, 2, 2);
    dst.SetSize(4, 2);
    src.DrawTo(dst, MakeRect(0, 0, 4, 2));
    const TColor32 expected[] = {1, 1, 2, 2, 3, 3, 4, 4};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(dst.Bits()[i], 0xFF000000 | expected[i]) << i;
}

// A stored record is 8 bytes of size and 4 bytes per pixel, B G R A.
TEST(Bitmap32Record, HasTheDocumentedLength)
{
    EXPECT_EQ(TBitmap32::RecordSize(60, 60), 14408u);
    EXPECT_EQ(TBitmap32::RecordSize(561, 71), 159332u);
    TBitmap32 b;
    b.SetSize(561, 71);
    EXPECT_EQ(b.WriteData().size(), 159332u);
    b.SetSize(0, 5);
    EXPECT_EQ(b.WriteData(), (std::vector<uint8_t>{0, 0, 0, 0, 5, 0, 0, 0}));
    EXPECT_THROW(TBitmap32::RecordSize(-1, 2), lirasto::ERangeError);
}

TEST(Bitmap32Record, RoundTripsSizeAndEveryChannel)
{
    TBitmap32 b;
    b.SetSize(2, 1);
    b.Pixel(0, 0) = 0x91007EFD; // a key highlight pixel: blue 253, green 126, red 0, alpha 145
    b.Pixel(1, 0) = 0x00FFFFFF;
    const auto data = b.WriteData();
    EXPECT_EQ(data, (std::vector<uint8_t>{2, 0, 0, 0, 1, 0, 0, 0, 253, 126, 0, 145, 255, 255, 255, 0}));
    Observed o;
    o.bitmap.ReadData(data.data(), data.size());
    EXPECT_EQ(o.changes, 2);
    EXPECT_EQ(o.bitmap.Width(), 2);
    EXPECT_EQ(o.bitmap.Pixel(0, 0), 0x91007EFDu);
    EXPECT_EQ(o.bitmap.Pixel(1, 0), 0x00FFFFFFu);
    EXPECT_EQ(o.bitmap.WriteData(), data);
}

// Every cut of a record, and trailing bytes, fail with a read error; the bitmap is
// signalled changed all the same.
TEST(Bitmap32Record, RejectsEveryTruncation)
{
    TBitmap32 b;
    b.SetSize(3, 2);
    b.Clear(0x80402010);
    auto data = b.WriteData();
    for (std::size_t length = 0; length < data.size(); ++length) {
        Observed o;
        EXPECT_THROW(o.bitmap.ReadData(data.data(), length), EReadError) << length;
        EXPECT_EQ(o.changes, 1) << length;
    }
    data.push_back(0);
    Observed o;
    EXPECT_THROW(o.bitmap.ReadData(data.data(), data.size()), EReadError);
    EXPECT_EQ(o.changes, 1);
}

// Sizes a record merely claims are refused before anything is allocated.
TEST(Bitmap32Record, RejectsAbsurdSizesWithoutAllocating)
{
    struct Row
    {
        int32_t width, height;
    };
    const Row rows[] = {{40000, 40000}, {0x7FFFFFFF, 0x7FFFFFFF}, {-1, 4}, {4, int32_t(0x80000000)}};
    for (const auto& r : rows) {
        std::vector<uint8_t> data(24, 0);
        for (int i = 0; i < 4; ++i) {
            data[std::size_t(i)] = uint8_t(uint32_t(r.width) >> (8 * i));
            data[std::size_t(4 + i)] = uint8_t(uint32_t(r.height) >> (8 * i));
        }
        Observed o;
        o.bitmap.SetSize(1, 1);
        largestPixelRequest = 0;
        EXPECT_THROW(o.bitmap.ReadData(data.data(), data.size()), EReadError) << r.width << " x " << r.height;
        EXPECT_EQ(largestPixelRequest.load(), 0u);
        EXPECT_EQ(o.bitmap.Width(), 1);
        EXPECT_EQ(o.changes, 2);
    }
}

// A record of zero width gives an empty bitmap that keeps its height.
TEST(Bitmap32Record, ReadsAnEmptyPicture)
{
    const std::vector<uint8_t> data{0, 0, 0, 0, 5, 0, 0, 0};
    TBitmap32 b;
    b.ReadData(data.data(), data.size());
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Height(), 5);
}

// Items are numbered from 0; any other index is a list error naming it.
TEST(Bitmap32List, RefusesIndexesOutsideItsItems)
{
    TBitmap32List list;
    for (int i = 0; i < 8; ++i)
        list.Add()->SetSize(i + 1, 1);
    EXPECT_EQ(list.Count(), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(list.Bitmap(i)->Width(), i + 1);
    EXPECT_EQ(messageOf<EListError>([&] { list.Bitmap(8); }), "List index out of bounds (8)");
    EXPECT_EQ(messageOf<EListError>([&] { list.Bitmap(-1); }), "List index out of bounds (-1)");
    TBitmap32 src;
    src.SetSize(9, 9);
    list.SetBitmap(2, &src);
    EXPECT_EQ(list.Bitmap(2)->Width(), 9);
    EXPECT_NE(list.Bitmap(2), &src);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(list.Bitmap(0), EListError);
}

// An item added from a record is checked at once and read when first asked for: until then the
// record's bytes are not touched (changing them shows in the item), afterwards the item owns its pixels.
TEST(Bitmap32List, ReadsARecordItemWhenFirstAskedFor)
{
    TBitmap32 picture;
    numberPixels(picture, 3, 2);
    std::vector<uint8_t> record = picture.WriteData();
    TBitmap32List list;
    list.AddRecord(record);
    list.Add()->SetSize(1, 1);
    EXPECT_EQ(list.Count(), 2);
    record[8] = 0x42; // the first pixel's blue byte, changed before the item is read
    const TBitmap32* item = list.Bitmap(0);
    ASSERT_EQ(item->Width(), 3);
    ASSERT_EQ(item->Height(), 2);
    EXPECT_EQ(item->Bits()[0], 0xFF000042u);
    for (int i = 1; i < 6; ++i)
        EXPECT_EQ(item->Bits()[i], picture.Bits()[i]) << i;
    record[8] = 0x43; // read once: later changes to the bytes are not the item's
    EXPECT_EQ(list.Bitmap(0)->Bits()[0], 0xFF000042u);
    EXPECT_EQ(list.Bitmap(0), item);
}

// A damaged record is refused when it is added, with the reader's own message, and leaves the list as it was.
TEST(Bitmap32List, RefusesADamagedRecordAtOnce)
{
    TBitmap32 picture;
    numberPixels(picture, 2, 2);
    const std::vector<uint8_t> whole = picture.WriteData();
    const struct
    {
        std::vector<uint8_t> record;
        const char* message;
    } cases[] = {
        {{}, "Bitmap record too short: 0 bytes, 8 needed for its size"},
        {{1, 0, 0, 0}, "Bitmap record too short: 4 bytes, 8 needed for its size"},
        {std::vector<uint8_t>(whole.begin(), whole.end() - 1),
         "Bitmap record of 2 x 2 pixels is truncated: 23 bytes present"},
        {[&] {
             auto r = whole;
             r.push_back(0);
             return r;
         }(),
         "Bitmap record of 2 x 2 pixels has 1 bytes too many"},
        {{0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0}, "Bitmap record has a negative size -1 x 1"},
        {{0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0x7F},
         "Bitmap record of 2147483647 x 2147483647 pixels is truncated: 8 bytes present"},
    };
    for (const auto& c : cases) {
        TBitmap32List list;
        EXPECT_EQ(messageOf<EReadError>([&] { list.AddRecord(c.record); }), c.message);
        EXPECT_EQ(list.Count(), 0);
    }
}

// An item replaced before it was ever read keeps the replacement, not the record.
TEST(Bitmap32List, ReplacingARecordItemDropsTheRecord)
{
    TBitmap32 picture;
    numberPixels(picture, 4, 4);
    const std::vector<uint8_t> record = picture.WriteData();
    TBitmap32List list;
    list.AddRecord(record);
    TBitmap32 replacement;
    replacement.SetSize(2, 3);
    list.SetBitmap(0, &replacement);
    EXPECT_EQ(list.Bitmap(0)->Width(), 2);
    EXPECT_EQ(list.Bitmap(0)->Height(), 3);
    EXPECT_EQ(messageOf<EListError>([&] { list.SetBitmap(1, &replacement); }), "List index out of bounds (1)");
}

// A bitmap drawn onto itself reads its pixels as they were before the drawing.
TEST(Bitmap32TransferSelf, ReadsTheSourceAsItWasBefore)
{
    TBitmap32 b;
    numberPixels(b, 3, 3);
    Transfer(&b, MakeRect(1, 1, 4, 4), b.BoundsRect(), &b, b.BoundsRect(), sfNearest, dmOpaque);
    const TColor32 expected[] = {1, 2, 3, 4, 1, 2, 7, 4, 5};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(b.Bits()[i], 0xFF000000 | expected[i]) << i;
}

// A row splits into blended and opaque pieces around its long transparent stretches;
// stretches shorter than kShortest stay inside the blended piece around them.
TEST(AlphaRuns, SplitRowsByAlpha)
{
    constexpr int L = TAlphaRuns::kShortest;
    struct Stretch
    {
        int length;
        TColor32 colour;
    };
    struct Row
    {
        std::vector<Stretch> stretches;
        std::vector<TAlphaRun> expected;
    };
    const TColor32 clear = 0x00FFFFFF, solid = 0xFF102030, soft = 0x80102030;
    const Row rows[] = {
        {{{3 * L, clear}}, {}},
        {{{L, clear}, {L, solid}, {L, clear}}, {{L, 2 * L, true}}},
        {{{L - 1, clear}, {5, soft}, {L, clear}}, {{0, L + 4, false}}},
        {{{2, soft}, {L - 1, solid}, {1, soft}, {L - 1, clear}, {1, 0x01000000}}, {{0, 2 * L + 2, false}}},
        {{{1, soft}, {L, solid}, {L, clear}, {L, 0xFF000000}},
         {{0, 1, false}, {1, L + 1, true}, {2 * L + 1, 3 * L + 1, true}}},
    };
    for (const auto& row : rows) {
        std::vector<TColor32> pixels;
        for (const auto& s : row.stretches)
            pixels.insert(pixels.end(), std::size_t(s.length), s.colour);
        const TAlphaRuns runs(pixels.data(), int(pixels.size()), 1);
        const auto found = runs.Row(0);
        EXPECT_EQ(std::vector<TAlphaRun>(found.begin(), found.end()), row.expected) << "row of " << pixels.size();
    }
}

// A picture blended again unchanged skips and copies by its runs with the same result as
// blending every pixel, clipped anywhere and with a master alpha; a change is seen at once.
TEST(AlphaRuns, DrawingByRunsMatchesTheRowBlend)
{
    TBitmap32 picture;
    picture.SetSize(150, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 150; ++x)
            picture.Pixel(x, y) = TColor32((x * 7 + y * 40) % 300 < 120 ? 0 : std::min(255, (x * 5 + y) % 400)) << 24 |
                                  TColor32(x * 2654435761u) >> 8;
    picture.Changed();
    picture.SetDrawMode(dmBlend);
    auto draw = [&](const TBitmap32& src, int x, int y, bool byRows) {
        TBitmap32 dst;
        dst.SetSize(140, 8);
        for (int i = 0; i < 140 * 8; ++i)
            dst.Bits()[i] = 0xFF000000 | TColor32(i * 40503u);
        if (!byRows) {
            const_cast<TBitmap32&>(src).DrawTo(dst, x, y);
            return std::vector<TColor32>(dst.Bits(), dst.Bits() + 140 * 8);
        }
        for (int row = std::max(0, y); row < std::min(8, y + src.Height()); ++row)
            for (int col = std::max(0, x); col < std::min(140, x + src.Width()); ++col)
                dst.Pixel(col, row) =
                    src.MasterAlpha() == 255
                        ? BlendReg(src.Pixel(col - x, row - y), dst.Pixel(col, row))
                        : BlendRegEx(src.Pixel(col - x, row - y), dst.Pixel(col, row), src.MasterAlpha());
        return std::vector<TColor32>(dst.Bits(), dst.Bits() + 140 * 8);
    };
    for (int M : {255, 128}) {
        picture.SetMasterAlpha(M);
        draw(picture, 0, 0, false);
        EXPECT_EQ(picture.KnownRuns(), nullptr) << "found on the first blend";
        for (const QPoint at : {QPoint(0, 0), QPoint(-37, 3), QPoint(21, -2), QPoint(-5, 1)}) {
            EXPECT_EQ(draw(picture, at.x(), at.y(), false), draw(picture, at.x(), at.y(), true))
                << M << " at " << at.x();
            EXPECT_NE(picture.KnownRuns(), nullptr);
        }
    }
    picture.SetMasterAlpha(255);
    std::fill(picture.Bits(), picture.Bits() + 150, 0x80FFFFFF);
    picture.Changed();
    EXPECT_EQ(picture.KnownRuns(), nullptr);
    draw(picture, 0, 0, false);
    picture.SetPixelS(149, 5, 0xFFFFFFFF);
    EXPECT_EQ(picture.KnownRuns(), nullptr);
    draw(picture, 0, 0, false);
    EXPECT_EQ(draw(picture, -3, 0, false), draw(picture, -3, 0, true));
}
} // namespace

// A picture's detail (the same picture at twice the resolution) travels with copies and list
// items read later, is dropped by a new record, counts only at exactly twice the size, and a
// loader that fails leaves the plain picture to be shown.
TEST(BitmapDetail, TravelsWithCopiesAndCountsOnlyAtTwiceTheSize)
{
    auto source = [](int w, int h) {
        return std::make_shared<TDetailSource>([w, h]() -> std::unique_ptr<TBitmap32> {
            if (w < 0)
                throw EReadError("bad");
            auto b = std::make_unique<TBitmap32>();
            b->SetSize(w, h);
            return b;
        });
    };
    TBitmap32 plain, copy;
    plain.SetSize(4, 3);
    const std::vector<uint8_t> record = plain.WriteData();
    for (const auto& [detail, counts] :
         {std::pair{source(8, 6), true}, {source(10, 6), false}, {source(-1, 0), false}}) {
        plain.SetDetail(detail);
        copy.Assign(&plain);
        EXPECT_EQ(copy.Detail(), detail);
        EXPECT_EQ(copy.DetailPicture() != nullptr, counts);
    }
    copy.ReadData(record.data(), record.size());
    EXPECT_EQ(copy.Detail(), nullptr);
    TBitmap32List list;
    list.AddRecord(record);
    list.SetDetail(0, source(8, 6));
    EXPECT_NE(list.Bitmap(0)->DetailPicture(), nullptr);
    EXPECT_THROW(list.SetDetail(1, nullptr), EListError);
    EXPECT_EQ(ScaleRect(TRect{-3, 2, 0x7FFFFFF0, 5}, 2), (TRect{-6, 4, 0x7FFFFFFF, 10}));
}
