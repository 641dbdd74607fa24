#pragma once

#include "controls/TSkinShadowed.h"
#include "controls/TSkinWallpaper.h"

#include <QGroupBox>

// A framed box with its caption over a wallpaper strip so the frame line does not cross the text.
class TSkinGroupBox : public QGroupBox, public TSkinWallpapered, public TSkinShadowed
{
    Q_OBJECT
    LIRASTO_SKIN_WALLPAPER_PROPERTIES
    LIRASTO_SKIN_SHADOW_PROPERTIES
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(int TransparencyLevel READ TransparencyLevel WRITE SetTransparencyLevel)
    Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE SetCtl3D)
public:
    explicit TSkinGroupBox(QWidget* parent = nullptr);

    QString Caption() const { return title(); }
    void SetCaption(const QString& caption);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    int TransparencyLevel() const { return transparencyLevel_; }
    void SetTransparencyLevel(int level);
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool on);

    // Where the caption's layout rectangle lies: x = 8, on top.
    QRect CaptionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintBackground(QPainter& painter, const QRect& area);

    bool transparent_ = false;
    int transparencyLevel_ = 0;
    bool ctl3D_ = true;
};
