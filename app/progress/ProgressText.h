#pragma once

#include "app/language/TextFit.h"
#include "controls/SkinUtils.h"

#include <QPainter>

// The progress page's ink: dark text with a light shadow below and right, as the wood wants.
namespace lirasto::progress {

inline skin::ShadowStyle TextShadow()
{
    skin::ShadowStyle style;
    style.Color = QColor(255, 240, 210);
    style.Size = 1;
    style.Position = spRightBottom;
    return style;
}

inline void DrawText(QPainter& painter, const QRect& r, const QString& text, int pixelSize, bool bold,
                     const QColor& colour = Qt::black, int flags = Qt::AlignLeft | Qt::AlignVCenter)
{
    QFont font = painter.font();
    font.setBold(bold);
    // A language whose words run longer gets a smaller face where a line would not fit.
    font.setPixelSize(FittingPixelSize(font, text, r.width(), pixelSize));
    painter.setFont(font);
    skin::DrawShadowText(painter, r, flags | Qt::TextSingleLine, text, colour, TextShadow(), true, QPalette());
}

// The frame of the page's boxes (the staff, the chart).
inline const QColor kFrameColour(90, 60, 30);

} // namespace lirasto::progress
