#pragma once

#include "app/progress/ProgressStaff.h"
#include "app/progress/ProgressStats.h"
#include "app/progress/RunChart.h"

#include <QDateTime>
#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPainter;
class TExportProgress;
class TSkinWallpaper;
class THistoryReader;
class TStaffNoteCursor;
struct THistoryCsvResult;
class TSkinBtn;
class TSkinImages;

// The "Progress" page: how well the player reads each note of the current
// level's key, the weakest notes, the level's runs over time and the time
// practised; the history can be exported as CSV or cleared. It reads the
// history only when shown, and builds its picture once per visit.
class TProgressPage : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kPageWidth = 784;
    static constexpr int kPageHeight = 538;
    static constexpr int kWeakestCount = 8;

    TProgressPage(const THistoryReader& history, TStaffPictures pictures, TSkinImages* skin, QWidget* parent = nullptr);
    ~TProgressPage() override;

    // The level (1..12) whose key and runs are shown; others are refused
    // with ERangeError. Shown at once when the page is built.
    void SetLevel(int level);
    int Level() const { return level_; }
    // The practice whose figures are shown in place of the level's (empty: none); shown at once when the page is
    // shown.
    void SetPractice(const QString& name);
    const QString& Practice() const { return practice_; }
    // Reads the history again and redraws.
    void Refresh();
    bool Built() const { return built_; }

    // "Export history…": asks for a file and writes every answer to it on a
    // thread of its own, showing how far it is in the buttons' place, with a
    // button that cancels it; then says how it went.
    void ExportHistory();
    // "Reset history…": after the player confirms, asks for the history to
    // be cleared and shows the empty page.
    void ResetHistory();

    // Seams, so that tests and the window decide how the page asks and tells.
    // Each has a dialog as its default.
    std::function<QString()> ChooseExportFile; // empty when cancelled
    std::function<bool()> ConfirmReset;
    std::function<void(const QString&)> ShowMessage;
    std::function<QDateTime()> Now;
    // Connected by the window to the history store's Clear.
    std::function<void()> OnResetHistory;
    // Asked for the level to show each time the page is shown; a level
    // outside 1..12 keeps the one shown before.
    std::function<int()> LevelSource;
    // Asked, like LevelSource, for the practice to show (empty: the level's figures).
    std::function<QString()> PracticeSource;

    // What the page shows, for the window and the tests.
    const std::vector<TNoteStats>& Stats() const { return stats_; }
    const TNoteStats* StatsOf(int clef, int note) const;
    QStringList WeakestLines() const { return weakestLines_; }
    const TRunChart* Chart() const { return chart_.get(); }
    const TPracticeTotals& Totals() const { return totals_; }
    // The key's sight-reading figures as the list shows them; empty without a line.
    const QString& LinesLine() const { return linesLine_; }
    // What the page says of the history on this visit, if anything.
    QString Notice() const { return notice_; }
    QPoint NoteCentre(int clef, int note) const;
    // Paints what the page shows (kept as a picture and shown from there) on any painter.
    void PaintFace(QPainter& painter) const;
    QString TipAt(QPoint point) const;
    TSkinBtn* ExportButton() const { return exportButton_; }
    TSkinBtn* ResetButton() const { return resetButton_; }
    // The export under way; the notes' figures for the keyboard. Both made on the first visit.
    TExportProgress* ExportProgress() const { return exportProgress_; }
    TStaffNoteCursor* NoteCursor() const { return cursor_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void build();
    void readHistory();
    void paintCanvas();
    void exportFinished(const THistoryCsvResult& result, const QString& path);
    // The key the page is about, as the history files it (a level's key index), and as the staff writes it.
    int key() const;
    TStaffKey staffKey() const;

    const THistoryReader& history_;
    TStaffPictures pictures_;
    std::unique_ptr<TSkinWallpaper> wallpaper_;
    int level_ = 1;
    QString practice_;
    // The key of the practice's last answer (one of the thirty), whose signature and spelling the staff shows;
    // -1 for the level's.
    int practiceKey_ = -1;
    bool built_ = false;
    QString lastNotice_;
    bool noticeSeen_ = false;
    QString notice_;

    std::vector<TNoteStats> stats_;
    QStringList weakestLines_;
    std::unique_ptr<TRunChart> chart_;
    TPracticeTotals totals_;
    QString linesLine_;
    QImage canvas_;

    TSkinBtn* exportButton_ = nullptr;
    TSkinBtn* resetButton_ = nullptr;
    TExportProgress* exportProgress_ = nullptr;
    TStaffNoteCursor* cursor_ = nullptr;
};
