#include "app/progress/StaffNoteCursor.h"

#include "controls/TSkinLabel.h"
#include "game/GameEvents.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

// Ink that stands out from every mastery colour and from the staff's black.
const QColor kRingColour(20, 60, 150);

int lowest(int clef)
{
    return clef == 1 ? kTrebleLowestNote : kBassLowestNote;
}

int highest(int clef)
{
    return clef == 1 ? kTrebleHighestNote : kBassHighestNote;
}

} // namespace

TStaffNoteCursor::TStaffNoteCursor(QWidget* parent, QRect figuresArea) : QWidget(parent), label_(new TSkinLabel(this))
{
    setObjectName(QStringLiteral("StaffNoteCursor"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAccessibleName(tr("Notes of the level"));
    label_->setObjectName(QStringLiteral("lNoteFigures"));
    label_->SetTransparent(true);
    label_->SetAutoSize(false);
    QFont font = label_->font();
    font.setPixelSize(12);
    font.setBold(true);
    label_->setFont(font);
    label_->setGeometry(figuresArea);
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TStaffNoteCursor::Select(std::optional<TStaffNote> note)
{
    if (note &&
        (note->Clef < 1 || note->Clef > 2 || note->Note < lowest(note->Clef) || note->Note > highest(note->Clef)))
        note.reset();
    if (selected_)
        update(ringAround(*selected_));
    selected_ = note;
    if (selected_)
        update(ringAround(*selected_));
    ShowFigures();
}

QString TStaffNoteCursor::Figures() const
{
    const std::optional<TStaffNote> shown = hovered_ ? hovered_ : selected_;
    return shown && FiguresOf ? FiguresOf(*shown) : QString();
}

void TStaffNoteCursor::ShowFigures()
{
    label_->SetCaption(Figures());
    label_->setAccessibleName(label_->Caption());
}

std::optional<TStaffNote> TStaffNoteCursor::noteAt(QPoint point) const
{
    return Key ? TProgressStaff::NoteAt(point, Key()) : std::nullopt;
}

QString TStaffNoteCursor::TipAt(QPoint point) const
{
    const std::optional<TStaffNote> note = noteAt(point);
    return note && FiguresOf ? FiguresOf(*note) : QString();
}

QRect TStaffNoteCursor::ringAround(TStaffNote note) const
{
    const QPointF centre = TProgressStaff::NoteHeadCentre(note.Clef, note.Note, Key ? Key() : TStaffKey());
    return QRect(QPoint(int(std::lround(centre.x())) - 10, int(std::lround(centre.y())) - 9), QSize(21, 19));
}

void TStaffNoteCursor::paintEvent(QPaintEvent*)
{
    if (!selected_ || !hasFocus())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kRingColour, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(ringAround(*selected_)).adjusted(1.5, 1.5, -1.5, -1.5));
}

void TStaffNoteCursor::keyPressEvent(QKeyEvent* event)
{
    if (!selected_) {
        QWidget::keyPressEvent(event);
        return;
    }
    TStaffNote note = *selected_;
    const int column = note.Note - lowest(note.Clef);
    switch (event->key()) {
    case Qt::Key_Left:
        note.Note = std::max(note.Note - 1, lowest(note.Clef));
        break;
    case Qt::Key_Right:
        note.Note = std::min(note.Note + 1, highest(note.Clef));
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        // The staves' columns line up: the same column on the other staff, or that staff's end.
        note.Clef = event->key() == Qt::Key_Up ? 1 : 2;
        note.Note = std::min(lowest(note.Clef) + column, highest(note.Clef));
        break;
    case Qt::Key_Home:
        note.Note = lowest(note.Clef);
        break;
    case Qt::Key_End:
        note.Note = highest(note.Clef);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    hovered_.reset();
    Select(note);
}

void TStaffNoteCursor::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    if (!selected_)
        Select(FirstNote ? FirstNote() : std::nullopt);
    if (!selected_)
        Select(TStaffNote{1, kTrebleLowestNote});
    update(ringAround(*selected_));
}

void TStaffNoteCursor::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    if (selected_)
        update(ringAround(*selected_));
}

void TStaffNoteCursor::mousePressEvent(QMouseEvent* event)
{
    if (const std::optional<TStaffNote> note = noteAt(event->position().toPoint()))
        Select(note);
    QWidget::mousePressEvent(event);
}

void TStaffNoteCursor::mouseMoveEvent(QMouseEvent* event)
{
    setHovered(noteAt(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void TStaffNoteCursor::leaveEvent(QEvent* event)
{
    setHovered(std::nullopt);
    QWidget::leaveEvent(event);
}

void TStaffNoteCursor::setHovered(std::optional<TStaffNote> note)
{
    const auto same = [](const std::optional<TStaffNote>& a, const std::optional<TStaffNote>& b) {
        return a.has_value() == b.has_value() && (!a || (a->Clef == b->Clef && a->Note == b->Note));
    };
    if (same(note, hovered_))
        return;
    hovered_ = note;
    ShowFigures();
}

bool TStaffNoteCursor::event(QEvent* event)
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
