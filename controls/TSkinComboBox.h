#pragma once

#include "controls/TSkinShadowed.h"
#include "controls/TSkinWallpaper.h"

#include <QComboBox>
#include <functional>

class TSkinItemDelegate;

// A drop-down list whose items the program draws.
class TSkinComboBox : public QComboBox, public TSkinWallpapered, public TSkinShadowed
{
    Q_OBJECT
    LIRASTO_SKIN_WALLPAPER_PROPERTIES
    LIRASTO_SKIN_SHADOW_PROPERTIES
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
    void PaintItem(QPainter& painter, const QRect& r, const QString& text, bool selected) const;
    // The widest item text plus its margins: the list's horizontal scroll extent when it exceeds ListBoxWidth.
    int HorizontalExtent() const;

    void showPopup() override;
    // The list of items, made with its item painter on first use. Everything that opens, sizes
    // or inspects the list goes through here, so the list never exists without the painter.
    QAbstractItemView* view() const;
    // The list is open. Asking does not make the list.
    bool PopupShown() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Set once the list exists with this box's item painter.
    TSkinItemDelegate* delegate_ = nullptr;
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
