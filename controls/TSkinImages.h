#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>

#include <functional>
#include <future>
#include <span>
#include <string>
#include <vector>

// A control's subscription to a picture store: the store calls OnChange whenever a picture
// changes, and OnStoreDestroyed when it goes first, so the control drops its reference.
class TSkinChangeLink
{
public:
    std::function<void()> OnChange;
    std::function<void()> OnStoreDestroyed;
};

// The shared picture store (a non-visual component). Each item keeps its picture's class name
// and bytes and the bitmap decoded from them once. Decoding starts on a worker thread when the
// picture is set, so the window goes on being built meanwhile; the first look at the bitmap waits for it.
class TSkinImages : public QObject
{
    Q_OBJECT
public:
    struct TImageItem
    {
        std::string className;
        std::vector<uint8_t> bytes;
        // Declared after the bytes, so that a decoding still running finishes before they go.
        mutable std::future<QImage> decoding;
        mutable QImage bitmap; // null when the picture could not be decoded
        // Where the same picture at twice the resolution (a JPEG file) comes from; read and
        // decoded when first asked for, or at once on a screen of higher density.
        std::function<QByteArray()> detailFile;
        mutable std::future<QImage> detailDecoding;
        mutable QImage detail;
        mutable bool detailTried = false;
    };

    explicit TSkinImages(QObject* parent = nullptr);
    ~TSkinImages() override;

    int Count() const { return int(items_.size()); }
    // Appends a picture and returns its index; an undecodable picture is kept without a bitmap.
    int AddPicture(const std::string& className, std::span<const uint8_t> bytes);
    // Appends the picture held by a design's "Picture.Data" blob; throws EReadError when malformed.
    int AddPictureData(std::span<const uint8_t> blob);
    Q_INVOKABLE int AddPictureData(const QByteArray& blob);
    void SetPicture(int index, const std::string& className, std::span<const uint8_t> bytes);
    void Clear();
    // The item's bitmap, or nullptr when it has none; throws EListError outside 0..count-1.
    const QImage* ItemBitmap(int index) const;
    // Gives item index its picture at twice the resolution, a JPEG file the function returns;
    // replacing the picture drops it. Throws EListError outside 0..count-1.
    void SetDetailPicture(int index, std::function<QByteArray()> jpeg);
    // The item's picture at twice the resolution, with a device pixel ratio of 2, when it
    // has one that decodes to twice its bitmap's size; else nullptr.
    const QImage* ItemDetail(int index) const;
    const TImageItem& Item(int index) const;

    // The design's own notification interface keeps the design's names.
    void RegisterChanges(TSkinChangeLink* link);
    void UnRegisterChanges(TSkinChangeLink* link);
    // Tells every registered control that the pictures changed.
    void Change();

private:
    void checkIndex(int index) const;
    // Takes over the worker's bitmap, waiting for it if it is still being decoded.
    static void settle(const TImageItem& item);
    std::vector<TImageItem> items_;
    std::vector<TSkinChangeLink*> links_;
};
