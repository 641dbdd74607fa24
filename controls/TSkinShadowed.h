#pragma once

#include "controls/SkinUtils.h"

#include <QWidget>

// The caption-shadow properties every captioned control publishes. A change repaints the
// owner; a control whose size follows its caption overrides shadowChanged.
class TSkinShadowed
{
public:
    QColor ShadowColor() const { return shadow_.Color; }
    void SetShadowColor(const QColor& color) { shadow_.Color = color, shadowChanged(); }
    int ShadowSize() const { return shadow_.Size; }
    void SetShadowSize(int size) { shadow_.Size = size, shadowChanged(); }
    TShadowPosition ShadowPos() const { return shadow_.Position; }
    void SetShadowPos(TShadowPosition position) { shadow_.Position = position, shadowChanged(); }
    QString ShadowPosName() const { return lirasto::skin::ShadowPositionNames()[shadow_.Position]; }
    void SetShadowPosName(const QString& name)
    {
        SetShadowPos(TShadowPosition(
            lirasto::skin::OrdinalFromName(name, lirasto::skin::ShadowPositionNames(), "TShadowPosition")));
    }
    bool SimpleView() const { return shadow_.SimpleView; }
    void SetSimpleView(bool on) { shadow_.SimpleView = on, shadowChanged(); }
    const lirasto::skin::ShadowStyle& ShadowStyle() const { return shadow_; }

protected:
    explicit TSkinShadowed(QWidget* owner) : owner_(owner) {}
    virtual ~TSkinShadowed() = default;
    virtual void shadowChanged() { owner_->update(); }

    lirasto::skin::ShadowStyle shadow_;

private:
    QWidget* owner_;
};

#define LIRASTO_SKIN_SHADOW_PROPERTIES                                                                                 \
    Q_PROPERTY(QColor ShadowColor READ ShadowColor WRITE SetShadowColor)                                               \
    Q_PROPERTY(int ShadowSize READ ShadowSize WRITE SetShadowSize)                                                     \
    Q_PROPERTY(QString ShadowPos READ ShadowPosName WRITE SetShadowPosName)                                            \
    Q_PROPERTY(bool SimpleView READ SimpleView WRITE SetSimpleView)
