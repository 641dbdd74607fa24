#include "controls/TSkinLabel.h"

#include "core/Errors.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace lirasto::skin;

TSkinLabel::TSkinLabel(QWidget* parent) : QWidget(parent), TSkinWallpapered(this), TSkinShadowed(this)
{
    shadow_.Color = ButtonHighlight(palette());
    color_ = ButtonFace(palette());
    // Like a windowless label, it shows its parent's surface wherever it paints nothing.
    setAutoFillBackground(false);
    adjustBounds();
}

void TSkinLabel::SetCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    adjustBounds();
    update();
}

QColor TSkinLabel::FontColor() const
{
    return WindowText(this);
}

void TSkinLabel::SetFontColor(const QColor& color)
{
    // A verdict like the last keeps its colour: no palette change to spread and repaint.
    if (color == FontColor() && palette().isBrushSet(QPalette::Current, QPalette::WindowText))
        return;
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
    update();
}

void TSkinLabel::SetTransparent(bool on)
{
    transparent_ = on;
    update();
}

void TSkinLabel::SetAutoSize(bool on)
{
    autoSize_ = on;
    adjustBounds();
}

void TSkinLabel::SetWordWrap(bool on)
{
    wordWrap_ = on;
    adjustBounds();
    update();
}

QString TSkinLabel::AlignmentName() const
{
    return AlignmentNames()[alignment_];
}

void TSkinLabel::SetAlignmentName(const QString& name)
{
    alignment_ = TAlignment(OrdinalFromName(name, AlignmentNames(), "TAlignment"));
    update();
}

QString TSkinLabel::LayoutName() const
{
    return TextLayoutNames()[layout_];
}

void TSkinLabel::SetLayoutName(const QString& name)
{
    layout_ = TTextLayout(OrdinalFromName(name, TextLayoutNames(), "TTextLayout"));
    update();
}

QStringList TSkinLabel::EdgeBorderNames() const
{
    return NamesFromSet(edgeBorders_, lirasto::skin::EdgeBorderNames());
}

void TSkinLabel::SetEdgeBorderNames(const QStringList& names)
{
    edgeBorders_ = SetFromNames(names, lirasto::skin::EdgeBorderNames(), "TEdgeBorder");
    update();
}

void TSkinLabel::SetBorderPen(const QPen& pen)
{
    borderPen_ = pen;
    update();
}

void TSkinLabel::shadowChanged()
{
    drawn_.clear();
    adjustBounds();
    update();
}

int TSkinLabel::textFlags() const
{
    return AlignmentFlags(alignment_) | LayoutFlags(layout_) | (wordWrap_ ? Qt::TextWordWrap : 0);
}

QSize TSkinLabel::TextExtent() const
{
    // An empty caption is measured as one blank so the label keeps a line's height.
    const QString text = caption_.isEmpty() ? QStringLiteral(" ") : caption_;
    const int extra = ShadowExtra(shadow_);
    const int wrapWidth = wordWrap_ ? std::max(1, width() - extra) : -1;
    for (const Measured& m : measured_)
        if (m.text == text && m.wrapWidth == wrapWidth && m.extra == extra && m.font == font())
            return m.size;
    const QRect bounds(0, 0, wordWrap_ ? wrapWidth : 0x7FFFFF, 0x7FFFFF);
    QSize size = fontMetrics()
                     .boundingRect(bounds, Qt::AlignLeft | Qt::AlignTop | (wordWrap_ ? Qt::TextWordWrap : 0), text)
                     .size();
    size.setHeight(std::max(size.height(), fontMetrics().height()));
    size += QSize(extra, extra);
    constexpr std::size_t kRemembered = 8;
    if (measured_.size() == kRemembered)
        measured_.erase(measured_.begin());
    measured_.push_back({text, font(), wrapWidth, extra, size});
    return size;
}

void TSkinLabel::adjustBounds()
{
    if (!autoSize_)
        return;
    const QSize size = TextExtent();
    QRect bounds = geometry();
    if (alignment_ == taRightJustify && !wordWrap_)
        bounds.setLeft(bounds.right() + 1 - size.width());
    if (!wordWrap_)
        bounds.setWidth(size.width());
    bounds.setHeight(size.height());
    if (bounds != geometry())
        setGeometry(bounds);
}

bool TSkinLabel::event(QEvent* event)
{
    // The design may set the stored size after the caption; the measured size wins before the first paint.
    if (event->type() == QEvent::Polish)
        adjustBounds();
    return QWidget::event(event);
}

void TSkinLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) {
        measured_.clear(); // sizes and pictures in the old font are of no use again
        drawn_.clear();
        adjustBounds();
    }
    if (event->type() == QEvent::FontChange || event->type() == QEvent::EnabledChange ||
        event->type() == QEvent::PaletteChange)
        update();
    QWidget::changeEvent(event);
}

void TSkinLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect r = rect();
    if (!transparent_ && !wallpaper_.Paint(painter, r))
        painter.fillRect(r, color_);
    painter.setFont(font());
    const QString text = caption_;
    const int extra = ShadowExtra(shadow_);
    // The layout rectangle leaves room for the shadow copy on the far sides.
    const QRect layout = r.adjusted(0, 0, -extra, -extra);
    // At a fractional scale a picture would land between device pixels and blur the text.
    const qreal ratio = painter.device()->devicePixelRatio();
    const QImage* picture = ratio == std::floor(ratio) && ratio >= 1 ? captionPicture(layout, int(ratio)) : nullptr;
    if (picture)
        painter.drawImage(r.topLeft(), *picture);
    else
        DrawShadowText(painter, layout, textFlags(), text, WindowText(this), shadow_, isEnabled(), palette());
    DrawEdgeBorders(painter, r, QColor(), edgeBorders_, borderPen_);
}

const QImage* TSkinLabel::captionPicture(const QRect& layout, int ratio)
{
    const int flags = textFlags();
    const std::array<QRgb, 3> colours{WindowText(this).rgba(), ButtonHighlight(palette()).rgba(),
                                      ButtonShadow(palette()).rgba()};
    auto same = [&](const Drawn& d) {
        return d.text == caption_ && d.size == size() && d.flags == flags && d.enabled == isEnabled() &&
               d.colours == colours && d.ratio == ratio && d.font == font();
    };
    auto found = std::find_if(drawn_.begin(), drawn_.end(), same);
    // A caption seen for the first time is drawn directly and only noted: a score or a clock
    // rarely shows the same text again, a verdict does at once.
    if (found == drawn_.end()) {
        constexpr std::size_t kRemembered = 4; // a verdict label takes turns between two captions and colours
        if (drawn_.size() == kRemembered)
            drawn_.erase(drawn_.begin());
        drawn_.push_back({caption_, size(), flags, isEnabled(), colours, font(), ratio, QImage()});
        return nullptr;
    }
    if (found->picture.isNull()) {
        QImage picture(size() * ratio, QImage::Format_ARGB32_Premultiplied);
        picture.setDevicePixelRatio(ratio);
        // The text is laid out for this control's screen, as it would be drawn on it directly.
        picture.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
        picture.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setFont(font());
        DrawShadowText(painter, layout, flags, caption_, WindowText(this), shadow_, isEnabled(), palette());
        painter.end();
        found->picture = std::move(picture);
    }
    return &found->picture;
}
