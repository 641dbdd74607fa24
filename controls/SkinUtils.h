#pragma once

#include <QColor>
#include <QImage>
#include <QPen>
#include <QRect>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class QPainter;
class QPalette;
class QWidget;

// Bit n of an option set is the option with ordinal n.
enum TSkinOption {
    ocPaintWallpaper,
    ocStretchWallpaper,
    ocPaintSelWallpaper,
    ocPaintCaptionWallpaper,
    ocInvertWallpaperAsSelect,
    ocPaintGradiently,
    ocBevelOnlyIfSel,
    ocUseImageList,
    ocUseGlyphAssign,
    oc3dMDIForm,
    ocWallpaperForMDIChildren,
    ocGradientForMDIChildren,
    ocNoCaption,
    ocSmallCaption,
    ocNoMDIChildrensCaptions,
    ocDragUsingClientArea,
    ocNoDragUsingCaption,
    ocRoundedForm,
    ocFlatBorder,
    ocPaintFormSemiTransparently,
    ocPaintTransparently
};
using TSkinOptions = uint32_t;

enum TShadowPosition { spLeftTop, spLeftBottom, spRightBottom, spRightTop };
enum TEdgeBorder { ebLeft, ebTop, ebRight, ebBottom };
using TEdgeBorders = uint32_t;
enum TScrollDirection { sdBottomToTop, sdTopToBottom, sdLeftToRight, sdRightToLeft };
enum TGradientDirection { gdHorizontal, gdVertical };
enum TBtnPaintOption { bpoDrawFocus, bpoDrawDefault };
using TBtnPaintOptions = uint32_t;
enum TSkinControlStyle {
    ctSkinControl,
    ctColorControl,
    ctFontControl,
    ctPrinterControl,
    ctCheckControl,
    ctFolderControl
};
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

constexpr bool HasFlag(uint32_t set, int ordinal)
{
    return (set >> ordinal) & 1u;
}

namespace lirasto::skin {

// Identifier tables for the enumerations the window design names in text.
QStringList SkinOptionNames();
QStringList ShadowPositionNames();
QStringList EdgeBorderNames();
QStringList ScrollDirectionNames();
QStringList GradientDirectionNames();
QStringList BtnPaintOptionNames();
QStringList SkinControlStyleNames();
QStringList AlignmentNames();
QStringList TextLayoutNames();
QStringList PanelBevelNames();
QStringList ComboBoxStyleNames();

// The ordinal of an identifier; throws EConvertError naming the type when it is not one of `names`.
int OrdinalFromName(const QString& name, const QStringList& names, const char* typeName);
// A set from its identifiers; throws EConvertError on an unknown one.
uint32_t SetFromNames(const QStringList& members, const QStringList& names, const char* typeName);
QStringList NamesFromSet(uint32_t set, const QStringList& names);

// The platform colours the skin paints with, taken from the control's palette.
QColor ButtonFace(const QPalette& palette);
QColor ButtonHighlight(const QPalette& palette);
QColor ButtonShadow(const QPalette& palette);
QColor LightColor3D(const QPalette& palette);
QColor DarkShadow3D(const QPalette& palette);
QColor WindowFrame(const QPalette& palette);

// Decodes a JPEG (JFIF) file. A damaged, truncated or oversized file gives a null image;
// the decoder never allocates for more than kMaxJpegSide per side or kMaxJpegPixels in all.
constexpr int kMaxJpegSide = 8192;
constexpr long long kMaxJpegPixels = 16LL * 1024 * 1024;
QImage DecodeJpeg(std::span<const uint8_t> bytes);

// A stored picture: its class name ("TJPEGImage") and the picture file's bytes.
struct PictureData
{
    std::string ClassName;
    std::vector<uint8_t> Bytes;
};

// Parses the "Picture.Data" blob: short string class name, int32 byte count, bytes.
// Throws EReadError when the blob is shorter or longer than it announces.
PictureData ParsePictureData(std::span<const uint8_t> blob);

// The wallpaper a control shows: the store's item when usable, else its own picture, else none.
const QImage* SelectWallpaper(const QImage* storeItem, const QImage& own);

// Lays copies of `wallpaper` from `origin` over `area` (or scales it into `area` when stretched).
void TileWallpaper(QPainter& painter, const QRect& area, const QImage& wallpaper, bool stretched,
                   QPoint origin = QPoint(0, 0));

// Paints what the parent shows beneath `control` into `painter` (positioned on the control's
// top-left), after climbing `transparencyLevel` parents short of the top-level window.
void PaintParentBackground(QWidget* control, QPainter& painter, int transparencyLevel);

// How a caption's highlight copy is laid beside the text.
struct ShadowStyle
{
    QColor Color;
    int Size = 1;
    TShadowPosition Position = spLeftTop;
    bool SimpleView = false;
};

// The rectangles the text and its shadow are drawn in, for a layout rectangle `r`.
void ShadowRects(const QRect& r, TShadowPosition position, int size, QRect& textRect, QRect& shadowRect);

// Draws a caption twice, the shadow copy first, both without background. A disabled control
// draws it embossed: a button-highlight copy one pixel right and down under button-shadow text.
void DrawShadowText(QPainter& painter, const QRect& r, int flags, const QString& text, const QColor& textColor,
                    const ShadowStyle& style, bool enabled, const QPalette& palette);

// The Qt alignment flags of a design's alignment and text layout.
int AlignmentFlags(TAlignment alignment);
int LayoutFlags(TTextLayout layout);
// The control's text colour as its palette gives it.
QColor WindowText(const QWidget* widget);
// The extra room a caption needs for its highlight copy.
int ShadowExtra(const ShadowStyle& style);

// Two-pixel lines along the four edges of `whole` in `bordersTrColor` (when valid), then the same
// lines with `borderPen` for each side in `edges`.
void DrawEdgeBorders(QPainter& painter, const QRect& whole, const QColor& bordersTrColor, TEdgeBorders edges,
                     const QPen& borderPen);

// One band of a gradient: the pixels [from, to) along the direction, in `color`.
struct GradientBand
{
    int From = 0;
    int To = 0;
    QColor Color;
};
// 129 bands over `size` pixels from `start` to `end`.
std::vector<GradientBand> GradientBands(int size, const QColor& start, const QColor& end);
void DrawGradient(QPainter& painter, const QRect& r, const QColor& start, const QColor& end,
                  TGradientDirection direction);

// `width` nested one-pixel frames (top and left in `topLeft`, bottom and right in `bottomRight`),
// shrinking `r` by one pixel each, as the platform panel draws its bevels.
void DrawFrame3D(QPainter& painter, QRect& r, const QColor& topLeft, const QColor& bottomRight, int width);

// Raised or sunken two-line 3-D edge inside `r`, as push buttons show it.
void DrawEdge3D(QPainter& painter, const QRect& r, bool sunken, const QPalette& palette);

} // namespace lirasto::skin
