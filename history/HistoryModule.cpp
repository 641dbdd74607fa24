#include "history/HistoryModule.h"

#include "core/Modules.h"

THistoryModule::THistoryModule() : loaded_(std::async(std::launch::deferred, [this] { return load(); }).share()) {}

THistoryModule::~THistoryModule()
{
    // The store goes first, after a load under way has ended: it ends its worker, the only sender of
    // Changed. A load never asked for is not made now.
    loaded_ = {};
}

void THistoryModule::Start()
{
    if (started_)
        return;
    started_ = true;
    if (loaded_.wait_for(std::chrono::seconds(0)) != std::future_status::deferred) {
        Open(); // made by an early call
        return;
    }
    loaded_ = std::async(std::launch::async, [this] { return load(); }).share();
}

THistoryModule::TLoaded THistoryModule::load()
{
    TLoaded loaded;
    loaded.Store.reset(lirasto::MakeFromModule<decltype(&lirasto_history_create)>(
        lirasto::kHistoryModule, lirasto::kHistoryFactory, loaded.Problem, THistoryStorage::kVersion, QString()));
    if (!loaded.Store) {
        qWarning("History: %s", qUtf8Printable(loaded.Problem));
        // The page learns that there is no history the way it learns of a change.
        QMetaObject::invokeMethod(
            this, [this] { emit Changed(); }, Qt::QueuedConnection);
        return loaded;
    }
    // Made on whichever thread loaded it; it belongs with the window, as this object does.
    if (auto* object = dynamic_cast<QObject*>(loaded.Store.get()))
        object->moveToThread(thread());
    loaded.Store->SetOnChanged([this] { emit Changed(); });
    // Loaded on the worker after Start: the store opens now, as Start promised.
    if (started_)
        loaded.Store->Open();
    return loaded;
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
