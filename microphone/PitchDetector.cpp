#include "microphone/PitchDetector.h"

#include <aubio/aubio.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>

namespace lirasto::mic {

namespace {

// A note counts once its pitch held for this many hops in a row (16 ms at 48 kHz).
constexpr int kSteadyHops = 3;
// A change of note with no new attack, as a voice or a violin slides, must hold twice as long.
constexpr int kLegatoHops = 2 * kSteadyHops;
// Quiet for this many hops ends the note held.
constexpr int kReleaseHops = 6;
// A note sounding holds until it falls this far below the gate, so that a note hovering at the gate is one note.
constexpr float kHoldBelowGateDb = 6.0f;
// Below this confidence YIN-FFT's pitch is a guess: a chord, a noise, an attack.
constexpr float kConfidence = 0.8f;
// A rise of this much over the quietest of the last hops is an attack, beside aubio's onsets.
constexpr float kAttackRiseDb = 6.0f;
// After a note starts, its attack goes on for a while (80 ms) and is not struck again.
constexpr int kSettleHops = 15;
// A partial weaker than this share of another counts as missing.
constexpr double kMissingPartial = 0.2;
// A slower rise is an attack only this large and where aubio heard an onset.
constexpr float kClimbDb = 9.0f;
// The same note again counts as new when its steady pitch follows an attack this closely.
constexpr int kRestrikeHops = 40;
// How long the program's own piano may ring on after its note is let go.
constexpr double kOwnTailSeconds = 0.8;
// The program's note reaches the microphone within this many hops of its start (160 ms, the output's latency
// and its attack); an attack later than that while it sounds is the player's, who heard it and plays it back.
constexpr int64_t kOwnAttackHops = 30;
constexpr float kSilentDb = -120.0f;
// A metronome click sounds about 130 ms (a General MIDI wood block held 50 ms); the span covers it and the
// output's latency on the way back in.
constexpr double kClickLeadSeconds = 0.01;
constexpr double kClickSpanSeconds = 0.16;

double meanSquare(const float* samples, int count)
{
    double sum = 0.0;
    for (int i = 0; i < count; ++i)
        sum += double(samples[i]) * samples[i];
    return sum / std::max(1, count);
}

// Whether `heard` may be a note that sounds (its own pitch, an octave error or a strong harmonic of `played`).
bool relatedTo(int heard, int played)
{
    const int d = heard - played;
    return d % 12 == 0 || d == 19 || d == 28 || d == 31;
}

} // namespace

struct TPitchDetector::TAubio
{
    aubio_pitch_t* Pitch = nullptr;
    // aubio 0.4.9's YIN-FFT reports a confidence of 0 whatever it hears; its plain YIN computed through the
    // FFT reports one, and a second opinion on the period besides.
    aubio_pitch_t* Confidence = nullptr;
    aubio_onset_t* Onset = nullptr;
    fvec_t* PitchOut = nullptr;
    fvec_t* OnsetOut = nullptr;

    ~TAubio()
    {
        if (Pitch)
            del_aubio_pitch(Pitch);
        if (Confidence)
            del_aubio_pitch(Confidence);
        if (Onset)
            del_aubio_onset(Onset);
        if (PitchOut)
            del_fvec(PitchOut);
        if (OnsetOut)
            del_fvec(OnsetOut);
    }
};

TPitchDetector::TPitchDetector(const TDetectorSettings& settings) : settings_(settings), aubio_(new TAubio)
{
    if (settings.SampleRate < 8000 || settings.SampleRate > 192000)
        throw std::invalid_argument("Microphone: a sample rate of " + std::to_string(settings.SampleRate) +
                                    " Hz cannot be listened to");
    // Past 48 kHz the same time span takes twice the samples.
    const int scale = settings.SampleRate > 50000 ? 2 : 1;
    window_ = 2048 * scale;
    hop_ = 256 * scale;
    const auto rate = uint_t(settings.SampleRate);
    aubio_->Pitch = new_aubio_pitch("yinfft", uint_t(window_), uint_t(hop_), rate);
    aubio_->Confidence = new_aubio_pitch("yinfast", uint_t(window_), uint_t(hop_), rate);
    aubio_->Onset = new_aubio_onset("hfc", uint_t(window_ / 2), uint_t(hop_), rate);
    aubio_->PitchOut = new_fvec(1);
    aubio_->OnsetOut = new_fvec(1);
    if (!aubio_->Pitch || !aubio_->Confidence || !aubio_->Onset || !aubio_->PitchOut || !aubio_->OnsetOut)
        throw std::runtime_error("Microphone: aubio could not set up its pitch and onset detection");
    for (aubio_pitch_t* pitch : {aubio_->Pitch, aubio_->Confidence}) {
        aubio_pitch_set_unit(pitch, "midi");
        // The gate is ours; aubio is to answer for every hop it is given.
        aubio_pitch_set_silence(pitch, -100.0f);
    }
    aubio_onset_set_silence(aubio_->Onset, -70.0f);
    aubio_onset_set_minioi_ms(aubio_->Onset, 50.0f);
    hopBuffer_.assign(std::size_t(hop_), 0.0f);
    recent_.assign(std::size_t(window_), 0.0f);
    hann_.resize(std::size_t(window_));
    for (std::size_t i = 0; i < hann_.size(); ++i)
        hann_[i] = float(0.5 - 0.5 * std::cos(2.0 * M_PI * double(i) / double(hann_.size() - 1)));
    recentDb_.fill(kSilentDb);
    SetRange(settings.LowestNote, settings.HighestNote);
}

TPitchDetector::~TPitchDetector() = default;

void TPitchDetector::SetRange(int lowest, int highest)
{
    lowest = std::clamp(lowest, 0, 127);
    highest = std::clamp(highest, 0, 127);
    settings_.LowestNote = std::min(lowest, highest);
    settings_.HighestNote = std::max(lowest, highest);
}

void TPitchDetector::SetGateDb(float db)
{
    settings_.GateDb = std::isfinite(db) ? std::clamp(db, -100.0f, 0.0f) : kGateByDefaultDb;
}

void TPitchDetector::OwnNoteOn(int note)
{
    OwnNoteOn(note, frames_);
}

void TPitchDetector::OwnNoteOn(int note, int64_t frame)
{
    if (note >= 0 && note < 128) {
        ownOn_[std::size_t(note)] = true;
        ownSince_[std::size_t(note)] = std::max<int64_t>(0, frame) / hop_;
    }
}

void TPitchDetector::OwnNoteOff(int note)
{
    if (note < 0 || note >= 128)
        return;
    ownOn_[std::size_t(note)] = false;
    ownUntil_[std::size_t(note)] = hops_ + int64_t(kOwnTailSeconds * settings_.SampleRate / hop_);
}

void TPitchDetector::OwnClicks(int64_t frame, int64_t beatFrames, int count)
{
    // One schedule at a time, as the metronome makes them: a new one replaces what is left of the last.
    clickFrame_ = frame;
    clickBeat_ = std::max<int64_t>(1, beatFrames);
    clicksLeft_ = std::max(0, count);
}

void TPitchDetector::CancelClicks()
{
    clicksLeft_ = 0;
}

// Whether a click sounds in the hop from `hopStart`; clicks gone by are dropped.
bool TPitchDetector::clicking(int64_t hopStart)
{
    const auto lead = int64_t(kClickLeadSeconds * settings_.SampleRate);
    const auto span = int64_t(kClickSpanSeconds * settings_.SampleRate);
    while (clicksLeft_ > 0 && hopStart > clickFrame_ + span) {
        clickFrame_ += clickBeat_;
        --clicksLeft_;
    }
    return clicksLeft_ > 0 && hopStart + hop_ >= clickFrame_ - lead;
}

bool TPitchDetector::isOwn(int note) const
{
    for (int played = 0; played < 128; ++played)
        if ((ownOn_[std::size_t(played)] || ownUntil_[std::size_t(played)] > hops_) && relatedTo(note, played) &&
            onsetHop_ <= ownSince_[std::size_t(played)] + kOwnAttackHops)
            return true;
    return false;
}

float TPitchDetector::TakePeakDb()
{
    return std::exchange(peakDb_, kSilentDb);
}

void TPitchDetector::Process(const float* samples, std::size_t count, std::vector<THeard>& heard)
{
    while (count > 0) {
        const std::size_t n = std::min(count, hopBuffer_.size() - filled_);
        std::copy_n(samples, n, hopBuffer_.begin() + std::ptrdiff_t(filled_));
        filled_ += n;
        samples += n;
        count -= n;
        frames_ += int64_t(n);
        if (filled_ == hopBuffer_.size()) {
            filled_ = 0;
            step(heard);
        }
    }
}

void TPitchDetector::start(int note, std::vector<THeard>& heard)
{
    if (current_ >= 0)
        stop(heard);
    current_ = note;
    lastNote_ = note;
    currentSince_ = hops_;
    answered_ = !isOwn(note);
    // The note began at its attack when one came lately, else where its pitch began to hold still.
    const int64_t attack = onsetHop_ > hops_ - kRestrikeHops ? onsetHop_ : hops_ - steadyHops_ + 1;
    if (answered_)
        heard.push_back({true, note, frames_, std::max<int64_t>(0, (attack - 1) * hop_)});
}

void TPitchDetector::stop(std::vector<THeard>& heard)
{
    if (current_ >= 0 && answered_)
        heard.push_back({false, current_, frames_, frames_});
    current_ = -1;
    answered_ = false;
}

// The pitch both of aubio's YIN estimators agree on, as a MIDI note with its fraction, and how sure YIN is
// of it; 0 where they disagree. Between 88 and 92 YIN-FFT (aubio 0.4.9) reads a steady tone an octave low
// while plain YIN is sure: there plain YIN is taken.
static std::pair<float, float> agreedPitch(float yinfft, float yin, float confidence)
{
    if (std::fabs(yinfft - yin) < 0.5f || std::fabs(yin - yinfft - 12.0f) < 0.5f)
        return {yin, confidence};
    return {0.0f, 0.0f};
}

// The strength of `hz` in the last window of sound (Goertzel's filter over a Hann-windowed window).
double TPitchDetector::strength(double hz) const
{
    const double w = 2.0 * M_PI * hz / settings_.SampleRate, c = 2.0 * std::cos(w);
    double s1 = 0, s2 = 0;
    const std::size_t n = recent_.size();
    for (std::size_t i = 0; i < n; ++i) {
        const double s0 = recent_[(recentAt_ + i) % n] * hann_[i] + c * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return std::sqrt(std::max(0.0, s1 * s1 + s2 * s2 - c * s1 * s2));
}

// YIN's period may be an octave off where a partial outweighs the fundamental early in a note: a flute's
// breath gives a period twice the note's, a low voice's weak fundamental half of it. The spectrum says which:
// a note has its fundamental and its third partial, an octave error lacks one or has the other's.
int TPitchDetector::checkOctave(int note) const
{
    const double f = 440.0 * std::pow(2.0, (note - 69) / 12.0);
    const double one = strength(f), two = strength(2 * f);
    if (one < kMissingPartial * two && strength(3 * f) < kMissingPartial * two)
        return note + 12; // no fundamental and no third partial: the note is the octave above
    const double half = strength(f / 2), oneAndHalf = strength(1.5 * f);
    if (half > kMissingPartial * one && oneAndHalf > kMissingPartial * one)
        return note - 12; // the octave below sounds with its third partial: it is the note
    return note;
}

void TPitchDetector::step(std::vector<THeard>& heard)
{
    ++hops_;
    for (float x : hopBuffer_) {
        recent_[recentAt_] = x;
        recentAt_ = (recentAt_ + 1) % recent_.size();
    }
    // The level over four hops: a single hop is shorter than a low note's period and would flicker.
    std::rotate(hopEnergy_.begin(), hopEnergy_.begin() + 1, hopEnergy_.end());
    hopEnergy_.back() = meanSquare(hopBuffer_.data(), hop_);
    const double energy = (hopEnergy_[0] + hopEnergy_[1] + hopEnergy_[2] + hopEnergy_[3]) / 4.0;
    const float db = energy > 1e-12 ? float(10.0 * std::log10(energy)) : kSilentDb;
    peakDb_ = std::max(peakDb_, db);
    fvec_t in{uint_t(hop_), hopBuffer_.data()};
    aubio_pitch_do(aubio_->Pitch, &in, aubio_->PitchOut);
    const float yinfft = aubio_->PitchOut->data[0];
    aubio_pitch_do(aubio_->Confidence, &in, aubio_->PitchOut);
    const auto [midi, confidence] =
        agreedPitch(yinfft, aubio_->PitchOut->data[0], aubio_pitch_get_confidence(aubio_->Confidence));
    aubio_onset_do(aubio_->Onset, &in, aubio_->OnsetOut);

    // An attack: the level leaps within a few hops, or climbs where aubio heard an onset. A swell as slow as
    // a piano's release ringing back up is neither.
    const float quietest = *std::min_element(recentDb_.begin(), recentDb_.end());
    const float quietestLately = *std::min_element(recentDb_.end() - 3, recentDb_.end());
    std::rotate(recentDb_.begin(), recentDb_.begin() + 1, recentDb_.end());
    recentDb_.back() = db;
    const float gate = settings_.GateDb;
    if (aubio_->OnsetOut->data[0] > 0.0f)
        onsetSeenHop_ = hops_;
    const bool leap = db - quietestLately >= kAttackRiseDb;
    const bool climb = db - quietest >= kClimbDb && hops_ - onsetSeenHop_ <= 2;
    const bool wasInClick = std::exchange(inClick_, clicking(frames_ - hop_));
    // A strike: a leap as large as a climb. Only that makes the same note a new answer.
    if (db >= gate && db - quietestLately >= kClimbDb && !inClick_)
        leapHop_ = hops_;
    // The rest of an attack that has just started a note is not another one.
    const bool settled = current_ < 0 || hops_ - currentSince_ > kSettleHops;
    if (inClick_) {
        // Under a click nothing is decided: its attack and its pitch are the metronome's.
        if (!wasInClick) {
            beforeClickDb_ = recentDb_[recentDb_.size() - 2];
            clickAttackHop_ = -1000;
        }
        if (db >= gate && (leap || climb) && clickAttackHop_ < 0)
            clickAttackHop_ = hops_;
        candidate_ = -1;
        steadyHops_ = 0;
        if (!(db >= gate || (current_ >= 0 && db >= gate - kHoldBelowGateDb)) && current_ >= 0 &&
            ++quietHops_ >= kReleaseHops)
            stop(heard);
        tuning_ = {db, -1, 0.0f};
        return;
    }
    if (wasInClick && clickAttackHop_ > 0 && db >= gate && db - beforeClickDb_ >= kAttackRiseDb) {
        // Louder than before the click once it faded: a note was struck under it, from that attack.
        onsetHop_ = leapHop_ = clickAttackHop_;
        steadyHops_ = 0;
    }
    if (db >= gate && (leap || climb) && settled) {
        if (onsetHop_ < hops_ - 1) // one attack, however many hops it rises over
            steadyHops_ = 0;
        onsetHop_ = hops_;
    }

    const bool loud = db >= gate || (current_ >= 0 && db >= gate - kHoldBelowGateDb);
    if (!loud) {
        candidate_ = -1;
        steadyHops_ = 0;
        tuning_ = {db, -1, 0.0f};
        if (current_ >= 0 && ++quietHops_ >= kReleaseHops)
            stop(heard);
        return;
    }
    quietHops_ = 0;

    const int note = midi > 0.0f ? checkOctave(int(std::lround(midi))) : 0;
    const bool pitched = confidence >= kConfidence && midi > 0.0f && note >= settings_.LowestNote &&
                         note <= settings_.HighestNote && db >= gate;
    tuning_ = pitched ? TTuning{db, note, (midi - float(note)) * 100.0f} : TTuning{db, -1, 0.0f};
    if (!pitched) {
        steadyHops_ = 0;
        return;
    }
    if (note == candidate_) {
        ++steadyHops_;
    } else {
        candidate_ = note;
        steadyHops_ = 1;
    }
    const bool attacked = onsetHop_ > currentSince_;
    if (note == current_) {
        // The note held: only a fresh, sudden attack makes it a new answer; a voice or a bow swelling on the
        // same note is still the one answer.
        if (steadyHops_ == kSteadyHops && leapHop_ > currentSince_ && hops_ - leapHop_ <= kRestrikeHops)
            start(note, heard);
        return;
    }
    if (current_ < 0 && note == lastNote_ && leapHop_ <= currentSince_)
        return; // the note let go rings back up: still no new answer
    if (current_ >= 0 && !attacked) {
        // No attack: the note held slid, or the pitch jumped an octave as a note rang out.
        if (relatedTo(note, current_) || relatedTo(current_, note) || steadyHops_ < kLegatoHops)
            return;
    }
    if (steadyHops_ >= kSteadyHops)
        start(note, heard);
}

} // namespace lirasto::mic
