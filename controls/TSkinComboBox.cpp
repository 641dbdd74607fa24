#include "controls/TSkinComboBox.h"

#include "core/Errors.h"

#include <QAbstractItemView>
#include <QListView>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include <algorithm>

using namespace lirasto::skin;

// Hands every list row to the combo box's own item painter.
class TSkinItemDelegate : public QStyledItemDelegate
{
public:
    explicit TSkinItemDelegate(TSkinComboBox* combo) : QStyledItemDelegate(combo), combo_(combo) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        combo_->PaintItem(*painter, option.rect, index.data(Qt::DisplayRole).toString(), selected);
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        const QString text = index.data(Qt::DisplayRole).toString();
        const int width = std::max(combo_->fontMetrics().horizontalAdvance(text),
                                   QFontMetrics(combo_->SelFont()).horizontalAdvance(text)) +
                          4 + ShadowExtra(combo_->ShadowStyle());
        return QSize(width, combo_->ItemHeight());
    }

private:
    TSkinComboBox* combo_;
};

TSkinComboBox::TSkinComboBox(QWidget* parent)
    : QComboBox(parent), TSkinWallpapered(this,
                                          [this] {
                                              update();
                                              if (delegate_)
                                                  QComboBox::view()->viewport()->update();
                                          }),
      TSkinShadowed(this)
{
    shadow_.Color = ButtonHighlight(palette());
    color_ = palette().color(QPalette::Base);
    selColor_ = palette().color(QPalette::Highlight);
    selFontColor_ = palette().color(QPalette::HighlightedText);
    selFont_ = font();
    // The list itself is made when it is first needed: a window holds many of these boxes and
    // making every list with the box doubled their cost before the window could first show.
    setMaxVisibleItems(8);
    connect(this, &QComboBox::activated, this, [this](int) {
        if (OnChange)
            OnChange(this);
    });
}

TSkinComboBox::~TSkinComboBox() = default;

QAbstractItemView* TSkinComboBox::view() const
{
    if (!delegate_) {
        auto* self = const_cast<TSkinComboBox*>(this);
        self->delegate_ = new TSkinItemDelegate(self);
        self->setItemDelegate(delegate_);
        // The list is as wide as ListBoxWidth; wider items scroll sideways instead of widening it.
        QAbstractItemView* list = QComboBox::view();
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        if (auto* listView = qobject_cast<QListView*>(list))
            listView->setUniformItemSizes(false);
    }
    return QComboBox::view();
}

bool TSkinComboBox::PopupShown() const
{
    return delegate_ && QComboBox::view()->isVisible();
}

QStringList TSkinComboBox::OptionNames() const
{
    return NamesFromSet(options_, SkinOptionNames());
}

void TSkinComboBox::SetOptionNames(const QStringList& names)
{
    options_ = SetFromNames(names, SkinOptionNames(), "TSkinOption");
    update();
}

void TSkinComboBox::SetListBoxWidth(int width)
{
    listBoxWidth_ = std::max(0, width);
}

void TSkinComboBox::SetDropDownCount(int rows)
{
    setMaxVisibleItems(std::max(1, rows));
}

void TSkinComboBox::SetItemHeight(int height)
{
    itemHeight_ = std::max(1, height);
    if (delegate_)
        QComboBox::view()->doItemsLayout();
    update();
}

QString TSkinComboBox::StyleName() const
{
    return ComboBoxStyleNames()[style_];
}

void TSkinComboBox::SetStyleName(const QString& name)
{
    style_ = TComboBoxStyle(OrdinalFromName(name, ComboBoxStyleNames(), "TComboBoxStyle"));
    // Only the styles with an edit field let the user type.
    setEditable(style_ == csDropDown || style_ == csSimple);
}

QString TSkinComboBox::ExtendedStyleName() const
{
    return SkinControlStyleNames()[extendedStyle_];
}

void TSkinComboBox::SetExtendedStyleName(const QString& name)
{
    extendedStyle_ = TSkinControlStyle(OrdinalFromName(name, SkinControlStyleNames(), "TSkinControlStyle"));
}

void TSkinComboBox::SetSelFont(const QFont& font)
{
    selFont_ = font;
    update();
}

QColor TSkinComboBox::SelFontColor() const
{
    return selFontColor_;
}

void TSkinComboBox::SetSelFontColor(const QColor& color)
{
    selFontColor_ = color;
    update();
}

QColor TSkinComboBox::SelColor() const
{
    return selColor_;
}

void TSkinComboBox::SetSelColor(const QColor& color)
{
    selColor_ = color;
    update();
}

QString TSkinComboBox::AlignmentName() const
{
    return AlignmentNames()[alignment_];
}

void TSkinComboBox::SetAlignmentName(const QString& name)
{
    alignment_ = TAlignment(OrdinalFromName(name, AlignmentNames(), "TAlignment"));
}

QStringList TSkinComboBox::EdgeBorderNames() const
{
    return NamesFromSet(edgeBorders_, lirasto::skin::EdgeBorderNames());
}

void TSkinComboBox::SetEdgeBorderNames(const QStringList& names)
{
    edgeBorders_ = SetFromNames(names, lirasto::skin::EdgeBorderNames(), "TEdgeBorder");
    update();
}

void TSkinComboBox::SetBordersTrColor(const QColor& color)
{
    bordersTrColor_ = color;
    update();
}

void TSkinComboBox::PaintItem(QPainter& painter, const QRect& r, const QString& text, bool selected) const
{
    painter.save();
    QColor textColor = WindowText(this);
    if (selected) {
        painter.setFont(selFont_);
        painter.fillRect(r, selColor_);
        textColor = selFontColor_;
    } else {
        painter.setFont(font());
        bool painted = false;
        if (HasFlag(options_, ocPaintWallpaper)) {
            painter.setClipRect(r);
            painted = wallpaper_.Paint(painter, r);
        }
        if (!painted)
            painter.fillRect(r, color_);
    }
    const QRect textRect = r.adjusted(4, 0, 0, 0);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    if (selected && isEnabled()) {
        // The highlight copy of the caption would land beside the light selected text and
        // smear it, so the selected row writes its text once, in the selection's own colours.
        painter.setPen(textColor);
        painter.drawText(textRect, flags, text);
    } else {
        DrawShadowText(painter, textRect, flags, text, textColor, shadow_, isEnabled(), palette());
    }
    painter.restore();
}

int TSkinComboBox::HorizontalExtent() const
{
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, fontMetrics().horizontalAdvance(itemText(i)) + 4 + ShadowExtra(shadow_));
    return widest > listBoxWidth_ ? widest : 0;
}

void TSkinComboBox::showPopup()
{
    view();
    QComboBox::showPopup();
    QWidget* popup = view()->window();
    if (!popup || popup == window())
        return;
    const int listWidth = listBoxWidth_ > 0 ? listBoxWidth_ : width();
    const QPoint origin = mapToGlobal(QPoint(0, 0));
    int left = origin.x();
    if (alignment_ == taRightJustify)
        left = origin.x() + width() - listWidth;
    else if (alignment_ == taCenter)
        left = origin.x() + (width() - listWidth) / 2;
    QRect g = popup->geometry();
    g.setLeft(left);
    g.setWidth(listWidth);
    popup->setGeometry(g);
}

void TSkinComboBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QString current = option.currentText;
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (!isEditable())
        PaintItem(painter, field, current, hasFocus() && !PopupShown());
    if (bordersTrColor_.isValid() || edgeBorders_)
        DrawEdgeBorders(painter, rect(), bordersTrColor_, edgeBorders_, QPen(Qt::black, 1));
}
