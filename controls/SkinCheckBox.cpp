#include "controls/SkinCheckBox.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kBoxSize = 13;
constexpr int kGap = 6;

} // namespace

TSkinCheckBox::TSkinCheckBox(QWidget* parent) : QAbstractButton(parent)
{
    setCheckable(true);
    setFocusPolicy(Qt::TabFocus);
}

void TSkinCheckBox::SetRadioItem(bool on)
{
    radio_ = on;
    setAutoExclusive(on);
    update();
}

QSize TSkinCheckBox::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {kBoxSize + kGap + metrics.horizontalAdvance(text()) + 2, std::max(kBoxSize, metrics.height()) + 2};
}

void TSkinCheckBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF box(0.5, (height() - kBoxSize) / 2 + 0.5, kBoxSize - 1, kBoxSize - 1);
    painter.setPen(QPen(QColor(64, 64, 64), 1));
    painter.setBrush(isEnabled() ? Qt::white : QColor(212, 208, 200));
    if (radio_)
        painter.drawEllipse(box);
    else
        painter.drawRect(box);
    if (isChecked()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0));
        if (radio_) {
            painter.drawEllipse(box.adjusted(3.5, 3.5, -3.5, -3.5));
        } else {
            QPainterPath tick;
            tick.moveTo(box.left() + 2.5, box.center().y());
            tick.lineTo(box.left() + 5, box.bottom() - 2.5);
            tick.lineTo(box.right() - 2, box.top() + 2.5);
            painter.strokePath(tick, QPen(Qt::black, 2));
        }
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(kBoxSize + kGap - 2 + 0.5, 0.5, width() - kBoxSize - kGap + 1, height() - 1));
    }
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(QRect(kBoxSize + kGap, 0, width() - kBoxSize - kGap, height()), Qt::AlignLeft | Qt::AlignVCenter,
                     text());
}
