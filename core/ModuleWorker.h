#pragma once

#include "core/Modules.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <type_traits>

class QThread;

namespace lirasto {

// The thread a part of the program keeps for its module. The module is loaded and its object made there, off the
// window's thread; a missing module, one that does not load or one of another version is told to the thread that
// started the worker; then the part does its own work on the same thread (its command loop, or whatever it runs
// on the thread's event loop). Ending waits a bounded time, since a sound or MIDI system may hang as it closes.
class TModuleWorker
{
public:
    // What the thread does once the part's work on the object has returned: runs its event loop until stop (a
    // thread of Qt's, to which objects may move), or ends (a plain thread, joined at stop, so that nothing of it
    // is left once stop returns).
    enum class TThen { RunEvents, End };
    // What stop does with a thread that has not ended in time.
    enum class TIfStuck {
        // It is left to the process's exit: deleting a running thread would end the program. Only for work that
        // touches nothing of its owner's.
        LeaveRunning,
        // It is waited for until it ends: the work still uses its owner's members.
        WaitOn,
    };

    // Long enough for a JACK client of a lost server, whose close waits half a second, with room to spare.
    static constexpr std::chrono::milliseconds kStopWait{5000};

    // `name` names the thread in debuggers and in the system's thread list.
    explicit TModuleWorker(QString name);
    // As stop(kStopWait, TIfStuck::LeaveRunning).
    ~TModuleWorker();
    TModuleWorker(const TModuleWorker&) = delete;
    TModuleWorker& operator=(const TModuleWorker&) = delete;

    // The thread of a worker that runs events, made on first use so that objects can move to it before start; a
    // new one after stop.
    QThread* Thread();
    // Between start and stop.
    bool Started() const;

    // Starts the thread and, on it, makes the object of the factory `symbol` (of type TFactory) in the module
    // `file`, called with `args` (the interface version first). `work(object, problem)` then runs on the thread
    // with what was made, null with `problem` saying why when nothing was. When nothing was made, `problem` is also
    // called on the thread that called start, unless the worker is stopped first. Does nothing while started.
    template <class TFactory, class TWork, class... TArgs>
    void Start(const char* file, const char* symbol, TThen then, TWork work,
               std::function<void(const QString&)> problem, TArgs... args)
    {
        using TObject = std::remove_pointer_t<std::invoke_result_t<TFactory, const TArgs&...>>;
        begin(
            [file, symbol, work = std::move(work), args...](const std::function<void(const QString&)>& report) mutable {
                QString why;
                std::unique_ptr<TObject> made(MakeFromModule<TFactory>(QString::fromUtf8(file), symbol, why, args...));
                if (!made)
                    report(why);
                work(std::move(made), why);
            },
            then, std::move(problem));
    }

    // Runs `f` on the thread that called start, unless the worker is stopped first; from any thread.
    void ToOwner(std::function<void()> f) const;

    // Ends the thread's event loop and waits up to `wait` for the thread to end; the part's own work must already
    // have been told to return. False when it did not end in time. Started again afterwards, it starts a new thread.
    bool Stop(std::chrono::milliseconds wait = kStopWait, TIfStuck ifStuck = TIfStuck::LeaveRunning);

private:
    struct TRelay;
    struct TPlain;
    class TThread;

    void begin(std::function<void(const std::function<void(const QString&)>&)> onThread, TThen then,
               std::function<void(const QString&)> problem);
    bool stopPlain(std::chrono::milliseconds wait, TIfStuck ifStuck);

    QString name_;
    TThread* thread_ = nullptr;
    std::unique_ptr<TPlain> plain_;
    // On the starting thread: where what is told to the owner goes. Its queued calls go with it at stop.
    std::unique_ptr<QObject> owner_;
    std::shared_ptr<TRelay> relay_;
    bool started_ = false;
};

} // namespace lirasto
