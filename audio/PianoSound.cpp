#include "audio/PianoSound.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include "audio/SynthEngine.h"
#include "core/ModuleWorker.h"

#include <algorithm>

Q_LOGGING_CATEGORY(lcSound, "lirasto.sound")

namespace {

constexpr int kLowestNote = 0;
constexpr int kHighestNote = 127;
// The piano plays on the channels of TSoundChannel.
constexpr int kChannels = 2;
// The synthesizer's gain at 100 %: a single key peaks near -14 dBFS and the
// loudest four-key chords near -5 dBFS, below full scale with the reverb.
constexpr double kFullGain = 1.25;
// After an output failed to open, a note tries again only this long after,
// so that a missing device does not cost every key press a round of attempts.
constexpr auto kRetryOutput = std::chrono::seconds(10);
const char* const kClientName = "Lirasto Notes";

// A SoundFont is a RIFF file of form "sfbk" whose stated length the file
// holds. Checked before FluidSynth sees the file: its loaders also take other
// formats, and a truncated file is known to be broken before it is parsed.
bool looksLikeSoundFont(const QString& path)
{
    // Only a regular file: opening a FIFO or a device would wait on whatever is on the other side.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(12);
    if (head.size() != 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "sfbk")
        return false;
    const auto* b = reinterpret_cast<const unsigned char*>(head.constData());
    const qint64 riffLength = qint64(b[4]) | qint64(b[5]) << 8 | qint64(b[6]) << 16 | qint64(b[7]) << 24;
    return riffLength + 8 <= file.size();
}

QStringList soundFontCandidates(const QString& folder)
{
    QStringList found;
    const QDir dir(folder);
    const QString preferred = dir.filePath(QStringLiteral("default-GM.sf2"));
    if (QFileInfo(preferred).isFile())
        found << preferred;
    const QString preferredTarget = QFileInfo(preferred).canonicalFilePath();
    const QFileInfoList files =
        dir.entryInfoList({QStringLiteral("*.sf2"), QStringLiteral("*.SF2")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& file : files) {
        if (file.absoluteFilePath() != preferred && file.canonicalFilePath() != preferredTarget)
            found << file.absoluteFilePath();
    }
    return found;
}

} // namespace

TPianoSound::TPianoSound(TSoundSetup setup, QObject* parent)
    : QObject(parent), setup_(std::move(setup)),
      worker_(std::make_unique<lirasto::TModuleWorker>(QStringLiteral("Sound")))
{}

TPianoSound::~TPianoSound()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    // The worker's loop uses this object to its end, so it is waited for however long an output takes to close.
    worker_->Stop(lirasto::TModuleWorker::kStopWait, lirasto::TModuleWorker::TIfStuck::WaitOn);
    fs_.reset();
}

void TPianoSound::Start()
{
    // The worker runs the sound's own loop rather than an event loop: a note reaches the synthesizer from the
    // caller's thread, and the loop only opens and closes the output.
    worker_->Start<decltype(&lirasto_sound_create)>(
        lirasto::kSoundModule, lirasto::kSoundFactory, lirasto::TModuleWorker::TThen::End,
        [this](std::unique_ptr<TSynthEngine> engine, const QString& problem) { run(std::move(engine), problem); },
        nullptr, TSynthEngine::kVersion);
}

QString TPianoSound::FindSoundFont(const QString& folder)
{
    const QStringList candidates = soundFontCandidates(folder);
    return candidates.isEmpty() ? QString() : candidates.front();
}

QString TPianoSound::StatusText() const
{
    switch (status_.load()) {
    case TStatus::NoSoundFont: {
        std::lock_guard lock(mutex_);
        if (!soundFontProblem_.isEmpty())
            return tr("No SoundFont found: %1").arg(soundFontProblem_);
        return tr("No SoundFont found");
    }
    case TStatus::NoOutput:
        return tr("No sound output");
    case TStatus::NoModule: {
        std::lock_guard lock(mutex_);
        return tr("No sound output: %1").arg(moduleProblem_);
    }
    case TStatus::Starting:
    case TStatus::Ready:
        break;
    }
    return {};
}

QString TPianoSound::SoundFontPath() const
{
    std::lock_guard lock(mutex_);
    return soundFont_;
}

QString TPianoSound::OutputDriver() const
{
    std::lock_guard lock(mutex_);
    return driverName_;
}

bool TPianoSound::WaitStarted(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    return wake_.wait_for(lock, timeout, [this] { return startFinished_; });
}

void TPianoSound::NoteOn(int note, TSoundChannel channel)
{
    if (note < kLowestNote || note > kHighestNote || muted_.load() || !loaded_.load())
        return;
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        lastNote_ = std::max(lastNote_, std::chrono::steady_clock::now());
        if (!outputOpen_) {
            outputWanted_ = true;
            wake = true;
        }
    }
    if (wake)
        wake_.notify_all();
    // Without an output nothing would ever render these voices, and the
    // synthesizer's queues would only fill up.
    if (status_.load() == TStatus::NoOutput)
        return;
    emit Sounded(note, true);
    fs_->NoteOn(static_cast<int>(channel), note, kVelocity);
}

void TPianoSound::ScheduleClicks(std::chrono::duration<double, std::milli> firstDelay,
                                 std::chrono::duration<double, std::milli> beat, int count, int accentEvery)
{
    // Without an output nothing would ever sound them.
    if (count <= 0 || beat.count() <= 0 || muted_.load() || status_.load() == TStatus::NoOutput)
        return;
    const auto now = std::chrono::steady_clock::now();
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        // The output stays open until the last click has sounded.
        const auto last =
            now + std::chrono::duration_cast<std::chrono::steady_clock::duration>(firstDelay + beat * count);
        lastNote_ = std::max(lastNote_, last);
        const bool renders = loaded_.load() && (setup_.Drivers.isEmpty() || outputOpen_);
        if (!renders) {
            // The sample clock stands still until the output renders: timed against it now, every
            // click would come late by the time the output takes to open.
            waitingClicks_.push_back({now + std::chrono::duration_cast<std::chrono::steady_clock::duration>(firstDelay),
                                      beat, count, accentEvery});
            outputWanted_ = true;
            wake = true;
        } else {
            fs_->ScheduleClicks(firstDelay.count(), beat.count(), count, accentEvery);
        }
    }
    if (wake)
        wake_.notify_all();
    else
        emit ClicksScheduled(now + std::chrono::duration_cast<std::chrono::steady_clock::duration>(firstDelay),
                             beat.count(), count);
}

// On the worker, once the output renders: the clicks that waited, from now on.
void TPianoSound::sendWaitingClicks()
{
    std::vector<TClickBatch> sent;
    {
        std::lock_guard lock(mutex_);
        const auto now = std::chrono::steady_clock::now();
        for (TClickBatch& batch : waitingClicks_) {
            // Bars already gone by are dropped whole, so that the accent stays on the bar's first beat.
            const int bar = std::max(1, batch.AccentEvery);
            int skipped = 0;
            while (skipped < batch.Count &&
                   batch.First + std::chrono::duration_cast<std::chrono::steady_clock::duration>(batch.Beat * skipped) <
                       now)
                skipped += bar;
            if (skipped >= batch.Count)
                continue;
            const auto first =
                batch.First + std::chrono::duration_cast<std::chrono::steady_clock::duration>(batch.Beat * skipped);
            fs_->ScheduleClicks(std::chrono::duration<double, std::milli>(first - now).count(), batch.Beat.count(),
                                batch.Count - skipped, batch.AccentEvery);
            sent.push_back({first, batch.Beat, batch.Count - skipped, batch.AccentEvery});
        }
        waitingClicks_.clear();
    }
    for (const TClickBatch& batch : sent)
        emit ClicksScheduled(batch.First, batch.Beat.count(), batch.Count);
}

void TPianoSound::CancelClicks()
{
    {
        std::lock_guard lock(mutex_);
        waitingClicks_.clear();
        if (loaded_.load())
            fs_->CancelClicks();
    }
    emit ClicksCancelled();
}

void TPianoSound::NoteOff(int note, TSoundChannel channel)
{
    if (note < kLowestNote || note > kHighestNote || !loaded_.load() || status_.load() == TStatus::NoOutput)
        return;
    emit Sounded(note, false);
    fs_->NoteOff(static_cast<int>(channel), note);
}

void TPianoSound::AllNotesOff()
{
    if (loaded_.load() && status_.load() != TStatus::NoOutput) {
        emit Sounded(-1, false);
        fs_->AllNotesOff();
    }
}

void TPianoSound::SetVolume(int percent)
{
    volume_.store(std::clamp(percent, 0, 100));
    applyGain();
}

void TPianoSound::SetMuted(bool muted)
{
    muted_.store(muted);
    applyGain();
    if (muted && loaded_.load())
        fs_->AllSoundsOff();
}

void TPianoSound::applyGain()
{
    if (!loaded_.load())
        return;
    const double gain = muted_.load() ? 0.0 : kFullGain * volume_.load() / 100.0;
    fs_->SetGain(static_cast<float>(gain));
}

int TPianoSound::Render(float* left, float* right, int frames)
{
    if (!setup_.Drivers.isEmpty() || !loaded_.load() || frames <= 0 || !left || !right)
        return 0;
    if (!fs_->Render(left, right, frames))
        return 0;
    return frames;
}

void TPianoSound::setStatus(TStatus status)
{
    if (status_.exchange(status) == status)
        return;
    if (status == TStatus::NoOutput)
        qCWarning(lcSound, "No sound output: none of %s opened (LIRASTO_DEBUG=1 tells why)",
                  qUtf8Printable(setup_.Drivers.join(QStringLiteral(", "))));
    else if (status == TStatus::NoSoundFont || status == TStatus::NoModule)
        qCWarning(lcSound, "%s", qUtf8Printable(StatusText()));
    emit StatusChanged();
}

bool TPianoSound::load(std::unique_ptr<TSynthEngine> engine)
{
    QStringList candidates;
    QString chosen = setup_.SoundFont;
    if (chosen.isEmpty())
        chosen = qEnvironmentVariable("LIRASTO_SOUNDFONT");
    // A SoundFont named on purpose is the only one tried: falling back to
    // another would hide that it is broken.
    if (!chosen.isEmpty())
        candidates << chosen;
    else
        candidates = soundFontCandidates(QStringLiteral("/usr/share/sounds/sf2"));

    if (!engine->Create(setup_.SampleRate))
        return false;
    for (const QString& path : candidates) {
        if (!looksLikeSoundFont(path)) {
            qCInfo(lcSound, "Not a SoundFont, or cut short: %s", qUtf8Printable(path));
            if (const QFileInfo file(path); file.exists() && !file.isFile()) {
                std::lock_guard lock(mutex_);
                soundFontProblem_ = tr("%1 is not a regular file").arg(file.fileName());
            }
            continue;
        }
        if (!engine->LoadPiano(path, kChannels))
            continue;
        fs_ = std::move(engine);
        std::lock_guard lock(mutex_);
        soundFont_ = path;
        return true;
    }
    return false;
}

bool TPianoSound::openOutput()
{
    QStringList order = setup_.Drivers;
    // The output that played last is tried first when the sound comes back.
    if (!lastDriver_.isEmpty() && order.removeOne(lastDriver_))
        order.prepend(lastDriver_);
    for (const QString& driver : order) {
        if (fs_->OpenOutput(driver, QLatin1String(kClientName))) {
            lastDriver_ = driver;
            std::lock_guard lock(mutex_);
            driverName_ = driver;
            outputOpen_ = true;
            return true;
        }
    }
    return false;
}

void TPianoSound::closeOutput()
{
    if (fs_)
        fs_->CloseOutput();
}

void TPianoSound::run(std::unique_ptr<TSynthEngine> engine, const QString& moduleProblem)
{
    const bool offline = setup_.Drivers.isEmpty();
    const bool haveEngine = engine != nullptr;
    if (!haveEngine) {
        // Told by the status, which says it before the start counts as finished.
        std::lock_guard lock(mutex_);
        moduleProblem_ = moduleProblem;
    }
    bool ready = haveEngine && load(std::move(engine));
    if (ready) {
        loaded_.store(true);
        applyGain();
    }
    // Opening the output once at start tells the Options page early whether
    // there is sound; it closes again after the first silence.
    auto lastFailure = std::chrono::steady_clock::now();
    if (!haveEngine)
        setStatus(TStatus::NoModule);
    else if (!ready)
        setStatus(TStatus::NoSoundFont);
    else if (offline || openOutput())
        setStatus(TStatus::Ready);
    else
        setStatus(TStatus::NoOutput);
    if (ready && status_.load() == TStatus::Ready)
        sendWaitingClicks();

    std::unique_lock lock(mutex_);
    startFinished_ = true;
    // Clicks asked for during the start keep the output open until the last of them.
    lastNote_ = std::max(lastNote_, std::chrono::steady_clock::now());
    wake_.notify_all();
    // Without a SoundFont, or rendered by the caller, there is nothing to look after.
    if (!ready || offline)
        return;
    while (!stopping_) {
        const auto now = std::chrono::steady_clock::now();
        if (outputWanted_ && !outputOpen_) {
            outputWanted_ = false;
            if (status_.load() == TStatus::NoOutput && now - lastFailure < kRetryOutput)
                continue;
            lock.unlock();
            const bool opened = openOutput();
            if (!opened)
                lastFailure = std::chrono::steady_clock::now();
            setStatus(opened ? TStatus::Ready : TStatus::NoOutput);
            if (opened)
                sendWaitingClicks();
            lock.lock();
            continue;
        }
        outputWanted_ = false;
        if (!outputOpen_) {
            // Closed and nothing asked for: sleep without a timer.
            wake_.wait(lock, [this] { return stopping_ || outputWanted_; });
            continue;
        }
        const auto quiet = now - lastNote_;
        if (quiet >= setup_.IdleStop) {
            const auto seen = lastNote_;
            lock.unlock();
            // A voice still in its release keeps the output open a while longer.
            const bool silent = fs_->ActiveVoices() == 0;
            lock.lock();
            // A note that came in meanwhile has found the output open and
            // counts on it; one after this point asks for it again.
            if (silent && lastNote_ == seen) {
                outputOpen_ = false;
                driverName_.clear();
                lock.unlock();
                closeOutput();
                lock.lock();
            } else if (lastNote_ == seen) {
                lastNote_ = std::chrono::steady_clock::now() - setup_.IdleStop + std::chrono::milliseconds(250);
            }
            continue;
        }
        wake_.wait_for(lock, setup_.IdleStop - quiet, [this] { return stopping_ || outputWanted_; });
    }
    outputOpen_ = false;
    driverName_.clear();
    lock.unlock();
    closeOutput();
}
