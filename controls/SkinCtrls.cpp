#include "controls/SkinCtrls.h"

#include "core/Errors.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QListView>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QTextBlock>
#include <QTextCursor>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <system_error>

using namespace lirasto::skin;

namespace {

int alignmentFlags(TAlignment alignment)
{
    switch (alignment) {
    case taLeftJustify:
        return Qt::AlignLeft;
    case taRightJustify:
        return Qt::AlignRight;
    case taCenter:
        return Qt::AlignHCenter;
    }
    return Qt::AlignLeft;
}

int layoutFlags(TTextLayout layout)
{
    switch (layout) {
    case tlTop:
        return Qt::AlignTop;
    case tlCenter:
        return Qt::AlignVCenter;
    case tlBottom:
        return Qt::AlignBottom;
    }
    return Qt::AlignTop;
}

QColor windowText(const QWidget* widget)
{
    return widget->palette().color(QPalette::WindowText);
}

const QStringList& alignNames()
{
    static const QStringList names{"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"};
    return names;
}

// The extra room a caption needs for its highlight copy.
int shadowExtra(const ShadowStyle& style)
{
    return style.simpleView ? 0 : std::max(0, style.size);
}

} // namespace

// ---- TSkinImages

TSkinImages::TSkinImages(QObject* parent) : QObject(parent) {}

TSkinImages::~TSkinImages()
{
    const std::vector<TSkinChangeLink*> links = std::move(links_);
    links_.clear();
    for (TSkinChangeLink* link : links) {
        if (link->OnStoreDestroyed)
            link->OnStoreDestroyed();
    }
}

int TSkinImages::addPicture(const std::string& className, std::span<const uint8_t> bytes)
{
    items_.push_back({});
    const int index = count() - 1;
    setPicture(index, className, bytes);
    return index;
}

int TSkinImages::addPictureData(std::span<const uint8_t> blob)
{
    const PictureData picture = parsePictureData(blob);
    return addPicture(picture.className, picture.bytes);
}

int TSkinImages::addPictureData(const QByteArray& blob)
{
    return addPictureData(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(blob.constData()),
                                                   static_cast<std::size_t>(blob.size())));
}

void TSkinImages::setPicture(int index, const std::string& className, std::span<const uint8_t> bytes)
{
    checkIndex(index);
    TImageItem& item = items_[static_cast<std::size_t>(index)];
    // The worker reads the bytes being replaced.
    settle(item);
    item.className = className;
    item.bytes.assign(bytes.begin(), bytes.end());
    item.bitmap = QImage();
    // Decoded once, so painting never decodes. The worker reads the item's own copy of the bytes,
    // whose buffer stays put when the item list grows.
    if (className == "TJPEGImage") {
        const std::span<const uint8_t> data(item.bytes);
        try {
            item.decoding = std::async(std::launch::async, [data] { return decodeJpeg(data); });
        } catch (const std::system_error&) {
            item.bitmap = decodeJpeg(data); // no thread to be had: decode here
        }
    }
    Change();
}

void TSkinImages::clear()
{
    items_.clear();
    Change();
}

const QImage* TSkinImages::itemBitmap(int index) const
{
    const TImageItem& entry = item(index);
    return entry.bitmap.isNull() ? nullptr : &entry.bitmap;
}

const TSkinImages::TImageItem& TSkinImages::item(int index) const
{
    checkIndex(index);
    const TImageItem& entry = items_[static_cast<std::size_t>(index)];
    settle(entry);
    return entry;
}

void TSkinImages::settle(const TImageItem& item)
{
    if (item.decoding.valid())
        item.bitmap = item.decoding.get();
}

void TSkinImages::checkIndex(int index) const
{
    if (index < 0 || index >= count())
        throw lirasto::EListError(lirasto::listIndexMessage(index));
}

void TSkinImages::RegisterChanges(TSkinChangeLink* link)
{
    if (link && std::find(links_.begin(), links_.end(), link) == links_.end())
        links_.push_back(link);
}

void TSkinImages::UnRegisterChanges(TSkinChangeLink* link)
{
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

void TSkinImages::Change()
{
    // A control may unregister while being told; walk a copy.
    const std::vector<TSkinChangeLink*> links = links_;
    for (TSkinChangeLink* link : links) {
        if (link->OnChange)
            link->OnChange();
    }
}

// ---- SkinWallpaper

SkinWallpaper::SkinWallpaper(QWidget* owner, std::function<void()> repaint)
    : owner_(owner), repaint_(repaint ? std::move(repaint) : std::function<void()>([owner] { owner->update(); }))
{
    link_.OnChange = [this] { repaint_(); };
    link_.OnStoreDestroyed = [this] {
        images_ = nullptr;
        repaint_();
    };
}

SkinWallpaper::~SkinWallpaper()
{
    if (images_)
        images_->UnRegisterChanges(&link_);
}

void SkinWallpaper::setImages(TSkinImages* images)
{
    if (images == images_)
        return;
    if (images_)
        images_->UnRegisterChanges(&link_);
    images_ = images;
    if (images_)
        images_->RegisterChanges(&link_);
    repaint_();
}

void SkinWallpaper::setImagesObject(QObject* object)
{
    auto* images = qobject_cast<TSkinImages*>(object);
    if (object && !images)
        throw lirasto::EConvertError("'" + object->objectName().toStdString() + "' is not a TSkinImages");
    setImages(images);
}

void SkinWallpaper::setIndex(int index)
{
    if (index == index_)
        return;
    index_ = index;
    repaint_();
}

void SkinWallpaper::setOwn(const QImage& picture)
{
    own_ = picture;
    repaint_();
}

void SkinWallpaper::setStretched(bool stretched)
{
    if (stretched == stretched_)
        return;
    stretched_ = stretched;
    repaint_();
}

const QImage* SkinWallpaper::current() const
{
    const QImage* storeItem = nullptr;
    if (images_ && index_ >= 0 && index_ < images_->count())
        storeItem = images_->itemBitmap(index_);
    return selectWallpaper(storeItem, own_);
}

bool SkinWallpaper::paint(QPainter& painter, const QRect& area, QPoint origin) const
{
    const QImage* picture = current();
    if (!picture)
        return false;
    if (stretched_)
        tileWallpaper(painter, QRect(origin, owner_->size()), *picture, true, origin);
    else
        tileWallpaper(painter, area, *picture, false, origin);
    return true;
}

// ---- TSkinPanel

TSkinPanel::TSkinPanel(QWidget* parent) : QWidget(parent), wallpaper_(this)
{
    shadow_.color = buttonHighlight(palette());
    color_ = buttonFace(palette());
    updateOpaque();
}

TSkinPanel::~TSkinPanel()
{
    if (followed_)
        followed_->removeEventFilter(this);
}

void TSkinPanel::SetWallpaper(const QImage& picture)
{
    transparent_ = false;
    updateOpaque();
    wallpaper_.setOwn(picture);
}

void TSkinPanel::SetColor(const QColor& color)
{
    color_ = color;
    update();
}

void TSkinPanel::SetTransparent(bool on)
{
    if (on == transparent_)
        return;
    transparent_ = on;
    updateOpaque();
    update();
}

void TSkinPanel::SetTransparencyLevel(int level)
{
    if (level == transparencyLevel_)
        return;
    transparencyLevel_ = level;
    update();
}

void TSkinPanel::updateOpaque()
{
    // The panel paints every pixel itself unless it shows what lies beneath.
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent_);
    setAutoFillBackground(false);
}

void TSkinPanel::SetAlign(const QString& align)
{
    ordinalFromName(align, alignNames(), "TAlign");
    align_ = align;
    followParent();
}

void TSkinPanel::followParent()
{
    QWidget* target = align_ == "alClient" ? parentWidget() : nullptr;
    if (followed_ != target) {
        if (followed_)
            followed_->removeEventFilter(this);
        followed_ = target;
        if (followed_)
            followed_->installEventFilter(this);
    }
    if (followed_)
        setGeometry(followed_->rect());
}

bool TSkinPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == followed_ && event->type() == QEvent::Resize)
        setGeometry(followed_->rect());
    return QWidget::eventFilter(watched, event);
}

bool TSkinPanel::event(QEvent* event)
{
    if (event->type() == QEvent::ParentChange)
        followParent();
    return QWidget::event(event);
}

void TSkinPanel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange ||
        event->type() == QEvent::PaletteChange)
        update();
    QWidget::changeEvent(event);
}

void TSkinPanel::SetCaption(const QString& caption)
{
    caption_ = caption;
    update();
}

QString TSkinPanel::AlignmentName() const
{
    return alignmentNames()[alignment_];
}

void TSkinPanel::SetAlignmentName(const QString& name)
{
    alignment_ = TAlignment(ordinalFromName(name, alignmentNames(), "TAlignment"));
    update();
}

QString TSkinPanel::BevelOuterName() const
{
    return panelBevelNames()[bevelOuter_];
}

void TSkinPanel::SetBevelOuterName(const QString& name)
{
    bevelOuter_ = TPanelBevel(ordinalFromName(name, panelBevelNames(), "TPanelBevel"));
    update();
}

QString TSkinPanel::BevelInnerName() const
{
    return panelBevelNames()[bevelInner_];
}

void TSkinPanel::SetBevelInnerName(const QString& name)
{
    bevelInner_ = TPanelBevel(ordinalFromName(name, panelBevelNames(), "TPanelBevel"));
    update();
}

void TSkinPanel::SetBevelWidth(int width)
{
    bevelWidth_ = std::max(1, width);
    update();
}

void TSkinPanel::SetBorderWidth(int width)
{
    borderWidth_ = std::max(0, width);
    update();
}

void TSkinPanel::SetInactiveFontColor(const QColor& color)
{
    inactiveFontColor_ = color;
    update();
}

void TSkinPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRect r = rect();
    if (transparent_)
        paintParentBackground(this, painter, transparencyLevel_);
    else if (!wallpaper_.paint(painter, r))
        painter.fillRect(r, color_);

    const QPalette& pal = palette();
    auto bevel = [&](TPanelBevel kind) {
        if (kind == bvNone)
            return;
        const bool raised = kind == bvRaised;
        drawFrame3D(painter, r, raised ? buttonHighlight(pal) : buttonShadow(pal),
                    raised ? buttonShadow(pal) : buttonHighlight(pal), bevelWidth_);
    };
    bevel(bevelOuter_);
    drawFrame3D(painter, r, color_, color_, borderWidth_);
    bevel(bevelInner_);

    if (!caption_.isEmpty()) {
        painter.setFont(font());
        drawShadowText(painter, r, alignmentFlags(alignment_) | Qt::AlignVCenter | Qt::TextSingleLine, caption_,
                       windowText(this), shadow_, isEnabled(), pal);
    }
}

// ---- TSkinLabel

TSkinLabel::TSkinLabel(QWidget* parent) : QWidget(parent), wallpaper_(this)
{
    shadow_.color = buttonHighlight(palette());
    color_ = buttonFace(palette());
    // Like a windowless label, it shows its parent's surface wherever it paints nothing.
    setAutoFillBackground(false);
    adjustBounds();
}

void TSkinLabel::SetWallpaper(const QImage& picture)
{
    wallpaper_.setOwn(picture);
}

void TSkinLabel::SetColor(const QColor& color)
{
    color_ = color;
    update();
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
    const QRect bounds(0, 0, wordWrap_ ? std::max(1, width() - extra) : 0x7FFFFF, 0x7FFFFF);
    QSize size = fontMetrics()
                     .boundingRect(bounds, Qt::AlignLeft | Qt::AlignTop | (wordWrap_ ? Qt::TextWordWrap : 0), text)
                     .size();
    size.setHeight(std::max(size.height(), fontMetrics().height()));
    return size + QSize(extra, extra);
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
    if (event->type() == QEvent::FontChange)
        adjustBounds();
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

// ---- TSkinBtn

TSkinBtn::TSkinBtn(QWidget* parent) : QPushButton(parent), wallpaper_(this)
{
    shadow_.color = buttonHighlight(palette());
    color_ = buttonFace(palette());
    colorStart_ = buttonFace(palette());
    colorEnd_ = buttonShadow(palette());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_Hover);
}

void TSkinBtn::SetWallpaper(const QImage& picture)
{
    wallpaper_.setOwn(picture);
}

void TSkinBtn::SetColor(const QColor& color)
{
    color_ = color;
    update();
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

// ---- TSkinComboBox

// Hands every list row to the combo box's own item painter.
class SkinItemDelegate : public QStyledItemDelegate
{
public:
    explicit SkinItemDelegate(TSkinComboBox* combo) : QStyledItemDelegate(combo), combo_(combo) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        combo_->paintItem(*painter, option.rect, index.data(Qt::DisplayRole).toString(), selected);
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        const QString text = index.data(Qt::DisplayRole).toString();
        const int width = std::max(combo_->fontMetrics().horizontalAdvance(text),
                                   QFontMetrics(combo_->SelFont()).horizontalAdvance(text)) +
                          4 + shadowExtra(combo_->shadowStyle());
        return QSize(width, combo_->ItemHeight());
    }

private:
    TSkinComboBox* combo_;
};

TSkinComboBox::TSkinComboBox(QWidget* parent)
    : QComboBox(parent), wallpaper_(this, [this] {
          update();
          view()->viewport()->update();
      })
{
    shadow_.color = buttonHighlight(palette());
    color_ = palette().color(QPalette::Base);
    selColor_ = palette().color(QPalette::Highlight);
    selFontColor_ = palette().color(QPalette::HighlightedText);
    selFont_ = font();
    delegate_ = new SkinItemDelegate(this);
    setItemDelegate(delegate_);
    // The list is as wide as ListBoxWidth; wider items scroll sideways instead of widening it.
    view()->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    if (auto* list = qobject_cast<QListView*>(view()))
        list->setUniformItemSizes(false);
    setMaxVisibleItems(8);
    connect(this, &QComboBox::activated, this, [this](int) {
        if (OnChange)
            OnChange(this);
    });
}

TSkinComboBox::~TSkinComboBox() = default;

void TSkinComboBox::SetWallpaper(const QImage& picture)
{
    wallpaper_.setOwn(picture);
}

QColor TSkinComboBox::Color() const
{
    return color_;
}

void TSkinComboBox::SetColor(const QColor& color)
{
    color_ = color;
    update();
    view()->viewport()->update();
}

QStringList TSkinComboBox::OptionNames() const
{
    return namesFromSet(options_, skinOptionNames());
}

void TSkinComboBox::SetOptionNames(const QStringList& names)
{
    options_ = setFromNames(names, skinOptionNames(), "TSkinOption");
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
    view()->doItemsLayout();
    update();
}

QString TSkinComboBox::StyleName() const
{
    return comboBoxStyleNames()[style_];
}

void TSkinComboBox::SetStyleName(const QString& name)
{
    style_ = TComboBoxStyle(ordinalFromName(name, comboBoxStyleNames(), "TComboBoxStyle"));
    // Only the styles with an edit field let the user type.
    setEditable(style_ == csDropDown || style_ == csSimple);
}

QString TSkinComboBox::ExtendedStyleName() const
{
    return skinControlStyleNames()[extendedStyle_];
}

void TSkinComboBox::SetExtendedStyleName(const QString& name)
{
    extendedStyle_ = TSkinControlStyle(ordinalFromName(name, skinControlStyleNames(), "TSkinControlStyle"));
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
    return alignmentNames()[alignment_];
}

void TSkinComboBox::SetAlignmentName(const QString& name)
{
    alignment_ = TAlignment(ordinalFromName(name, alignmentNames(), "TAlignment"));
}

QStringList TSkinComboBox::EdgeBorderNames() const
{
    return namesFromSet(edgeBorders_, edgeBorderNames());
}

void TSkinComboBox::SetEdgeBorderNames(const QStringList& names)
{
    edgeBorders_ = setFromNames(names, edgeBorderNames(), "TEdgeBorder");
    update();
}

void TSkinComboBox::SetBordersTrColor(const QColor& color)
{
    bordersTrColor_ = color;
    update();
}

void TSkinComboBox::paintItem(QPainter& painter, const QRect& r, const QString& text, bool selected) const
{
    painter.save();
    QColor textColor = windowText(this);
    if (selected) {
        painter.setFont(selFont_);
        painter.fillRect(r, selColor_);
        textColor = selFontColor_;
    } else {
        painter.setFont(font());
        bool painted = false;
        if (hasFlag(options_, ocPaintWallpaper)) {
            painter.setClipRect(r);
            painted = wallpaper_.paint(painter, r);
        }
        if (!painted)
            painter.fillRect(r, color_);
    }
    drawShadowText(painter, r.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text,
                   textColor, shadow_, isEnabled(), palette());
    painter.restore();
}

int TSkinComboBox::horizontalExtent() const
{
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, fontMetrics().horizontalAdvance(itemText(i)) + 4 + shadowExtra(shadow_));
    return widest > listBoxWidth_ ? widest : 0;
}

void TSkinComboBox::showPopup()
{
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
        paintItem(painter, field, current, hasFocus() && !view()->isVisible());
    if (bordersTrColor_.isValid() || edgeBorders_)
        drawEdgeBorders(painter, rect(), bordersTrColor_, edgeBorders_, QPen(Qt::black, 1));
}

// ---- TSkinGroupBox

TSkinGroupBox::TSkinGroupBox(QWidget* parent) : QGroupBox(parent), wallpaper_(this)
{
    shadow_.color = buttonHighlight(palette());
    color_ = buttonFace(palette());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TSkinGroupBox::SetWallpaper(const QImage& picture)
{
    wallpaper_.setOwn(picture);
}

void TSkinGroupBox::SetColor(const QColor& color)
{
    color_ = color;
    update();
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

QRect TSkinGroupBox::captionRect() const
{
    const QFontMetrics metrics = fontMetrics();
    return QRect(8, 0, metrics.horizontalAdvance(title()), metrics.height());
}

void TSkinGroupBox::paintBackground(QPainter& painter, const QRect& area)
{
    painter.save();
    painter.setClipRect(area);
    if (transparent_)
        paintParentBackground(this, painter, transparencyLevel_);
    else if (!wallpaper_.paint(painter, area))
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
        frameRect(frame, buttonHighlight(pal));
        frame.translate(-1, -1);
        frameRect(frame, buttonShadow(pal));
    } else {
        frameRect(frame, windowFrame(pal));
    }
    if (title().isEmpty())
        return;
    const QRect caption = captionRect();
    paintBackground(painter, caption.adjusted(0, 0, shadowExtra(shadow_), shadowExtra(shadow_)));
    painter.setFont(font());
    drawShadowText(painter, caption, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, title(),
                   windowText(this), shadow_, isEnabled(), pal);
}

// ---- TSkinMemo

TSkinMemo::TSkinMemo(QWidget* parent)
    : QTextEdit(parent), wallpaper_(this, [this] {
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
    wallpaper_.setOwn(picture);
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
    return namesFromSet(options_, skinOptionNames());
}

void TSkinMemo::SetOptionNames(const QStringList& names)
{
    SetOptions(setFromNames(names, skinOptionNames(), "TSkinOption"));
}

QStringList TSkinMemo::EdgeBorderNames() const
{
    return namesFromSet(edgeBorders_, edgeBorderNames());
}

void TSkinMemo::SetEdgeBorderNames(const QStringList& names)
{
    edgeBorders_ = setFromNames(names, edgeBorderNames(), "TEdgeBorder");
    update();
}

void TSkinMemo::SetBordersTrColor(const QColor& color)
{
    bordersTrColor_ = color;
    update();
}

QString TSkinMemo::TextAlignName() const
{
    return alignmentNames()[textAlign_];
}

void TSkinMemo::SetTextAlignName(const QString& name)
{
    textAlign_ = TAlignment(ordinalFromName(name, alignmentNames(), "TAlignment"));
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

int TSkinMemo::captionBarHeight() const
{
    return hasFlag(options_, ocNoCaption) ? 0 : fontMetrics().height() + 4;
}

void TSkinMemo::updateMargins()
{
    setViewportMargins(0, captionBarHeight(), 0, 0);
}

void TSkinMemo::applyAlignment()
{
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setAlignment(Qt::Alignment(alignmentFlags(textAlign_)));
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
    return hasFlag(options_, ocPaintTransparently) || (hasFlag(options_, ocPaintWallpaper) && wallpaper_.current());
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
    drawEdge3D(painter, edge, true, palette());
    const int bar = captionBarHeight();
    if (bar > 0) {
        const QRect barRect(frameWidth(), frameWidth(), width() - 2 * frameWidth(), bar);
        painter.fillRect(barRect, captionColor_.isValid() ? captionColor_ : palette().color(QPalette::Highlight));
        painter.setPen(captionTextColor_.isValid() ? captionTextColor_ : palette().color(QPalette::HighlightedText));
        painter.setFont(font());
        painter.drawText(barRect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, caption_);
    }
    drawEdgeBorders(painter, whole, bordersTrColor_, edgeBorders_, borderPen_);
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
        if (hasFlag(options_, ocPaintTransparently)) {
            painter.translate(memoOrigin);
            paintParentBackground(this, painter, transparencyLevel_);
        } else {
            wallpaper_.paint(painter, viewport()->rect(), memoOrigin);
        }
    }
    QTextEdit::paintEvent(event);
}

// ---- TSkinScrollingText

// Sleeps Interval milliseconds, asks the GUI thread for one step and waits until that step is
// done, so steps never pile up. Every wait also ends when the control stops it, so stopping
// never depends on the GUI thread taking a step.
class TSkinScrollingText::Worker : public QThread
{
public:
    explicit Worker(TSkinScrollingText* owner) : owner_(owner) {}

protected:
    void run() override
    {
        TSkinScrollingText* o = owner_;
        std::unique_lock lock(o->mutex_);
        loop(o, lock);
        // Said under the control's own mutex, so its destructor knows the worker is done with
        // the control before the thread object is joined.
        o->workerExited_ = true;
        o->wake_.notify_all();
    }

private:
    static void loop(TSkinScrollingText* o, std::unique_lock<std::mutex>& lock)
    {
        for (;;) {
            o->wake_.wait(lock, [o] { return o->stopping_ || o->running_; });
            if (o->stopping_)
                return;
            const auto pause = std::chrono::milliseconds(std::max(0, o->interval_.load()));
            if (o->wake_.wait_for(lock, pause, [o] { return o->stopping_; }))
                return;
            if (!o->running_)
                continue;
            o->stepPending_ = true;
            // Invoked by name: the posted call then carries no closure of ours across threads.
            QMetaObject::invokeMethod(o, "workerAsksForStep", Qt::QueuedConnection);
            o->wake_.wait(lock, [o] { return o->stopping_ || !o->stepPending_; });
            if (o->stopping_)
                return;
        }
    }

    TSkinScrollingText* owner_;
};

TSkinScrollingText::TSkinScrollingText(QWidget* parent) : QWidget(parent), wallpaper_(this)
{
    shadow_.color = buttonHighlight(palette());
    color_ = buttonFace(palette());
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(97, 15);
    resetPosition();
}

TSkinScrollingText::~TSkinScrollingText()
{
    stopThread();
}

void TSkinScrollingText::stopThread()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        running_ = false;
    }
    wake_.notify_all();
    if (thread_) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return workerExited_; });
        }
        thread_->wait();
        thread_.reset();
    }
    // A step the worker posted before stopping is dropped with this object's posted events.
}

void TSkinScrollingText::SetWallpaper(const QImage& picture)
{
    wallpaper_.setOwn(picture);
}

void TSkinScrollingText::SetColor(const QColor& color)
{
    color_ = color;
    update();
}

void TSkinScrollingText::SetActive(bool on)
{
    if (on == active_)
        return;
    active_ = on;
    configureTimer();
}

void TSkinScrollingText::SetInterval(int ms)
{
    interval_.store(std::max(1, ms));
    configureTimer();
}

void TSkinScrollingText::SetScrollDirection(TScrollDirection direction)
{
    direction_ = direction;
    resetPosition();
    update();
}

QString TSkinScrollingText::ScrollDirectionName() const
{
    return scrollDirectionNames()[direction_];
}

void TSkinScrollingText::SetScrollDirectionName(const QString& name)
{
    SetScrollDirection(TScrollDirection(ordinalFromName(name, scrollDirectionNames(), "TScrollDirection")));
}

void TSkinScrollingText::SetStrings(const QStringList& strings)
{
    strings_ = strings;
    update();
}

void TSkinScrollingText::SetTransparent(bool on)
{
    transparent_ = on;
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    if (on && Running())
        takeSnapshot();
    update();
}

QString TSkinScrollingText::AlignmentName() const
{
    return alignmentNames()[alignment_];
}

void TSkinScrollingText::SetAlignmentName(const QString& name)
{
    alignment_ = TAlignment(ordinalFromName(name, alignmentNames(), "TAlignment"));
    update();
}

void TSkinScrollingText::Loaded()
{
    resetPosition();
    configureTimer();
}

QString TSkinScrollingText::Text() const
{
    return strings_.join(QLatin1Char('\n')) + QLatin1Char(' ');
}

QSize TSkinScrollingText::TextSize() const
{
    const int extra = shadowExtra(shadow_);
    return fontMetrics().size(0, Text()) + QSize(extra, extra);
}

bool TSkinScrollingText::Running() const
{
    std::lock_guard lock(mutex_);
    return running_;
}

QPoint TSkinScrollingText::startPosition() const
{
    switch (direction_) {
    case sdRightToLeft:
        return QPoint(width(), 0);
    case sdLeftToRight:
        return QPoint(-width(), 0);
    case sdBottomToTop:
        return QPoint(0, height());
    case sdTopToBottom:
        return QPoint(0, -height());
    }
    return QPoint(width(), 0);
}

void TSkinScrollingText::resetPosition()
{
    position_ = startPosition();
    stepped_ = false;
}

void TSkinScrollingText::Step()
{
    if (!stepped_)
        position_ = startPosition();
    const QSize text = TextSize();
    bool restartAtZero = false;
    auto finished = [&] {
        if (OnTextScrolled)
            OnTextScrolled(this, restartAtZero);
    };
    switch (direction_) {
    case sdRightToLeft:
        if (position_.x() <= -text.width()) {
            finished();
            position_.setX(restartAtZero ? 0 : width());
        } else {
            position_.rx() -= 1;
        }
        break;
    case sdLeftToRight:
        if (position_.x() >= width()) {
            finished();
            position_.setX(restartAtZero ? 0 : -width());
        } else {
            position_.rx() += 1;
        }
        break;
    case sdBottomToTop:
        if (position_.y() <= -text.height()) {
            finished();
            position_.setY(restartAtZero ? 0 : height());
        } else {
            position_.ry() -= 1;
        }
        break;
    case sdTopToBottom:
        if (position_.y() >= height()) {
            finished();
            position_.setY(restartAtZero ? 0 : -height());
        } else {
            position_.ry() += 1;
        }
        break;
    }
    stepped_ = true;
    update();
}

void TSkinScrollingText::workerAsksForStep()
{
    bool run;
    {
        std::lock_guard lock(mutex_);
        run = running_;
    }
    if (run)
        Step();
    {
        std::lock_guard lock(mutex_);
        stepPending_ = false;
    }
    wake_.notify_all();
}

void TSkinScrollingText::configureTimer()
{
    // The credits line rests while its page is hidden, so the page in front costs no CPU.
    const bool run = active_ && isVisible();
    bool started = false;
    {
        std::lock_guard lock(mutex_);
        if (stopping_)
            return;
        started = run && !running_;
        running_ = run;
    }
    wake_.notify_all();
    if (started) {
        if (transparent_)
            takeSnapshot();
        if (!thread_) {
            thread_ = std::make_unique<Worker>(this);
            thread_->start(QThread::LowestPriority);
            if (!thread_->isRunning() && !thread_->isFinished()) {
                // The system refused a thread: the text stands still rather than waiting on a worker that never ran.
                std::lock_guard lock(mutex_);
                workerExited_ = true;
            }
        }
    }
}

void TSkinScrollingText::takeSnapshot()
{
    snapshot_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    snapshot_.fill(color_);
    QPainter painter(&snapshot_);
    paintParentBackground(this, painter, 0);
}

void TSkinScrollingText::compose(QImage& frame) const
{
    QPainter painter(&frame);
    const QRect r = frame.rect();
    if (transparent_ && !snapshot_.isNull())
        painter.drawImage(0, 0, snapshot_);
    if (!wallpaper_.paint(painter, r) && !transparent_)
        painter.fillRect(r, color_);
    painter.setFont(font());
    const QSize text = TextSize();
    const QRect textRect(Position(), text);
    drawShadowText(painter, textRect, alignmentFlags(alignment_) | Qt::AlignTop | Qt::TextDontClip, Text(),
                   windowText(this), shadow_, isEnabled(), palette());
}

void TSkinScrollingText::paintEvent(QPaintEvent*)
{
    // Each picture is composed off screen and copied onto the control in one operation.
    QImage frame(size(), QImage::Format_ARGB32_Premultiplied);
    frame.fill(color_);
    compose(frame);
    QPainter painter(this);
    painter.drawImage(0, 0, frame);
}

void TSkinScrollingText::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    configureTimer();
}

void TSkinScrollingText::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    configureTimer();
}

void TSkinScrollingText::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (transparent_ && Running())
        takeSnapshot();
}

void TSkinScrollingText::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(event);
}
