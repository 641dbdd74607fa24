#pragma once

#include <QAbstractButton>

// A tick in the skinned look: a small white box with a dark tick, and its
// caption in the control's font over whatever the panel shows behind it.
class TSkinCheckBox : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(bool Checked READ isChecked WRITE setChecked)
    Q_PROPERTY(bool RadioItem READ RadioItem WRITE SetRadioItem)

public:
    explicit TSkinCheckBox(QWidget* parent = nullptr);

    // A radio item shows a round mark and is one of an exclusive group.
    bool RadioItem() const { return radio_; }
    void SetRadioItem(bool on);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool radio_ = false;
};
