#include "controls/SkinUtils.h"

#include "core/Checked.h"
#include "core/Errors.h"

#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>

#include <jpeglib.h>

namespace lirasto::skin {

QStringList SkinOptionNames()
{
    return {"ocPaintWallpaper",
            "ocStretchWallpaper",
            "ocPaintSelWallpaper",
            "ocPaintCaptionWallpaper",
            "ocInvertWallpaperAsSelect",
            "ocPaintGradiently",
            "ocBevelOnlyIfSel",
            "ocUseImageList",
            "ocUseGlyphAssign",
            "oc3dMDIForm",
            "ocWallpaperForMDIChildren",
            "ocGradientForMDIChildren",
            "ocNoCaption",
            "ocSmallCaption",
            "ocNoMDIChildrensCaptions",
            "ocDragUsingClientArea",
            "ocNoDragUsingCaption",
            "ocRoundedForm",
            "ocFlatBorder",
            "ocPaintFormSemiTransparently",
            "ocPaintTransparently"};
}

QStringList ShadowPositionNames()
{
    return {"spLeftTop", "spLeftBottom", "spRightBottom", "spRightTop"};
}

QStringList EdgeBorderNames()
{
    return {"ebLeft", "ebTop", "ebRight", "ebBottom"};
}

QStringList ScrollDirectionNames()
{
    return {"sdBottomToTop", "sdTopToBottom", "sdLeftToRight", "sdRightToLeft"};
}

QStringList GradientDirectionNames()
{
    return {"gdHorizontal", "gdVertical"};
}

QStringList BtnPaintOptionNames()
{
    return {"bpoDrawFocus", "bpoDrawDefault"};
}

QStringList SkinControlStyleNames()
{
    return {"ctSkinControl",    "ctColorControl", "ctFontControl",
            "ctPrinterControl", "ctCheckControl", "ctFolderControl"};
}

QStringList AlignmentNames()
{
    return {"taLeftJustify", "taRightJustify", "taCenter"};
}

QStringList TextLayoutNames()
{
    return {"tlTop", "tlCenter", "tlBottom"};
}

QStringList PanelBevelNames()
{
    return {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
}

QStringList ComboBoxStyleNames()
{
    return {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"};
}

int OrdinalFromName(const QString& name, const QStringList& names, const char* typeName)
{
    const int ordinal = names.indexOf(name);
    if (ordinal < 0)
        throw EConvertError("'" + name.toStdString() + "' is not a valid " + typeName + " value");
    return ordinal;
}

uint32_t SetFromNames(const QStringList& members, const QStringList& names, const char* typeName)
{
    uint32_t set = 0;
    for (const QString& member : members)
        set |= 1u << OrdinalFromName(member, names, typeName);
    return set;
}

QStringList NamesFromSet(uint32_t set, const QStringList& names)
{
    QStringList members;
    for (int i = 0; i < names.size(); ++i) {
        if (HasFlag(set, i))
            members << names[i];
    }
    return members;
}

QColor ButtonFace(const QPalette& palette)
{
    return palette.color(QPalette::Button);
}

QColor ButtonHighlight(const QPalette& palette)
{
    return palette.color(QPalette::Light);
}

QColor ButtonShadow(const QPalette& palette)
{
    return palette.color(QPalette::Dark);
}

QColor LightColor3D(const QPalette& palette)
{
    return palette.color(QPalette::Midlight);
}

QColor DarkShadow3D(const QPalette& palette)
{
    return palette.color(QPalette::Shadow);
}

// Qt's palette has no role for the window frame; the platform's frame colour is black. The palette
// stays in the signature so that every platform colour is asked for the same way.
QColor WindowFrame(const QPalette& /*palette*/)
{
    return Qt::black;
}

namespace {

// libjpeg's own error handler ends the process; this one jumps back into decodeJpeg.
struct JpegErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void jpegErrorExit(j_common_ptr cinfo)
{
    auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    std::longjmp(manager->jump, 1);
}

// Warnings (premature end of data, corrupt entropy data) are never printed: a warned decode is
// damaged and gives no picture, so it stops at the first one. Going on would decode the rest of a
// truncated file as grey, which for a header of a few bytes announcing 64 M pixels costs seconds.
void jpegEmitMessage(j_common_ptr cinfo, int level)
{
    if (level < 0) {
        ++cinfo->err->num_warnings;
        jpegErrorExit(cinfo);
    }
}

void jpegOutputMessage(j_common_ptr) {}

// Everything that must survive a longjmp lives here, behind a pointer, so its state is defined
// when control comes back to setjmp.
struct JpegDecode
{
    jpeg_decompress_struct cinfo;
    JpegErrorManager error;
    QImage image;
    bool created = false;
};

bool runJpegDecode(JpegDecode* d, const uint8_t* data, unsigned long size)
{
    d->cinfo.err = jpeg_std_error(&d->error.pub);
    d->error.pub.error_exit = jpegErrorExit;
    d->error.pub.emit_message = jpegEmitMessage;
    d->error.pub.output_message = jpegOutputMessage;
    if (setjmp(d->error.jump))
        return false;

    jpeg_create_decompress(&d->cinfo);
    d->created = true;
    // Bounds libjpeg's own working memory (progressive coefficient buffers, for example).
    d->cinfo.mem->max_memory_to_use = 512L * 1024 * 1024;
    jpeg_mem_src(&d->cinfo, data, size);
    if (jpeg_read_header(&d->cinfo, TRUE) != JPEG_HEADER_OK)
        return false;

    const long long width = d->cinfo.image_width;
    const long long height = d->cinfo.image_height;
    if (width <= 0 || height <= 0 || width > kMaxJpegSide || height > kMaxJpegSide || width * height > kMaxJpegPixels)
        return false;

    d->cinfo.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&d->cinfo);
    if (d->cinfo.output_components != 4 || d->cinfo.output_width != d->cinfo.image_width ||
        d->cinfo.output_height != d->cinfo.image_height)
        return false;

    d->image = QImage(int(width), int(height), QImage::Format_RGB32);
    if (d->image.isNull())
        return false;
    while (d->cinfo.output_scanline < d->cinfo.output_height) {
        JSAMPROW row = d->image.scanLine(int(d->cinfo.output_scanline));
        if (jpeg_read_scanlines(&d->cinfo, &row, 1) != 1)
            return false;
    }
    jpeg_finish_decompress(&d->cinfo);
    return d->error.pub.num_warnings == 0;
}

} // namespace

QImage DecodeJpeg(std::span<const uint8_t> bytes)
{
    if (bytes.empty() || bytes.size() > 0xFFFFFFFFu)
        return {};
    auto d = std::make_unique<JpegDecode>();
    std::memset(&d->cinfo, 0, sizeof d->cinfo);
    const bool ok = runJpegDecode(d.get(), bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (d->created)
        jpeg_destroy_decompress(&d->cinfo);
    if (!ok)
        return {};
    return std::move(d->image);
}

PictureData ParsePictureData(std::span<const uint8_t> blob)
{
    if (blob.empty())
        throw EReadError("Picture data is empty");
    const std::size_t nameLength = blob[0];
    if (blob.size() < 1 + nameLength + 4)
        throw EReadError("Picture data is shorter than its header");
    PictureData picture;
    picture.ClassName.assign(reinterpret_cast<const char*>(blob.data() + 1), nameLength);
    const uint8_t* countBytes = blob.data() + 1 + nameLength;
    const uint32_t count = uint32_t(countBytes[0]) | uint32_t(countBytes[1]) << 8 | uint32_t(countBytes[2]) << 16 |
                           uint32_t(countBytes[3]) << 24;
    const std::size_t rest = blob.size() - (1 + nameLength + 4);
    if (count > 0x7FFFFFFFu)
        throw EReadError("Picture data announces a negative byte count");
    if (count != rest)
        throw EReadError("Picture data announces " + std::to_string(count) + " bytes but holds " +
                         std::to_string(rest));
    picture.Bytes.assign(countBytes + 4, countBytes + 4 + count);
    return picture;
}

const QImage* SelectWallpaper(const QImage* storeItem, const QImage& own)
{
    if (storeItem && !storeItem->isNull() && storeItem->width() > 0 && storeItem->height() > 0)
        return storeItem;
    if (!own.isNull() && own.width() > 0 && own.height() > 0)
        return &own;
    return nullptr;
}

void TileWallpaper(QPainter& painter, const QRect& area, const QImage& wallpaper, bool stretched, QPoint origin)
{
    if (area.isEmpty() || wallpaper.isNull())
        return;
    if (stretched) {
        painter.drawImage(area, wallpaper);
        return;
    }
    // Copies are laid in logical pixels: a picture of device pixel ratio 2 covers half its pixel size.
    const qreal ratio = wallpaper.devicePixelRatio();
    const int w = std::max(1, int(wallpaper.width() / ratio));
    const int h = std::max(1, int(wallpaper.height() / ratio));
    // Copies start at `origin` (normally the control's own top-left), so the first one that
    // reaches into `area` may begin above or left of it.
    const int firstX = origin.x() + ((area.left() - origin.x()) / w - (area.left() < origin.x() ? 1 : 0)) * w;
    const int firstY = origin.y() + ((area.top() - origin.y()) / h - (area.top() < origin.y() ? 1 : 0)) * h;
    for (int y = firstY; y <= area.bottom(); y += h) {
        for (int x = firstX; x <= area.right(); x += w) {
            const QRect copy = QRect(x, y, w, h).intersected(area);
            if (copy.isEmpty())
                continue;
            const QRect source = copy.translated(-x, -y);
            if (ratio == 1.0)
                painter.drawImage(copy.topLeft(), wallpaper, source);
            else
                painter.drawImage(
                    QRectF(copy), wallpaper,
                    QRectF(source.x() * ratio, source.y() * ratio, source.width() * ratio, source.height() * ratio));
        }
    }
}

void PaintParentBackground(QWidget* control, QPainter& painter, int transparencyLevel)
{
    QWidget* climbed = control;
    for (int i = 0; i < transparencyLevel && climbed->parentWidget() && !climbed->parentWidget()->isWindow(); ++i)
        climbed = climbed->parentWidget();
    QWidget* parent = climbed->parentWidget();
    if (!parent)
        return;
    const QPoint offset = control->mapTo(parent, QPoint(0, 0));
    const QRect beneath(offset, control->size());
    // The parent paints only itself (no children, so not this control) into a pixmap of the
    // control's size; the pixmap is then laid where the control stands.
    QPixmap background(control->size());
    background.fill(Qt::transparent);
    parent->render(&background, QPoint(0, 0), QRegion(beneath), QWidget::DrawWindowBackground);
    painter.drawPixmap(0, 0, background);
}

void ShadowRects(const QRect& r, TShadowPosition position, int size, QRect& textRect, QRect& shadowRect)
{
    const int d = size;
    switch (position) {
    case spLeftTop:
        textRect = r.translated(d, d);
        shadowRect = r;
        break;
    case spLeftBottom:
        textRect = r.translated(d, 0);
        shadowRect = r.translated(0, d);
        break;
    case spRightBottom:
        textRect = r;
        shadowRect = r.translated(d, d);
        break;
    case spRightTop:
        textRect = r.translated(0, d);
        shadowRect = r.translated(d, 0);
        break;
    }
}

void DrawShadowText(QPainter& painter, const QRect& r, int flags, const QString& text, const QColor& textColor,
                    const ShadowStyle& style, bool enabled, const QPalette& palette)
{
    QRect textRect = r;
    QRect shadowRect = r;
    QColor shadow = style.Color;
    QColor color = textColor;
    bool withShadow = !style.SimpleView;
    if (!enabled) {
        ShadowRects(r, spRightBottom, 1, textRect, shadowRect);
        shadow = ButtonHighlight(palette);
        color = ButtonShadow(palette);
        withShadow = true;
    } else if (withShadow) {
        ShadowRects(r, style.Position, style.Size, textRect, shadowRect);
    }
    painter.save();
    if (withShadow) {
        painter.setPen(shadow);
        painter.drawText(shadowRect, flags, text);
    }
    painter.setPen(color);
    painter.drawText(textRect, flags, text);
    painter.restore();
}

void DrawEdgeBorders(QPainter& painter, const QRect& whole, const QColor& bordersTrColor, TEdgeBorders edges,
                     const QPen& borderPen)
{
    // Each line is two pixels wide, centred on the row or column one pixel inside the edge.
    const int left = whole.left();
    const int top = whole.top();
    const int right = whole.left() + whole.width();
    const int bottom = whole.top() + whole.height();
    const QRect lines[4] = {
        QRect(left, top, 2, whole.height()),      // ebLeft, at x = left + 1
        QRect(left, top, whole.width(), 2),       // ebTop, at y = top + 1
        QRect(right - 2, top, 2, whole.height()), // ebRight, at x = right - 1
        QRect(left, bottom - 2, whole.width(), 2) // ebBottom, at y = bottom - 1
    };
    if (bordersTrColor.isValid()) {
        for (const QRect& line : lines)
            painter.fillRect(line, bordersTrColor);
    }
    const int penWidth = std::max(1, borderPen.width());
    for (int side = ebLeft; side <= ebBottom; ++side) {
        if (!HasFlag(edges, side))
            continue;
        const QRect& line = lines[side];
        QRect pen = line;
        // A pen of width w on the line one pixel inside the edge.
        if (side == ebLeft || side == ebRight)
            pen = QRect(line.left() + 1 - penWidth / 2, line.top(), penWidth, line.height());
        else
            pen = QRect(line.left(), line.top() + 1 - penWidth / 2, line.width(), penWidth);
        painter.fillRect(pen.intersected(whole), borderPen.color());
    }
}

namespace {

// Multiply then divide, rounding half away from zero, as the platform's MulDiv does.
int mulDivRounded(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    const long long q = product >= 0 ? (product + half) / c : (product - half) / c;
    return CheckedCast<int>(q);
}

} // namespace

std::vector<GradientBand> GradientBands(int size, const QColor& start, const QColor& end)
{
    std::vector<GradientBand> bands;
    bands.reserve(129);
    const int dr = end.red() - start.red();
    const int dg = end.green() - start.green();
    const int db = end.blue() - start.blue();
    for (int i = 0; i <= 128; ++i) {
        GradientBand band;
        band.From = mulDivRounded(i, size, 128);
        band.To = mulDivRounded(i + 1, size, 128);
        band.Color = QColor(start.red() + i * dr / 128, start.green() + i * dg / 128, start.blue() + i * db / 128);
        bands.push_back(band);
    }
    return bands;
}

void DrawGradient(QPainter& painter, const QRect& r, const QColor& start, const QColor& end,
                  TGradientDirection direction)
{
    const int size = direction == gdHorizontal ? r.width() : r.height();
    for (const GradientBand& band : GradientBands(size, start, end)) {
        QRect part = direction == gdHorizontal ? QRect(r.left() + band.From, r.top(), band.To - band.From, r.height())
                                               : QRect(r.left(), r.top() + band.From, r.width(), band.To - band.From);
        part = part.intersected(r);
        if (!part.isEmpty())
            painter.fillRect(part, band.Color);
    }
}

void DrawFrame3D(QPainter& painter, QRect& r, const QColor& topLeft, const QColor& bottomRight, int width)
{
    for (int i = 0; i < width && r.width() > 0 && r.height() > 0; ++i) {
        painter.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), topLeft);
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
        r.adjust(1, 1, -1, -1);
    }
}

void DrawEdge3D(QPainter& painter, const QRect& r, bool sunken, const QPalette& palette)
{
    // Outer line pair, then inner pair one pixel further in; each pair is top-left / bottom-right.
    const QColor outerTopLeft = sunken ? ButtonShadow(palette) : LightColor3D(palette);
    const QColor outerBottomRight = sunken ? ButtonHighlight(palette) : DarkShadow3D(palette);
    const QColor innerTopLeft = sunken ? DarkShadow3D(palette) : ButtonHighlight(palette);
    const QColor innerBottomRight = sunken ? LightColor3D(palette) : ButtonShadow(palette);
    QRect box = r;
    DrawFrame3D(painter, box, outerTopLeft, outerBottomRight, 1);
    DrawFrame3D(painter, box, innerTopLeft, innerBottomRight, 1);
}

int AlignmentFlags(TAlignment alignment)
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

int LayoutFlags(TTextLayout layout)
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

QColor WindowText(const QWidget* widget)
{
    return widget->palette().color(QPalette::WindowText);
}

// The extra room a caption needs for its highlight copy.
int ShadowExtra(const ShadowStyle& style)
{
    return style.SimpleView ? 0 : std::max(0, style.Size);
}

} // namespace lirasto::skin
