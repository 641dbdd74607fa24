#include "history/HistoryModule.h"

#include "core/Modules.h"

THistoryModule::~THistoryModule()
{
    if (loader_.joinable())
        loader_.join();
    store_.reset();
}

void THistoryModule::Start()
{
    if (started_)
        return;
    started_ = true;
    if (loaded_) {
        Open();
        return;
    }
    loader_ = std::thread([this] {
        const lirasto::TModuleSymbol found = lirasto::FindInModule(lirasto::kHistoryModule, lirasto::kHistoryFactory);
        factory_ = found.Address;
        problem_ = found.Problem;
        // Deleted with this object, a call still on its way is dropped.
        QMetaObject::invokeMethod(
            this, [this] { Open(); }, Qt::QueuedConnection);
    });
}

THistoryStorage* THistoryModule::store() const
{
    if (loaded_)
        return store_.get();
    std::lock_guard lock(loading_);
    if (loaded_)
        return store_.get();
    if (loader_.joinable()) {
        loader_.join();
    } else {
        const lirasto::TModuleSymbol found = lirasto::FindInModule(lirasto::kHistoryModule, lirasto::kHistoryFactory);
        factory_ = found.Address;
        problem_ = found.Problem;
    }
    if (factory_) {
        store_.reset(reinterpret_cast<decltype(&lirasto_history_create)>(factory_)(THistoryStorage::kVersion, {}));
        if (!store_)
            problem_ = lirasto::ModuleVersionProblem(lirasto::kHistoryModule);
    }
    auto* self = const_cast<THistoryModule*>(this);
    if (store_) {
        store_->SetOnChanged([self] { emit self->Changed(); });
        // Asked for before the call from the loader arrived: the store opens now, as Start promised.
        if (started_)
            store_->Open();
    } else {
        qWarning("History: %s", qUtf8Printable(problem_));
        // The page learns that there is no history the way it learns of a change.
        QMetaObject::invokeMethod(
            self, [self] { emit self->Changed(); }, Qt::QueuedConnection);
    }
    loaded_ = true;
    return store_.get();
}

QString THistoryModule::Path() const
{
    return store() ? store_->Path() : QString();
}

void THistoryModule::Open()
{
    if (store())
        store_->Open();
}

int64_t THistoryModule::BeginRun(int level, std::chrono::system_clock::time_point started)
{
    return store() ? store_->BeginRun(level, started) : 0;
}

void THistoryModule::AddAnswer(const TAnswerRecord& answer)
{
    if (store())
        store_->AddAnswer(answer);
}

void THistoryModule::EndRun(int64_t runToken, const TRunResult& result)
{
    if (store())
        store_->EndRun(runToken, result);
}

void THistoryModule::Clear()
{
    if (store())
        store_->Clear();
}

void THistoryModule::Flush()
{
    if (store())
        store_->Flush();
}

void THistoryModule::SetOnChanged(std::function<void()> changed)
{
    connect(this, &THistoryModule::Changed, this, std::move(changed), Qt::DirectConnection);
}

std::vector<TAnswerRecord> THistoryModule::Answers(int level) const
{
    return store() ? store_->Answers(level) : std::vector<TAnswerRecord>{};
}

std::vector<TRunRecord> THistoryModule::Runs(int level) const
{
    return store() ? store_->Runs(level) : std::vector<TRunRecord>{};
}

QString THistoryModule::ReadEveryAnswer(TAnswerSink& sink) const
{
    return store() ? store_->ReadEveryAnswer(sink) : QString();
}

QString THistoryModule::Problem() const
{
    return store() ? store_->Problem() : tr("History is not being kept: %1").arg(problem_);
}

QString THistoryModule::Notice() const
{
    return store() ? store_->Notice() : QString();
}
