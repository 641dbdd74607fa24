#include "core/ModuleWorker.h"

#include <QDeadlineTimer>
#include <QThread>

#include <mutex>

namespace lirasto {

// Carries calls from the worker to the owner's thread while the owner is there to take them. Shared with the
// thread, which may outlive its owner when it hangs.
struct TModuleWorker::TRelay
{
    std::mutex Mutex;
    QObject* Receiver = nullptr;
};

class TModuleWorker::TThread : public QThread
{
public:
    std::function<void()> Work;
    TThen Then = TThen::RunEvents;

protected:
    void run() override
    {
        Work();
        // What the work holds (its object, its callbacks) is let go here, on the thread it belongs to.
        Work = nullptr;
        // A stop asked for during the work has already ended this loop: it returns at once.
        if (Then == TThen::RunEvents)
            exec();
    }
};

TModuleWorker::TModuleWorker(QString name) : name_(std::move(name)), relay_(std::make_shared<TRelay>()) {}

TModuleWorker::~TModuleWorker()
{
    stop();
}

QThread* TModuleWorker::thread()
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
    thread();
    thread_->Then = then;
    thread_->Work = [onThread = std::move(onThread), problem = std::move(problem), relay = relay_] {
        onThread([&](const QString& why) {
            if (!problem)
                return;
            std::lock_guard lock(relay->Mutex);
            if (relay->Receiver)
                QMetaObject::invokeMethod(
                    relay->Receiver, [problem, why] { problem(why); }, Qt::QueuedConnection);
        });
    };
    thread_->start();
}

void TModuleWorker::toOwner(std::function<void()> f) const
{
    std::lock_guard lock(relay_->Mutex);
    if (relay_->Receiver)
        QMetaObject::invokeMethod(relay_->Receiver, std::move(f), Qt::QueuedConnection);
}

bool TModuleWorker::stop(std::chrono::milliseconds wait, TIfStuck ifStuck)
{
    started_ = false;
    {
        std::lock_guard lock(relay_->Mutex);
        relay_->Receiver = nullptr;
    }
    // Calls already on their way to the owner go with their receiver.
    owner_.reset();
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

} // namespace lirasto
