#pragma once

#include "app/play/KeyboardLayout.h"
#include "app/window/WindowParts.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <map>
#include <optional>
#include <set>

class QKeyEvent;
class QWidget;
class TPianoHighlight;
class TSkinLabel;
class TSkinMemo;

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
    // `usage`: the memo of the Information page the keys are explained beside, if the design has one.
    TKeyboardInput(QWidget& window, const TWindowPages& pages, const TGamePage& game, TSkinMemo* usage,
                   TPianoHighlight& piano, const TWindowActions& actions);
    ~TKeyboardInput() override;

    // The drawn piano marks the rows' keys once they have played, while they are the scheme.
    void SetScheme(TKeyboardScheme scheme);
    TKeyboardScheme Scheme() const { return scheme_; }
    // The C the home row starts on: middle C at first.
    int OctaveBase() const { return base_; }
    // Reads the player's keyboard layout again (it may have changed since).
    void SetLayout(TKeyboardLayout layout) { layout_ = std::move(layout); }
    const TKeyboardLayout& Layout() const { return layout_; }
    // What the piano rows play, with the letters the layout puts on those keys:
    // "Piano rows: A S D F G H J K, W E T Y U O; Z X octave" on a US keyboard.
    QString RowsHint() const;
    // The letter names, saying so where the layout types no Latin letters.
    QString NamesHint() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPress(const QKeyEvent& key);
    bool keyRelease(const QKeyEvent& key);
    std::optional<int> noteFor(const QKeyEvent& key) const;
    bool onGamePage(QObject* watched) const;
    bool repeats(const QKeyEvent& key) const;
    void releaseAll();
    void shiftOctave(int step);
    void showRows();
    // The rows' keys without the hint's name: "A S D F G H J K, W E T Y U O; Z X octave".
    QString rowKeys() const;
    // The hints on the Options and Information pages, in the letters of the layout the player has now.
    void showHints();

    QWidget& window_;
    TWindowPages pages_;
    TGamePage game_;
    TSkinMemo* usageMemo_;
    TPianoHighlight& piano_;
    TWindowActions actions_;
    TKeyboardScheme scheme_ = TKeyboardScheme::PianoRows;
    int base_ = 60;
    // The note each key now down plays, so that its release ends that note
    // even after the octave or the modifiers changed.
    std::map<int64_t, int> down_;
    // Each key's last release time, to know the release and press pair of a repeat.
    std::map<int64_t, quint64> released_;
    std::set<quint32> octaveDown_; // Z and X while held
    bool rowsShown_ = false;       // the drawn piano marks the rows' keys
    TKeyboardLayout layout_ = TKeyboardLayout::Us();
    TSkinLabel* usage_ = nullptr; // on the Information page, made when first shown
};
