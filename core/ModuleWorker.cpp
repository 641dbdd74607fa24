#include "core/ModuleWorker.h"

#include <QDeadlineTimer>
#include <QThread>

#include <condition_variable>
#include <mutex>
#include <pthread.h>
#include <thread>

namespace lirasto {

// Carries calls from the worker to the owner's thread while the owner is there to take them. Shared with the
// thread, which may outlive its owner when it hangs.
struct TModuleWorker::TRelay
{
    std::mutex Mutex;
    QObject* Receiver = nullptr;
};

// A worker without events: a plain thread, joined at the end, so that none of it is left once stop returns.
struct TModuleWorker::TPlain
{
    std::thread Thread;
    // Shared with the thread, which may outlive its owner when it hangs.
    struct TDone
    {
        std::mutex Mutex;
        std::condition_variable Ended;
        bool Done = false;
    };
    std::shared_ptr<TDone> Done = std::make_shared<TDone>();
};

class TModuleWorker::TThread : public QThread
{
public:
    std::function<void()> Work;

protected:
    void run() override
    {
        Work();
        // What the work holds (its object, its callbacks) is let go here, on the thread it belongs to.
        Work = nullptr;
        // A stop asked for during the work has already ended this loop: it returns at once.
        exec();
    }
};

TModuleWorker::TModuleWorker(QString name) : name_(std::move(name)), relay_(std::make_shared<TRelay>()) {}

TModuleWorker::~TModuleWorker()
{
    Stop();
}

bool TModuleWorker::Started() const
{
    return started_;
}

QThread* TModuleWorker::Thread()
{
    if (!thread_) {
        thread_ = new TThread;
        thread_->setObjectName(name_);
    }
    return thread_;
}

void TModuleWorker::begin(std::function<void(const std::function<void(const QString&)>&)> onThread, TThen then,
                          std::function<void(const QString&)> problem)
{
    if (started_)
        return;
    started_ = true;
    // A thread left running by an earlier stop keeps the relay it had, which no longer delivers.
    relay_ = std::make_shared<TRelay>();
    owner_ = std::make_unique<QObject>();
    {
        std::lock_guard lock(relay_->Mutex);
        relay_->Receiver = owner_.get();
    }
    std::function<void()> work = [onThread = std::move(onThread), problem = std::move(problem), relay = relay_] {
        onThread([&](const QString& why) {
            if (!problem)
                return;
            std::lock_guard lock(relay->Mutex);
            if (relay->Receiver)
                QMetaObject::invokeMethod(
                    relay->Receiver, [problem, why] { problem(why); }, Qt::QueuedConnection);
        });
    };
    if (then == TThen::End) {
        plain_ = std::make_unique<TPlain>();
        plain_->Thread =
            std::thread([work = std::move(work), done = plain_->Done, name = name_.left(15).toUtf8()]() mutable {
                pthread_setname_np(pthread_self(), name.constData());
                work();
                // What the work holds is let go here, on its own thread.
                work = nullptr;
                std::lock_guard lock(done->Mutex);
                done->Done = true;
                done->Ended.notify_all();
            });
        return;
    }
    Thread();
    thread_->Work = std::move(work);
    thread_->start();
}

void TModuleWorker::ToOwner(std::function<void()> f) const
{
    std::lock_guard lock(relay_->Mutex);
    if (relay_->Receiver)
        QMetaObject::invokeMethod(relay_->Receiver, std::move(f), Qt::QueuedConnection);
}

bool TModuleWorker::Stop(std::chrono::milliseconds wait, TIfStuck ifStuck)
{
    started_ = false;
    {
        std::lock_guard lock(relay_->Mutex);
        relay_->Receiver = nullptr;
    }
    // Calls already on their way to the owner go with their receiver.
    owner_.reset();
    if (plain_)
        return stopPlain(wait, ifStuck);
    if (!thread_)
        return true;
    thread_->quit();
    bool ended = thread_->wait(QDeadlineTimer(wait.count()));
    if (!ended) {
        qWarning("%s: the worker did not end within %lld ms", qUtf8Printable(name_),
                 static_cast<long long>(wait.count()));
        if (ifStuck == TIfStuck::WaitOn)
            thread_->wait();
    }
    if (!thread_->isRunning())
        delete thread_;
    // Otherwise the thread is left to the process's exit, with what it holds.
    thread_ = nullptr;
    return ended;
}

bool TModuleWorker::stopPlain(std::chrono::milliseconds wait, TIfStuck ifStuck)
{
    std::unique_ptr<TPlain> plain = std::move(plain_);
    bool ended;
    {
        std::unique_lock lock(plain->Done->Mutex);
        ended = plain->Done->Ended.wait_for(lock, wait, [&] { return plain->Done->Done; });
    }
    if (!ended)
        qWarning("%s: the worker did not end within %lld ms", qUtf8Printable(name_),
                 static_cast<long long>(wait.count()));
    if (ended || ifStuck == TIfStuck::WaitOn)
        plain->Thread.join();
    else
        plain->Thread.detach(); // left to the process's exit, with what it holds
    return ended;
}

} // namespace lirasto
