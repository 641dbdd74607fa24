#pragma once

#include <QRect>

class QWidget;
class TRunSummary;
class TSkinLabel;

// Where a run's summary stays on the game page: in the right-hand column
// below the answer, beside the keyboard, clear of the staff and above the
// choice of clef, key and range.
inline const QRect kRunSummaryPlace(600, 282, 178, 90);

// A transparent, word-wrapped label at RunSummaryPlace on the game page's panel.
TSkinLabel* CreateRunSummaryLabel(QWidget* gamePanel);

// The label shows the summary's text from now on, and nothing while a run goes.
void ShowRunSummaryIn(TRunSummary& summary, TSkinLabel* label);
