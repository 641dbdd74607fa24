#pragma once

#include <QAbstractSlider>

// A horizontal slider in the skinned look: a white groove filled dark up to
// the value, and a small knob, over whatever the panel shows behind it. A
// click anywhere on the groove moves the knob there, as a volume control should.
class TSkinSlider : public QAbstractSlider
{
    Q_OBJECT

public:
    explicit TSkinSlider(QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int valueAt(int x) const;
};
