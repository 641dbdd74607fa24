#include "StaffFixture.h"

#include <cstring>
#include <memory>

#ifdef LIRASTO_HAVE_ARTWORK
#include "resources/artwork/MusicFont.h"
#include "resources/artwork/Pictures.h"
#include <QImage>
#endif

namespace {

#ifndef LIRASTO_HAVE_ARTWORK
struct PictureSizes
{
    int width;
    int height;
};

// Sizes of the program's pictures, for the plain stand-ins.
const PictureSizes kNoteSizes[] = {{12, 40}, {12, 40}, {12, 40}, {12, 40}, {5, 18}, {6, 18}, {4, 19},
                                   {20, 20}, {20, 30}, {20, 40}, {7, 7},   {9, 18}, {12, 10}};
// The twelve keys' tiles, then the clef tiles and the other signatures.
constexpr int kKeyListCount = 63;
const PictureSizes kMarkSizes[] = {{14, 29}, {19, 19}, {19, 19}, {23, 17}};

void fillPlain(TBitmap32* bitmap, int width, int height, TColor32 colour)
{
    bitmap->SetSize(width, height);
    bitmap->Clear(colour);
}
#endif

#ifdef LIRASTO_HAVE_ARTWORK
void copyImage(TBitmap32* bitmap, const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    bitmap->SetSize(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(bitmap->ScanLine(y), image.constScanLine(y), std::size_t(image.width()) * 4);
    bitmap->Changed();
}

// Painting the artwork takes a while, so it is done once for the whole run at each scale.
struct PaintedArtwork
{
    QImage staff;
    std::vector<QImage> keys, notes, marks;
};

PaintedArtwork paintArtwork(int scale)
{
    using namespace lirasto::artwork;
    const MusicFont font(MusicFont::DefaultPath());
    PaintedArtwork art;
    art.staff = PaintStaff(font, scale);
    art.keys = PaintKeyList(font, scale);
    art.notes = PaintNoteList(font, scale);
    for (int i = 0; i < 4; ++i)
        art.marks.push_back(PaintEvaluationMark(i, scale));
    return art;
}

const PaintedArtwork& artwork(int scale = 1)
{
    static const PaintedArtwork plain = paintArtwork(1);
    if (scale == 1)
        return plain;
    static const PaintedArtwork fine = paintArtwork(2);
    return fine;
}

std::shared_ptr<const TDetailSource> detailOf(const QImage& picture)
{
    return std::make_shared<TDetailSource>([picture] {
        auto bitmap = std::make_unique<TBitmap32>();
        copyImage(bitmap.get(), picture);
        return bitmap;
    });
}

void addListDetails(TBitmap32List& list, const std::vector<QImage>& pictures)
{
    for (int i = 0; i < int(pictures.size()); ++i)
        list.SetDetail(i, detailOf(pictures[std::size_t(i)]));
}
#endif

} // namespace

bool StaffFixture::HasArtwork()
{
#ifdef LIRASTO_HAVE_ARTWORK
    return true;
#else
    return false;
#endif
}

void StaffFixture::AddDetails()
{
#ifdef LIRASTO_HAVE_ARTWORK
    const PaintedArtwork& fine = artwork(2);
    view.Bitmap()->SetDetail(detailOf(fine.staff));
    addListDetails(keyList, fine.keys);
    addListDetails(noteList, fine.notes);
    addListDetails(markList, fine.marks);
#endif
}

StaffFixture::StaffFixture()
{
    view.resize(575, 289);
#ifdef LIRASTO_HAVE_ARTWORK
    const PaintedArtwork& art = artwork();
    copyImage(view.Bitmap(), art.staff);
    for (const QImage& picture : art.keys)
        copyImage(keyList.Add(), picture);
    for (const QImage& picture : art.notes)
        copyImage(noteList.Add(), picture);
    for (const QImage& picture : art.marks)
        copyImage(markList.Add(), picture);
#else
    fillPlain(view.Bitmap(), 575, 300, 0xFFFFFFFFu);
    for (int i = 0; i < kKeyListCount; ++i)
        fillPlain(keyList.Add(), 60, 60, 0xFF000000u | TColor32(0x010101u * (i + 1)));
    for (int i = 0; i < int(std::size(kNoteSizes)); ++i)
        fillPlain(noteList.Add(), kNoteSizes[i].width, kNoteSizes[i].height,
                  0x80000000u | TColor32(0x000100u * (i + 1)));
    for (int i = 0; i < 4; ++i)
        fillPlain(markList.Add(), kMarkSizes[i].width, kMarkSizes[i].height,
                  0xFF000000u | TColor32(0x010000u * (i + 1)));
#endif
}

bool StaffFixture::SamePicture(const TBitmap32* a, const TBitmap32* b)
{
    return a->Width() == b->Width() && a->Height() == b->Height() &&
           std::memcmp(a->Bits(), b->Bits(), std::size_t(a->Width()) * a->Height() * 4) == 0;
}

int StaffFixture::PictureIndex(const TBitmap32* bitmap, TBitmap32List& list)
{
    for (int i = 0; i < list.Count(); ++i)
        if (SamePicture(list.Bitmap(i), bitmap))
            return i;
    return -1;
}

TBitmapLayer* StaffFixture::Layer(int index)
{
    return dynamic_cast<TBitmapLayer*>(view.Layers()->Items(index));
}
