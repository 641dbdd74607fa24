#include "app/play/PracticeChoice.h"

#include "app/language/Language.h"
#include "app/play/SightReading.h"
#include "app/window/Application.h"
#include "app/window/DesignClone.h"
#include "controls/SkinCtrls.h"
#include "game/GameCore.h"
#include "game/MusicKeys.h"
#include "game/NoteNames.h"
#include "game/StaffLayout.h"
#include "game/StaffView.h"
#include "graphics/Bitmap32.h"
#include "graphics/Image32.h"

#include <QInputDialog>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

namespace layout = lirasto::staff;

const char* const kClefItems[] = {
    QT_TRANSLATE_NOOP("TPracticeChoice", "Treble clef"), QT_TRANSLATE_NOOP("TPracticeChoice", "Bass clef"),
    QT_TRANSLATE_NOOP("TPracticeChoice", "Grand staff"), QT_TRANSLATE_NOOP("TPracticeChoice", "Alto clef"),
    QT_TRANSLATE_NOOP("TPracticeChoice", "Tenor clef"),  QT_TRANSLATE_NOOP("TPracticeChoice", "Treble clef, 8 below")};
// The key list: the level's key, the thirty, then a key drawn for each question or line.
constexpr int kFirstMusicKeyItem = 1;
constexpr int kRandomKeyItem = kFirstMusicKeyItem + kMusicKeyCount;

// The staff picture's rows a small staff shows: its staff or staves and the range's two notes, with
// room for a click a few steps beyond either, so that the range grows click by click.
constexpr int kMargin = 16;
constexpr int kSourceWidth = 200;
constexpr int kClefColumns = 46;
constexpr int kLowestLeft = 90, kHighestLeft = 150;
constexpr double kHeadCentreInGlyph = layout::kHeadCentreBelowOffset - layout::kNoteTopBelowOffset;
constexpr int kHeadWidth = 12;

// A picture sharing its pixels, from its finer twin on a screen scaled above 100 % when it has one
// (the image's device pixel ratio says which).
QImage imageOf(const TBitmap32* base, QImage::Format format, bool fine)
{
    const TBitmap32* detail = fine ? base->DetailPicture() : nullptr;
    const TBitmap32* bitmap = detail ? detail : base;
    QImage image(reinterpret_cast<const uchar*>(bitmap->Bits()), bitmap->Width(), bitmap->Height(),
                 qsizetype(bitmap->Width()) * 4, format);
    image.setDevicePixelRatio(qreal(bitmap->Width()) / base->Width());
    return image;
}

// Draws the part of a picture given in its logical pixels.
void drawPart(QPainter& painter, const QRectF& target, const QImage& image, const QRectF& part)
{
    const qreal r = image.devicePixelRatio();
    painter.drawImage(target, image, QRectF(part.topLeft() * r, part.size() * r));
}

bool upper(TStaffChoice staff)
{
    return staff != TStaffChoice::Bass;
}

// The clef a note of the range is written on.
int clefFor(TStaffChoice staff, int note)
{
    if (staff == TStaffChoice::Grand)
        return note >= 60 ? kTrebleClef : kBassClef;
    return ClefOfStaff(staff);
}

// The natural a note takes on the small staff: a black key on the natural below, as the names show it.
int naturalOf(int note)
{
    return IsBlackKey[PitchClass(note)] ? note - 1 : note;
}

// A note by the note names the player chose, as the piano's keys are named.
QString noteName(int note)
{
    return QString::fromStdString(NoteName(note, 0, CurrentNoteNaming()));
}

} // namespace

TRangeStaff::TRangeStaff(const TBitmap32* staff, const TBitmap32List* notes, const TBitmap32List* keys, QWidget* parent)
    : QWidget(parent), staff_(staff), notes_(notes), keys_(keys)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::PointingHandCursor);
}

void TRangeStaff::Show(TStaffChoice staff, int lowest, int highest)
{
    choice_ = staff;
    lowest_ = lowest;
    highest_ = highest;
    update();
}

QRectF TRangeStaff::source() const
{
    const bool upperOnly = upper(choice_) && choice_ != TStaffChoice::Grand;
    int top = upper(choice_) ? layout::kTrebleTopLine : layout::kBassTopLine;
    int bottom = upperOnly ? layout::kTrebleBottomLine : layout::kBassBottomLine;
    for (const int note : {lowest_, highest_}) {
        if (note == 0)
            continue;
        const int row = TStaffView::HeadRow(clefFor(choice_, note), naturalOf(note));
        top = std::min(top, row);
        bottom = std::max(bottom, row);
    }
    return QRectF(0, top - kMargin, kSourceWidth, bottom - top + 2 * kMargin);
}

double TRangeStaff::scale() const
{
    const QRectF from = source();
    return std::min(width() / from.width(), height() / from.height());
}

void TRangeStaff::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF from = source();
    const double k = scale();
    painter.translate((width() - from.width() * k) / 2, (height() - from.height() * k) / 2);
    painter.scale(k, k);
    painter.translate(0, -from.top());
    const bool fine = devicePixelRatioF() > 1;
    if (staff_ && !staff_->Empty()) {
        const QImage picture = imageOf(staff_, QImage::Format_RGB32, fine);
        // The clef, the plain staff widened from one column, and the closing bar line.
        drawPart(painter, QRectF(0, from.top(), kClefColumns, from.height()), picture,
                 QRectF(0, from.top(), kClefColumns, from.height()));
        drawPart(painter, QRectF(kClefColumns, from.top(), kSourceWidth - kClefColumns - 4, from.height()), picture,
                 QRectF(kClefColumns + 40, from.top(), 1, from.height()));
        drawPart(painter, QRectF(kSourceWidth - 4, from.top(), 4, from.height()), picture,
                 QRectF(staff_->Width() - 14 + 8, from.top(), 4, from.height()));
    }
    const int clef = ClefOfStaff(choice_);
    if (keys_ && clef >= kAltoClef) {
        const TBitmap32* tile = keys_->Bitmap(layout::ClefTilePicture(clef));
        if (!tile->Empty())
            painter.drawImage(layout::ClefTileLeft(), layout::ClefTileTop(),
                              imageOf(tile, QImage::Format_ARGB32, fine));
    }
    if (!notes_ || lowest_ == 0)
        return;
    const QImage head = imageOf(notes_->Bitmap(kNoteStemUpPicture), QImage::Format_ARGB32, fine);
    painter.setPen(QPen(Qt::black, 1));
    for (const auto& [note, left] : {std::pair{lowest_, kLowestLeft}, std::pair{highest_, kHighestLeft}}) {
        const int noteClef = clefFor(choice_, note);
        const int row = TStaffView::HeadRow(noteClef, naturalOf(note));
        const int top = noteClef == kBassClef ? layout::kBassTopLine : layout::kTrebleTopLine;
        const int bottom = top + 4 * layout::kLineSpacing;
        for (int line = top - layout::kLineSpacing; line >= row; line -= layout::kLineSpacing)
            painter.drawLine(QLineF(left - 4, line + 0.5, left + kHeadWidth + 4, line + 0.5));
        for (int line = bottom + layout::kLineSpacing; line <= row; line += layout::kLineSpacing)
            painter.drawLine(QLineF(left - 4, line + 0.5, left + kHeadWidth + 4, line + 0.5));
        painter.drawImage(QPointF(left, row - kHeadCentreInGlyph + 0.5), head);
    }
}

std::optional<TRangeStaff::TPick> TRangeStaff::PickAt(QPointF point) const
{
    const QRectF from = source();
    const double k = scale();
    const double x = (point.x() - (width() - from.width() * k) / 2) / k;
    const double row = (point.y() - (height() - from.height() * k) / 2) / k + from.top();
    if (x < kClefColumns || x > kSourceWidth || row < from.top() || row > from.bottom())
        return std::nullopt;
    const bool lowest = x < (kLowestLeft + kHighestLeft + kHeadWidth) / 2.0;
    const int clef = choice_ == TStaffChoice::Grand
                         ? (row > (layout::kTrebleBottomLine + layout::kBassTopLine) / 2.0 ? kBassClef : kTrebleClef)
                         : ClefOfStaff(choice_);
    // The natural whose head row lies nearest.
    std::optional<TPick> best;
    double nearest = layout::kStep;
    for (int note = layout::LowestNote(clef); note <= layout::HighestNote(clef); ++note) {
        if (IsBlackKey[PitchClass(note)])
            continue;
        const double distance = std::abs(TStaffView::HeadRow(clef, note) - row);
        if (distance <= nearest) {
            nearest = distance;
            best = TPick{lowest, note};
        }
    }
    return best;
}

void TRangeStaff::mousePressEvent(QMouseEvent* event)
{
    if (const std::optional<TPick> pick = PickAt(event->position()); pick && OnPick)
        RunGuarded([this, &pick] { OnPick(*pick); });
}

TPracticeChoice::TPracticeChoice(const TGamePage& page, const TDesignPictures& pictures, const TWindowActions& actions,
                                 TSightReading& reading, std::string settingsPath)
    : page_(page), actions_(actions), reading_(reading), path_(std::move(settingsPath))
{
    // The column under the time, the goal, the score and a run's summary above them.
    constexpr int kLeft = 600, kWidth = 170, kHalf = 83, kRow = 23, kTop = 375, kButton = 62, kGap = 4;
    const int h = page_.cbLevel->height();
    clef_ = CloneControl(page_.cbLevel, "cbClef", QRect(kLeft, kTop, kWidth, h));
    key_ = CloneControl(page_.cbLevel, "cbKey", QRect(kLeft, kTop + kRow, kWidth, h));
    accidentals_ = CloneControl(page_.cbLevel, "cbAccidentals", QRect(kLeft, kTop + 2 * kRow, kWidth, h));
    lowest_ = CloneControl(page_.cbLevel, "cbLowest", QRect(kLeft, kTop + 3 * kRow, kHalf, h));
    highest_ = CloneControl(page_.cbLevel, "cbHighest", QRect(kLeft + kWidth - kHalf, kTop + 3 * kRow, kHalf, h));
    // The small staff beside the two buttons.
    const int staffTop = kTop + 4 * kRow, buttonLeft = kLeft + kWidth - kButton, buttonHeight = page_.bReset->height();
    staff_ = new TRangeStaff(pictures.ImgClefs->Bitmap(), pictures.BMPNoteList, pictures.BMPKeyList,
                             page_.cbLevel->parentWidget());
    staff_->setObjectName(QStringLiteral("imgRange"));
    staff_->setGeometry(kLeft, staffTop, kWidth - kButton - kGap, 2 * buttonHeight + kGap);
    staff_->show();
    save_ = CloneControl(page_.bReset, "bSavePractice", QRect(buttonLeft, staffTop, kButton, buttonHeight));
    delete_ = CloneControl(page_.bReset, "bDeletePractice",
                           QRect(buttonLeft, staffTop + buttonHeight + kGap, kButton, buttonHeight));
    save_->SetCaption(tr("Save..."));
    delete_->SetCaption(tr("Delete"));
    save_->setEnabled(true);
    delete_->setEnabled(false);
    for (const char* item : kClefItems)
        clef_->addItem(tr(item));
    key_->addItem(tr("Key of the level"));
    for (int k = 0; k < kMusicKeyCount; ++k)
        key_->addItem(MusicKeyShown(k));
    key_->addItem(tr("Random key"));
    accidentals_->addItems({tr("No accidentals"), tr("Chromatic notes")});
    fillRanges(DefaultLowest(TStaffChoice::Treble), DefaultHighest(TStaffChoice::Treble));
    staff_->Show(TStaffChoice::Treble, DefaultLowest(TStaffChoice::Treble), DefaultHighest(TStaffChoice::Treble));
    clef_->OnChange = [this](QObject*) { RunGuarded([this] { changed(true); }); };
    key_->OnChange = [this](QObject*) { RunGuarded([this] { changed(false); }); };
    accidentals_->OnChange = key_->OnChange;
    lowest_->OnChange = key_->OnChange;
    highest_->OnChange = key_->OnChange;
    staff_->OnPick = [this](TRangeStaff::TPick pick) { picked(pick); };
    QObject::connect(save_, &QPushButton::clicked, save_, [this] {
        RunGuarded([this] {
            if (const std::optional<QString> name = AskName())
                SaveAs(*name);
        });
    });
    QObject::connect(delete_, &QPushButton::clicked, delete_, [this] { RunGuarded([this] { DeleteCurrent(); }); });
    AskName = [this]() -> std::optional<QString> {
        bool ok = false;
        const QString name = QInputDialog::getText(page_.cbLevel->window(), tr("Save the practice"), tr("Name:"),
                                                   QLineEdit::Normal, current_, &ok);
        return ok ? std::optional<QString>(name.trimmed()) : std::nullopt;
    };
    load();
    page_.Core.AddListener(this);
}

TPracticeChoice::~TPracticeChoice()
{
    page_.Core.RemoveListener(this);
    for (TSkinComboBox* box : {clef_, key_, accidentals_, lowest_, highest_})
        box->OnChange = nullptr;
    staff_->OnPick = nullptr;
}

void TPracticeChoice::load()
{
    const lirasto::settings::TPracticesRead read = lirasto::settings::ReadPractices(path_);
    practices_ = read.Practices;
    refillLevelList();
    if (!read.Refused.empty()) {
        // The first one refused; each is left in the file as it is, for the player to mend.
        refused_ = tr("Practice not loaded: %1").arg(QString::fromStdString(read.Refused.front()));
        showFault(refused_);
    }
}

QStringList TPracticeChoice::Names() const
{
    QStringList names;
    for (const auto& p : practices_)
        names << QString::fromStdString(p.Name);
    return names;
}

void TPracticeChoice::refillLevelList()
{
    actions_.FillLevelList();
}

void TPracticeChoice::RenameNotes()
{
    for (int k = 0; k < kMusicKeyCount; ++k)
        key_->setItemText(k + 1, MusicKeyShown(k));
    fillRanges(lowest_->currentData().toInt(), highest_->currentData().toInt());
}

void TPracticeChoice::ShowRefused()
{
    if (!refused_.isEmpty())
        showFault(std::exchange(refused_, QString()));
}

void TPracticeChoice::showFault(const QString& text)
{
    page_.lProgress->SetFontColor(QColor(255, 0, 0));
    page_.lProgress->SetCaption(text);
}

void TPracticeChoice::fillRanges(int lowest, int highest)
{
    const TStaffChoice staff = Choice().Staff;
    const bool grand = staff == TStaffChoice::Grand;
    const int low = layout::LowestNote(grand ? kBassClef : ClefOfStaff(staff));
    const int high = layout::HighestNote(grand ? kTrebleClef : ClefOfStaff(staff));
    const bool was = applying_;
    applying_ = true;
    lowest_->clear();
    highest_->clear();
    // A grand staff's range spans middle C: its lowest note lies below it, its highest at or above.
    for (int note = low; note <= (grand ? 59 : high); ++note)
        lowest_->addItem(noteName(note), note);
    for (int note = grand ? 60 : low; note <= high; ++note)
        highest_->addItem(noteName(note), note);
    lowest_->setCurrentIndex(lowest_->findData(lowest));
    highest_->setCurrentIndex(highest_->findData(highest));
    applying_ = was;
}

TPractice TPracticeChoice::Choice() const
{
    TPractice practice;
    const int item = reading_.ExerciseChoice()->currentIndex();
    if (item == 1)
        practice.Exercise = TPracticeExercise::Line;
    else if (item >= TSightReading::kFirstChordLineItem && item < TSightReading::kNotesItem)
        practice.Exercise = static_cast<TPracticeExercise>(static_cast<int>(TPracticeExercise::IntervalLine) + item -
                                                           TSightReading::kFirstChordLineItem);
    else if (item >= TSightReading::kFirstChordItem && item < TSightReading::kFirstChordLineItem)
        practice.Exercise = static_cast<TPracticeExercise>(static_cast<int>(TPracticeExercise::Intervals) + item -
                                                           TSightReading::kFirstChordItem);
    else
        practice.Exercise = TPracticeExercise::Notes;
    practice.Staff = static_cast<TStaffChoice>(std::max(0, clef_->currentIndex()));
    const int key = key_->currentIndex();
    practice.RandomKey = key == kRandomKeyItem;
    practice.MusicKey = key >= kFirstMusicKeyItem && key < kRandomKeyItem ? key - kFirstMusicKeyItem : -1;
    practice.Accidentals = accidentals_->currentIndex() == 1;
    practice.Lowest = lowest_->currentData().toInt();
    practice.Highest = highest_->currentData().toInt();
    if (practice.Lowest == DefaultLowest(practice.Staff) && practice.Highest == DefaultHighest(practice.Staff))
        practice.Lowest = practice.Highest = 0; // the staff's own range, as the command line leaves it
    return practice;
}

void TPracticeChoice::SetChoice(const TPractice& practice)
{
    applying_ = true;
    clef_->setCurrentIndex(static_cast<int>(practice.Staff));
    key_->setCurrentIndex(practice.RandomKey       ? kRandomKeyItem
                          : practice.MusicKey >= 0 ? kFirstMusicKeyItem + practice.MusicKey
                                                   : 0);
    accidentals_->setCurrentIndex(practice.Accidentals ? 1 : 0);
    fillRanges(practice.Lowest ? practice.Lowest : DefaultLowest(practice.Staff),
               practice.Highest ? practice.Highest : DefaultHighest(practice.Staff));
    const std::optional<TChordFamily> family = StackFamily(practice.Exercise);
    const bool inLine = practice.Exercise >= TPracticeExercise::IntervalLine;
    const int item = practice.Exercise == TPracticeExercise::Notes ? TSightReading::kNotesItem
                     : practice.Exercise == TPracticeExercise::Line
                         ? 1
                         : (inLine ? TSightReading::kFirstChordLineItem : TSightReading::kFirstChordItem) +
                               static_cast<int>(family.value_or(TChordFamily::Intervals));
    reading_.ExerciseChoice()->setCurrentIndex(item);
    applying_ = false;
    changed(false);
}

void TPracticeChoice::changed(bool clefChanged)
{
    if (applying_)
        return;
    TPractice practice = Choice();
    if (clefChanged) {
        fillRanges(DefaultLowest(practice.Staff), DefaultHighest(practice.Staff));
        practice = Choice();
    } else if (lowest_->currentData().toInt() > highest_->currentData().toInt()) {
        // The highest note follows the lowest, so that the range never turns inside out.
        fillRanges(lowest_->currentData().toInt(), lowest_->currentData().toInt());
        practice = Choice();
    }
    const int lowest = practice.Lowest ? practice.Lowest : DefaultLowest(practice.Staff);
    const int highest = practice.Highest ? practice.Highest : DefaultHighest(practice.Staff);
    staff_->Show(practice.Staff, lowest, highest);
    reading_.SetChoice(practice.LineSettings(reading_.LineChoice()), practice.ChordSettings());
    if (!current_.isEmpty()) {
        // The choice is no longer the practice saved: the level list goes back to the level.
        const auto named = std::find_if(practices_.begin(), practices_.end(),
                                        [this](const auto& p) { return QString::fromStdString(p.Name) == current_; });
        if (named == practices_.end() || !(named->Practice == practice)) {
            setCurrent(QString());
            QSignalBlocker block(page_.cbLevel);
            page_.cbLevel->setCurrentIndex(page_.Core.Level() - 1);
        }
    }
}

void TPracticeChoice::picked(TRangeStaff::TPick pick)
{
    const int lowest = pick.Lowest ? pick.Note : lowest_->currentData().toInt();
    const int highest = pick.Lowest ? highest_->currentData().toInt() : pick.Note;
    const TStaffChoice staff = Choice().Staff;
    if (!RangeFault(staff, lowest, highest).empty()) {
        // A click past the other end takes both ends there.
        if (staff == TStaffChoice::Grand)
            return;
        fillRanges(pick.Note, pick.Note);
    } else {
        fillRanges(lowest, highest);
    }
    changed(false);
}

bool TPracticeChoice::SaveAs(const QString& name)
{
    try {
        lirasto::settings::SavePractice(path_, name.toStdString(), Choice());
    } catch (const std::exception& e) {
        showFault(tr("The practice was not saved: %1").arg(QString::fromUtf8(e.what())));
        return false;
    }
    load();
    ChoosePractice(static_cast<int>(Names().indexOf(name)));
    return true;
}

void TPracticeChoice::DeleteCurrent()
{
    if (current_.isEmpty())
        return;
    try {
        lirasto::settings::DeletePractice(path_, current_.toStdString());
    } catch (const std::exception& e) {
        showFault(tr("The practice was not deleted: %1").arg(QString::fromUtf8(e.what())));
        return;
    }
    setCurrent(QString());
    load();
    page_.cbLevel->setCurrentIndex(page_.Core.Level() - 1);
}

void TPracticeChoice::ChoosePractice(int index)
{
    if (index < 0 || index >= static_cast<int>(practices_.size()))
        return;
    const auto& chosen = practices_[static_cast<std::size_t>(index)];
    setCurrent(QString());
    SetChoice(chosen.Practice);
    setCurrent(QString::fromStdString(chosen.Name));
    QSignalBlocker block(page_.cbLevel);
    page_.cbLevel->setCurrentIndex(LevelCount + index);
}

void TPracticeChoice::setCurrent(const QString& name)
{
    const bool changed = name != current_;
    current_ = name;
    delete_->setEnabled(!name.isEmpty());
    if (changed && OnCurrentChanged)
        OnCurrentChanged(name);
}

void TPracticeChoice::enable(bool on)
{
    for (QWidget* control :
         std::initializer_list<QWidget*>{clef_, key_, accidentals_, lowest_, highest_, staff_, save_})
        control->setEnabled(on);
    delete_->setEnabled(on && !current_.isEmpty());
}

void TPracticeChoice::RunStarted(int)
{
    enable(false);
}

void TPracticeChoice::RunEnded(const TRunResult&)
{
    enable(true);
}
