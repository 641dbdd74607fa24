#pragma once

#include <QObject>
#include <cstdint>
#include <map>
#include <optional>

class QKeyEvent;
class TfMain;

// How the computer keyboard plays: two rows laid out as a piano, found by the
// keys' positions so that every national layout plays the same places, or
// the letters of the note names.
enum class TKeyboardScheme { PianoRows, NoteNames };

// Answers from the computer keyboard on the game page, whatever control has
// the focus, except while the level list is open. Space starts a run, Escape
// resets it, Z and X move the rows an octave down and up, M mutes and unmutes.
class TKeyboardInput : public QObject
{
    Q_OBJECT

public:
    explicit TKeyboardInput(TfMain& form);
    ~TKeyboardInput() override;

    void SetScheme(TKeyboardScheme scheme) { scheme_ = scheme; }
    TKeyboardScheme Scheme() const { return scheme_; }
    // The C the home row starts on: middle C at first.
    int OctaveBase() const { return base_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPress(const QKeyEvent& key);
    bool keyRelease(const QKeyEvent& key);
    std::optional<int> noteFor(const QKeyEvent& key) const;
    bool onGamePage(QObject* watched) const;
    void releaseAll();

    TfMain& form_;
    TKeyboardScheme scheme_ = TKeyboardScheme::PianoRows;
    int base_ = 60;
    // The note each key now down plays, so that its release ends that note
    // even after the octave or the modifiers changed.
    std::map<int64_t, int> down_;
};
