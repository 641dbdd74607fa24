#pragma once

#include "app/progress/ProgressStaff.h"

#include <QWidget>

#include <functional>
#include <optional>

class TSkinLabel;

// Brings the figures of each note of the progress staff within reach of the
// keyboard as well as the mouse. It lies over the staff: with the focus, the
// arrow keys move a ring from note to note (left and right along a staff, up
// and down between the staves, Home and End to a staff's ends), and a label
// above the staff shows the figures of the note under the ring, or of the
// note the mouse points at; the pointer's tip shows them too.
class TStaffNoteCursor : public QWidget
{
    Q_OBJECT

public:
    // `figuresArea` is where the label goes, in this widget's pixels (the staff's).
    TStaffNoteCursor(QWidget* parent, QRect figuresArea);

    // The key whose spelling places the notes; the figures of a note, in words.
    std::function<TStaffKey()> Key;
    std::function<QString(TStaffNote)> FiguresOf;
    // The note the ring starts on when the focus comes and no note is chosen.
    std::function<std::optional<TStaffNote>()> FirstNote;

    std::optional<TStaffNote> Selected() const { return selected_; }
    void Select(std::optional<TStaffNote> note);
    // The label's text; shows what the figures say now.
    QString Figures() const;
    void ShowFigures();
    // The tip at a point of the staff, empty off the notes.
    QString TipAt(QPoint point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    std::optional<TStaffNote> noteAt(QPoint point) const;
    QRect ringAround(TStaffNote note) const;
    void setHovered(std::optional<TStaffNote> note);

    TSkinLabel* label_;
    std::optional<TStaffNote> selected_;
    std::optional<TStaffNote> hovered_;
};
