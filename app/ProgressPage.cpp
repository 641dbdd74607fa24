#include "app/ProgressPage.h"

#include "app/Language.h"
#include "app/TextFit.h"

#include "app/HistoryCsv.h"
#include "controls/SkinCtrls.h"
#include "core/Errors.h"
#include "game/uVariables.h"
#include "history/HistoryReader.h"

#include <QDir>
#include <QFileDialog>
#include <QHelpEvent>
#include <QMessageBox>
#include <QPainter>
#include <QShowEvent>
#include <QToolTip>

namespace {

const QPoint kStaffOrigin(6, 0);
constexpr int kStaffShownRows = 290;
const QRect kListArea(10, 294, 310, 160);
constexpr int kLineHeight = 16;
const QRect kTotalsArea(10, 452, 310, 40);
const QRect kLegendArea(330, 294, 448, 18);
const QRect kChartArea(330, 314, 448, 218);
const QRect kTitleArea(12, 4, 300, 20);
const QRect kNoticeArea(300, 4, 472, 40);
const QRect kExportButton(10, 502, 130, 25);
const QRect kResetButton(150, 502, 130, 25);
const QColor kWood(150, 100, 50);

lirasto::skin::ShadowStyle textShadow()
{
    lirasto::skin::ShadowStyle style;
    style.color = QColor(255, 240, 210);
    style.size = 1;
    style.position = spRightBottom;
    return style;
}

void drawText(QPainter& painter, const QRect& r, const QString& text, int pixelSize, bool bold,
              const QColor& colour = Qt::black, int flags = Qt::AlignLeft | Qt::AlignVCenter)
{
    QFont font = painter.font();
    font.setBold(bold);
    // A language whose words run longer gets a smaller face where a line would not fit.
    font.setPixelSize(flags & Qt::TextWordWrap ? pixelSize : FittingPixelSize(font, text, r.width(), pixelSize));
    painter.setFont(font);
    lirasto::skin::drawShadowText(painter, r, flags | Qt::TextSingleLine, text, colour, textShadow(), true, QPalette());
}

QString levelTitle(int level)
{
    return LevelName(level);
}

} // namespace

TProgressPage::TProgressPage(const THistoryReader& history, TStaffPictures pictures, TSkinImages* skin, QWidget* parent)
    : QWidget(parent), history_(history), pictures_(pictures), wallpaper_(std::make_unique<TSkinWallpaper>(this))
{
    setObjectName(QStringLiteral("ProgressPage"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(PageWidth, PageHeight);
    if (skin) {
        wallpaper_->setImages(skin);
        wallpaper_->setIndex(0);
    }
    ChooseExportFile = [this] {
        return QFileDialog::getSaveFileName(this, tr("Export history"),
                                            QDir::home().filePath(QStringLiteral("lirasto-history.csv")),
                                            tr("CSV files (*.csv)"));
    };
    ConfirmReset = [this] {
        return QMessageBox::question(this, tr("Reset history"),
                                     tr("Clear every answer and run of the history? This cannot be "
                                        "undone.")) == QMessageBox::Yes;
    };
    ShowMessage = [this](const QString& text) { QMessageBox::information(this, tr("History"), text); };
    Now = [] { return QDateTime::currentDateTime(); };
}

TProgressPage::~TProgressPage() = default;

void TProgressPage::SetLevel(int level)
{
    if (level < 1 || level > LevelCount)
        throw lirasto::ERangeError("Range check error: level " + std::to_string(level) + " outside 1..12");
    if (level == level_)
        return;
    level_ = level;
    if (built_ && isVisible())
        Refresh();
}

int TProgressPage::key() const
{
    return LevelKeys[level_];
}

void TProgressPage::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous() && !lastNotice_.isEmpty())
        noticeSeen_ = true;
}

void TProgressPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (LevelSource) {
        const int level = LevelSource();
        if (level >= 1 && level <= LevelCount)
            level_ = level;
    }
    // A window restored from the task bar shows nothing new.
    if (!built_)
        build();
    else if (!event->spontaneous())
        Refresh();
}

void TProgressPage::build()
{
    built_ = true;
    exportButton_ = new TSkinBtn(this);
    exportButton_->SetCaption(tr("Export history\u2026"));
    exportButton_->setGeometry(kExportButton);
    resetButton_ = new TSkinBtn(this);
    resetButton_->SetCaption(tr("Reset history\u2026"));
    resetButton_->setGeometry(kResetButton);
    connect(exportButton_, &QPushButton::clicked, this, [this] { ExportHistory(); });
    connect(resetButton_, &QPushButton::clicked, this, [this] { ResetHistory(); });
    exportButton_->show();
    resetButton_->show();
    FitTexts(this);
    Refresh();
}

void TProgressPage::Refresh()
{
    if (!built_)
        return;
    readHistory();
    paintCanvas();
    update();
}

void TProgressPage::readHistory()
{
    // A history that is not being kept is said for as long as it is so; what
    // became of a damaged file is said until the player has seen the page.
    const QString told = history_.Notice();
    if (told != lastNotice_) {
        lastNotice_ = told;
        noticeSeen_ = false;
    }
    QStringList lines;
    if (!told.isEmpty() && !noticeSeen_)
        lines << told;
    if (const QString problem = history_.Problem(); !problem.isEmpty())
        lines << problem;
    notice_ = lines.join(QLatin1Char('\n'));
    try {
        const std::vector<TAnswerRecord> answers = history_.Answers(level_);
        stats_ = NoteStatistics(answers, key());
        weakestLines_.clear();
        for (const TNoteStats& s : WeakestNotes(stats_, WeakestCount))
            weakestLines_ << WeakNoteLine(s, key());
        chart_ = std::make_unique<TRunChart>(RunPoints(history_.Runs(level_), answers), kChartArea);
        std::vector<TRunRecord> runs;
        for (int level = 1; level <= LevelCount; ++level) {
            std::vector<TRunRecord> ofLevel = history_.Runs(level);
            runs.insert(runs.end(), ofLevel.begin(), ofLevel.end());
        }
        totals_ = PracticeTotals(runs, Now());
    } catch (const std::exception& error) {
        // A history that cannot be read leaves the page empty, saying why.
        stats_ = NoteStatistics({}, key());
        weakestLines_.clear();
        chart_ = std::make_unique<TRunChart>(std::vector<TRunPoint>{}, kChartArea);
        totals_ = {};
        notice_ = tr("The history cannot be read: %1").arg(QString::fromUtf8(error.what()));
    }
}

const TNoteStats* TProgressPage::StatsOf(int clef, int note) const
{
    for (const TNoteStats& s : stats_)
        if (s.Clef == clef && s.Note == note)
            return &s;
    return nullptr;
}

void TProgressPage::paintCanvas()
{
    // Drawn at the screen's resolution, so that text and notes are as sharp as the rest of the
    // window on a scaled screen; the staff then comes from the pictures' details.
    const qreal ratio = devicePixelRatioF();
    canvas_ = QImage((QSizeF(PageWidth, PageHeight) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    canvas_.setDevicePixelRatio(ratio);
    QPainter painter(&canvas_);
    PaintFace(painter);
}

void TProgressPage::PaintFace(QPainter& painter) const
{
    const qreal ratio = devicePixelRatioF();
    const QRect page(0, 0, PageWidth, PageHeight);
    painter.setFont(font());
    if (!wallpaper_->paint(painter, page))
        painter.fillRect(page, kWood);

    const int scale = ratio > 1.0 ? 2 : 1;
    const QImage staff = TProgressStaff::Compose(
        pictures_, key(),
        [this](int clef, int note) {
            const TNoteStats* s = StatsOf(clef, note);
            return s && s->Answers > 0 ? MasteryColour(s->Mastery) : UnseenNoteColour;
        },
        scale);
    const QSize shown(TProgressStaff::Width, std::min(staff.height() / scale, kStaffShownRows));
    painter.drawImage(QRect(kStaffOrigin, shown), staff, QRect(QPoint(0, 0), shown * scale));
    painter.setPen(QColor(90, 60, 30));
    painter.drawRect(QRect(kStaffOrigin, shown).adjusted(0, 0, -1, -1));
    drawText(painter, kTitleArea, levelTitle(level_), 13, true);
    if (!notice_.isEmpty()) {
        // A damaged file's notice names the copy kept, so it takes two lines; the staff's top rows hold no note.
        QFont font = painter.font();
        font.setPixelSize(11);
        font.setBold(true);
        painter.setFont(font);
        lirasto::skin::drawShadowText(painter, kNoticeArea, Qt::AlignRight | Qt::AlignTop | Qt::TextWordWrap, notice_,
                                      QColor(190, 0, 0), textShadow(), true, QPalette());
    }

    drawText(painter, QRect(kListArea.topLeft(), QSize(kListArea.width(), 18)), tr("Weakest notes"), 14, true);
    if (weakestLines_.isEmpty())
        drawText(painter, QRect(kListArea.left(), kListArea.top() + 20, kListArea.width(), kLineHeight),
                 tr("No answers at this level yet."), 12, false);
    for (int i = 0; i < weakestLines_.size(); ++i)
        drawText(painter,
                 QRect(kListArea.left(), kListArea.top() + 20 + i * kLineHeight, kListArea.width(), kLineHeight),
                 weakestLines_[i], 12, false);

    drawText(painter, QRect(kTotalsArea.topLeft(), QSize(kTotalsArea.width(), 18)),
             tr("Practice today: %1, this week: %2")
                 .arg(FormatPracticeTime(totals_.Today), FormatPracticeTime(totals_.ThisWeek)),
             12, true);
    drawText(painter, QRect(kTotalsArea.left(), kTotalsArea.top() + 18, kTotalsArea.width(), 18),
             tr("Runs passed: %1 of %2").arg(totals_.Passed).arg(totals_.Runs), 12, true);

    const std::pair<QString, QColor> legend[] = {{tr("missed often"), MasteryColour(0)},
                                                 {tr("half known"), MasteryColour(0.5)},
                                                 {tr("right and fast"), MasteryColour(1)},
                                                 {tr("not asked yet"), UnseenNoteColour}};
    // The legend keeps to one line in every language: its words get smaller where they are longer.
    constexpr int kMarkAndGaps = 16 + 18;
    QString allLabels;
    for (const auto& entry : legend)
        allLabels += entry.first;
    QFont legendFont = painter.font();
    legendFont.setBold(true);
    const int legendSize =
        FittingPixelSize(legendFont, allLabels, kLegendArea.width() - kMarkAndGaps * int(std::size(legend)), 12);
    int x = kLegendArea.left();
    for (const auto& [label, colour] : legend) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(QRectF(x, kLegendArea.center().y() - 4, 12, 9));
        drawText(painter, QRect(x + 16, kLegendArea.top(), 120, kLegendArea.height()), label, legendSize, true);
        x += 16 + painter.fontMetrics().horizontalAdvance(label) + 18;
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    chart_->Paint(painter, tr("Scores of this level's runs (dashed: the pass line, 300) and median "
                              "answer time"));
}

void TProgressPage::paintEvent(QPaintEvent*)
{
    if (!canvas_.isNull() && canvas_.devicePixelRatio() != devicePixelRatioF())
        paintCanvas(); // the window went to a screen of another scale
    QPainter painter(this);
    if (canvas_.isNull())
        painter.fillRect(rect(), kWood);
    else
        painter.drawImage(0, 0, canvas_);
}

QPoint TProgressPage::NoteCentre(int clef, int note) const
{
    return (TProgressStaff::NoteHeadCentre(clef, note, key()) + kStaffOrigin).toPoint();
}

QString TProgressPage::TipAt(QPoint point) const
{
    const QPoint inStaff = point - kStaffOrigin;
    if (inStaff.y() < 0 || inStaff.y() >= kStaffShownRows)
        return {};
    const std::optional<TStaffNote> found = TProgressStaff::NoteAt(inStaff, key());
    const TNoteStats* s = found ? StatsOf(found->Clef, found->Note) : nullptr;
    return s ? NoteTip(*s, key()) : QString();
}

bool TProgressPage::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = TipAt(help->pos());
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), tip, this);
    }
    return true;
}

void TProgressPage::ExportHistory()
{
    const QString path = ChooseExportFile ? ChooseExportFile() : QString();
    if (path.isEmpty())
        return;
    QString error;
    std::size_t count = 0;
    try {
        const std::vector<TAnswerRecord> answers = history_.AllAnswers();
        count = answers.size();
        error = ExportHistoryCsv(path, answers);
    } catch (const std::exception& e) {
        error = tr("The history cannot be read: %1").arg(QString::fromUtf8(e.what()));
    }
    if (ShowMessage)
        ShowMessage(error.isEmpty() ? tr("%1 answers written to %2").arg(count).arg(path) : error);
}

void TProgressPage::ResetHistory()
{
    if (!ConfirmReset || !ConfirmReset())
        return;
    QString error;
    if (!OnResetHistory) {
        error = tr("The history cannot be cleared now.");
    } else {
        try {
            OnResetHistory();
        } catch (const std::exception& e) {
            error = tr("The history could not be cleared: %1").arg(QString::fromUtf8(e.what()));
        }
    }
    if (!error.isEmpty() && ShowMessage)
        ShowMessage(error);
    Refresh();
}
