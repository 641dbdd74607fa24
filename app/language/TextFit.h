#pragma once

class QFont;
class QString;
class QWidget;

// Makes the window's texts fit their controls in a language that runs longer than the
// English the design was laid out for. A control whose text does not fit first takes
// the free room to its right, up to its next neighbour on the same row or its parent's
// edge; what still does not fit is set in a smaller face, down to 70 % of the design's.
// Texts that already fit are left exactly as the design has them, and while English
// is shown nothing is measured.
void FitTexts(QWidget* root);

// The same for one control whose text was set after the window was fitted.
void FitText(QWidget* widget);

// The pixel size, from `largest` down to 70 % of it, at which a text painted in `font` takes at most `width`.
int FittingPixelSize(QFont font, const QString& text, int width, int largest);
