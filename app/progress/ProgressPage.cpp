#include "app/progress/ProgressPage.h"

#include "app/language/Language.h"
#include "app/language/TextFit.h"
#include "app/progress/ExportProgress.h"
#include "app/progress/ProgressText.h"
#include "app/progress/StaffNoteCursor.h"
#include "controls/SkinCtrls.h"
#include "core/Errors.h"
#include "game/MusicKeys.h"
#include "game/uVariables.h"
#include "history/HistoryReader.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QShowEvent>

#include <algorithm>
#include <iterator>
#include <set>

namespace {

const QPoint kStaffOrigin(6, 0);
constexpr int kStaffShownRows = 290;
const QRect kListArea(10, 294, 310, 150);
constexpr int kLineHeight = 16;
// Under a heading of their own: unlike the rest of the page, they count every level.
const QRect kTotalsArea(10, 444, 310, 54);
const QRect kLegendArea(330, 294, 448, 18);
const QRect kChartArea(330, 314, 448, 218);
const QRect kTitleArea(12, 4, 300, 20);
const QRect kNoticeArea(300, 4, 472, 40);
const QRect kExportButton(10, 502, 130, 25);
const QRect kResetButton(150, 502, 130, 25);
const QRect kExportProgress(10, 502, 310, 25);
// Under the title, where the staff's top rows hold no note, in the staff's pixels.
const QRect kFiguresArea(6, 24, 290, 16);
const QColor kWood(150, 100, 50);

using lirasto::progress::DrawText;
using lirasto::progress::TextShadow;

QString chartTitle(const QString& practice)
{
    return practice.isEmpty()
               ? TProgressPage::tr("Scores of this level's runs (dashed: the pass line, 300) and median answer time")
               : TProgressPage::tr("Scores of this practice's runs and median answer time");
}

// The practice's name is the player's own, shown as given.
QString levelTitle(int level, const QString& practice)
{
    return practice.isEmpty() ? LevelName(level) : practice;
}

} // namespace

TProgressPage::TProgressPage(const THistoryReader& history, TStaffPictures pictures, TSkinImages* skin, QWidget* parent)
    : QWidget(parent), history_(history), pictures_(pictures), wallpaper_(std::make_unique<TSkinWallpaper>(this))
{
    setObjectName(QStringLiteral("ProgressPage"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kPageWidth, kPageHeight);
    if (skin) {
        wallpaper_->SetImages(skin);
        wallpaper_->SetIndex(0);
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

// The note cursor asks this page for the key; it goes first, so that the focus it
// gives up on the way out finds the page still whole.
TProgressPage::~TProgressPage()
{
    delete cursor_;
}

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

void TProgressPage::SetPractice(const QString& name)
{
    if (name == practice_)
        return;
    practice_ = name;
    if (built_ && isVisible())
        Refresh();
}

int TProgressPage::key() const
{
    return staffKey().LevelKey();
}

TStaffKey TProgressPage::staffKey() const
{
    return practiceKey_ >= 0 ? TStaffKey::OfMusicKey(practiceKey_) : TStaffKey(LevelKeys[level_]);
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
    if (PracticeSource)
        practice_ = PracticeSource();
    // A window restored from the task bar shows nothing new.
    if (!built_)
        build();
    else if (!event->spontaneous())
        Refresh();
}

void TProgressPage::build()
{
    built_ = true;
    // Made first, so that the focus comes to the notes before the buttons.
    cursor_ = new TStaffNoteCursor(this, kFiguresArea);
    cursor_->setGeometry(QRect(kStaffOrigin, QSize(TProgressStaff::kWidth, kStaffShownRows)));
    cursor_->Key = [this] { return staffKey(); };
    cursor_->FiguresOf = [this](TStaffNote note) {
        const TNoteStats* s = StatsOf(note.Clef, note.Note);
        return s ? NoteTip(*s, staffKey()) : QString();
    };
    cursor_->FirstNote = [this]() -> std::optional<TStaffNote> {
        const std::vector<TNoteStats> weakest = WeakestNotes(stats_, 1);
        return weakest.empty() ? std::nullopt : std::optional(TStaffNote{weakest[0].Clef, weakest[0].Note});
    };
    cursor_->show();
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
    exportProgress_ = new TExportProgress(this);
    exportProgress_->setGeometry(kExportProgress);
    connect(exportProgress_, &TExportProgress::Finished, this, &TProgressPage::exportFinished);
    Refresh();
}

void TProgressPage::Refresh()
{
    if (!built_)
        return;
    readHistory();
    paintCanvas();
    cursor_->ShowFigures();
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
        std::vector<TRunRecord> runs;
        for (int level = 1; level <= LevelCount; ++level) {
            std::vector<TRunRecord> ofLevel = history_.Runs(level);
            runs.insert(runs.end(), ofLevel.begin(), ofLevel.end());
        }
        totals_ = PracticeTotals(runs, Now());
        std::vector<TAnswerRecord> answers;
        std::vector<TRunRecord> shownRuns;
        practiceKey_ = -1;
        if (practice_.isEmpty()) {
            answers = history_.Answers(level_);
            shownRuns = history_.Runs(level_);
        } else {
            // A practice may be played at any level: its answers and runs are gathered from all.
            std::set<int64_t> ofPractice;
            for (int level = 1; level <= LevelCount; ++level)
                for (TAnswerRecord& a : history_.Answers(level))
                    if (a.Practice == practice_) {
                        ofPractice.insert(a.RunId);
                        answers.push_back(std::move(a));
                    }
            std::sort(answers.begin(), answers.end(),
                      [](const TAnswerRecord& a, const TAnswerRecord& b) { return a.Id < b.Id; });
            std::copy_if(runs.begin(), runs.end(), std::back_inserter(shownRuns),
                         [&ofPractice](const TRunRecord& r) { return ofPractice.contains(r.Id); });
            if (!answers.empty() && answers.back().MusicKey >= 0)
                practiceKey_ = answers.back().MusicKey;
        }
        const TProgressScope scope(key(), practice_);
        stats_ = NoteStatistics(answers, scope);
        linesLine_ = LineFiguresLine(LineFigures(answers, scope));
        // The lines' figures take the list's last row.
        weakestLines_ = ::WeakestLines(stats_, ChordStatistics(answers, scope),
                                       std::size_t(kWeakestCount - (linesLine_.isEmpty() ? 0 : 1)), staffKey());
        chart_ = std::make_unique<TRunChart>(RunPoints(shownRuns, answers), kChartArea, chartTitle(practice_), font());
    } catch (const std::exception& error) {
        // A history that cannot be read leaves the page empty, saying why.
        stats_ = NoteStatistics({}, key());
        weakestLines_.clear();
        linesLine_.clear();
        chart_ = std::make_unique<TRunChart>(std::vector<TRunPoint>{}, kChartArea, chartTitle(practice_), font());
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
    canvas_ = QImage((QSizeF(kPageWidth, kPageHeight) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    canvas_.setDevicePixelRatio(ratio);
    QPainter painter(&canvas_);
    PaintFace(painter);
}

void TProgressPage::PaintFace(QPainter& painter) const
{
    const qreal ratio = devicePixelRatioF();
    const QRect page(0, 0, kPageWidth, kPageHeight);
    painter.setFont(font());
    if (!wallpaper_->Paint(painter, page))
        painter.fillRect(page, kWood);

    const int scale = ratio > 1.0 ? 2 : 1;
    const QImage staff = TProgressStaff::Compose(
        pictures_, staffKey(),
        [this](int clef, int note) {
            const TNoteStats* s = StatsOf(clef, note);
            return s && s->Answers > 0 ? MasteryColour(s->Mastery) : kUnseenNoteColour;
        },
        scale);
    const QSize shown(TProgressStaff::kWidth, std::min(staff.height() / scale, kStaffShownRows));
    painter.drawImage(QRect(kStaffOrigin, shown), staff, QRect(QPoint(0, 0), shown * scale));
    painter.setPen(QColor(90, 60, 30));
    painter.drawRect(QRect(kStaffOrigin, shown).adjusted(0, 0, -1, -1));
    DrawText(painter, kTitleArea, levelTitle(level_, practice_), 13, true);
    if (!notice_.isEmpty()) {
        // A damaged file's notice names the copy kept, so it takes two lines; the staff's top rows hold no note.
        QFont font = painter.font();
        font.setPixelSize(11);
        font.setBold(true);
        painter.setFont(font);
        lirasto::skin::DrawShadowText(painter, kNoticeArea, Qt::AlignRight | Qt::AlignTop | Qt::TextWordWrap, notice_,
                                      QColor(190, 0, 0), TextShadow(), true, QPalette());
    }

    const QRect listHeading(kListArea.topLeft(), QSize(kListArea.width(), 18));
    DrawText(painter, listHeading, tr("Weakest notes"), 14, true);
    QFont headingFont = painter.font();
    DrawText(painter,
             listHeading.adjusted(QFontMetrics(headingFont).horizontalAdvance(tr("Weakest notes")) + 8, 0, 0, 0),
             practice_.isEmpty() ? tr("at this level") : tr("in this practice"), 12, false);
    if (weakestLines_.isEmpty())
        DrawText(painter, QRect(kListArea.left(), kListArea.top() + 20, kListArea.width(), kLineHeight),
                 practice_.isEmpty() ? tr("No answers at this level yet.") : tr("No answers in this practice yet."), 12,
                 false);
    for (int i = 0; i < weakestLines_.size(); ++i)
        DrawText(painter,
                 QRect(kListArea.left(), kListArea.top() + 20 + i * kLineHeight, kListArea.width(), kLineHeight),
                 weakestLines_[i], 12, false);
    if (!linesLine_.isEmpty())
        DrawText(painter,
                 QRect(kListArea.left(), kListArea.top() + 20 + std::max<int>(1, weakestLines_.size()) * kLineHeight,
                       kListArea.width(), kLineHeight),
                 linesLine_, 12, true);

    DrawText(painter, QRect(kTotalsArea.topLeft(), QSize(kTotalsArea.width(), 18)), tr("All levels"), 14, true);
    DrawText(painter, QRect(kTotalsArea.left(), kTotalsArea.top() + 18, kTotalsArea.width(), 18),
             tr("Practice today: %1, this week: %2")
                 .arg(FormatPracticeTime(totals_.Today), FormatPracticeTime(totals_.ThisWeek)),
             12, true);
    DrawText(painter, QRect(kTotalsArea.left(), kTotalsArea.top() + 36, kTotalsArea.width(), 18),
             tr("Runs passed: %1 of %2").arg(totals_.Passed).arg(totals_.Runs), 12, true);

    const std::pair<QString, QColor> legend[] = {{tr("missed often"), MasteryColour(0)},
                                                 {tr("half known"), MasteryColour(0.5)},
                                                 {tr("right and fast"), MasteryColour(1)},
                                                 {tr("not asked yet"), kUnseenNoteColour}};
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
        DrawText(painter, QRect(x + 16, kLegendArea.top(), 120, kLegendArea.height()), label, legendSize, true);
        x += 16 + painter.fontMetrics().horizontalAdvance(label) + 18;
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    chart_->Paint(painter);
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
    return (TProgressStaff::NoteHeadCentre(clef, note, staffKey()) + kStaffOrigin).toPoint();
}

QString TProgressPage::TipAt(QPoint point) const
{
    return cursor_ ? cursor_->TipAt(point - kStaffOrigin) : QString();
}

void TProgressPage::ExportHistory()
{
    if (!built_ || exportProgress_->Running())
        return;
    const QString path = ChooseExportFile ? ChooseExportFile() : QString();
    if (path.isEmpty())
        return;
    // The buttons make way for the export's own until it ends; the rest of the page, and the window, go on.
    exportButton_->hide();
    resetButton_->hide();
    exportProgress_->Start(history_, path);
}

void TProgressPage::exportFinished(const THistoryCsvResult& result, const QString& path)
{
    exportButton_->show();
    resetButton_->show();
    if (result.Cancelled || !ShowMessage)
        return;
    ShowMessage(result.Error.isEmpty() ? tr("%1 answers written to %2").arg(result.Written).arg(path) : result.Error);
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
