#pragma once

#include "app/progress/HistoryCsv.h"

#include <QWidget>

#include <memory>

class THistoryExport;
class THistoryReader;
class TSkinBtn;

// An export under way, in the place of the page's Export and Reset buttons: a
// button that cancels it and a bar that fills as the rows are written, in the
// page's wood and ink. Hidden while no export runs.
class TExportProgress : public QWidget
{
    Q_OBJECT

public:
    explicit TExportProgress(QWidget* parent = nullptr);
    // Cancels an export still running: its file is not written.
    ~TExportProgress() override;

    // Writes every answer of `history` to `path` on a thread of its own and shows
    // how far it is; false when an export runs already.
    bool Start(const THistoryReader& history, const QString& path);
    bool Running() const;
    // What the bar says: "Exporting…", then the share written.
    QString Text() const;
    TSkinBtn* CancelButton() const { return cancel_; }

signals:
    void Finished(const THistoryCsvResult& result, const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect bar() const;

    std::unique_ptr<THistoryExport> export_;
    TSkinBtn* cancel_ = nullptr;
};
