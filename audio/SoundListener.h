#pragma once

#include "game/GameEvents.h"

#include <QObject>
#include <QTimer>

#include <array>
#include <chrono>
#include <cstdint>
#include <vector>

class TPianoSound;

// Makes the run heard: the keys the player holds sound while held, the right
// note follows a wrong answer, and the question may sound when it is posed (a
// stack's notes, a chord's, all together).
// Lives on the GUI thread with the game core; the sound must outlive it.
class TSoundListener : public QObject, public TGameListener
{
    Q_OBJECT

public:
    explicit TSoundListener(TPianoSound& sound, QObject* parent = nullptr);
    ~TSoundListener() override;

    // "Sound for MIDI keys": off by default, as a MIDI keyboard has its own sound.
    void SetSoundForMidiKeys(bool on) { soundForMidiKeys_ = on; }
    bool SoundForMidiKeys() const { return soundForMidiKeys_; }
    // The right note after a wrong answer: on by default.
    void SetReplayAfterWrong(bool on);
    bool ReplayAfterWrong() const { return replayAfterWrong_; }
    // "Play the question": off by default.
    void SetPlayQuestion(bool on) { playQuestion_ = on; }
    bool PlayQuestion() const { return playQuestion_; }

    // After the last key of a wrong answer goes up.
    static constexpr std::chrono::milliseconds kReplayDelay{300};
    // How long a note the program plays by itself is held.
    static constexpr std::chrono::milliseconds kPromptLength{1000};

    void QuestionPosed(const TQuestion& question) override;
    void KeyDown(int note, TInputSource source) override;
    void KeyUp(int note, TInputSource source) override;
    void AnswerJudged(const TJudgement& judgement) override;

private:
    bool anyKeyDown() const;
    void replay();
    void playPrompt(std::vector<int> notes);
    void endPrompt();

    TPianoSound& sound_;
    bool soundForMidiKeys_ = false;
    bool replayAfterWrong_ = true;
    bool playQuestion_ = false;

    // Per note, one bit per input source: which presses are down, and which
    // of them sound (a MIDI press may be silent).
    std::array<uint8_t, kHighestMidiNote + 1> down_{};
    std::array<uint8_t, kHighestMidiNote + 1> sounding_{};

    std::vector<int> replayNotes_;   // the right notes waiting for the keys to go up
    std::vector<int> questionNotes_; // a question posed while the replay waits; it follows the replay
    std::vector<int> promptNotes_;   // the notes the program holds now
    QTimer replayTimer_;
    QTimer promptTimer_;
};
