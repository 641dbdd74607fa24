#pragma once

#include "app/progress/ProgressStats.h"

#include <QFont>
#include <QPointF>
#include <QRect>
#include <QString>

#include <vector>

class QPainter;

// The chart of a level's runs: one point per run, oldest on the left, spaced
// evenly (play comes in sessions, and a time axis would crowd each session
// into one spot), the score on the left axis with the pass line, the median
// answer time on the right one. The title stays clear of the borders, on a
// second line when one is too short for it in the font given.
class TRunChart
{
public:
    static constexpr int kPassScore = 300;

    TRunChart(std::vector<TRunPoint> points, QRect area, QString title = {}, const QFont& font = QFont());

    // The plotting rectangle inside the area, clear of the title and the axis labels.
    QRect Plot() const { return plot_; }
    // Top of the score axis: the best score rounded up to a hundred, 400 to 100,000.
    int ScoreTop() const { return scoreTop_; }
    // Top of the time axis: the slowest median in whole seconds, 5 to 600.
    int SecondsTop() const { return secondsTop_; }

    QPointF ScorePoint(std::size_t run) const;
    // Only for a run with answers.
    QPointF TimePoint(std::size_t run) const;
    double ScoreY(int score) const;

    const std::vector<TRunPoint>& Points() const { return points_; }

    void Paint(QPainter& painter) const;

private:
    double runX(std::size_t run) const;

    std::vector<TRunPoint> points_;
    QRect area_;
    QString title_;
    QFont font_;
    QRect titleRect_;
    QRect plot_;
    int scoreTop_ = 400;
    int secondsTop_ = 5;
};

inline const QColor kChartScoreColour(20, 60, 150);
inline const QColor kChartTimeColour(190, 90, 0);
inline const QColor kChartPassColour(30, 140, 40);
