#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

namespace lirasto::test {

// Runs the event loop until done() holds or ms milliseconds have passed; says whether it holds.
inline bool WaitFor(const std::function<bool()>& done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

} // namespace lirasto::test
