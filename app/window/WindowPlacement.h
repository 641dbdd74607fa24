#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where a top-level window whose frame has the given size goes in the available area of its screen: at its
// design position when the whole frame fits there; otherwise centred in the area, and along a side where
// the area is smaller than the frame, at the area's left or top edge so that the title bar and the
// controls near it stay reachable.
QPoint FittedPosition(const QRect& available, const QSize& frame, const QPoint& designed);

// Places the window at its current (design) position, or where FittedPosition says, and places it again
// once the window manager has put its frame around it, and whenever that frame's size changes. A window
// the user has moved stays where they put it as long as the frame keeps its size.
void KeepWindowOnScreen(QWidget* window);
