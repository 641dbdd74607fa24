#include "controls/TSkinBtn.h"

#include "core/Errors.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

using namespace lirasto::skin;

TSkinBtn::TSkinBtn(QWidget* parent) : QPushButton(parent), TSkinWallpapered(this), TSkinShadowed(this)
{
    shadow_.Color = ButtonHighlight(palette());
    color_ = ButtonFace(palette());
    colorStart_ = ButtonFace(palette());
    colorEnd_ = ButtonShadow(palette());
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
    return GradientDirectionNames()[gradientDirection_];
}

void TSkinBtn::SetGradientDirectionName(const QString& name)
{
    gradientDirection_ = TGradientDirection(OrdinalFromName(name, GradientDirectionNames(), "TGradientDirection"));
    update();
}

void TSkinBtn::SetOptions(TSkinOptions options)
{
    options_ = options;
    setAttribute(Qt::WA_OpaquePaintEvent, !HasFlag(options_, ocPaintTransparently));
    update();
}

QStringList TSkinBtn::OptionNames() const
{
    return NamesFromSet(options_, SkinOptionNames());
}

void TSkinBtn::SetOptionNames(const QStringList& names)
{
    SetOptions(SetFromNames(names, SkinOptionNames(), "TSkinOption"));
}

QStringList TSkinBtn::BtnPaintOptionNames() const
{
    return NamesFromSet(paintOptions_, lirasto::skin::BtnPaintOptionNames());
}

void TSkinBtn::SetBtnPaintOptionNames(const QStringList& names)
{
    paintOptions_ = SetFromNames(names, lirasto::skin::BtnPaintOptionNames(), "TBtnPaintOption");
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

QRect TSkinBtn::CaptionRect() const
{
    QRect r = rect();
    if ((isDefault() || hasFocus()) && HasFlag(paintOptions_, bpoDrawDefault))
        r.adjust(1, 1, -1, -1);
    if (isDown())
        r.translate(1, 1);
    return r;
}

void TSkinBtn::enterEvent(QEnterEvent* event)
{
    mouseOver_ = true;
    if (HasFlag(options_, ocFlatBorder))
        update();
    QPushButton::enterEvent(event);
}

void TSkinBtn::leaveEvent(QEvent* event)
{
    mouseOver_ = false;
    if (HasFlag(options_, ocFlatBorder))
        update();
    QPushButton::leaveEvent(event);
}

void TSkinBtn::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRect r = rect();
    const QPalette& pal = palette();
    if (HasFlag(options_, ocPaintTransparently))
        PaintParentBackground(this, painter, transparencyLevel_);
    else if (HasFlag(options_, ocPaintWallpaper) && wallpaper_.Paint(painter, r))
        ;
    else if (HasFlag(options_, ocPaintGradiently))
        DrawGradient(painter, r, colorStart_, colorEnd_, gradientDirection_);
    else
        painter.fillRect(r, color_);

    if ((isDefault() || hasFocus()) && HasFlag(paintOptions_, bpoDrawDefault)) {
        QRect frame = r;
        DrawFrame3D(painter, frame, WindowFrame(pal), WindowFrame(pal), 1);
        r = frame;
    }
    if (isDown())
        DrawEdge3D(painter, r, true, pal);
    else if (!HasFlag(options_, ocFlatBorder) || mouseOver_)
        DrawEdge3D(painter, r, false, pal);

    painter.setFont(font());
    DrawShadowText(painter, CaptionRect(), Qt::AlignCenter | Qt::TextSingleLine, text(), WindowText(this), shadow_,
                   isEnabled(), pal);

    if (hasFocus() && HasFlag(paintOptions_, bpoDrawFocus)) {
        const QRect focus = rect().adjusted(4, 4, -4, -4);
        if (focus.width() > 0 && focus.height() > 0) {
            QPen dotted(WindowText(this), 1, Qt::DotLine);
            painter.setPen(dotted);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(focus.adjusted(0, 0, -1, -1));
        }
    }
}
