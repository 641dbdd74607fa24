#include "controls/TSkinWallpaper.h"

#include "controls/SkinUtils.h"
#include "controls/TSkinImages.h"
#include "core/Errors.h"

#include <QWidget>

using namespace lirasto::skin;

TSkinWallpaper::TSkinWallpaper(QWidget* owner, std::function<void()> repaint)
    : owner_(owner), repaint_(repaint ? std::move(repaint) : std::function<void()>([owner] { owner->update(); }))
{
    link_.OnChange = [this] { repaint_(); };
    link_.OnStoreDestroyed = [this] {
        images_ = nullptr;
        repaint_();
    };
}

TSkinWallpaper::~TSkinWallpaper()
{
    if (images_)
        images_->UnRegisterChanges(&link_);
}

void TSkinWallpaper::SetImages(TSkinImages* images)
{
    if (images == images_)
        return;
    if (images_)
        images_->UnRegisterChanges(&link_);
    images_ = images;
    if (images_)
        images_->RegisterChanges(&link_);
    repaint_();
}

void TSkinWallpaper::SetImagesObject(QObject* object)
{
    auto* images = qobject_cast<TSkinImages*>(object);
    if (object && !images)
        throw lirasto::EConvertError("'" + object->objectName().toStdString() + "' is not a TSkinImages");
    SetImages(images);
}

void TSkinWallpaper::SetIndex(int index)
{
    if (index == index_)
        return;
    index_ = index;
    repaint_();
}

void TSkinWallpaper::SetOwn(const QImage& picture)
{
    own_ = picture;
    repaint_();
}

void TSkinWallpaper::SetStretched(bool stretched)
{
    if (stretched == stretched_)
        return;
    stretched_ = stretched;
    repaint_();
}

const QImage* TSkinWallpaper::Current() const
{
    const QImage* storeItem = nullptr;
    if (images_ && index_ >= 0 && index_ < images_->Count())
        storeItem = images_->ItemBitmap(index_);
    return SelectWallpaper(storeItem, own_);
}

bool TSkinWallpaper::Paint(QPainter& painter, const QRect& area, QPoint origin) const
{
    const QImage* picture = Current();
    if (!picture)
        return false;
    // Where a pixel holds more than one device pixel the store's picture at twice the
    // resolution is tiled instead; it covers the same logical area.
    if (owner_->devicePixelRatioF() > 1.0 && images_ && index_ >= 0 && index_ < images_->Count() &&
        picture == images_->ItemBitmap(index_))
        if (const QImage* detail = images_->ItemDetail(index_))
            picture = detail;
    if (stretched_)
        TileWallpaper(painter, QRect(origin, owner_->size()), *picture, true, origin);
    else
        TileWallpaper(painter, area, *picture, false, origin);
    return true;
}

QObject* TSkinWallpapered::SkinImagesObject() const
{
    return wallpaper_.Images();
}
