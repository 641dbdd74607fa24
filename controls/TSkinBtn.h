#pragma once

#include "controls/TSkinShadowed.h"
#include "controls/TSkinWallpaper.h"

#include <QPushButton>

// A push button whose whole face the program draws.
class TSkinBtn : public QPushButton, public TSkinWallpapered, public TSkinShadowed
{
    Q_OBJECT
    LIRASTO_SKIN_WALLPAPER_PROPERTIES
    LIRASTO_SKIN_SHADOW_PROPERTIES
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
    QRect CaptionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
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
