// The microphone module: capture through RtAudio, the detector on a worker of its own.
#include "core/JackServerRuns.h"
#include "microphone/FrameRing.h"
#include "microphone/MicrophoneCapture.h"

#include <jack/jack.h>
#include <rtaudio/RtAudio.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <semaphore>
#include <thread>
#include <vector>

using lirasto::mic::TDetectorSettings;
using lirasto::mic::THeard;
using lirasto::mic::TPitchDetector;

namespace {

// Under JACK the port is renamed to this, so that other programs and the player see what it is.
constexpr char kPortName[] = "audio in";
constexpr char kClientName[] = "Lirasto Notes microphone";
// Two and a half seconds at 48 kHz: the worker may fall that far behind before sound is dropped.
constexpr std::size_t kRingFrames = 1 << 17;
// The meter is told about twenty times a second.
constexpr double kMeterSeconds = 0.05;
// A stream that has handed over nothing for this long is asked whether the audio system closed it.
constexpr auto kSilentStream = std::chrono::seconds(1);

// The capture's clock: the audio thread notes how many frames it had handed over and when, and the worker
// turns a frame of the signal into a time on the steady clock. A sequence count keeps the pair whole without a
// lock in the callback.
class TCaptureClock
{
public:
    void Reset()
    {
        sequence_.store(0, std::memory_order_relaxed);
        frames_.store(0, std::memory_order_relaxed);
        nanoseconds_.store(0, std::memory_order_relaxed);
    }

    // The audio thread, after its frames went into the ring: they end now.
    void Delivered(int64_t frames)
    {
        const int64_t total = frames_.load(std::memory_order_relaxed) + frames;
        const int64_t now = std::chrono::steady_clock::now().time_since_epoch().count();
        sequence_.fetch_add(1, std::memory_order_acq_rel);
        frames_.store(total, std::memory_order_relaxed);
        nanoseconds_.store(now, std::memory_order_relaxed);
        sequence_.fetch_add(1, std::memory_order_release);
    }

    // When `frame` entered the program, reckoned back from the last delivery; empty before the first.
    std::chrono::steady_clock::time_point TimeOf(int64_t frame, int rate) const
    {
        int64_t frames = 0, nanoseconds = 0;
        for (;;) {
            const uint64_t before = sequence_.load(std::memory_order_acquire);
            frames = frames_.load(std::memory_order_relaxed);
            nanoseconds = nanoseconds_.load(std::memory_order_relaxed);
            std::atomic_thread_fence(std::memory_order_acquire);
            if (before % 2 == 0 && sequence_.load(std::memory_order_relaxed) == before)
                break;
        }
        if (nanoseconds == 0)
            return {};
        const int64_t back = (frames - frame) * 1'000'000'000 / std::max(1, rate);
        return std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(nanoseconds - back));
    }

    // The frame of the signal that enters at `time`; before the first delivery, as if it came now.
    int64_t FrameAt(std::chrono::steady_clock::time_point time, int rate) const
    {
        const std::chrono::steady_clock::time_point known = TimeOf(0, rate);
        const int64_t fromStart = (time - known).count() * rate / 1'000'000'000;
        return known == std::chrono::steady_clock::time_point{} ? 0 : fromStart;
    }

private:
    std::atomic<uint64_t> sequence_{0};
    std::atomic<int64_t> frames_{0};
    std::atomic<int64_t> nanoseconds_{0};
};

class TRtAudioCapture final : public TMicrophoneCapture
{
public:
    explicit TRtAudioCapture(TSetup setup) : setup_(std::move(setup)), ring_(kRingFrames) {}
    ~TRtAudioCapture() override { Close(); }

    QStringList Devices() override
    {
        QStringList names;
        try {
            RtAudio& audio = system();
            for (unsigned i = 0, n = audio.getDeviceCount(); i < n; ++i) {
                const RtAudio::DeviceInfo info = audio.getDeviceInfo(i);
                if (info.probed && info.inputChannels > 0)
                    names << QString::fromStdString(info.name);
            }
        } catch (const std::exception&) {
            // An audio system that cannot be asked has no device to offer.
        }
        return names;
    }

    QString Open(const QString& device, const TDetectorSettings& settings) override
    {
        Close();
        try {
            RtAudio& audio = system();
            const int chosen = findDevice(audio, device);
            if (chosen < 0) {
                const bool none = audio.getDeviceCount() == 0;
                // The next opening chooses the audio system again: a JACK server may have started meanwhile.
                audio_.reset();
                return none ? QStringLiteral("no capture device found")
                            : QStringLiteral("no capture device \"%1\"").arg(device);
            }
            const RtAudio::DeviceInfo info = audio.getDeviceInfo(unsigned(chosen));
            unsigned rate = info.preferredSampleRate;
            if (rate == 0 && !info.sampleRates.empty())
                rate = info.sampleRates.back();
            for (unsigned r : info.sampleRates)
                if (r == 48000 && api_ != RtAudio::UNIX_JACK)
                    rate = r;
            TDetectorSettings used = settings;
            used.SampleRate = int(rate);
            detector_ = std::make_unique<TPitchDetector>(used);
            RtAudio::StreamParameters input;
            input.deviceId = unsigned(chosen);
            input.nChannels = 1;
            RtAudio::StreamOptions options;
            options.streamName = kClientName;
            // JACK's own connection goes to the first capture ports; none is made without one.
            unsigned frames = 256;
            audio.openStream(nullptr, &input, RTAUDIO_FLOAT32, rate, &frames, &TRtAudioCapture::callback, this,
                             &options);
            clock_.Reset();
            running_ = true;
            worker_ = std::thread([this] { listen(); });
            audio.startStream();
            if (api_ == RtAudio::UNIX_JACK)
                nameJackPort();
            return {};
        } catch (const std::exception& e) {
            Close();
            audio_.reset();
            return QString::fromStdString(e.what()).trimmed();
        }
    }

    void Close() override
    {
        if (audio_ && audio_->isStreamOpen()) {
            try {
                if (audio_->isStreamRunning())
                    audio_->stopStream();
                audio_->closeStream();
            } catch (const std::exception&) {
                // A stream that will not stop is let go with the RtAudio object.
            }
        }
        if (worker_.joinable()) {
            running_ = false;
            wake_.release();
            worker_.join();
        }
        // The audio system that closed the stream may be gone: the next opening chooses again. After the
        // worker, which asks the stream.
        if (lost_.exchange(false))
            audio_.reset();
        jackPort_.clear();
    }

    QString JackPortName() const override
    {
        std::lock_guard lock(mutex_);
        return jackPort_;
    }

    void SetRange(int lowest, int highest) override
    {
        command([=](TPitchDetector& d) { d.SetRange(lowest, highest); });
    }
    void SetGateDb(float db) override
    {
        command([=](TPitchDetector& d) { d.SetGateDb(db); });
    }
    void OwnNoteOn(int note) override
    {
        // Stamped now: the detector may be behind the audio or ahead of it when the command reaches it.
        const auto now = std::chrono::steady_clock::now();
        command(
            [this, note, now](TPitchDetector& d) { d.OwnNoteOn(note, clock_.FrameAt(now, d.Settings().SampleRate)); });
    }
    void OwnNoteOff(int note) override
    {
        command([=](TPitchDetector& d) { d.OwnNoteOff(note); });
    }
    void OwnClicks(std::chrono::steady_clock::time_point first, double beatMs, int count) override
    {
        command([this, first, beatMs, count](TPitchDetector& d) {
            const int rate = d.Settings().SampleRate;
            d.OwnClicks(clock_.FrameAt(first, rate), std::llround(beatMs * rate / 1000.0), count);
        });
    }
    void MeasureNoise(double seconds) override
    {
        std::lock_guard lock(mutex_);
        noiseSeconds_ = seconds;
    }

private:
    RtAudio& system()
    {
        if (!audio_) {
            api_ = lirasto::JackServerRuns() ? RtAudio::UNIX_JACK : RtAudio::LINUX_PULSE;
            std::vector<RtAudio::Api> compiled;
            RtAudio::getCompiledApi(compiled);
            if (std::find(compiled.begin(), compiled.end(), api_) == compiled.end())
                api_ = RtAudio::LINUX_ALSA;
            audio_ = std::make_unique<RtAudio>(api_);
            audio_->showWarnings(false);
            if (api_ == RtAudio::LINUX_PULSE && audio_->getDeviceCount() == 0) {
                api_ = RtAudio::LINUX_ALSA;
                audio_ = std::make_unique<RtAudio>(api_);
                audio_->showWarnings(false);
            }
        }
        return *audio_;
    }

    int findDevice(RtAudio& audio, const QString& name)
    {
        int fallback = -1;
        const unsigned preferred = audio.getDefaultInputDevice();
        for (unsigned i = 0, n = audio.getDeviceCount(); i < n; ++i) {
            const RtAudio::DeviceInfo info = audio.getDeviceInfo(i);
            if (!info.probed || info.inputChannels == 0)
                continue;
            if (!name.isEmpty() && QString::fromStdString(info.name) == name)
                return int(i);
            if (fallback < 0 || i == preferred)
                fallback = int(i);
        }
        // A device chosen once and gone now: the player hears nothing until choosing again.
        return name.isEmpty() ? fallback : -1;
    }

    // RtAudio names its JACK ports "inport N"; ours says what it is.
    void nameJackPort()
    {
        jack_status_t status{};
        jack_client_t* client = jack_client_open("Lirasto Notes namer", JackNoStartServer, &status);
        if (!client)
            return;
        const char** ports = jack_get_ports(client, (std::string("^") + kClientName + ".*:inport 0$").c_str(),
                                            JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput);
        if (ports && ports[0]) {
            const std::string full = ports[0];
            if (jack_port_t* port = jack_port_by_name(client, full.c_str())) {
                const bool renamed = jack_port_rename(client, port, kPortName) == 0;
                std::lock_guard lock(mutex_);
                jackPort_ = QString::fromStdString(renamed ? jack_port_name(port) : full);
            }
        }
        jack_free(ports);
        jack_client_close(client);
    }

    template <class F>
    void command(F f)
    {
        std::lock_guard lock(mutex_);
        commands_.emplace_back(std::move(f));
    }

    // The audio system's thread: a copy into the ring and a wake-up, nothing that waits or allocates.
    static int callback(void*, void* input, unsigned frames, double, RtAudioStreamStatus, void* self)
    {
        auto* capture = static_cast<TRtAudioCapture*>(self);
        if (input) {
            capture->ring_.write(static_cast<const float*>(input), frames);
            capture->clock_.Delivered(frames);
            capture->wake_.release();
        }
        return 0;
    }

    void listen()
    {
        std::vector<float> block(8192);
        std::vector<THeard> heard;
        std::vector<std::function<void(TPitchDetector&)>> commands;
        const int64_t meterFrames = int64_t(kMeterSeconds * detector_->Settings().SampleRate);
        int64_t nextMeter = meterFrames;
        int64_t noiseUntil = -1;
        float noiseLoudest = -120.0f;
        auto heardFrom = std::chrono::steady_clock::now();
        while (running_) {
            if (wake_.try_acquire_for(std::chrono::milliseconds(100))) {
                heardFrom = std::chrono::steady_clock::now();
            } else if (!lost_ && std::chrono::steady_clock::now() - heardFrom > kSilentStream &&
                       !audio_->isStreamOpen()) {
                // RtAudio closes a stream whose JACK server went away by itself and tells no one.
                lost_ = true;
                if (setup_.Lost)
                    setup_.Lost(QStringLiteral("the audio system stopped listening; trying again"));
            }
            {
                std::lock_guard lock(mutex_);
                commands.swap(commands_);
                if (noiseSeconds_ > 0) {
                    noiseUntil = detector_->Frames() + int64_t(noiseSeconds_ * detector_->Settings().SampleRate);
                    noiseLoudest = -120.0f;
                    noiseSeconds_ = 0;
                }
            }
            for (auto& f : commands)
                f(*detector_);
            commands.clear();
            while (const std::size_t n = ring_.read(block.data(), block.size())) {
                heard.clear();
                detector_->Process(block.data(), n, heard);
                for (THeard& h : heard) {
                    h.At = clock_.TimeOf(h.StartFrame, detector_->Settings().SampleRate);
                    if (setup_.Heard)
                        setup_.Heard(h);
                }
                if (detector_->Frames() < nextMeter)
                    continue;
                nextMeter = detector_->Frames() + meterFrames;
                const float peak = detector_->TakePeakDb();
                if (setup_.Meter)
                    setup_.Meter(peak, detector_->Tuning());
                if (noiseUntil >= 0) {
                    noiseLoudest = std::max(noiseLoudest, peak);
                    if (detector_->Frames() >= noiseUntil) {
                        noiseUntil = -1;
                        if (setup_.NoiseMeasured)
                            setup_.NoiseMeasured(noiseLoudest);
                    }
                }
            }
        }
    }

    TSetup setup_;
    TFrameRing ring_;
    TCaptureClock clock_;
    std::counting_semaphore<> wake_{0};
    std::unique_ptr<RtAudio> audio_;
    RtAudio::Api api_ = RtAudio::UNSPECIFIED;
    std::unique_ptr<TPitchDetector> detector_;
    std::thread worker_;
    std::atomic<bool> running_{false};
    std::atomic<bool> lost_{false}; // the audio system closed the stream by itself
    mutable std::mutex mutex_;
    std::vector<std::function<void(TPitchDetector&)>> commands_;
    double noiseSeconds_ = 0;
    QString jackPort_;
};

} // namespace

extern "C" __attribute__((visibility("default"))) TMicrophoneCapture*
lirasto_microphone_create(int version, const TMicrophoneCapture::TSetup& setup)
{
    if (version != TMicrophoneCapture::kVersion)
        return nullptr;
    return new TRtAudioCapture(setup);
}
