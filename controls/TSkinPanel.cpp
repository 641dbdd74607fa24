#include "controls/TSkinPanel.h"

#include "core/Errors.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

using namespace lirasto::skin;

namespace {

const QStringList& alignNames()
{
    static const QStringList names{"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"};
    return names;
}

} // namespace

TSkinPanel::TSkinPanel(QWidget* parent) : QWidget(parent), TSkinWallpapered(this), TSkinShadowed(this)
{
    shadow_.Color = ButtonHighlight(palette());
    color_ = ButtonFace(palette());
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
    wallpaper_.SetOwn(picture);
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
    OrdinalFromName(align, alignNames(), "TAlign");
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
    return AlignmentNames()[alignment_];
}

void TSkinPanel::SetAlignmentName(const QString& name)
{
    alignment_ = TAlignment(OrdinalFromName(name, AlignmentNames(), "TAlignment"));
    update();
}

QString TSkinPanel::BevelOuterName() const
{
    return PanelBevelNames()[bevelOuter_];
}

void TSkinPanel::SetBevelOuterName(const QString& name)
{
    bevelOuter_ = TPanelBevel(OrdinalFromName(name, PanelBevelNames(), "TPanelBevel"));
    update();
}

QString TSkinPanel::BevelInnerName() const
{
    return PanelBevelNames()[bevelInner_];
}

void TSkinPanel::SetBevelInnerName(const QString& name)
{
    bevelInner_ = TPanelBevel(OrdinalFromName(name, PanelBevelNames(), "TPanelBevel"));
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
        PaintParentBackground(this, painter, transparencyLevel_);
    else if (!wallpaper_.Paint(painter, r))
        painter.fillRect(r, color_);

    const QPalette& pal = palette();
    auto bevel = [&](TPanelBevel kind) {
        if (kind == bvNone)
            return;
        const bool raised = kind == bvRaised;
        DrawFrame3D(painter, r, raised ? ButtonHighlight(pal) : ButtonShadow(pal),
                    raised ? ButtonShadow(pal) : ButtonHighlight(pal), bevelWidth_);
    };
    bevel(bevelOuter_);
    DrawFrame3D(painter, r, color_, color_, borderWidth_);
    bevel(bevelInner_);

    if (!caption_.isEmpty()) {
        painter.setFont(font());
        DrawShadowText(painter, r, AlignmentFlags(alignment_) | Qt::AlignVCenter | Qt::TextSingleLine, caption_,
                       WindowText(this), shadow_, isEnabled(), pal);
    }
}
