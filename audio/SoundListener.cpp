#include "audio/SoundListener.h"

#include "audio/PianoSound.h"
#include "game/InputKinds.h"

namespace {

bool validNote(int note)
{
    return note >= LowestMidiNote && note <= HighestMidiNote;
}

uint8_t sourceBit(TInputSource source)
{
    return static_cast<uint8_t>(1u << static_cast<unsigned>(source));
}

} // namespace

TSoundListener::TSoundListener(TPianoSound& sound, QObject* parent) : QObject(parent), sound_(sound)
{
    replayTimer_.setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the delay is part of what is taught.
    replayTimer_.setTimerType(Qt::PreciseTimer);
    replayTimer_.setInterval(kReplayDelay);
    connect(&replayTimer_, &QTimer::timeout, this, &TSoundListener::replay);
    promptTimer_.setSingleShot(true);
    promptTimer_.setInterval(kPromptLength);
    connect(&promptTimer_, &QTimer::timeout, this, &TSoundListener::endPrompt);
}

TSoundListener::~TSoundListener()
{
    // Nothing this listener started may hang on after it.
    for (int note = LowestMidiNote; note <= HighestMidiNote; ++note) {
        if (sounding_[note])
            sound_.noteOff(note);
    }
    if (promptNote_ >= 0)
        sound_.noteOff(promptNote_, TSoundChannel::Prompt);
}

void TSoundListener::setReplayAfterWrong(bool on)
{
    replayAfterWrong_ = on;
    if (!on) {
        replayTimer_.stop();
        replayNote_ = -1;
        questionNote_ = -1;
    }
}

bool TSoundListener::anyKeyDown() const
{
    for (uint8_t bits : down_) {
        if (bits)
            return true;
    }
    return false;
}

void TSoundListener::KeyDown(int note, TInputSource source)
{
    if (!validNote(note))
        return;
    // The player has moved on: the right note would now sound into the next try.
    if (replayNote_ >= 0) {
        replayTimer_.stop();
        replayNote_ = -1;
        questionNote_ = -1;
    }
    const uint8_t bit = sourceBit(source);
    down_[note] |= bit;
    const TInputKind& kind = InputKind(source);
    if (kind.HeardInTheRoom || (kind.SoundsItself && !soundForMidiKeys_))
        return;
    if (sounding_[note] & bit)
        return;
    if (!sounding_[note])
        sound_.noteOn(note);
    sounding_[note] |= bit;
}

void TSoundListener::KeyUp(int note, TInputSource source)
{
    if (!validNote(note))
        return;
    const uint8_t bit = sourceBit(source);
    down_[note] &= static_cast<uint8_t>(~bit);
    if (sounding_[note] & bit) {
        sounding_[note] &= static_cast<uint8_t>(~bit);
        if (!sounding_[note])
            sound_.noteOff(note);
    }
    if (replayNote_ >= 0 && !replayTimer_.isActive() && !anyKeyDown())
        replayTimer_.start();
}

void TSoundListener::AnswerJudged(const TJudgement& judgement)
{
    // In time the line goes on: the right note would sound over the next beats and the metronome.
    if (judgement.Right || !replayAfterWrong_ || !validNote(judgement.Question.Note) || JudgedInTime(judgement))
        return;
    replayNote_ = judgement.Question.Note;
    // Judged after the keys went up: the delay counts from now.
    if (!anyKeyDown())
        replayTimer_.start();
}

void TSoundListener::QuestionPosed(const TQuestion& question)
{
    if (!playQuestion_ || !validNote(question.Note))
        return;
    if (replayNote_ >= 0) {
        questionNote_ = question.Note;
        return;
    }
    playPrompt(question.Note);
}

void TSoundListener::replay()
{
    const int note = replayNote_;
    replayNote_ = -1;
    if (validNote(note))
        playPrompt(note);
}

void TSoundListener::playPrompt(int note)
{
    if (promptNote_ >= 0)
        sound_.noteOff(promptNote_, TSoundChannel::Prompt);
    promptNote_ = note;
    sound_.noteOn(note, TSoundChannel::Prompt);
    promptTimer_.start();
}

void TSoundListener::endPrompt()
{
    if (promptNote_ >= 0)
        sound_.noteOff(promptNote_, TSoundChannel::Prompt);
    promptNote_ = -1;
    // A question posed while the right note waited sounds after it.
    if (questionNote_ >= 0 && replayNote_ < 0) {
        const int note = questionNote_;
        questionNote_ = -1;
        playPrompt(note);
    }
}
