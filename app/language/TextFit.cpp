#include "app/language/TextFit.h"

#include "app/language/Language.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QVariant>
#include <QWidget>
#include <algorithm>

namespace {

// The room a control's frame takes beside its text: a tick's box, a button's edges, a group's corner.
int frameWidth(const QWidget* widget)
{
    if (widget->inherits("TSkinCheckBox"))
        return 20;
    if (widget->inherits("TSkinBtn"))
        return 4;
    if (widget->inherits("TSkinGroupBox"))
        return 16;
    return 0;
}

// A single-line caption: labels that wrap, memos and the scrolling line have room of their own.
bool fitsOnOneLine(const QWidget* widget)
{
    return widget->property("Caption").isValid() && !widget->property("WordWrap").toBool() &&
           !widget->property("Lines").isValid() && !widget->inherits("TSkinPanel") && !widget->inherits("TTabSheet");
}

// Where the control's row ends: its parent's edge or the nearest neighbour to its right.
int rightLimit(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget();
    int limit = parent->width();
    const QRect here = widget->geometry();
    for (const QWidget* other : parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (other != widget && other->isVisibleTo(parent) && other->x() >= here.x() + 1 &&
            other->geometry().top() < here.bottom() && other->geometry().bottom() > here.top())
            limit = std::min(limit, other->x() - 2);
    return limit;
}

// A drop-down list's items are shown in its face and in the list alike: the widest sets the size.
void fitChoices(QComboBox* box)
{
    constexpr int kArrowAndMargins = 24;
    const auto widest = [box] {
        const QFontMetrics metrics(box->font());
        int width = 0;
        for (int i = 0; i < box->count(); ++i)
            width = std::max(width, metrics.horizontalAdvance(box->itemText(i)));
        return width + kArrowAndMargins;
    };
    QFont font = box->font();
    const int size = QFontInfo(font).pixelSize();
    for (int smaller = size - 1; smaller >= size * 7 / 10 && widest() > box->width(); --smaller) {
        font.setPixelSize(smaller);
        box->setFont(font);
        box->setProperty("SelFont", font);
    }
}

} // namespace

void FitText(QWidget* widget)
{
    if (auto* box = qobject_cast<QComboBox*>(widget)) {
        fitChoices(box);
        return;
    }
    const QStringList lines = widget->property("Caption").toString().split(QLatin1Char('\n'));
    const auto needed = [&] {
        const QFontMetrics metrics(widget->font());
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
        return widest + frameWidth(widget);
    };
    // Lines under each other must also keep within the control's height.
    const auto tooHigh = [&] {
        return lines.size() > 1 && QFontMetrics(widget->font()).lineSpacing() * lines.size() > widget->height();
    };
    const bool autoSize = widget->property("AutoSize").toBool();
    const int room = rightLimit(widget) - widget->x();
    if (!autoSize && needed() > widget->width() && room > widget->width())
        widget->resize(std::min(room, needed()), widget->height());
    const int limit = autoSize ? room : widget->width();
    // A label that sizes itself is measured as it is, with its shadow.
    const auto used = [&] { return autoSize ? widget->width() : needed(); };
    if (used() <= limit && !tooHigh())
        return;
    QFont font = widget->font();
    const int size = QFontInfo(font).pixelSize();
    for (int smaller = size - 1; smaller >= size * 7 / 10 && (used() > limit || tooHigh()); --smaller) {
        font.setPixelSize(smaller);
        widget->setFont(font);
    }
}

void FitTexts(QWidget* root)
{
    // The design is laid out for its English, which fits as it is.
    if (ShownLanguage() == QLatin1String("en"))
        return;
    for (QWidget* widget : root->findChildren<QWidget*>())
        if ((fitsOnOneLine(widget) && !widget->property("Caption").toString().isEmpty()) ||
            qobject_cast<QComboBox*>(widget))
            FitText(widget);
}

int FittingPixelSize(QFont font, const QString& text, int width, int largest)
{
    int size = largest;
    for (; size > largest * 7 / 10; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(text) <= width)
            break;
    }
    return size;
}
