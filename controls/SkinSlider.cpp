#include "controls/SkinSlider.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace {

constexpr int kKnobWidth = 9;
constexpr int kKnobHeight = 17;
constexpr int kGrooveHeight = 5;

} // namespace

TSkinSlider::TSkinSlider(QWidget* parent) : QAbstractSlider(parent)
{
    setOrientation(Qt::Horizontal);
    setFocusPolicy(Qt::StrongFocus);
}

QSize TSkinSlider::sizeHint() const
{
    return {160, kKnobHeight + 2};
}

int TSkinSlider::valueAt(int x) const
{
    const int span = std::max(1, width() - kKnobWidth);
    return QStyle::sliderValueFromPosition(minimum(), maximum(), std::clamp(x - kKnobWidth / 2, 0, span), span);
}

void TSkinSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    setSliderDown(true);
    setSliderPosition(valueAt(event->position().toPoint().x()));
}

void TSkinSlider::mouseMoveEvent(QMouseEvent* event)
{
    if (isSliderDown())
        setSliderPosition(valueAt(event->position().toPoint().x()));
}

void TSkinSlider::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && isSliderDown())
        setSliderDown(false);
}

void TSkinSlider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const int span = std::max(1, width() - kKnobWidth);
    const int knobLeft = QStyle::sliderPositionFromValue(minimum(), maximum(), sliderPosition(), span);
    const double middle = height() / 2.0;

    // The groove in the colours of the ticks beside it: white in a grey frame, dark up to the knob.
    const QRectF groove(kKnobWidth / 2.0, middle - kGrooveHeight / 2.0, span, kGrooveHeight);
    painter.setPen(QPen(QColor(64, 64, 64), 1));
    painter.setBrush(isEnabled() ? Qt::white : QColor(212, 208, 200));
    painter.drawRoundedRect(groove, 2, 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(isEnabled() ? QColor(72, 44, 20) : QColor(128, 128, 128));
    painter.drawRoundedRect(QRectF(groove.left() + 1, groove.top() + 1, knobLeft, groove.height() - 2), 1.5, 1.5);

    const QRectF knob(knobLeft + 0.5, middle - kKnobHeight / 2.0 + 0.5, kKnobWidth - 1, kKnobHeight - 1);
    painter.setPen(QPen(QColor(64, 64, 64), 1));
    painter.setBrush(isSliderDown() ? QColor(212, 208, 200) : QColor(240, 236, 226));
    painter.drawRoundedRect(knob, 2, 2);
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    painter.drawLine(QPointF(knob.center().x(), knob.top() + 4), QPointF(knob.center().x(), knob.bottom() - 4));

    if (hasFocus()) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}
