// The artwork at twice the resolution: the plain set's geometry with every coordinate
// doubled, and each picture, brought back to the plain size, close to the plain one.
#include "resources/artwork/ArtworkFiles.h"
#include "resources/artwork/ArtworkGeometry.h"
#include "resources/artwork/MusicFont.h"
#include "resources/artwork/Pictures.h"

#include <QGuiApplication>
#include <gtest/gtest.h>
#include <memory>

#include <cmath>
#include <map>

using namespace lirasto::artwork;

namespace {

using Set = std::map<std::string, QImage>;

Set decoded(const std::vector<ArtworkFile>& files)
{
    Set set;
    for (const ArtworkFile& f : files) {
        const auto* p = f.Bytes.data();
        if (f.Name.ends_with(".jpg"))
            set[f.Name] = QImage::fromData(p, int(f.Bytes.size())).convertToFormat(QImage::Format_ARGB32);
        if (!f.Name.ends_with(".bmp32"))
            continue;
        // A record's pixels are B, G, R, A: little-endian ARGB32 words after the two sizes.
        const QImage view(p + 8, *reinterpret_cast<const int32_t*>(p), *reinterpret_cast<const int32_t*>(p + 4),
                          QImage::Format_ARGB32);
        set[f.Name] = view.copy();
    }
    return set;
}

// The application the painter needs, gone before the process ends so that the font
// configuration it opened is closed too.
class GuiApplication : public testing::Environment
{
public:
    void SetUp() override
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[18] = "DetailArtworkTest";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};
testing::Environment* const kGuiApplication = testing::AddGlobalTestEnvironment(new GuiApplication);

const std::pair<Set, Set>& sets() // plain, detail
{
    static const std::pair<Set, Set> once = [] {
        const MusicFont font(MusicFont::DefaultPath());
        return std::pair<Set, Set>{decoded(ArtworkFiles(PaintArtwork(font, 1))),
                                   decoded(DetailArtworkFiles(PaintArtwork(font, 2)))};
    }();
    return once;
}

// A channel of a straight-alpha pixel laid over white, so that colour and coverage count together.
double overWhite(QRgb p, int shift)
{
    return (p >> shift & 0xFF) * qAlpha(p) / 255.0 + 255 - qAlpha(p);
}

// The mean absolute difference per channel between the plain picture and the detailed one
// scaled down by two with a box filter.
double meanDifference(const QImage& plain, const QImage& fine)
{
    double total = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            for (int shift : {0, 8, 16}) {
                double box = 0;
                for (int d = 0; d < 4; ++d)
                    box += overWhite(fine.pixel(2 * x + d % 2, 2 * y + d / 2), shift) / 4;
                total += std::abs(box - overWhite(plain.pixel(x, y), shift));
            }
    return total / (3.0 * plain.width() * plain.height());
}

} // namespace

TEST(DetailArtwork, IsTwiceThePlainSizeAndCloseToThePlainPictureAtHalfSize)
{
    const auto& [plain, detail] = sets();
    ASSERT_EQ(detail.size(), plain.size());
    for (const auto& [name, fine] : detail) {
        ASSERT_EQ(fine.size(), plain.at(name).size() * 2) << name;
        // The plain flat and sharp are snapped to whole pixels (solid ink at that size); their
        // finer twins keep the true outline and so differ more at the edges.
        const bool snapped = name == "note_4.bmp32" || name == "note_5.bmp32";
        // The double signs, snapped alike, are mostly edge in a handful of pixels.
        const bool doubleSign = name == "note_10.bmp32" || name == "note_11.bmp32";
        // The octave treble clef tile and the seven-sign signatures are mostly ink edges in a small
        // picture, so their mean difference runs higher for the same fidelity.
        const bool dense =
            name == "key_26.bmp32" || name == "key_31.bmp32" || name == "key_47.bmp32" || name == "key_62.bmp32";
        EXPECT_LT(meanDifference(plain.at(name), fine), doubleSign ? 20.0 : snapped ? 17.0 : dense ? 8.5 : 6.0) << name;
    }
}

// Staff lines two rows thick at twice their rows; the keyboard and its highlights, drawn along
// the pixel grid, their plain pixels doubled, so key columns fall at twice their place.
TEST(DetailArtwork, DoublesTheStaffRowsAndTheKeyColumns)
{
    const auto& [plain, detail] = sets();
    const QImage& staff = detail.at("staff.bmp32");
    for (int row : kStaffLineRows) {
        for (int x = 2 * kStaffLineFirstColumn; x < 2 * (kStaffLineLastColumn + 1); ++x)
            ASSERT_TRUE(staff.pixel(x, 2 * row) == 0xFF000000u && staff.pixel(x, 2 * row + 1) == 0xFF000000u) << x;
        EXPECT_TRUE(staff.pixel(600, 2 * row - 1) == 0xFFFFFFFFu && staff.pixel(600, 2 * row + 2) == 0xFFFFFFFFu);
    }
    for (const std::string name : {"keyboard", "pianokey_0", "pianokey_3", "pianokey_7"}) {
        const QImage &fine = detail.at(name + ".bmp32"), &coarse = plain.at(name + ".bmp32");
        for (int y = 0; y < fine.height(); ++y)
            for (int x = 0; x < fine.width(); ++x)
                ASSERT_EQ(fine.pixel(x, y), coarse.pixel(x / 2, y / 2)) << name << " " << x << "," << y;
    }
}

// The notehead's centre lies at twice its row (a plain pixel's centre c at 2c + 0.5) and its
// edge is shaded, not stepped.
TEST(DetailArtwork, PutsTheNoteheadCentreAtTwiceItsRowWithShadedEdges)
{
    for (const auto& [index, centre] : {std::pair{0, kNoteHeadCentreStemUp}, std::pair{2, kNoteHeadCentreStemDown},
                                        std::pair{12, kNoteHeadCentreStemDown}}) {
        const QImage& note = sets().second.at("note_" + std::to_string(index) + ".bmp32");
        double sum = 0, weight = 0;
        int partial = 0;
        for (int y = 0; y < note.height(); ++y)
            for (int x = 2; x < note.width() - 2; ++x) { // off both stem columns
                const int a = qAlpha(note.pixel(x, y));
                sum += a * y, weight += a, partial += a > 20 && a < 235;
            }
        EXPECT_NEAR(sum / weight, 2 * centre + 0.5, 1.0) << index;
        EXPECT_GT(partial, 12) << index;
    }
}
