#pragma once

#include <QEvent>
#include <QObject>
#include <QPaintEvent>
#include <QRegion>

namespace lirasto::test {

// Collects the regions a widget is asked to paint, from the moment it watches it.
class TPaintRecorder : public QObject
{
public:
    explicit TPaintRecorder(QObject* watched) { watched->installEventFilter(this); }

    QRegion painted_;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted_ += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

} // namespace lirasto::test
