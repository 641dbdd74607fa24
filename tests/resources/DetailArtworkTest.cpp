// The artwork at twice the resolution: the plain set's geometry with every coordinate
// doubled, and each picture, brought back to the plain size, close to the plain one.
#include "resources/artwork/ArtworkFiles.h"
#include "resources/artwork/ArtworkGeometry.h"
#include "resources/artwork/MusicFont.h"
#include "resources/artwork/Pictures.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

using namespace lirasto::artwork;

namespace {

struct Sets
{
    std::unique_ptr<QGuiApplication> app;
    std::map<std::string, QImage> plain, detail;
};

QImage decode(const ArtworkFile& file)
{
    if (file.name.ends_with(".jpg"))
        return QImage::fromData(file.bytes.data(), int(file.bytes.size()), "JPG")
            .convertToFormat(QImage::Format_ARGB32);
    const auto* p = file.bytes.data();
    auto int32 = [](const uint8_t* q) {
        return int(uint32_t(q[0]) | uint32_t(q[1]) << 8 | uint32_t(q[2]) << 16 | uint32_t(q[3]) << 24);
    };
    QImage image(int32(p), int32(p + 4), QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const uint8_t* q = p + 8 + 4 * (std::size_t(y) * image.width() + x);
            image.setPixel(x, y, qRgba(q[2], q[1], q[0], q[3]));
        }
    return image;
}

const Sets& sets()
{
    static const Sets once = [] {
        Sets s;
        static int argc = 1;
        static char name[] = "DetailArtworkTest";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        s.app = std::make_unique<QGuiApplication>(argc, argv);
        const MusicFont font(MusicFont::defaultPath());
        for (const ArtworkFile& file : artworkFiles(paintArtwork(font, 1)))
            if (file.name.ends_with(".bmp32") || file.name.ends_with(".jpg"))
                s.plain[file.name] = decode(file);
        for (const ArtworkFile& file : detailArtworkFiles(paintArtwork(font, 2)))
            s.detail[file.name] = decode(file);
        return s;
    }();
    return once;
}

const QImage& detail(const std::string& name)
{
    return sets().detail.at(name);
}

bool black(QRgb p)
{
    return qAlpha(p) == 255 && qRed(p) < 40 && qGreen(p) < 40 && qBlue(p) < 40;
}

// Mean, over the picture's pixels, of the largest difference in any channel between the
// plain picture and the detailed one averaged over 2 x 2 blocks; colours weighed by coverage.
double meanDifference(const QImage& plain, const QImage& fine)
{
    double total = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            double sum[4] = {0, 0, 0, 0};
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) {
                    const QRgb p = fine.pixel(2 * x + dx, 2 * y + dy);
                    const double a = qAlpha(p) / 255.0;
                    sum[0] += qRed(p) * a, sum[1] += qGreen(p) * a, sum[2] += qBlue(p) * a, sum[3] += qAlpha(p);
                }
            const QRgb q = plain.pixel(x, y);
            const double a = qAlpha(q) / 255.0;
            const double want[4] = {qRed(q) * a, qGreen(q) * a, qBlue(q) * a, double(qAlpha(q))};
            double worst = 0;
            for (int c = 0; c < 4; ++c)
                worst = std::max(worst, std::abs(sum[c] / 4 - want[c]));
            total += worst;
        }
    return total / (plain.width() * plain.height());
}

} // namespace

// Every picture comes at exactly twice the size of its plain twin, and brought back to the
// plain size it differs from it by little: the same drawing, only finer.
TEST(DetailArtwork, IsTwiceThePlainSizeAndCloseToThePlainPictureAtHalfSize)
{
    ASSERT_EQ(sets().detail.size(), sets().plain.size());
    for (const auto& [name, plain] : sets().plain) {
        const QImage& fine = detail(name);
        ASSERT_EQ(fine.size(), plain.size() * 2) << name;
        // The plain flat and sharp are snapped to whole pixels by a threshold (solid ink at that
        // size); their finer twins keep the true outline, so they differ more at the edges.
        const bool snapped = name == "note_4.bmp32" || name == "note_5.bmp32";
        EXPECT_LT(meanDifference(plain, fine), snapped ? 17.0 : 6.0) << name;
    }
}

// Staff lines are two device rows thick at twice their rows, over twice their columns.
TEST(DetailArtwork, DrawsTheStaffLinesTwoRowsThickAtTwiceTheRows)
{
    const QImage& staff = detail("staff.bmp32");
    for (int row : kStaffLineRows) {
        for (int x = 2 * kStaffLineFirstColumn; x < 2 * (kStaffLineLastColumn + 1); ++x)
            ASSERT_TRUE(black(staff.pixel(x, 2 * row)) && black(staff.pixel(x, 2 * row + 1))) << x << "," << row;
        EXPECT_EQ(staff.pixel(600, 2 * row - 1), 0xFFFFFFFFu) << row;
        EXPECT_EQ(staff.pixel(600, 2 * row + 2), 0xFFFFFFFFu) << row;
        EXPECT_EQ(staff.pixel(2 * kStaffLineFirstColumn - 1, 2 * row), 0xFFFFFFFFu) << row;
    }
}

// The keyboard, drawn along the pixel grid, is its plain picture with every pixel a 2 x 2
// square: key columns, separators and the hit test's rows all fall at twice their place.
TEST(DetailArtwork, DrawsTheKeyboardAndHighlightsAsTheirPlainPixelsDoubled)
{
    std::vector<std::string> names = {"keyboard.bmp32"};
    for (int i = 0; i < kHighlightCount; ++i)
        names.push_back("pianokey_" + std::to_string(i) + ".bmp32");
    for (const std::string& name : names) {
        const QImage& plain = sets().plain.at(name);
        const QImage& fine = detail(name);
        for (int y = 0; y < fine.height(); ++y)
            for (int x = 0; x < fine.width(); ++x)
                ASSERT_EQ(fine.pixel(x, y), plain.pixel(x / 2, y / 2)) << name << " " << x << "," << y;
    }
}

// The notehead's centre lies at twice its plain row (in device pixels, a plain pixel's centre
// c lies at 2c + 0.5), and the head's edge is shaded, not stepped.
TEST(DetailArtwork, PutsTheNoteheadCentreAtTwiceItsRowWithShadedEdges)
{
    for (const auto& [index, centre] : {std::pair{0, kNoteHeadCentreStemUp}, std::pair{2, kNoteHeadCentreStemDown}}) {
        const QImage& note = detail("note_" + std::to_string(index) + ".bmp32");
        const int stem = index == 0 ? 2 * kNoteGlyphWidth - 2 : 0;
        double sum = 0, weight = 0;
        int partial = 0;
        for (int y = 0; y < note.height(); ++y)
            for (int x = 0; x < note.width(); ++x)
                if (x < stem || x > stem + 1) {
                    const int a = qAlpha(note.pixel(x, y));
                    sum += a * y, weight += a;
                    partial += a > 20 && a < 235;
                }
        EXPECT_NEAR(sum / weight, 2 * centre + 0.5, 1.0) << index;
        EXPECT_GT(partial, 12) << index;
    }
}

// Accidentals and clefs keep to their boxes, doubled.
TEST(DetailArtwork, KeepsGlyphInkInsideTheDoubledBoxes)
{
    auto inkBox = [](const QImage& image, QRect area) {
        QRect box;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (qAlpha(image.pixel(x, y)) > 128 && qGray(image.pixel(x, y)) < 128)
                    box |= QRect(x, y, 1, 1);
        return box;
    };
    for (const auto& [name, size] : {std::pair{"note_4.bmp32", QSize(kFlatWidth, kFlatHeight)},
                                     std::pair{"note_5.bmp32", QSize(kSharpWidth, kSharpHeight)}}) {
        const QRect box = inkBox(detail(name), detail(name).rect());
        EXPECT_TRUE(QRect(QPoint(0, 0), size * 2).contains(box)) << name;
        EXPECT_GE(box.height(), 2 * size.height() - 2) << name;
    }
    // The treble clef's ink (off the staff lines) lies in its box doubled, with the plain test's margins.
    const QImage& staff = detail("staff.bmp32");
    const QRect clefBox(QPoint(2 * (kTrebleClefLeft - 2), 2 * (kTrebleClefTop - 4)),
                        QPoint(2 * (kTrebleClefRight + 2) + 1, 2 * (kTrebleClefBottom + 2) + 1));
    int inside = 0, outside = 0;
    for (int y = 0; y < 2 * 150; ++y) {
        if (std::find(kStaffLineRows.begin(), kStaffLineRows.end(), y / 2) != kStaffLineRows.end())
            continue;
        for (int x = 2 * 8; x < 2 * 40; ++x)
            if (qGray(staff.pixel(x, y)) < 128)
                (clefBox.contains(x, y) ? inside : outside)++;
    }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside, 4 * 150);
}
