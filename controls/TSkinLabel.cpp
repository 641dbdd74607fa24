#include "controls/TSkinLabel.h"

#include "core/Errors.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

using namespace lirasto::skin;

TSkinLabel::TSkinLabel(QWidget* parent) : QWidget(parent), TSkinWallpapered(this), TSkinShadowed(this)
{
    shadow_.color = buttonHighlight(palette());
    color_ = buttonFace(palette());
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
    return windowText(this);
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
    return alignmentNames()[alignment_];
}

void TSkinLabel::SetAlignmentName(const QString& name)
{
    alignment_ = TAlignment(ordinalFromName(name, alignmentNames(), "TAlignment"));
    update();
}

QString TSkinLabel::LayoutName() const
{
    return textLayoutNames()[layout_];
}

void TSkinLabel::SetLayoutName(const QString& name)
{
    layout_ = TTextLayout(ordinalFromName(name, textLayoutNames(), "TTextLayout"));
    update();
}

QStringList TSkinLabel::EdgeBorderNames() const
{
    return namesFromSet(edgeBorders_, edgeBorderNames());
}

void TSkinLabel::SetEdgeBorderNames(const QStringList& names)
{
    edgeBorders_ = setFromNames(names, edgeBorderNames(), "TEdgeBorder");
    update();
}

void TSkinLabel::SetBorderPen(const QPen& pen)
{
    borderPen_ = pen;
    update();
}

void TSkinLabel::shadowChanged()
{
    adjustBounds();
    update();
}

int TSkinLabel::textFlags() const
{
    return alignmentFlags(alignment_) | layoutFlags(layout_) | (wordWrap_ ? Qt::TextWordWrap : 0);
}

QSize TSkinLabel::textExtent() const
{
    // An empty caption is measured as one blank so the label keeps a line's height.
    const QString text = caption_.isEmpty() ? QStringLiteral(" ") : caption_;
    const int extra = shadowExtra(shadow_);
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
    const QSize size = textExtent();
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
        measured_.clear(); // sizes in the old font are of no use again
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
    if (!transparent_ && !wallpaper_.paint(painter, r))
        painter.fillRect(r, color_);
    painter.setFont(font());
    const QString text = caption_;
    const int extra = shadowExtra(shadow_);
    // The layout rectangle leaves room for the shadow copy on the far sides.
    const QRect layout = r.adjusted(0, 0, -extra, -extra);
    drawShadowText(painter, layout, textFlags(), text, windowText(this), shadow_, isEnabled(), palette());
    drawEdgeBorders(painter, r, QColor(), edgeBorders_, borderPen_);
}
