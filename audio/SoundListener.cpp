#include "audio/SoundListener.h"

#include "audio/PianoSound.h"
#include "game/InputKinds.h"

#include <utility>

namespace {

bool validNote(int note)
{
    return note >= kLowestMidiNote && note <= kHighestMidiNote;
}

// The notes written at the place of a question: one, or a stack's.
std::vector<int> notesAt(const TQuestion& question, int place)
{
    std::vector<int> notes;
    for (const TWrittenNote& n : question.Notes)
        if (n.Place == place && validNote(n.Note))
            notes.push_back(n.Note);
    if (notes.empty() && validNote(question.Note))
        notes.push_back(question.Note);
    return notes;
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
    for (int note = kLowestMidiNote; note <= kHighestMidiNote; ++note) {
        if (sounding_[note])
            sound_.NoteOff(note);
    }
    for (int note : promptNotes_)
        sound_.NoteOff(note, TSoundChannel::Prompt);
}

void TSoundListener::SetReplayAfterWrong(bool on)
{
    replayAfterWrong_ = on;
    if (!on) {
        replayTimer_.stop();
        replayNotes_.clear();
        questionNotes_.clear();
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
    if (!replayNotes_.empty()) {
        replayTimer_.stop();
        replayNotes_.clear();
        questionNotes_.clear();
    }
    const uint8_t bit = sourceBit(source);
    down_[note] |= bit;
    const TInputKind& kind = InputKind(source);
    if (kind.HeardInTheRoom || (kind.SoundsItself && !soundForMidiKeys_))
        return;
    if (sounding_[note] & bit)
        return;
    if (!sounding_[note])
        sound_.NoteOn(note);
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
            sound_.NoteOff(note);
    }
    if (!replayNotes_.empty() && !replayTimer_.isActive() && !anyKeyDown())
        replayTimer_.start();
}

void TSoundListener::AnswerJudged(const TJudgement& judgement)
{
    // In time the line goes on: the right note would sound over the next beats and the metronome.
    if (judgement.Right || !replayAfterWrong_ || !validNote(judgement.Question.Note) || JudgedInTime(judgement))
        return;
    replayNotes_ = notesAt(judgement.Question, judgement.Place);
    // Judged after the keys went up: the delay counts from now.
    if (!anyKeyDown())
        replayTimer_.start();
}

void TSoundListener::QuestionPosed(const TQuestion& question)
{
    if (!playQuestion_ || !validNote(question.Note))
        return;
    if (!replayNotes_.empty()) {
        questionNotes_ = notesAt(question, 0);
        return;
    }
    playPrompt(notesAt(question, 0));
}

void TSoundListener::replay()
{
    std::vector<int> notes = std::exchange(replayNotes_, {});
    if (!notes.empty())
        playPrompt(std::move(notes));
}

void TSoundListener::playPrompt(std::vector<int> notes)
{
    for (int note : promptNotes_)
        sound_.NoteOff(note, TSoundChannel::Prompt);
    promptNotes_ = std::move(notes);
    for (int note : promptNotes_)
        sound_.NoteOn(note, TSoundChannel::Prompt);
    promptTimer_.start();
}

void TSoundListener::endPrompt()
{
    for (int note : promptNotes_)
        sound_.NoteOff(note, TSoundChannel::Prompt);
    promptNotes_.clear();
    // A question posed while the right note waited sounds after it.
    if (!questionNotes_.empty() && replayNotes_.empty())
        playPrompt(std::exchange(questionNotes_, {}));
}
