#include "app/progress/ExportProgress.h"

#include "app/progress/HistoryExport.h"
#include "app/progress/ProgressText.h"
#include "controls/TSkinBtn.h"

#include <QPainter>

namespace {

constexpr int kButtonWidth = 130;
constexpr int kGap = 10;

} // namespace

TExportProgress::TExportProgress(QWidget* parent) : QWidget(parent), cancel_(new TSkinBtn(this))
{
    setObjectName(QStringLiteral("ExportProgress"));
    cancel_->setObjectName(QStringLiteral("bCancelExport"));
    cancel_->SetCaption(tr("Cancel export"));
    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (export_)
            export_->Cancel();
    });
    hide();
}

TExportProgress::~TExportProgress() = default;

bool TExportProgress::Start(const THistoryReader& history, const QString& path)
{
    if (Running())
        return false;
    if (export_) // the last one, finished: its thread has ended
        export_.release()->deleteLater();
    export_ = std::make_unique<THistoryExport>(history, path);
    connect(export_.get(), &THistoryExport::Progress, this, [this] { update(bar()); });
    connect(export_.get(), &THistoryExport::Finished, this, [this](const THistoryCsvResult& result) {
        hide();
        emit Finished(result, export_->Path());
    });
    cancel_->setGeometry(0, 0, kButtonWidth, height());
    show();
    export_->Start();
    return true;
}

bool TExportProgress::Running() const
{
    return export_ && export_->Running();
}

QString TExportProgress::Text() const
{
    const int64_t total = export_ ? export_->Total() : 0;
    if (total <= 0)
        return tr("Exporting\u2026");
    const int64_t share = std::min<int64_t>(100, export_->Written() * 100 / total);
    return tr("Exporting\u2026 %1 %").arg(share);
}

QRect TExportProgress::bar() const
{
    return rect().adjusted(kButtonWidth + kGap, 0, 0, 0);
}

void TExportProgress::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect frame = bar().adjusted(0, 0, -1, -1);
    painter.fillRect(frame, QColor(255, 255, 255, 210));
    const int64_t total = export_ ? export_->Total() : 0;
    if (total > 0) {
        const double share = std::clamp(double(export_->Written()) / double(total), 0.0, 1.0);
        const QRect inside = frame.adjusted(1, 1, 0, 0);
        painter.fillRect(QRect(inside.topLeft(), QSize(int(inside.width() * share), inside.height())),
                         QColor(215, 180, 120));
    }
    painter.setPen(lirasto::progress::kFrameColour);
    painter.drawRect(frame);
    lirasto::progress::DrawText(painter, frame, Text(), 12, true, Qt::black, Qt::AlignCenter);
}
