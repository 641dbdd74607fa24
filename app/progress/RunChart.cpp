#include "app/progress/RunChart.h"

#include "app/language/TextFit.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <optional>

namespace {

constexpr int kAxisMargin = 34;
// The title's distance from the borders; a title line is a little wider on some screens' scales than the
// font's figures say, and should still not touch them.
constexpr int kTitleMargin = 6;
constexpr int kTitleSlack = 8;
// The axis labels stand this far above their grid line, the top one too.
constexpr int kLabelHalfHeight = 7;
constexpr int kDateHeight = 16;
constexpr double kDot = 3;
constexpr int64_t kMaxScoreTop = 100000;
constexpr int64_t kMaxSecondsTop = 600;
constexpr int kMaxGridLines = 8;

QString dateOf(std::chrono::system_clock::time_point at)
{
    const qint64 ms = std::chrono::duration_cast<std::chrono::milliseconds>(at.time_since_epoch()).count();
    // Month names in the language shown.
    return QLocale().toString(QDateTime::fromMSecsSinceEpoch(ms), QStringLiteral("d MMM"));
}

} // namespace

TRunChart::TRunChart(std::vector<TRunPoint> points, QRect area, QString title, const QFont& font)
    : points_(std::move(points)), area_(area), title_(std::move(title)), font_(font)
{
    font_.setPixelSize(11);
    font_.setBold(true);
    const QRect room = area.adjusted(kTitleMargin, 3, -kTitleMargin, 0);
    int titleHeight = 0;
    if (!title_.isEmpty())
        titleHeight =
            QFontMetrics(font_).boundingRect(room.adjusted(0, 0, -kTitleSlack, 0), Qt::TextWordWrap, title_).height();
    titleRect_ = QRect(room.topLeft(), QSize(room.width(), titleHeight));
    plot_ = area.adjusted(kAxisMargin, 3 + titleHeight + kLabelHalfHeight + 2, -kAxisMargin, -kDateHeight);

    int64_t best = 0, slowest = 0;
    for (const TRunPoint& p : points_) {
        best = std::max<int64_t>(best, p.Score);
        slowest = std::max(slowest, p.MedianMs);
    }
    // Damaged records may claim anything; the axes stop where no real run goes,
    // and what lies beyond is drawn at the top.
    scoreTop_ = static_cast<int>(std::clamp<int64_t>(best / 100 + (best % 100 != 0), 4, kMaxScoreTop / 100) * 100);
    secondsTop_ = static_cast<int>(std::clamp<int64_t>(slowest / 1000 + (slowest % 1000 != 0), 5, kMaxSecondsTop));
}

double TRunChart::runX(std::size_t run) const
{
    if (points_.size() <= 1)
        return plot_.left() + plot_.width() / 2.0;
    return plot_.left() + static_cast<double>(plot_.width()) * static_cast<double>(run) / (points_.size() - 1);
}

double TRunChart::ScoreY(int score) const
{
    const double share = std::clamp(static_cast<double>(score) / scoreTop_, 0.0, 1.0);
    return plot_.bottom() - share * plot_.height();
}

QPointF TRunChart::ScorePoint(std::size_t run) const
{
    return {runX(run), ScoreY(points_.at(run).Score)};
}

QPointF TRunChart::TimePoint(std::size_t run) const
{
    const double seconds = std::max<int64_t>(points_.at(run).MedianMs, 0) / 1000.0;
    return {runX(run), plot_.bottom() - std::min(seconds / secondsTop_, 1.0) * plot_.height()};
}

void TRunChart::Paint(QPainter& painter) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area_, QColor(255, 255, 255, 210));
    painter.setPen(QColor(90, 60, 30));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area_.adjusted(0, 0, -1, -1));
    painter.setFont(font_);
    painter.setPen(Qt::black);
    painter.drawText(titleRect_.adjusted(0, 0, -kTitleSlack, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     title_);

    // Score grid and labels on the left, seconds on the right.
    const int scoreStep = std::max(100, (scoreTop_ / kMaxGridLines + 99) / 100 * 100);
    for (int score = 0; score <= scoreTop_; score += scoreStep) {
        const double y = ScoreY(score);
        painter.setPen(QColor(210, 210, 210));
        painter.drawLine(QPointF(plot_.left(), y), QPointF(plot_.right(), y));
        painter.setPen(kChartScoreColour);
        painter.drawText(QRectF(area_.left(), y - kLabelHalfHeight, kAxisMargin - 4, 2 * kLabelHalfHeight),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(score));
    }
    painter.setPen(kChartTimeColour);
    const int secondsStep = std::max(1, secondsTop_ / 5);
    // The top label is the widest; it sets the size that keeps them all inside the chart.
    const int secondsRoom = area_.right() - plot_.right() - 6;
    QFont font = font_;
    font.setPixelSize(
        FittingPixelSize(font, QCoreApplication::translate("TRunChart", "%1 s").arg(secondsTop_), secondsRoom, 11));
    painter.setFont(font);
    for (int s = 0; s <= secondsTop_; s += secondsStep) {
        const double y = plot_.bottom() - static_cast<double>(s) / secondsTop_ * plot_.height();
        painter.drawText(QRectF(plot_.right() + 4, y - kLabelHalfHeight, kAxisMargin - 4, 2 * kLabelHalfHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, QCoreApplication::translate("TRunChart", "%1 s").arg(s));
    }
    painter.setPen(QPen(kChartPassColour, 1.5, Qt::DashLine));
    painter.drawLine(QPointF(plot_.left(), ScoreY(kPassScore)), QPointF(plot_.right(), ScoreY(kPassScore)));

    if (points_.empty()) {
        painter.setPen(Qt::black);
        painter.drawText(plot_, Qt::AlignCenter, QCoreApplication::translate("TRunChart", "No runs of this level yet"));
        painter.restore();
        return;
    }
    // Separate segments: one long path of a thousand runs is stroked as a
    // single self-crossing outline, which takes Qt hundreds of milliseconds.
    std::vector<QLineF> scores, times;
    std::optional<QPointF> lastTime;
    for (std::size_t i = 0; i < points_.size(); ++i) {
        if (i > 0)
            scores.emplace_back(ScorePoint(i - 1), ScorePoint(i));
        if (points_[i].MedianMs >= 0) {
            if (lastTime)
                times.emplace_back(*lastTime, TimePoint(i));
            lastTime = TimePoint(i);
        }
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kChartTimeColour, 1.2));
    painter.drawLines(times.data(), static_cast<int>(times.size()));
    painter.setPen(QPen(kChartScoreColour, 1.5));
    painter.drawLines(scores.data(), static_cast<int>(scores.size()));
    // Hundreds of runs would only be a smear of dots; the lines say enough.
    if (points_.size() <= 120) {
        for (std::size_t i = 0; i < points_.size(); ++i) {
            painter.setPen(kChartScoreColour);
            painter.setBrush(points_[i].Passed ? QBrush(kChartScoreColour) : QBrush(Qt::white));
            painter.drawEllipse(ScorePoint(i), kDot, kDot);
            if (points_[i].MedianMs >= 0) {
                painter.setPen(kChartTimeColour);
                painter.setBrush(kChartTimeColour);
                painter.drawRect(QRectF(TimePoint(i) - QPointF(2, 2), QSizeF(4, 4)));
            }
        }
    }
    painter.setPen(Qt::black);
    const QRect dates(plot_.left(), plot_.bottom() + 2, plot_.width(), kDateHeight - 2);
    painter.drawText(dates, Qt::AlignLeft | Qt::AlignVCenter, dateOf(points_.front().Ended));
    if (points_.size() > 1)
        painter.drawText(dates, Qt::AlignRight | Qt::AlignVCenter, dateOf(points_.back().Ended));
    painter.restore();
}
