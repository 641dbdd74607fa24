#pragma once

#include "controls/TSkinShadowed.h"
#include "controls/TSkinWallpaper.h"

#include <QImage>
#include <QWidget>
#include <array>

#include <vector>

// A caption drawn with its highlight copy, over whatever lies beneath when transparent.
class TSkinLabel : public QWidget, public TSkinWallpapered, public TSkinShadowed
{
    Q_OBJECT
    LIRASTO_SKIN_WALLPAPER_PROPERTIES
    LIRASTO_SKIN_SHADOW_PROPERTIES
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(QString Alignment READ AlignmentName WRITE SetAlignmentName)
    Q_PROPERTY(QString Layout READ LayoutName WRITE SetLayoutName)
    Q_PROPERTY(QStringList EdgeBorders READ EdgeBorderNames WRITE SetEdgeBorderNames)
    Q_PROPERTY(QColor FontColor READ FontColor WRITE SetFontColor)
public:
    explicit TSkinLabel(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    QColor FontColor() const;
    // The verdict colours are set here: the palette's window-text colour, then a repaint.
    void SetFontColor(const QColor& color);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);
    QString AlignmentName() const;
    void SetAlignmentName(const QString& name);
    QString LayoutName() const;
    void SetLayoutName(const QString& name);
    QStringList EdgeBorderNames() const;
    void SetEdgeBorderNames(const QStringList& names);
    QPen BorderPen() const { return borderPen_; }
    void SetBorderPen(const QPen& pen);

    // The size the caption needs, shadow copy included.
    QSize TextExtent() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void shadowChanged() override;
    void adjustBounds();
    int textFlags() const;

    QString caption_;
    bool transparent_ = false;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    TEdgeBorders edgeBorders_ = 0;
    QPen borderPen_{Qt::black, 1};
    // Captions measured lately: a verdict label takes turns between a few texts, and laying
    // a text out with its font costs more than the rest of a caption change.
    struct Measured
    {
        QString text;
        QFont font;
        int wrapWidth;
        int extra;
        QSize size;
    };
    mutable std::vector<Measured> measured_;
    // Captions drawn lately, text and shadow on a transparent picture: drawing one is a
    // blend of a few thousand pixels, where laying the text out and drawing it twice (shadow
    // and text) took most of the time from an answer to its verdict on screen.
    struct Drawn
    {
        QString text;
        QSize size;
        int flags;
        bool enabled;
        std::array<QRgb, 3> colours; // text, and the two a disabled caption is drawn in
        QFont font;
        int ratio;
        QImage picture;
    };
    std::vector<Drawn> drawn_;
    // The caption's picture when it was drawn before, else null (and the caption noted).
    const QImage* captionPicture(const QRect& layout, int ratio);
};
