#include "app/window/DetailPictures.h"

#include "app/window/WindowParts.h"
#include "controls/TSkinImages.h"
#include "graphics/Bitmap32.h"
#include "graphics/Image32.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

std::shared_ptr<const TDetailSource> detailOf(const TDetailFiles& files, std::string name)
{
    return std::make_shared<TDetailSource>([files, name]() -> std::unique_ptr<TBitmap32> {
        const QByteArray record = files(name);
        if (record.isEmpty())
            return nullptr;
        auto picture = std::make_unique<TBitmap32>();
        picture->ReadData(reinterpret_cast<const uint8_t*>(record.constData()), std::size_t(record.size()));
        return picture;
    });
}

// The file names of a list's items follow one pattern, as the design's references do.
void attachList(TBitmap32List* list, const TDetailFiles& files, const char* stem, int digits)
{
    for (int i = 0; i < list->Count(); ++i) {
        char name[48];
        std::snprintf(name, sizeof name, "%s_%0*d.bmp32", stem, digits, i);
        list->SetDetail(i, detailOf(files, name));
    }
}

} // namespace

void AttachDetailPictures(const TDesignPictures& pictures, const TDetailFiles& files)
{
    pictures.imgPiano->Bitmap()->SetDetail(detailOf(files, "keyboard.bmp32"));
    pictures.ImgClefs->Bitmap()->SetDetail(detailOf(files, "staff.bmp32"));
    pictures.imgLogo->Bitmap()->SetDetail(detailOf(files, "logo.bmp32"));
    attachList(pictures.BMPKeyList, files, "key", 2);
    attachList(pictures.BMPPianoKeysList, files, "pianokey", 1);
    attachList(pictures.BMPScaleDegrees, files, "degree", 1);
    attachList(pictures.BMPNoteList, files, "note", 1);
    attachList(pictures.BMPEvaluationList, files, "mark", 1);
    if (pictures.SkinImages->Count() > 0)
        pictures.SkinImages->SetDetailPicture(0, [files] { return files("wallpaper.jpg"); });
}
