#pragma once

#include "controls/SkinUtils.h"

#include <QComboBox>
#include <QImage>
#include <QObject>
#include <QPushButton>
#include <QTextEdit>
#include <QWidget>

#include <QGroupBox>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

class QThread;
class TSkinImages;

// A control's subscription to a picture store: the store calls OnChange whenever a picture
// changes, and OnStoreDestroyed when it goes first, so the control drops its reference.
class TSkinChangeLink
{
public:
    std::function<void()> OnChange;
    std::function<void()> OnStoreDestroyed;
};

// The shared picture store (a non-visual component). Each item keeps its picture's class name
// and bytes and the bitmap decoded from them once. Decoding starts on a worker thread when the
// picture is set, so the window goes on being built meanwhile; the first look at the bitmap waits for it.
class TSkinImages : public QObject
{
    Q_OBJECT
public:
    struct TImageItem
    {
        std::string className;
        std::vector<uint8_t> bytes;
        // Declared after the bytes, so that a decoding still running finishes before they go.
        mutable std::future<QImage> decoding;
        mutable QImage bitmap; // null when the picture could not be decoded
    };

    explicit TSkinImages(QObject* parent = nullptr);
    ~TSkinImages() override;

    int count() const { return int(items_.size()); }
    // Appends a picture and returns its index; an undecodable picture is kept without a bitmap.
    int addPicture(const std::string& className, std::span<const uint8_t> bytes);
    // Appends the picture held by a design's "Picture.Data" blob; throws EReadError when malformed.
    int addPictureData(std::span<const uint8_t> blob);
    Q_INVOKABLE int addPictureData(const QByteArray& blob);
    void setPicture(int index, const std::string& className, std::span<const uint8_t> bytes);
    void clear();
    // The item's bitmap, or nullptr when it has none; throws EListError outside 0..count-1.
    const QImage* itemBitmap(int index) const;
    const TImageItem& item(int index) const;

    void RegisterChanges(TSkinChangeLink* link);
    void UnRegisterChanges(TSkinChangeLink* link);
    // Tells every registered control that the pictures changed.
    void Change();

private:
    void checkIndex(int index) const;
    // Takes over the worker's bitmap, waiting for it if it is still being decoded.
    static void settle(const TImageItem& item);
    std::vector<TImageItem> items_;
    std::vector<TSkinChangeLink*> links_;
};

// What every wallpaper-painting control keeps: its store, the store item it shows, its own
// picture and whether the picture is stretched; it repaints its owner on every change.
class SkinWallpaper
{
public:
    // `repaint` is how a change shows; by default the owner is updated.
    explicit SkinWallpaper(QWidget* owner, std::function<void()> repaint = {});
    ~SkinWallpaper();
    SkinWallpaper(const SkinWallpaper&) = delete;
    SkinWallpaper& operator=(const SkinWallpaper&) = delete;

    TSkinImages* images() const { return images_; }
    void setImages(TSkinImages* images);
    // Accepts a design's component reference; anything but a picture store is refused.
    void setImagesObject(QObject* object);
    int index() const { return index_; }
    void setIndex(int index);
    const QImage& own() const { return own_; }
    void setOwn(const QImage& picture);
    bool stretched() const { return stretched_; }
    void setStretched(bool stretched);

    // The picture to show, or nullptr when there is none and the control shows its plain colour.
    const QImage* current() const;
    // Tiles (or stretches) the current picture over `area` from the owner's top-left, shifted by
    // `origin` when the painter's (0,0) is not the owner's. Returns false when there is no picture.
    bool paint(QPainter& painter, const QRect& area, QPoint origin = QPoint(0, 0)) const;

private:
    QWidget* owner_;
    std::function<void()> repaint_;
    TSkinImages* images_ = nullptr;
    TSkinChangeLink link_;
    int index_ = -1;
    QImage own_;
    bool stretched_ = false;
};

// Shadow-text settings shared by every captioned control.
#define LIRASTO_SKIN_SHADOW_PROPERTIES                                                                                 \
    Q_PROPERTY(QColor ShadowColor READ ShadowColor WRITE SetShadowColor)                                               \
    Q_PROPERTY(int ShadowSize READ ShadowSize WRITE SetShadowSize)                                                     \
    Q_PROPERTY(QString ShadowPos READ ShadowPosName WRITE SetShadowPosName)                                            \
    Q_PROPERTY(bool SimpleView READ SimpleView WRITE SetSimpleView)

#define LIRASTO_SKIN_SHADOW_ACCESSORS                                                                                  \
    QColor ShadowColor() const                                                                                         \
    {                                                                                                                  \
        return shadow_.color;                                                                                          \
    }                                                                                                                  \
    void SetShadowColor(const QColor& c)                                                                               \
    {                                                                                                                  \
        shadow_.color = c;                                                                                             \
        shadowChanged();                                                                                               \
    }                                                                                                                  \
    int ShadowSize() const                                                                                             \
    {                                                                                                                  \
        return shadow_.size;                                                                                           \
    }                                                                                                                  \
    void SetShadowSize(int size)                                                                                       \
    {                                                                                                                  \
        shadow_.size = size;                                                                                           \
        shadowChanged();                                                                                               \
    }                                                                                                                  \
    TShadowPosition ShadowPos() const                                                                                  \
    {                                                                                                                  \
        return shadow_.position;                                                                                       \
    }                                                                                                                  \
    void SetShadowPos(TShadowPosition p)                                                                               \
    {                                                                                                                  \
        shadow_.position = p;                                                                                          \
        shadowChanged();                                                                                               \
    }                                                                                                                  \
    QString ShadowPosName() const                                                                                      \
    {                                                                                                                  \
        return lirasto::skin::shadowPositionNames()[shadow_.position];                                                 \
    }                                                                                                                  \
    void SetShadowPosName(const QString& name)                                                                         \
    {                                                                                                                  \
        SetShadowPos(TShadowPosition(                                                                                  \
            lirasto::skin::ordinalFromName(name, lirasto::skin::shadowPositionNames(), "TShadowPosition")));           \
    }                                                                                                                  \
    bool SimpleView() const                                                                                            \
    {                                                                                                                  \
        return shadow_.simpleView;                                                                                     \
    }                                                                                                                  \
    void SetSimpleView(bool on)                                                                                        \
    {                                                                                                                  \
        shadow_.simpleView = on;                                                                                       \
        shadowChanged();                                                                                               \
    }                                                                                                                  \
    const lirasto::skin::ShadowStyle& shadowStyle() const                                                              \
    {                                                                                                                  \
        return shadow_;                                                                                                \
    }

#define LIRASTO_SKIN_WALLPAPER_PROPERTIES                                                                              \
    Q_PROPERTY(QObject* SkinImages READ SkinImagesObject WRITE SetSkinImages)                                          \
    Q_PROPERTY(int idWallpaper READ idWallpaper WRITE SetIdWallpaper)                                                  \
    Q_PROPERTY(QImage Wallpaper READ Wallpaper WRITE SetWallpaper)                                                     \
    Q_PROPERTY(bool Stretched READ Stretched WRITE SetStretched)

#define LIRASTO_SKIN_WALLPAPER_ACCESSORS                                                                               \
    TSkinImages* SkinImages() const                                                                                    \
    {                                                                                                                  \
        return wallpaper_.images();                                                                                    \
    }                                                                                                                  \
    QObject* SkinImagesObject() const                                                                                  \
    {                                                                                                                  \
        return wallpaper_.images();                                                                                    \
    }                                                                                                                  \
    void SetSkinImages(QObject* store)                                                                                 \
    {                                                                                                                  \
        wallpaper_.setImagesObject(store);                                                                             \
    }                                                                                                                  \
    int idWallpaper() const                                                                                            \
    {                                                                                                                  \
        return wallpaper_.index();                                                                                     \
    }                                                                                                                  \
    void SetIdWallpaper(int index)                                                                                     \
    {                                                                                                                  \
        wallpaper_.setIndex(index);                                                                                    \
    }                                                                                                                  \
    QImage Wallpaper() const                                                                                           \
    {                                                                                                                  \
        return wallpaper_.own();                                                                                       \
    }                                                                                                                  \
    void SetWallpaper(const QImage& picture);                                                                          \
    bool Stretched() const                                                                                             \
    {                                                                                                                  \
        return wallpaper_.stretched();                                                                                 \
    }                                                                                                                  \
    void SetStretched(bool on)                                                                                         \
    {                                                                                                                  \
        wallpaper_.setStretched(on);                                                                                   \
    }                                                                                                                  \
    const QImage* currentWallpaper() const                                                                             \
    {                                                                                                                  \
        return wallpaper_.current();                                                                                   \
    }

// Colours of the design: an invalid QColor stands for "no colour".
#define LIRASTO_SKIN_COLOR_PROPERTY Q_PROPERTY(QColor Color READ Color WRITE SetColor)

// A panel that shows the wallpaper (or its parent's background) with the platform panel's bevels.
class TSkinPanel : public QWidget
{
    Q_OBJECT
    LIRASTO_SKIN_WALLPAPER_PROPERTIES
    LIRASTO_SKIN_SHADOW_PROPERTIES
    LIRASTO_SKIN_COLOR_PROPERTY
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(int TransparencyLevel READ TransparencyLevel WRITE SetTransparencyLevel)
    Q_PROPERTY(QString Align READ Align WRITE SetAlign)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Alignment READ AlignmentName WRITE SetAlignmentName)
    Q_PROPERTY(QString BevelOuter READ BevelOuterName WRITE SetBevelOuterName)
    Q_PROPERTY(QString BevelInner READ BevelInnerName WRITE SetBevelInnerName)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(QColor InactiveFontColor READ InactiveFontColor WRITE SetInactiveFontColor)
public:
    explicit TSkinPanel(QWidget* parent = nullptr);
    ~TSkinPanel() override;

    LIRASTO_SKIN_WALLPAPER_ACCESSORS
    LIRASTO_SKIN_SHADOW_ACCESSORS

    QColor Color() const { return color_; }
    void SetColor(const QColor& color);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    int TransparencyLevel() const { return transparencyLevel_; }
    void SetTransparencyLevel(int level);
    QString Align() const { return align_; }
    void SetAlign(const QString& align);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    QString AlignmentName() const;
    void SetAlignmentName(const QString& name);
    QString BevelOuterName() const;
    void SetBevelOuterName(const QString& name);
    QString BevelInnerName() const;
    void SetBevelInnerName(const QString& name);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    QColor InactiveFontColor() const { return inactiveFontColor_; }
    void SetInactiveFontColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void shadowChanged() { update(); }
    void followParent();
    void updateOpaque();

    SkinWallpaper wallpaper_;
    lirasto::skin::ShadowStyle shadow_;
    QColor color_;
    bool transparent_ = false;
    int transparencyLevel_ = 0;
    QString align_ = "alNone";
    QString caption_;
    TAlignment alignment_ = taCenter;
    TPanelBevel bevelOuter_ = bvRaised;
    TPanelBevel bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    QColor inactiveFontColor_ = Qt::white;
    QWidget* followed_ = nullptr;
};

// A caption drawn with its highlight copy, over whatever lies beneath when transparent.
class TSkinLabel : public QWidget
{
    Q_OBJECT
    LIRASTO_SKIN_WALLPAPER_PROPERTIES
    LIRASTO_SKIN_SHADOW_PROPERTIES
    LIRASTO_SKIN_COLOR_PROPERTY
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(QString Alignment READ AlignmentName WRITE SetAlignmentName)
    Q_PROPERTY(QString Layout READ LayoutName WRITE SetLayoutName)
    Q_PROPERTY(QStringList EdgeBorders READ EdgeBorderNames WRITE SetEdgeBorderNames)
    Q_PROPERTY(QColor FontColor READ FontColor WRITE SetFontColor)
public:
    explicit TSkinLabel(QWidget* parent = nullptr);

    LIRASTO_SKIN_WALLPAPER_ACCESSORS
    LIRASTO_SKIN_SHADOW_ACCESSORS

    QColor Color() const { return color_; }
    void SetColor(const QColor& color);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    QColor FontColor() const;
    // The verdict colours are set here: the palette's window-text colour, then a repaint.
    void SetFontColor(const QColor& color);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);
    QString AlignmentName() const;
    void SetAlignmentName(const QString& name);
    QString LayoutName() const;
    void SetLayoutName(const QString& name);
    QStringList EdgeBorderNames() const;
    void SetEdgeBorderNames(const QStringList& names);
    QPen BorderPen() const { return borderPen_; }
    void SetBorderPen(const QPen& pen);

    // The size the caption needs, shadow copy included.
    QSize textExtent() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void shadowChanged();
    void adjustBounds();
    int textFlags() const;

    SkinWallpaper wallpaper_;
    lirasto::skin::ShadowStyle shadow_;
    QColor color_;
    QString caption_;
    bool transparent_ = false;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    TEdgeBorders edgeBorders_ = 0;
    QPen borderPen_{Qt::black, 1};
};

// A push button whose whole face the program draws.
class TSkinBtn : public QPushButton
{
    Q_OBJECT
    LIRASTO_SKIN_WALLPAPER_PROPERTIES
    LIRASTO_SKIN_SHADOW_PROPERTIES
    LIRASTO_SKIN_COLOR_PROPERTY
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QColor ColorStart READ ColorStart WRITE SetColorStart)
    Q_PROPERTY(QColor ColorEnd READ ColorEnd WRITE SetColorEnd)
    Q_PROPERTY(QString GradientDirection READ GradientDirectionName WRITE SetGradientDirectionName)
    Q_PROPERTY(QStringList Options READ OptionNames WRITE SetOptionNames)
    Q_PROPERTY(QStringList BtnPaintOptions READ BtnPaintOptionNames WRITE SetBtnPaintOptionNames)
    Q_PROPERTY(int Spacing READ Spacing WRITE SetSpacing)
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
    Q_PROPERTY(int TransparencyLevel READ TransparencyLevel WRITE SetTransparencyLevel)
public:
    explicit TSkinBtn(QWidget* parent = nullptr);

    LIRASTO_SKIN_WALLPAPER_ACCESSORS
    LIRASTO_SKIN_SHADOW_ACCESSORS

    QColor Color() const { return color_; }
    void SetColor(const QColor& color);
    QString Caption() const { return text(); }
    void SetCaption(const QString& caption);
    QColor ColorStart() const { return colorStart_; }
    void SetColorStart(const QColor& color);
    QColor ColorEnd() const { return colorEnd_; }
    void SetColorEnd(const QColor& color);
    QString GradientDirectionName() const;
    void SetGradientDirectionName(const QString& name);
    TSkinOptions Options() const { return options_; }
    void SetOptions(TSkinOptions options);
    QStringList OptionNames() const;
    void SetOptionNames(const QStringList& names);
    TBtnPaintOptions BtnPaintOptions() const { return paintOptions_; }
    QStringList BtnPaintOptionNames() const;
    void SetBtnPaintOptionNames(const QStringList& names);
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    int Margin() const { return margin_; }
    void SetMargin(int margin);
    int TransparencyLevel() const { return transparencyLevel_; }
    void SetTransparencyLevel(int level);

    // The rectangle the caption is laid out in before the shadow step, in control pixels.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void shadowChanged() { update(); }

    SkinWallpaper wallpaper_;
    lirasto::skin::ShadowStyle shadow_;
    QColor color_;
    QColor colorStart_;
    QColor colorEnd_;
    TGradientDirection gradientDirection_ = gdHorizontal;
    TSkinOptions options_ = 0;
    TBtnPaintOptions paintOptions_ = (1u << bpoDrawFocus) | (1u << bpoDrawDefault);
    int spacing_ = 4;
    int margin_ = -1;
    int transparencyLevel_ = 0;
    bool mouseOver_ = false;
};

class SkinItemDelegate;

// A drop-down list whose items the program draws.
class TSkinComboBox : public QComboBox
{
    Q_OBJECT
    LIRASTO_SKIN_WALLPAPER_PROPERTIES
    LIRASTO_SKIN_SHADOW_PROPERTIES
    LIRASTO_SKIN_COLOR_PROPERTY
    Q_PROPERTY(QStringList Options READ OptionNames WRITE SetOptionNames)
    Q_PROPERTY(int ListBoxWidth READ ListBoxWidth WRITE SetListBoxWidth)
    Q_PROPERTY(int DropDownCount READ DropDownCount WRITE SetDropDownCount)
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE SetItemHeight)
    Q_PROPERTY(QString Style READ StyleName WRITE SetStyleName)
    Q_PROPERTY(QString ExtendedStyle READ ExtendedStyleName WRITE SetExtendedStyleName)
    Q_PROPERTY(QString FileMask READ FileMask WRITE SetFileMask)
    Q_PROPERTY(QFont SelFont READ SelFont WRITE SetSelFont)
    Q_PROPERTY(QColor SelFontColor READ SelFontColor WRITE SetSelFontColor)
    Q_PROPERTY(QColor SelColor READ SelColor WRITE SetSelColor)
    Q_PROPERTY(QString Alignment READ AlignmentName WRITE SetAlignmentName)
    Q_PROPERTY(QStringList EdgeBorders READ EdgeBorderNames WRITE SetEdgeBorderNames)
    Q_PROPERTY(QColor BordersTrColor READ BordersTrColor WRITE SetBordersTrColor)
public:
    explicit TSkinComboBox(QWidget* parent = nullptr);
    ~TSkinComboBox() override;

    LIRASTO_SKIN_WALLPAPER_ACCESSORS
    LIRASTO_SKIN_SHADOW_ACCESSORS

    QColor Color() const;
    void SetColor(const QColor& color);
    TSkinOptions Options() const { return options_; }
    QStringList OptionNames() const;
    void SetOptionNames(const QStringList& names);
    int ListBoxWidth() const { return listBoxWidth_; }
    void SetListBoxWidth(int width);
    int DropDownCount() const { return maxVisibleItems(); }
    void SetDropDownCount(int rows);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);
    QString StyleName() const;
    void SetStyleName(const QString& name);
    QString ExtendedStyleName() const;
    void SetExtendedStyleName(const QString& name);
    QString FileMask() const { return fileMask_; }
    void SetFileMask(const QString& mask) { fileMask_ = mask; }
    QFont SelFont() const { return selFont_; }
    void SetSelFont(const QFont& font);
    QColor SelFontColor() const;
    void SetSelFontColor(const QColor& color);
    QColor SelColor() const;
    void SetSelColor(const QColor& color);
    QString AlignmentName() const;
    void SetAlignmentName(const QString& name);
    QStringList EdgeBorderNames() const;
    void SetEdgeBorderNames(const QStringList& names);
    QColor BordersTrColor() const { return bordersTrColor_; }
    void SetBordersTrColor(const QColor& color);

    // Fired when the user picks an item, not when the program sets the index.
    std::function<void(QObject*)> OnChange;

    // Paints one item the way both the list and the box show it.
    void paintItem(QPainter& painter, const QRect& r, const QString& text, bool selected) const;
    // The widest item text plus its margins: the list's horizontal scroll extent when it exceeds ListBoxWidth.
    int horizontalExtent() const;

    void showPopup() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void shadowChanged() { update(); }

    SkinWallpaper wallpaper_;
    lirasto::skin::ShadowStyle shadow_;
    SkinItemDelegate* delegate_ = nullptr;
    QColor color_;
    QColor selColor_;
    QColor selFontColor_;
    QFont selFont_;
    TSkinOptions options_ = 0;
    int listBoxWidth_ = 0;
    int itemHeight_ = 13;
    TComboBoxStyle style_ = csOwnerDrawVariable;
    TSkinControlStyle extendedStyle_ = ctSkinControl;
    QString fileMask_ = "*.*";
    TAlignment alignment_ = taLeftJustify;
    TEdgeBorders edgeBorders_ = 0;
    QColor bordersTrColor_;
};

// A framed box with its caption over a wallpaper strip so the frame line does not cross the text.
class TSkinGroupBox : public QGroupBox
{
    Q_OBJECT
    LIRASTO_SKIN_WALLPAPER_PROPERTIES
    LIRASTO_SKIN_SHADOW_PROPERTIES
    LIRASTO_SKIN_COLOR_PROPERTY
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(int TransparencyLevel READ TransparencyLevel WRITE SetTransparencyLevel)
    Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE SetCtl3D)
public:
    explicit TSkinGroupBox(QWidget* parent = nullptr);

    LIRASTO_SKIN_WALLPAPER_ACCESSORS
    LIRASTO_SKIN_SHADOW_ACCESSORS

    QColor Color() const { return color_; }
    void SetColor(const QColor& color);
    QString Caption() const { return title(); }
    void SetCaption(const QString& caption);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    int TransparencyLevel() const { return transparencyLevel_; }
    void SetTransparencyLevel(int level);
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool on);

    // Where the caption's layout rectangle lies: x = 8, on top.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void shadowChanged() { update(); }
    void paintBackground(QPainter& painter, const QRect& area);

    SkinWallpaper wallpaper_;
    lirasto::skin::ShadowStyle shadow_;
    QColor color_;
    bool transparent_ = false;
    int transparencyLevel_ = 0;
    bool ctl3D_ = true;
};

// A multi-line edit box written over the wallpaper, with a two-pixel edge border.
class TSkinMemo : public QTextEdit
{
    Q_OBJECT
    LIRASTO_SKIN_WALLPAPER_PROPERTIES
    LIRASTO_SKIN_COLOR_PROPERTY
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QStringList Options READ OptionNames WRITE SetOptionNames)
    Q_PROPERTY(QStringList EdgeBorders READ EdgeBorderNames WRITE SetEdgeBorderNames)
    Q_PROPERTY(QColor BordersTrColor READ BordersTrColor WRITE SetBordersTrColor)
    Q_PROPERTY(QString TextAlign READ TextAlignName WRITE SetTextAlignName)
    Q_PROPERTY(int TransparencyLevel READ TransparencyLevel WRITE SetTransparencyLevel)
    Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)
    Q_PROPERTY(QColor CaptionColor READ CaptionColor WRITE SetCaptionColor)
    Q_PROPERTY(QColor CaptionTextColor READ CaptionTextColor WRITE SetCaptionTextColor)
public:
    explicit TSkinMemo(QWidget* parent = nullptr);

    LIRASTO_SKIN_WALLPAPER_ACCESSORS

    QColor Color() const { return color_; }
    void SetColor(const QColor& color);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    TSkinOptions Options() const { return options_; }
    void SetOptions(TSkinOptions options);
    QStringList OptionNames() const;
    void SetOptionNames(const QStringList& names);
    QStringList EdgeBorderNames() const;
    void SetEdgeBorderNames(const QStringList& names);
    QColor BordersTrColor() const { return bordersTrColor_; }
    void SetBordersTrColor(const QColor& color);
    QString TextAlignName() const;
    void SetTextAlignName(const QString& name);
    int TransparencyLevel() const { return transparencyLevel_; }
    void SetTransparencyLevel(int level);
    QStringList Lines() const;
    void SetLines(const QStringList& lines);
    QColor CaptionColor() const { return captionColor_; }
    void SetCaptionColor(const QColor& color);
    QColor CaptionTextColor() const { return captionTextColor_; }
    void SetCaptionTextColor(const QColor& color);

    // The height of the caption bar, 0 with ocNoCaption.
    int captionBarHeight() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    bool paintsBackground() const;
    void applyAlignment();
    void updateMargins();
    void syncTextColor();

    SkinWallpaper wallpaper_;
    QColor color_;
    QString caption_;
    TSkinOptions options_ = 0;
    TEdgeBorders edgeBorders_ = 0;
    QColor bordersTrColor_;
    QPen borderPen_{Qt::black, 1};
    TAlignment textAlign_ = taLeftJustify;
    int transparencyLevel_ = 0;
    QColor captionColor_;
    QColor captionTextColor_;
    bool syncingPalette_ = false;
};

// A text line that moves one pixel per step across the control. Steps come from a low-priority
// worker thread that only sleeps and asks the GUI thread to take the next step.
class TSkinScrollingText : public QWidget
{
    Q_OBJECT
    LIRASTO_SKIN_WALLPAPER_PROPERTIES
    LIRASTO_SKIN_SHADOW_PROPERTIES
    LIRASTO_SKIN_COLOR_PROPERTY
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(int Interval READ Interval WRITE SetInterval)
    Q_PROPERTY(QString ScrollDirection READ ScrollDirectionName WRITE SetScrollDirectionName)
    Q_PROPERTY(QStringList Strings READ Strings WRITE SetStrings)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(QString Alignment READ AlignmentName WRITE SetAlignmentName)
public:
    explicit TSkinScrollingText(QWidget* parent = nullptr);
    ~TSkinScrollingText() override;

    LIRASTO_SKIN_WALLPAPER_ACCESSORS
    LIRASTO_SKIN_SHADOW_ACCESSORS

    QColor Color() const { return color_; }
    void SetColor(const QColor& color);
    bool Active() const { return active_; }
    void SetActive(bool on);
    int Interval() const { return interval_.load(); }
    void SetInterval(int ms);
    TScrollDirection ScrollDirection() const { return direction_; }
    void SetScrollDirection(TScrollDirection direction);
    QString ScrollDirectionName() const;
    void SetScrollDirectionName(const QString& name);
    QStringList Strings() const { return strings_; }
    void SetStrings(const QStringList& strings);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    QString AlignmentName() const;
    void SetAlignmentName(const QString& name);

    // Called once the design has been applied: the text goes back to its starting place.
    Q_INVOKABLE void Loaded();
    // Moves the text one pixel; the worker thread asks for this every Interval milliseconds.
    void Step();
    // Until the first step the text waits at the start for the control's current size.
    QPoint Position() const { return stepped_ ? position_ : startPosition(); }
    // The drawn text's measured extent (shadow copy included); the text has left the control
    // once it has moved this far past the edge.
    QSize TextSize() const;
    QString Text() const;
    // Whether the worker thread is stepping now: active, shown and not being destroyed.
    bool Running() const;
    // Whether a worker thread exists (it may be paused).
    bool HasThread() const { return thread_ != nullptr; }

    // Asked when the text has left the control; setting `restartAtZero` starts it at x = 0.
    std::function<void(QObject* sender, bool& restartAtZero)> OnTextScrolled;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    class Worker;
    friend class Worker;

    void shadowChanged() { update(); }
    void resetPosition();
    QPoint startPosition() const;
    void configureTimer();
    void takeSnapshot();
    void stopThread();
    void compose(QImage& frame) const;
    // Runs on the GUI thread when the worker asks: takes the step, then lets the worker sleep again.
    Q_INVOKABLE void workerAsksForStep();

    SkinWallpaper wallpaper_;
    lirasto::skin::ShadowStyle shadow_;
    QColor color_;
    bool active_ = false;
    bool transparent_ = false;
    TScrollDirection direction_ = sdRightToLeft;
    TAlignment alignment_ = taLeftJustify;
    QStringList strings_;
    QPoint position_;
    bool stepped_ = false;
    QImage snapshot_;

    // Shared with the worker thread.
    std::atomic<int> interval_{25};
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool running_ = false;      // guarded by mutex_
    bool stopping_ = false;     // guarded by mutex_
    bool stepPending_ = false;  // guarded by mutex_
    bool workerExited_ = false; // guarded by mutex_
    std::unique_ptr<QThread> thread_;
};
