#include "controls/TSkinBtn.h"

#include "core/Errors.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

using namespace lirasto::skin;

TSkinBtn::TSkinBtn(QWidget* parent) : QPushButton(parent), TSkinWallpapered(this), TSkinShadowed(this)
{
    shadow_.color = buttonHighlight(palette());
    color_ = buttonFace(palette());
    colorStart_ = buttonFace(palette());
    colorEnd_ = buttonShadow(palette());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_Hover);
}

void TSkinBtn::SetCaption(const QString& caption)
{
    setText(caption);
    update();
}

void TSkinBtn::SetColorStart(const QColor& color)
{
    colorStart_ = color;
    update();
}

void TSkinBtn::SetColorEnd(const QColor& color)
{
    colorEnd_ = color;
    update();
}

QString TSkinBtn::GradientDirectionName() const
{
    return gradientDirectionNames()[gradientDirection_];
}

void TSkinBtn::SetGradientDirectionName(const QString& name)
{
    gradientDirection_ = TGradientDirection(ordinalFromName(name, gradientDirectionNames(), "TGradientDirection"));
    update();
}

void TSkinBtn::SetOptions(TSkinOptions options)
{
    options_ = options;
    setAttribute(Qt::WA_OpaquePaintEvent, !hasFlag(options_, ocPaintTransparently));
    update();
}

QStringList TSkinBtn::OptionNames() const
{
    return namesFromSet(options_, skinOptionNames());
}

void TSkinBtn::SetOptionNames(const QStringList& names)
{
    SetOptions(setFromNames(names, skinOptionNames(), "TSkinOption"));
}

QStringList TSkinBtn::BtnPaintOptionNames() const
{
    return namesFromSet(paintOptions_, btnPaintOptionNames());
}

void TSkinBtn::SetBtnPaintOptionNames(const QStringList& names)
{
    paintOptions_ = setFromNames(names, btnPaintOptionNames(), "TBtnPaintOption");
    update();
}

void TSkinBtn::SetSpacing(int spacing)
{
    spacing_ = spacing;
    update();
}

void TSkinBtn::SetMargin(int margin)
{
    margin_ = margin;
    update();
}

void TSkinBtn::SetTransparencyLevel(int level)
{
    transparencyLevel_ = level;
    update();
}

QRect TSkinBtn::captionRect() const
{
    QRect r = rect();
    if ((isDefault() || hasFocus()) && hasFlag(paintOptions_, bpoDrawDefault))
        r.adjust(1, 1, -1, -1);
    if (isDown())
        r.translate(1, 1);
    return r;
}

void TSkinBtn::enterEvent(QEnterEvent* event)
{
    mouseOver_ = true;
    if (hasFlag(options_, ocFlatBorder))
        update();
    QPushButton::enterEvent(event);
}

void TSkinBtn::leaveEvent(QEvent* event)
{
    mouseOver_ = false;
    if (hasFlag(options_, ocFlatBorder))
        update();
    QPushButton::leaveEvent(event);
}

void TSkinBtn::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRect r = rect();
    const QPalette& pal = palette();
    if (hasFlag(options_, ocPaintTransparently))
        paintParentBackground(this, painter, transparencyLevel_);
    else if (hasFlag(options_, ocPaintWallpaper) && wallpaper_.paint(painter, r))
        ;
    else if (hasFlag(options_, ocPaintGradiently))
        drawGradient(painter, r, colorStart_, colorEnd_, gradientDirection_);
    else
        painter.fillRect(r, color_);

    if ((isDefault() || hasFocus()) && hasFlag(paintOptions_, bpoDrawDefault)) {
        QRect frame = r;
        drawFrame3D(painter, frame, windowFrame(pal), windowFrame(pal), 1);
        r = frame;
    }
    if (isDown())
        drawEdge3D(painter, r, true, pal);
    else if (!hasFlag(options_, ocFlatBorder) || mouseOver_)
        drawEdge3D(painter, r, false, pal);

    painter.setFont(font());
    drawShadowText(painter, captionRect(), Qt::AlignCenter | Qt::TextSingleLine, text(), windowText(this), shadow_,
                   isEnabled(), pal);

    if (hasFocus() && hasFlag(paintOptions_, bpoDrawFocus)) {
        const QRect focus = rect().adjusted(4, 4, -4, -4);
        if (focus.width() > 0 && focus.height() > 0) {
            QPen dotted(windowText(this), 1, Qt::DotLine);
            painter.setPen(dotted);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(focus.adjusted(0, 0, -1, -1));
        }
    }
}
