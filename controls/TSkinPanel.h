#pragma once

#include "controls/TSkinShadowed.h"
#include "controls/TSkinWallpaper.h"

#include <QWidget>

// A panel that shows the wallpaper (or its parent's background) with the platform panel's bevels.
class TSkinPanel : public QWidget, public TSkinWallpapered, public TSkinShadowed
{
    Q_OBJECT
    LIRASTO_SKIN_WALLPAPER_PROPERTIES
    LIRASTO_SKIN_SHADOW_PROPERTIES
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(int TransparencyLevel READ TransparencyLevel WRITE SetTransparencyLevel)
    Q_PROPERTY(QString Align READ Align WRITE SetAlign)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Alignment READ AlignmentName WRITE SetAlignmentName)
    Q_PROPERTY(QString BevelOuter READ BevelOuterName WRITE SetBevelOuterName)
    Q_PROPERTY(QString BevelInner READ BevelInnerName WRITE SetBevelInnerName)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(QColor InactiveFontColor READ InactiveFontColor WRITE SetInactiveFontColor)
public:
    explicit TSkinPanel(QWidget* parent = nullptr);
    void SetWallpaper(const QImage& picture) override;
    ~TSkinPanel() override;

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    int TransparencyLevel() const { return transparencyLevel_; }
    void SetTransparencyLevel(int level);
    QString Align() const { return align_; }
    void SetAlign(const QString& align);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    QString AlignmentName() const;
    void SetAlignmentName(const QString& name);
    QString BevelOuterName() const;
    void SetBevelOuterName(const QString& name);
    QString BevelInnerName() const;
    void SetBevelInnerName(const QString& name);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    QColor InactiveFontColor() const { return inactiveFontColor_; }
    void SetInactiveFontColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void followParent();
    void updateOpaque();

    bool transparent_ = false;
    int transparencyLevel_ = 0;
    QString align_ = "alNone";
    QString caption_;
    TAlignment alignment_ = taCenter;
    TPanelBevel bevelOuter_ = bvRaised;
    TPanelBevel bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    QColor inactiveFontColor_ = Qt::white;
    QWidget* followed_ = nullptr;
};
