#include "controls/TSkinMemo.h"

#include "core/Errors.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

using namespace lirasto::skin;

TSkinMemo::TSkinMemo(QWidget* parent)
    : QTextEdit(parent), TSkinWallpapered(this, [this] {
          update();
          viewport()->update();
      })
{
    color_ = palette().color(QPalette::Base);
    // The two-pixel edge (the platform's sunken client edge) that the border lines paint over.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(2);
    setAcceptRichText(false);
    // Like the platform memo the window uses: lines wrap at the edge and no scroll bars show.
    setLineWrapMode(QTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    syncTextColor();
    updateMargins();
}

void TSkinMemo::SetWallpaper(const QImage& picture)
{
    wallpaper_.SetOwn(picture);
    viewport()->update();
}

void TSkinMemo::SetColor(const QColor& color)
{
    color_ = color;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, color);
    setPalette(pal);
    viewport()->update();
}

void TSkinMemo::SetCaption(const QString& caption)
{
    caption_ = caption;
    update();
}

void TSkinMemo::SetOptions(TSkinOptions options)
{
    options_ = options;
    updateMargins();
    update();
    viewport()->update();
}

QStringList TSkinMemo::OptionNames() const
{
    return NamesFromSet(options_, SkinOptionNames());
}

void TSkinMemo::SetOptionNames(const QStringList& names)
{
    SetOptions(SetFromNames(names, SkinOptionNames(), "TSkinOption"));
}

QStringList TSkinMemo::EdgeBorderNames() const
{
    return NamesFromSet(edgeBorders_, lirasto::skin::EdgeBorderNames());
}

void TSkinMemo::SetEdgeBorderNames(const QStringList& names)
{
    edgeBorders_ = SetFromNames(names, lirasto::skin::EdgeBorderNames(), "TEdgeBorder");
    update();
}

void TSkinMemo::SetBordersTrColor(const QColor& color)
{
    bordersTrColor_ = color;
    update();
}

QString TSkinMemo::TextAlignName() const
{
    return AlignmentNames()[textAlign_];
}

void TSkinMemo::SetTextAlignName(const QString& name)
{
    textAlign_ = TAlignment(OrdinalFromName(name, AlignmentNames(), "TAlignment"));
    applyAlignment();
}

void TSkinMemo::SetTransparencyLevel(int level)
{
    transparencyLevel_ = level;
    viewport()->update();
}

QStringList TSkinMemo::Lines() const
{
    return toPlainText().split(QLatin1Char('\n'));
}

void TSkinMemo::SetLines(const QStringList& lines)
{
    setPlainText(lines.join(QLatin1Char('\n')));
    applyAlignment();
}

void TSkinMemo::SetCaptionColor(const QColor& color)
{
    captionColor_ = color;
    update();
}

void TSkinMemo::SetCaptionTextColor(const QColor& color)
{
    captionTextColor_ = color;
    update();
}

int TSkinMemo::CaptionBarHeight() const
{
    return HasFlag(options_, ocNoCaption) ? 0 : fontMetrics().height() + 4;
}

void TSkinMemo::updateMargins()
{
    setViewportMargins(0, CaptionBarHeight(), 0, 0);
}

void TSkinMemo::applyAlignment()
{
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setAlignment(Qt::Alignment(AlignmentFlags(textAlign_)));
    cursor.mergeBlockFormat(format);
    document()->setModified(false);
}

void TSkinMemo::syncTextColor()
{
    // The edit box writes in the Text role; the design's font colour arrives as WindowText.
    if (syncingPalette_)
        return;
    syncingPalette_ = true;
    QPalette pal = palette();
    pal.setColor(QPalette::Text, pal.color(QPalette::WindowText));
    setPalette(pal);
    syncingPalette_ = false;
}

bool TSkinMemo::paintsBackground() const
{
    return HasFlag(options_, ocPaintTransparently) || (HasFlag(options_, ocPaintWallpaper) && wallpaper_.Current());
}

void TSkinMemo::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        syncTextColor();
    if (event->type() == QEvent::FontChange)
        updateMargins();
    QTextEdit::changeEvent(event);
}

void TSkinMemo::scrollContentsBy(int dx, int dy)
{
    // Scrolling by copying pixels would drag the wallpaper along with the text.
    if (paintsBackground())
        viewport()->update();
    else
        QTextEdit::scrollContentsBy(dx, dy);
}

bool TSkinMemo::event(QEvent* event)
{
    if (event->type() != QEvent::Paint)
        return QTextEdit::event(event);
    // The frame around the viewport: the caption bar, the sunken edge and the edge borders.
    QPainter painter(this);
    const QRect whole = rect();
    QRect edge = whole;
    DrawEdge3D(painter, edge, true, palette());
    const int bar = CaptionBarHeight();
    if (bar > 0) {
        const QRect barRect(frameWidth(), frameWidth(), width() - 2 * frameWidth(), bar);
        painter.fillRect(barRect, captionColor_.isValid() ? captionColor_ : palette().color(QPalette::Highlight));
        painter.setPen(captionTextColor_.isValid() ? captionTextColor_ : palette().color(QPalette::HighlightedText));
        painter.setFont(font());
        painter.drawText(barRect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, caption_);
    }
    DrawEdgeBorders(painter, whole, bordersTrColor_, edgeBorders_, borderPen_);
    return true;
}

void TSkinMemo::paintEvent(QPaintEvent* event)
{
    const bool background = paintsBackground();
    viewport()->setAutoFillBackground(!background);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent, background);
    if (background) {
        // Qt composes the whole viewport in its backing store and flushes it once, so the texture
        // and the text reach the screen together.
        QPainter painter(viewport());
        painter.setClipRegion(event->region());
        const QPoint memoOrigin = -viewport()->mapTo(this, QPoint(0, 0));
        if (HasFlag(options_, ocPaintTransparently)) {
            painter.translate(memoOrigin);
            PaintParentBackground(this, painter, transparencyLevel_);
        } else {
            wallpaper_.Paint(painter, viewport()->rect(), memoOrigin);
        }
    }
    QTextEdit::paintEvent(event);
}
