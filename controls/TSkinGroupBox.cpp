#include "controls/TSkinGroupBox.h"

#include "core/Errors.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

using namespace lirasto::skin;

TSkinGroupBox::TSkinGroupBox(QWidget* parent) : QGroupBox(parent), TSkinWallpapered(this), TSkinShadowed(this)
{
    shadow_.Color = ButtonHighlight(palette());
    color_ = ButtonFace(palette());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TSkinGroupBox::SetCaption(const QString& caption)
{
    setTitle(caption);
    update();
}

void TSkinGroupBox::SetTransparent(bool on)
{
    transparent_ = on;
    setAttribute(Qt::WA_OpaquePaintEvent, !on);
    update();
}

void TSkinGroupBox::SetTransparencyLevel(int level)
{
    transparencyLevel_ = level;
    update();
}

void TSkinGroupBox::SetCtl3D(bool on)
{
    ctl3D_ = on;
    update();
}

QRect TSkinGroupBox::CaptionRect() const
{
    const QFontMetrics metrics = fontMetrics();
    return QRect(8, 0, metrics.horizontalAdvance(title()), metrics.height());
}

void TSkinGroupBox::paintBackground(QPainter& painter, const QRect& area)
{
    painter.save();
    painter.setClipRect(area);
    if (transparent_)
        PaintParentBackground(this, painter, transparencyLevel_);
    else if (!wallpaper_.Paint(painter, area))
        painter.fillRect(area, color_);
    painter.restore();
}

void TSkinGroupBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintBackground(painter, rect());
    const QPalette& pal = palette();
    const int h = fontMetrics().height();
    QRect frame(QPoint(0, h / 2 - 1), QPoint(width() - 1, height() - 1));
    auto frameRect = [&painter](const QRect& r, const QColor& color) {
        painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), color);
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), color);
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), color);
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), color);
    };
    if (ctl3D_) {
        // A highlight frame one pixel right and down, then the shadow frame over it.
        frame.setTopLeft(frame.topLeft() + QPoint(1, 1));
        frameRect(frame, ButtonHighlight(pal));
        frame.translate(-1, -1);
        frameRect(frame, ButtonShadow(pal));
    } else {
        frameRect(frame, WindowFrame(pal));
    }
    if (title().isEmpty())
        return;
    const QRect caption = CaptionRect();
    paintBackground(painter, caption.adjusted(0, 0, ShadowExtra(shadow_), ShadowExtra(shadow_)));
    painter.setFont(font());
    DrawShadowText(painter, caption, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, title(),
                   WindowText(this), shadow_, isEnabled(), pal);
}
