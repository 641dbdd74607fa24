#include "controls/SkinUtils.h"
#include "controls/SkinCtrls.h"
#include "core/Errors.h"
#include "tests/controls/JpegFixture.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>

using namespace lirasto::skin;
using lirasto::test::EncodeJpeg;
using lirasto::test::PatternImage;

namespace {

std::span<const uint8_t> bytesOf(const std::vector<uint8_t>& v)
{
    return {v.data(), v.size()};
}

// Replaces the frame size of the first SOF0 marker, so the header announces another picture size.
std::vector<uint8_t> withAnnouncedSize(std::vector<uint8_t> jpeg, int width, int height)
{
    for (std::size_t i = 0; i + 8 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = uint8_t(height >> 8);
            jpeg[i + 6] = uint8_t(height);
            jpeg[i + 7] = uint8_t(width >> 8);
            jpeg[i + 8] = uint8_t(width);
            return jpeg;
        }
    }
    ADD_FAILURE() << "no SOF0 marker";
    return jpeg;
}

std::vector<uint8_t> pictureBlob(const std::string& className, const std::vector<uint8_t>& bytes, int64_t count)
{
    // Built byte by byte: GCC 12 misreads a range insert just after the first push_back as overflowing.
    std::vector<uint8_t> blob{uint8_t(className.size())};
    for (char c : className)
        blob.push_back(uint8_t(c));
    for (int i = 0; i < 4; ++i)
        blob.push_back(uint8_t(uint32_t(count) >> (8 * i)));
    blob.insert(blob.end(), bytes.begin(), bytes.end());
    return blob;
}

} // namespace

// Option sets are 32-bit masks whose bit n is the option with ordinal n; identifiers map both ways.
TEST(SkinOptionSet, MapsIdentifiersToTheirOrdinalBits)
{
    const uint32_t set =
        SetFromNames({"ocPaintWallpaper", "ocNoCaption", "ocPaintTransparently"}, SkinOptionNames(), "TSkinOption");
    EXPECT_EQ(set, (1u << 0) | (1u << 12) | (1u << 20));
    EXPECT_EQ(NamesFromSet(set, SkinOptionNames()),
              QStringList({"ocPaintWallpaper", "ocNoCaption", "ocPaintTransparently"}));
    EXPECT_EQ(SetFromNames({"ebLeft", "ebTop", "ebRight", "ebBottom"}, EdgeBorderNames(), "TEdgeBorder"), 0xFu);
    EXPECT_EQ(SetFromNames({"bpoDrawDefault"}, BtnPaintOptionNames(), "TBtnPaintOption"), 2u);
    EXPECT_EQ(SkinOptionNames().size(), 21);
}

TEST(SkinOptionSet, RejectsAnUnknownIdentifierWithItsName)
{
    try {
        SetFromNames({"ocPaintWallpaper", "ocBogus"}, SkinOptionNames(), "TSkinOption");
        FAIL() << "no error";
    } catch (const lirasto::EConvertError& e) {
        EXPECT_NE(std::string(e.what()).find("ocBogus"), std::string::npos);
    }
    EXPECT_THROW(OrdinalFromName("", ScrollDirectionNames(), "TScrollDirection"), lirasto::EConvertError);
}

// The shadow step moves the text and its highlight copy apart by the shadow size, per position.
struct ShadowRow
{
    TShadowPosition position;
    int size;
    QPoint textOffset;
    QPoint shadowOffset;
};

void PrintTo(const ShadowRow& row, std::ostream* out)
{
    *out << ShadowPositionNames()[row.position].toStdString() << " size " << row.size;
}

class TShadowRects : public testing::TestWithParam<ShadowRow>
{};

TEST_P(TShadowRects, OffsetsTextAndShadowByPosition)
{
    const ShadowRow row = GetParam();
    const QRect r(10, 20, 30, 15);
    QRect text, shadow;
    ShadowRects(r, row.position, row.size, text, shadow);
    EXPECT_EQ(text, r.translated(row.textOffset));
    EXPECT_EQ(shadow, r.translated(row.shadowOffset));
}

INSTANTIATE_TEST_SUITE_P(
    AllPositions, TShadowRects,
    testing::Values(ShadowRow{spLeftTop, 1, {1, 1}, {0, 0}}, ShadowRow{spLeftBottom, 1, {1, 0}, {0, 1}},
                    ShadowRow{spRightBottom, 1, {0, 0}, {1, 1}}, ShadowRow{spRightTop, 1, {0, 1}, {1, 0}},
                    ShadowRow{spLeftTop, 3, {3, 3}, {0, 0}}, ShadowRow{spRightTop, 2, {0, 2}, {2, 0}}));

// A gradient is 129 bands; band i spans i*size/128 to (i+1)*size/128 rounded, coloured start + i*(end-start)/128.
struct BandRow
{
    int size;
    QColor start;
    QColor end;
    int band;
    int from;
    int to;
    QColor color;
};

void PrintTo(const BandRow& row, std::ostream* out)
{
    *out << "size " << row.size << " band " << row.band << " from " << row.start.name().toStdString() << " to "
         << row.end.name().toStdString();
}

class TGradientBands : public testing::TestWithParam<BandRow>
{};

TEST_P(TGradientBands, SpansAndColoursBandsByMulDiv)
{
    const BandRow row = GetParam();
    const auto bands = GradientBands(row.size, row.start, row.end);
    ASSERT_EQ(bands.size(), 129u);
    const GradientBand& band = bands[std::size_t(row.band)];
    EXPECT_EQ(band.From, row.from);
    EXPECT_EQ(band.To, row.to);
    EXPECT_EQ(band.Color, row.color);
}

INSTANTIATE_TEST_SUITE_P(
    Figures, TGradientBands,
    testing::Values(BandRow{256, QColor(0, 0, 0), QColor(128, 255, 64), 0, 0, 2, QColor(0, 0, 0)},
                    BandRow{256, QColor(0, 0, 0), QColor(128, 255, 64), 1, 2, 4, QColor(1, 1, 0)},
                    BandRow{256, QColor(0, 0, 0), QColor(128, 255, 64), 128, 256, 258, QColor(128, 255, 64)},
                    BandRow{100, QColor(0, 0, 0), QColor(0, 0, 0), 0, 0, 1, QColor(0, 0, 0)},
                    BandRow{100, QColor(0, 0, 0), QColor(0, 0, 0), 16, 13, 13, QColor(0, 0, 0)}, // 12.5 rounds up
                    BandRow{100, QColor(0, 0, 0), QColor(0, 0, 0), 64, 50, 51, QColor(0, 0, 0)},
                    BandRow{75, QColor(255, 255, 255), QColor(0, 0, 0), 1, 1, 1, QColor(254, 254, 254)},
                    BandRow{75, QColor(255, 255, 255), QColor(0, 0, 0), 64, 38, 38, QColor(128, 128, 128)}));

// Copies of the wallpaper start at the control's own top-left and are clipped to the area.
TEST(WallpaperTiling, RepeatsThePictureFromTheOrigin)
{
    const QImage wallpaper = PatternImage(37, 23);
    QImage target(100, 60, QImage::Format_RGB32);
    target.fill(Qt::black);
    {
        QPainter painter(&target);
        TileWallpaper(painter, target.rect(), wallpaper, false);
    }
    for (int y = 0; y < target.height(); ++y) {
        for (int x = 0; x < target.width(); ++x)
            ASSERT_EQ(target.pixel(x, y), wallpaper.pixel(x % 37, y % 23)) << x << "," << y;
    }
}

// The grid stays anchored at the origin wherever it lies, also right of or below the area's corner.
TEST(WallpaperTiling, ShiftedOriginAndPartialAreaKeepTheGrid)
{
    const QImage wallpaper = PatternImage(37, 23);
    const auto wrap = [](int v, int n) { return ((v % n) + n) % n; };
    for (const auto& [area, origin] :
         {std::pair{QRect(10, 5, 60, 40), QPoint(-5, -7)}, std::pair{QRect(0, 0, 60, 40), QPoint(5, 3)},
          std::pair{QRect(0, 0, 60, 40), QPoint(74, 46)}}) {
        QImage target(90, 50, QImage::Format_RGB32);
        target.fill(Qt::black);
        QPainter painter(&target);
        TileWallpaper(painter, area, wallpaper, false, origin);
        painter.end();
        for (int y = 0; y < target.height(); ++y) {
            for (int x = 0; x < target.width(); ++x) {
                const QRgb expected = area.contains(x, y)
                                          ? wallpaper.pixel(wrap(x - origin.x(), 37), wrap(y - origin.y(), 23))
                                          : qRgb(0, 0, 0);
                ASSERT_EQ(target.pixel(x, y), expected)
                    << "origin " << origin.x() << "," << origin.y() << " at " << x << "," << y;
            }
        }
    }
}

TEST(WallpaperTiling, StretchedPictureFillsTheAreaOnce)
{
    QImage wallpaper(2, 2, QImage::Format_RGB32);
    wallpaper.setPixel(0, 0, qRgb(255, 0, 0));
    wallpaper.setPixel(1, 0, qRgb(0, 255, 0));
    wallpaper.setPixel(0, 1, qRgb(0, 0, 255));
    wallpaper.setPixel(1, 1, qRgb(255, 255, 0));
    QImage target(40, 20, QImage::Format_RGB32);
    {
        QPainter painter(&target);
        TileWallpaper(painter, target.rect(), wallpaper, true);
    }
    EXPECT_EQ(target.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(39, 0), qRgb(0, 255, 0));
    EXPECT_EQ(target.pixel(0, 19), qRgb(0, 0, 255));
    EXPECT_EQ(target.pixel(39, 19), qRgb(255, 255, 0));
}

// The store's picture wins when usable, then the control's own, then none.
TEST(WallpaperSelection, FallsBackFromStoreToOwnPictureToNone)
{
    const QImage store = PatternImage(4, 4);
    const QImage own = PatternImage(3, 3);
    const QImage none;
    EXPECT_EQ(SelectWallpaper(&store, own), &store);
    EXPECT_EQ(SelectWallpaper(nullptr, own), &own);
    EXPECT_EQ(SelectWallpaper(&none, own), &own);
    EXPECT_EQ(SelectWallpaper(nullptr, none), nullptr);
}

// Edge borders: two-pixel lines one pixel inside each edge, then the pen's lines for the chosen sides.
TEST(EdgeBorders, DrawsTwoPixelFrameThenPenSides)
{
    QImage target(12, 9, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        DrawEdgeBorders(painter, target.rect(), Qt::black, 1u << ebTop, QPen(Qt::red, 1));
    }
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 12; ++x) {
            const bool frame = x < 2 || x >= 10 || y < 2 || y >= 7;
            QRgb expected = frame ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
            if (y == 1)
                expected = qRgb(255, 0, 0);
            ASSERT_EQ(target.pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST(EdgeBorders, NoColourAndNoSidesDrawNothing)
{
    QImage target(6, 6, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        DrawEdgeBorders(painter, target.rect(), QColor(), 0, QPen(Qt::black, 1));
    }
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(target.pixel(x, y), qRgb(255, 255, 255));
    }
}

// The JPEG decoder turns a good file into its picture and anything damaged into "no bitmap".
TEST(JpegDecoding, DecodesAGoodFileToItsSizeAndColours)
{
    QImage source(32, 24, QImage::Format_RGB32);
    const QRgb quadrants[4] = {qRgb(220, 30, 30), qRgb(30, 200, 40), qRgb(20, 40, 230), qRgb(250, 250, 250)};
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 32; ++x)
            source.setPixel(x, y, quadrants[(x / 16) + 2 * (y / 12)]);
    }
    const QImage decoded = DecodeJpeg(bytesOf(EncodeJpeg(source, 95)));
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.size(), QSize(32, 24));
    EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
    for (QPoint p : {QPoint(6, 5), QPoint(25, 5), QPoint(6, 18), QPoint(25, 18)}) {
        const QRgb a = source.pixel(p);
        const QRgb b = decoded.pixel(p);
        EXPECT_LE(std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)), 30)
            << p.x() << "," << p.y();
        EXPECT_EQ(qAlpha(b), 255);
    }
}

struct BadJpegRow
{
    const char* name;
    std::function<std::vector<uint8_t>()> bytes;
};

class BadJpeg : public testing::TestWithParam<BadJpegRow>
{};

TEST_P(BadJpeg, GivesNoBitmap)
{
    const std::vector<uint8_t> bytes = GetParam().bytes();
    EXPECT_TRUE(DecodeJpeg(bytesOf(bytes)).isNull());
}

INSTANTIATE_TEST_SUITE_P(
    DamagedFiles, BadJpeg,
    testing::Values(
        BadJpegRow{"ZeroLength", [] { return std::vector<uint8_t>(); }},
        BadJpegRow{"Garbage",
                   [] {
                       std::mt19937 random(7);
                       std::vector<uint8_t> bytes(4096);
                       for (auto& b : bytes)
                           b = uint8_t(random());
                       return bytes;
                   }},
        BadJpegRow{"SignatureOnly",
                   [] {
                       return std::vector<uint8_t>{0xFF, 0xD8};
                   }},
        BadJpegRow{"TruncatedHalfway",
                   [] {
                       auto bytes = EncodeJpeg(PatternImage(64, 64));
                       bytes.resize(bytes.size() / 2);
                       return bytes;
                   }},
        BadJpegRow{"TruncatedInHeader",
                   [] {
                       auto bytes = EncodeJpeg(PatternImage(64, 64));
                       bytes.resize(100);
                       return bytes;
                   }},
        BadJpegRow{"Announces65535Square",
                   [] { return withAnnouncedSize(EncodeJpeg(PatternImage(16, 16)), 65535, 65535); }},
        BadJpegRow{"AnnouncesWiderThanTheSideLimit",
                   [] { return withAnnouncedSize(EncodeJpeg(PatternImage(16, 16)), kMaxJpegSide + 1, 16); }},
        BadJpegRow{"AnnouncesMorePixelsThanTheLimit",
                   [] { return withAnnouncedSize(EncodeJpeg(PatternImage(16, 16)), kMaxJpegSide, 2049); }},
        BadJpegRow{"TruncatedBehindALargeAnnouncedPicture",
                   [] { return withAnnouncedSize(EncodeJpeg(PatternImage(16, 16)), 4000, 4000); }},
        BadJpegRow{"AnnouncesZeroWidth", [] { return withAnnouncedSize(EncodeJpeg(PatternImage(16, 16)), 0, 16); }}),
    [](const testing::TestParamInfo<BadJpegRow>& info) { return std::string(info.param.name); });

// The "Picture.Data" blob is a class name, a byte count and exactly that many bytes.
TEST(PictureData, ParsesClassNameAndBytes)
{
    const std::vector<uint8_t> jpeg = {1, 2, 3, 4, 5};
    const PictureData picture = ParsePictureData(bytesOf(pictureBlob("TJPEGImage", jpeg, 5)));
    EXPECT_EQ(picture.ClassName, "TJPEGImage");
    EXPECT_EQ(picture.Bytes, jpeg);
}

struct BadBlobRow
{
    const char* name;
    std::vector<uint8_t> blob;
};

class BadPictureData : public testing::TestWithParam<BadBlobRow>
{};

TEST_P(BadPictureData, RaisesReadError)
{
    EXPECT_THROW(ParsePictureData(bytesOf(GetParam().blob)), lirasto::EReadError);
}

INSTANTIATE_TEST_SUITE_P(Malformed, BadPictureData,
                         testing::Values(BadBlobRow{"Empty", {}}, BadBlobRow{"NameLongerThanBlob", {10, 'T', 'J'}},
                                         BadBlobRow{"CountMissing", {1, 'T', 0, 0}},
                                         BadBlobRow{"CountBeyondBytes", pictureBlob("TJPEGImage", {1, 2, 3}, 4)},
                                         BadBlobRow{"CountShortOfBytes", pictureBlob("TJPEGImage", {1, 2, 3}, 2)},
                                         BadBlobRow{"CountNegative", pictureBlob("TJPEGImage", {1, 2, 3}, -1)}),
                         [](const testing::TestParamInfo<BadBlobRow>& info) { return std::string(info.param.name); });

// The store decodes each picture once, keeps undecodable ones without a bitmap, and tells its links.
TEST(SkinImagesStore, DecodesPicturesAndKeepsBadOnesWithoutBitmap)
{
    TSkinImages store;
    const auto good = EncodeJpeg(PatternImage(8, 6));
    EXPECT_EQ(store.AddPicture("TJPEGImage", bytesOf(good)), 0);
    EXPECT_EQ(store.AddPictureData(bytesOf(pictureBlob("TJPEGImage", {1, 2, 3}, 3))), 1);
    EXPECT_EQ(store.AddPicture("TMetafile", bytesOf(good)), 2);
    ASSERT_EQ(store.Count(), 3);
    ASSERT_NE(store.ItemBitmap(0), nullptr);
    EXPECT_EQ(store.ItemBitmap(0)->size(), QSize(8, 6));
    EXPECT_EQ(store.ItemBitmap(1), nullptr);
    EXPECT_EQ(store.ItemBitmap(2), nullptr);
    EXPECT_EQ(store.Item(1).bytes, std::vector<uint8_t>({1, 2, 3}));
    EXPECT_THROW(store.ItemBitmap(3), lirasto::EListError);
    EXPECT_THROW(store.ItemBitmap(-1), lirasto::EListError);
    EXPECT_THROW(store.AddPictureData(bytesOf(pictureBlob("TJPEGImage", {1}, 9))), lirasto::EReadError);
    EXPECT_EQ(store.Count(), 3);
}

// Pictures decode on a worker while the store goes on: growing, replacing or clearing it meanwhile
// gives every item the bitmap of its own latest picture.
TEST(SkinImagesStore, KeepsEachItemsBitmapWhileDecodingGoesOn)
{
    const struct
    {
        int width, height;
    } sizes[] = {{640, 480}, {3, 2}, {97, 41}, {1, 1}, {320, 17}};
    TSkinImages store;
    for (const auto& size : sizes)
        store.AddPicture("TJPEGImage", bytesOf(EncodeJpeg(PatternImage(size.width, size.height))));
    store.SetPicture(0, "TJPEGImage", bytesOf(EncodeJpeg(PatternImage(5, 7))));
    store.SetPicture(4, "TMetafile", bytesOf(EncodeJpeg(PatternImage(9, 9))));
    ASSERT_EQ(store.Count(), 5);
    EXPECT_EQ(store.ItemBitmap(0)->size(), QSize(5, 7));
    for (int i = 1; i < 4; ++i) {
        ASSERT_NE(store.ItemBitmap(i), nullptr) << i;
        EXPECT_EQ(store.ItemBitmap(i)->size(), QSize(sizes[i].width, sizes[i].height)) << i;
        EXPECT_EQ(store.Item(i).bitmap.size(), store.ItemBitmap(i)->size()) << i;
    }
    EXPECT_EQ(store.ItemBitmap(4), nullptr);

    // Cleared and destroyed with decodings still running.
    store.AddPicture("TJPEGImage", bytesOf(EncodeJpeg(PatternImage(800, 600))));
    store.Clear();
    EXPECT_EQ(store.Count(), 0);
    auto gone = std::make_unique<TSkinImages>();
    gone->AddPicture("TJPEGImage", bytesOf(EncodeJpeg(PatternImage(800, 600))));
    gone.reset();
}

TEST(SkinImagesStore, CallsEveryLinkOnChangeAndOnDestruction)
{
    int changes = 0;
    int gone = 0;
    TSkinChangeLink first, second;
    first.OnChange = second.OnChange = [&] { ++changes; };
    first.OnStoreDestroyed = second.OnStoreDestroyed = [&] { ++gone; };
    {
        TSkinImages store;
        store.RegisterChanges(&first);
        store.RegisterChanges(&second);
        store.RegisterChanges(&second);
        store.AddPicture("TJPEGImage", {});
        EXPECT_EQ(changes, 2);
        store.UnRegisterChanges(&first);
        store.Change();
        EXPECT_EQ(changes, 3);
    }
    EXPECT_EQ(gone, 1);
}
