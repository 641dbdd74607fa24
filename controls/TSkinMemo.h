#pragma once

#include "controls/SkinUtils.h"
#include "controls/TSkinWallpaper.h"

#include <QTextEdit>

// A multi-line edit box written over the wallpaper, with a two-pixel edge border.
class TSkinMemo : public QTextEdit, public TSkinWallpapered
{
    Q_OBJECT
    LIRASTO_SKIN_WALLPAPER_PROPERTIES
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QStringList Options READ OptionNames WRITE SetOptionNames)
    Q_PROPERTY(QStringList EdgeBorders READ EdgeBorderNames WRITE SetEdgeBorderNames)
    Q_PROPERTY(QColor BordersTrColor READ BordersTrColor WRITE SetBordersTrColor)
    Q_PROPERTY(QString TextAlign READ TextAlignName WRITE SetTextAlignName)
    Q_PROPERTY(int TransparencyLevel READ TransparencyLevel WRITE SetTransparencyLevel)
    Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)
    Q_PROPERTY(QColor CaptionColor READ CaptionColor WRITE SetCaptionColor)
    Q_PROPERTY(QColor CaptionTextColor READ CaptionTextColor WRITE SetCaptionTextColor)
public:
    explicit TSkinMemo(QWidget* parent = nullptr);
    void SetWallpaper(const QImage& picture) override;

    void SetColor(const QColor& color) override;
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    TSkinOptions Options() const { return options_; }
    void SetOptions(TSkinOptions options);
    QStringList OptionNames() const;
    void SetOptionNames(const QStringList& names);
    QStringList EdgeBorderNames() const;
    void SetEdgeBorderNames(const QStringList& names);
    QColor BordersTrColor() const { return bordersTrColor_; }
    void SetBordersTrColor(const QColor& color);
    QString TextAlignName() const;
    void SetTextAlignName(const QString& name);
    int TransparencyLevel() const { return transparencyLevel_; }
    void SetTransparencyLevel(int level);
    QStringList Lines() const;
    void SetLines(const QStringList& lines);
    QColor CaptionColor() const { return captionColor_; }
    void SetCaptionColor(const QColor& color);
    QColor CaptionTextColor() const { return captionTextColor_; }
    void SetCaptionTextColor(const QColor& color);

    // The height of the caption bar, 0 with ocNoCaption.
    int CaptionBarHeight() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    bool paintsBackground() const;
    void applyAlignment();
    void updateMargins();
    void syncTextColor();

    QString caption_;
    TSkinOptions options_ = 0;
    TEdgeBorders edgeBorders_ = 0;
    QColor bordersTrColor_;
    QPen borderPen_{Qt::black, 1};
    TAlignment textAlign_ = taLeftJustify;
    int transparencyLevel_ = 0;
    QColor captionColor_;
    QColor captionTextColor_;
    bool syncingPalette_ = false;
};
