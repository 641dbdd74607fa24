#include "core/Errors.h"
#include "resources/artwork/ArtworkFiles.h"
#include "resources/artwork/ArtworkGeometry.h"
#include "resources/artwork/MusicFont.h"
#include "resources/artwork/Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

using namespace lirasto::artwork;

namespace {

// The staff and the keyboard as the game shows them, for judging the pictures by eye.
QImage montage(const Artwork& art, int scale)
{
    QImage image(kStaffWidth * scale, (kStaffHeight + 20 + kKeyboardHeight) * scale, QImage::Format_ARGB32);
    image.fill(Qt::lightGray);
    QPainter p(&image);
    // Placed in picture pixels, as the game places its layers.
    auto place = [&p, scale](int x, int y, const QImage& picture) { p.drawImage(x * scale, y * scale, picture); };
    place(0, 0, art.Staff);
    place(kKeyTileLeft, kTrebleKeyTileTop, art.KeySignatures[2 * 10]);
    place(kKeyTileLeft, kBassKeyTileTop, art.KeySignatures[2 * 10 + 1]);
    place(125, 0, art.EvaluationMarks[0]);
    // Treble E flat 6 (offset -15) stems down on its third ledger line; the layout puts the
    // note at offset + 60, a flat at offset + 53 and three ledger lines at 40.
    place(125, -15 + 60, art.Notes[2]);
    place(117, -15 + 53, art.Notes[4]);
    place(121, 40, art.Notes[9]);
    // Bass C2 (offset 175) stems up with a natural and two ledger lines at 220.
    place(200, 175 + 30, art.Notes[0]);
    place(192, 175 + 55, art.Notes[6]);
    place(196, 220, art.Notes[8]);
    // Treble F sharp 4 (offset 50) stems up.
    place(260, 50 + 30, art.Notes[0]);
    place(252, 50 + 53, art.Notes[5]);
    // Bass B flat 2 (offset 145) stems down.
    place(300, 145 + 60, art.Notes[2]);
    place(292, 145 + 53, art.Notes[4]);
    place(330, 0, art.EvaluationMarks[1]);
    place(360, 0, art.EvaluationMarks[2]);
    place(390, 0, art.EvaluationMarks[3]);
    const int top = kStaffHeight + 20;
    place(0, top, art.Keyboard);
    place(140 + 11, top, art.KeyHighlights[0]);
    place(140 + 41, top, art.KeyHighlights[3]);
    place(280 + 81, top, art.KeyHighlights[5]);
    place(420 + 121, top, art.KeyHighlights[7]);
    place(0, top, art.KeyHighlights[1]);
    return image;
}

void writeReview(const Artwork& art, const QString& directory, int scale)
{
    QDir().mkpath(directory);
    auto save = [&](const QImage& image, const QString& name) { image.save(directory + "/" + name + ".png"); };
    save(art.Keyboard, "keyboard");
    save(art.Staff, "staff");
    save(art.Logo, "logo");
    save(art.Wallpaper, "wallpaper");
    if (!art.Icon.isNull())
        save(art.Icon, "icon");
    save(montage(art, scale), "montage");
    auto sheet = [&](const std::vector<QImage>& items, const QString& name, int zoom) {
        int width = 0, height = 0;
        for (const QImage& item : items) {
            width += item.width() + 4;
            height = std::max(height, item.height());
        }
        QImage image(width * zoom, height * zoom, QImage::Format_ARGB32);
        image.fill(QColor(200, 230, 200));
        QPainter p(&image);
        int x = 0;
        for (const QImage& item : items) {
            p.drawImage(QRect(x * zoom, 0, item.width() * zoom, item.height() * zoom), item);
            x += item.width() + 4;
        }
        p.end();
        save(image, name);
    };
    sheet(art.KeySignatures, "keys", 2);
    sheet(art.KeyHighlights, "highlights", 4);
    sheet(art.ScaleDegrees, "degrees", 2);
    sheet(art.Notes, "notes", 8);
    sheet(art.EvaluationMarks, "marks", 8);
}

} // namespace

int main(int argc, char** argv)
{
    // Painting needs no screen; the painter runs during the build.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2 && !(argc == 4 && std::strcmp(argv[2], "--review") == 0)) {
        std::fprintf(stderr, "usage: lirasto_artwork <output directory> [--review <png directory>]\n");
        return 2;
    }
    try {
        const QString fontPath = MusicFont::DefaultPath();
        if (fontPath.isEmpty())
            throw lirasto::Exception("No music font found (the lilypond-fonts package provides it)");
        const MusicFont font(fontPath);
        const Artwork art = PaintArtwork(font);
        const std::vector<ArtworkFile> files = ArtworkFiles(art);
        const std::filesystem::path out(argv[1]);
        WriteArtworkFiles(files, out);
        // The same pictures at twice the resolution, for screens of twice the density: the
        // build packs them as a compressed resource beside the design.
        const Artwork detail = PaintArtwork(font, 2);
        const std::vector<ArtworkFile> detailFiles = DetailArtworkFiles(detail);
        const std::string qrc = ResourceCollection(detailFiles, "/artwork@2x");
        WriteArtworkFiles(detailFiles, out / "2x");
        WriteArtworkFiles({{"artwork2x.qrc", std::vector<uint8_t>(qrc.begin(), qrc.end())}}, out / "2x");
        std::ofstream manifest(out / "manifest.txt", std::ios::trunc);
        for (const ArtworkFile& file : files)
            manifest << file.Name << ' ' << file.Bytes.size() << '\n';
        if (!manifest)
            throw lirasto::Exception("Cannot write the artwork manifest");
        if (argc == 4) {
            writeReview(art, QString::fromLocal8Bit(argv[3]), 1);
            writeReview(detail, QString::fromLocal8Bit(argv[3]) + "/2x", 2);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lirasto_artwork: %s\n", error.what());
        return 1;
    }
    return 0;
}
