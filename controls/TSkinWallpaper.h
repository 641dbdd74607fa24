#pragma once

#include "controls/TSkinImages.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <functional>

class QPainter;
class QWidget;

// What every wallpaper-painting control keeps: its store, the store item it shows, its own
// picture and whether the picture is stretched; it repaints its owner on every change.
class TSkinWallpaper
{
public:
    // `repaint` is how a change shows; by default the owner is updated.
    explicit TSkinWallpaper(QWidget* owner, std::function<void()> repaint = {});
    ~TSkinWallpaper();
    TSkinWallpaper(const TSkinWallpaper&) = delete;
    TSkinWallpaper& operator=(const TSkinWallpaper&) = delete;

    TSkinImages* Images() const { return images_; }
    void SetImages(TSkinImages* images);
    // Accepts a design's component reference; anything but a picture store is refused.
    void SetImagesObject(QObject* object);
    int Index() const { return index_; }
    void SetIndex(int index);
    const QImage& Own() const { return own_; }
    void SetOwn(const QImage& picture);
    bool Stretched() const { return stretched_; }
    void SetStretched(bool stretched);

    // The picture to show, or nullptr when there is none and the control shows its plain colour.
    const QImage* Current() const;
    // Shows a change the way the owner wants it shown.
    void Changed() const { repaint_(); }
    // Tiles (or stretches) the current picture over `area` from the owner's top-left, shifted by
    // `origin` when the painter's (0,0) is not the owner's. Returns false when there is no picture.
    bool Paint(QPainter& painter, const QRect& area, QPoint origin = QPoint(0, 0)) const;

private:
    QWidget* owner_;
    std::function<void()> repaint_;
    TSkinImages* images_ = nullptr;
    TSkinChangeLink link_;
    int index_ = -1;
    QImage own_;
    bool stretched_ = false;
};

// The wallpaper properties every wallpaper-painting control publishes, over its TSkinWallpaper.
// The Q_PROPERTY lines stay in each control, since moc reads them per class.
class TSkinWallpapered
{
public:
    TSkinImages* SkinImages() const { return wallpaper_.Images(); }
    QObject* SkinImagesObject() const;
    void SetSkinImages(QObject* store) { wallpaper_.SetImagesObject(store); }
    int idWallpaper() const { return wallpaper_.Index(); }
    void SetIdWallpaper(int index) { wallpaper_.SetIndex(index); }
    QImage Wallpaper() const { return wallpaper_.Own(); }
    // A panel also clears its transparency and a memo repaints its viewport.
    virtual void SetWallpaper(const QImage& picture) { wallpaper_.SetOwn(picture); }
    bool Stretched() const { return wallpaper_.Stretched(); }
    void SetStretched(bool on) { wallpaper_.SetStretched(on); }
    const QImage* CurrentWallpaper() const { return wallpaper_.Current(); }
    // The plain colour shown where there is no wallpaper; an invalid QColor stands for "no colour".
    QColor Color() const { return color_; }
    // A memo also hands the colour to its text area.
    virtual void SetColor(const QColor& color)
    {
        color_ = color;
        wallpaper_.Changed();
    }

protected:
    explicit TSkinWallpapered(QWidget* owner, std::function<void()> repaint = {})
        : wallpaper_(owner, std::move(repaint))
    {}
    virtual ~TSkinWallpapered() = default;

    TSkinWallpaper wallpaper_;
    QColor color_;
};

#define LIRASTO_SKIN_WALLPAPER_PROPERTIES                                                                              \
    Q_PROPERTY(QObject* SkinImages READ SkinImagesObject WRITE SetSkinImages)                                          \
    Q_PROPERTY(int idWallpaper READ idWallpaper WRITE SetIdWallpaper)                                                  \
    Q_PROPERTY(QImage Wallpaper READ Wallpaper WRITE SetWallpaper)                                                     \
    Q_PROPERTY(bool Stretched READ Stretched WRITE SetStretched)                                                       \
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
