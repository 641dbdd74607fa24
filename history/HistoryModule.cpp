#include "history/HistoryModule.h"

#include "core/ModuleWorker.h"

#include <QThread>

THistoryModule::THistoryModule()
    : loaded_(promise_.get_future().share()),
      loader_(std::make_unique<lirasto::TModuleWorker>(QStringLiteral("History module")))
{}

THistoryModule::~THistoryModule()
{
    // A load under way ends first: it still reaches this object. A load never asked for is not made now.
    loader_->Stop(lirasto::TModuleWorker::kStopWait, lirasto::TModuleWorker::TIfStuck::WaitOn);
    // Then the store: it ends its worker, the only sender of Changed.
    loaded_ = {};
    promise_ = {};
}

void THistoryModule::Start()
{
    if (started_)
        return;
    started_ = true;
    if (loader_->Started()) {
        Open(); // made for an early call
        return;
    }
    load(true);
}

void THistoryModule::load(bool open) const
{
    QThread* home = thread();
    auto* self = const_cast<THistoryModule*>(this);
    loader_->Start<decltype(&lirasto_history_create)>(
        lirasto::kHistoryModule, lirasto::kHistoryFactory, lirasto::TModuleWorker::TThen::End,
        [self, home, open](std::unique_ptr<THistoryStorage> store, const QString& problem) {
            if (store) {
                // Made on the loader's thread; it belongs with the window, as this object does.
                if (auto* object = dynamic_cast<QObject*>(store.get()))
                    object->moveToThread(home);
                store->SetOnChanged([self] { emit self->Changed(); });
                // Loaded for Start: the store opens now, as Start promised.
                if (open)
                    store->Open();
            }
            self->promise_.set_value({std::move(store), problem});
        },
        [self](const QString& problem) {
            qWarning("History: %s", qUtf8Printable(problem));
            // The page learns that there is no history the way it learns of a change.
            emit self->Changed();
        },
        THistoryStorage::kVersion, QString());
}

THistoryStorage* THistoryModule::store() const
{
    // A call before Start has the module loaded and waits for it; the store is not opened for it.
    if (!loader_->Started())
        load(false);
    return loaded_.get().Store.get();
}

QString THistoryModule::Path() const
{
    return store() ? store()->Path() : QString();
}

void THistoryModule::Open()
{
    if (store())
        store()->Open();
}

int64_t THistoryModule::BeginRun(int level, std::chrono::system_clock::time_point started)
{
    return store() ? store()->BeginRun(level, started) : 0;
}

void THistoryModule::AddAnswer(const TAnswerRecord& answer)
{
    if (store())
        store()->AddAnswer(answer);
}

void THistoryModule::EndRun(int64_t runToken, const TRunResult& result)
{
    if (store())
        store()->EndRun(runToken, result);
}

void THistoryModule::Clear()
{
    if (store())
        store()->Clear();
}

void THistoryModule::Flush()
{
    if (store())
        store()->Flush();
}

void THistoryModule::SetOnChanged(std::function<void()> changed)
{
    connect(this, &THistoryModule::Changed, this, std::move(changed), Qt::DirectConnection);
}

std::vector<TAnswerRecord> THistoryModule::Answers(int level) const
{
    return store() ? store()->Answers(level) : std::vector<TAnswerRecord>{};
}

std::vector<TRunRecord> THistoryModule::Runs(int level) const
{
    return store() ? store()->Runs(level) : std::vector<TRunRecord>{};
}

QString THistoryModule::ReadEveryAnswer(TAnswerSink& sink) const
{
    return store() ? store()->ReadEveryAnswer(sink) : QString();
}

QString THistoryModule::Problem() const
{
    return store() ? store()->Problem() : tr("History is not being kept: %1").arg(loaded_.get().Problem);
}

QString THistoryModule::Notice() const
{
    return store() ? store()->Notice() : QString();
}
