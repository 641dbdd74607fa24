#include "controls/TSkinImages.h"

#include "controls/SkinUtils.h"
#include "core/Errors.h"

#include <QGuiApplication>

#include <algorithm>
#include <system_error>

using namespace lirasto::skin;

TSkinImages::TSkinImages(QObject* parent) : QObject(parent) {}

TSkinImages::~TSkinImages()
{
    const std::vector<TSkinChangeLink*> links = std::move(links_);
    links_.clear();
    for (TSkinChangeLink* link : links) {
        if (link->OnStoreDestroyed)
            link->OnStoreDestroyed();
    }
}

int TSkinImages::AddPicture(const std::string& className, std::span<const uint8_t> bytes)
{
    items_.push_back({});
    const int index = Count() - 1;
    SetPicture(index, className, bytes);
    return index;
}

int TSkinImages::AddPictureData(std::span<const uint8_t> blob)
{
    const PictureData picture = ParsePictureData(blob);
    return AddPicture(picture.ClassName, picture.Bytes);
}

int TSkinImages::AddPictureData(const QByteArray& blob)
{
    return AddPictureData(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(blob.constData()),
                                                   static_cast<std::size_t>(blob.size())));
}

void TSkinImages::SetPicture(int index, const std::string& className, std::span<const uint8_t> bytes)
{
    checkIndex(index);
    TImageItem& item = items_[static_cast<std::size_t>(index)];
    // The worker reads the bytes being replaced.
    settle(item);
    item.className = className;
    item.bytes.assign(bytes.begin(), bytes.end());
    item.bitmap = QImage();
    if (item.detailDecoding.valid())
        item.detailDecoding.wait();
    item.detailDecoding = {};
    item.detailFile = nullptr;
    item.detail = QImage();
    item.detailTried = false;
    // Decoded once, so painting never decodes. The worker reads the item's own copy of the bytes,
    // whose buffer stays put when the item list grows.
    if (className == "TJPEGImage") {
        const std::span<const uint8_t> data(item.bytes);
        try {
            item.decoding = std::async(std::launch::async, [data] { return DecodeJpeg(data); });
        } catch (const std::system_error&) {
            item.bitmap = DecodeJpeg(data); // no thread to be had: decode here
        }
    }
    Change();
}

void TSkinImages::Clear()
{
    items_.clear();
    Change();
}

const QImage* TSkinImages::ItemBitmap(int index) const
{
    const TImageItem& entry = Item(index);
    return entry.bitmap.isNull() ? nullptr : &entry.bitmap;
}

namespace {

QImage decodeDetail(const std::function<QByteArray()>& file)
{
    const QByteArray jpeg = file ? file() : QByteArray();
    if (jpeg.isEmpty())
        return QImage();
    QImage image = DecodeJpeg(
        std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(jpeg.constData()), std::size_t(jpeg.size())));
    image.setDevicePixelRatio(2);
    return image;
}

} // namespace

void TSkinImages::SetDetailPicture(int index, std::function<QByteArray()> jpeg)
{
    checkIndex(index);
    TImageItem& entry = items_[static_cast<std::size_t>(index)];
    if (entry.detailDecoding.valid())
        entry.detailDecoding.wait();
    entry.detailDecoding = {};
    entry.detail = QImage();
    entry.detailTried = false;
    entry.detailFile = jpeg;
    // On a screen of higher density the detail is wanted at the first paint: decode it
    // beside the window's construction, as the plain picture is. Elsewhere it waits.
    if (qGuiApp && qGuiApp->devicePixelRatio() > 1.0 && jpeg) {
        try {
            entry.detailDecoding = std::async(std::launch::async, [jpeg] { return decodeDetail(jpeg); });
        } catch (const std::system_error&) {
        }
    }
    Change();
}

const QImage* TSkinImages::ItemDetail(int index) const
{
    const TImageItem& entry = Item(index);
    if (!entry.detailTried) {
        entry.detailTried = true;
        if (entry.detailDecoding.valid())
            entry.detail = entry.detailDecoding.get();
        else
            entry.detail = decodeDetail(entry.detailFile);
    }
    // A detail that does not match its picture would tile at the wrong size.
    if (entry.detail.isNull() || entry.bitmap.isNull() || entry.detail.width() != 2 * entry.bitmap.width() ||
        entry.detail.height() != 2 * entry.bitmap.height())
        return nullptr;
    return &entry.detail;
}

const TSkinImages::TImageItem& TSkinImages::Item(int index) const
{
    checkIndex(index);
    const TImageItem& entry = items_[static_cast<std::size_t>(index)];
    settle(entry);
    return entry;
}

void TSkinImages::settle(const TImageItem& item)
{
    if (item.decoding.valid())
        item.bitmap = item.decoding.get();
}

void TSkinImages::checkIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw lirasto::EListError(lirasto::ListIndexMessage(index));
}

void TSkinImages::RegisterChanges(TSkinChangeLink* link)
{
    if (link && std::find(links_.begin(), links_.end(), link) == links_.end())
        links_.push_back(link);
}

void TSkinImages::UnRegisterChanges(TSkinChangeLink* link)
{
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

void TSkinImages::Change()
{
    // A control may unregister while being told; walk a copy.
    const std::vector<TSkinChangeLink*> links = links_;
    for (TSkinChangeLink* link : links) {
        if (link->OnChange)
            link->OnChange();
    }
}
