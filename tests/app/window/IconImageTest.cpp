#include "app/window/FormLoader.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

void put(std::vector<uint8_t>& out, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A one-picture icon file of the given bits per pixel: colours from `colour(x, y)` stored bottom-up as
// B, G, R rows padded to four bytes, then the mask (a set bit is transparent) from `clear(x, y)`.
template <class Colour, class Clear>
std::vector<uint8_t> iconFile(int width, int height, Colour colour, Clear clear, int bitCount = 24)
{
    const int colourStride = (width * 3 + 3) / 4 * 4;
    const int maskStride = (width + 31) / 32 * 4;
    std::vector<uint8_t> out;
    put(out, 0, 2);
    put(out, 1, 2);
    put(out, 1, 2);
    out.push_back(uint8_t(width));
    out.push_back(uint8_t(height));
    put(out, 0, 2);
    put(out, 1, 2);
    put(out, uint32_t(bitCount), 2);
    put(out, uint32_t(40 + (colourStride + maskStride) * height), 4);
    put(out, 22, 4);
    put(out, 40, 4);
    put(out, uint32_t(width), 4);
    put(out, uint32_t(height * 2), 4);
    put(out, 1, 2);
    put(out, uint32_t(bitCount), 2);
    for (int i = 0; i < 6; ++i)
        put(out, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const QRgb c = colour(x, y);
            out.push_back(uint8_t(qBlue(c)));
            out.push_back(uint8_t(qGreen(c)));
            out.push_back(uint8_t(qRed(c)));
        }
        out.insert(out.end(), std::size_t(colourStride - width * 3), 0);
    }
    for (int y = height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(std::size_t(maskStride), 0);
        for (int x = 0; x < width; ++x)
            if (clear(x, y))
                row[std::size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

QRgb pattern(int x, int y)
{
    return qRgb(x * 7 % 256, y * 13 % 256, (x + y) * 5 % 256);
}

bool diagonalClear(int x, int y)
{
    return (x + y) % 3 == 0;
}

// A 24-bit icon is read upright, each pixel opaque in its stored colour unless its mask bit clears it.
TEST(IconImage, ReadsColoursUprightAndClearsMaskedPixels)
{
    const struct
    {
        int width, height;
    } sizes[] = {{1, 1}, {5, 3}, {31, 2}, {33, 4}, {48, 48}, {255, 7}};
    for (const auto& size : sizes) {
        const QImage image = IconImage(iconFile(size.width, size.height, pattern, diagonalClear));
        ASSERT_EQ(image.size(), QSize(size.width, size.height)) << size.width;
        ASSERT_TRUE(image.hasAlphaChannel());
        for (int y = 0; y < size.height; ++y)
            for (int x = 0; x < size.width; ++x)
                ASSERT_EQ(image.pixel(x, y), diagonalClear(x, y) ? 0u : pattern(x, y))
                    << size.width << "x" << size.height << " at " << x << "," << y;
    }
}

// Qt's own icon reader sees the same colours where the mask leaves pixels opaque.
TEST(IconImage, AgreesWithQtsReaderOnOpaquePixels)
{
    const std::vector<uint8_t> file = iconFile(21, 9, pattern, diagonalClear);
    const QImage ours = IconImage(file);
    const QImage qts = QImage::fromData(file.data(), int(file.size()), "ICO").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(ours.size(), qts.size());
    for (int y = 0; y < ours.height(); ++y)
        for (int x = 0; x < ours.width(); ++x) {
            if (!diagonalClear(x, y)) {
                ASSERT_EQ(ours.pixel(x, y), qts.pixel(x, y)) << x << "," << y;
            }
        }
}

// A damaged file gives a null picture rather than reading past its end.
TEST(IconImage, GivesNullForDamagedFiles)
{
    const std::vector<uint8_t> whole = iconFile(16, 16, pattern, diagonalClear);
    for (const std::size_t length : {std::size_t(0), std::size_t(10), std::size_t(22 + 39), whole.size() - 1}) {
        const std::vector<uint8_t> cut(whole.begin(), whole.begin() + std::ptrdiff_t(length));
        EXPECT_TRUE(IconImage(cut).isNull()) << length;
    }
    std::vector<uint8_t> farOffset = whole;
    farOffset[18] = 0xFF; // the picture's offset points past the end
    EXPECT_TRUE(IconImage(farOffset).isNull());
}

} // namespace
