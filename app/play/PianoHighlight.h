#pragma once

#include "game/GameEvents.h"

#include <cstdint>
#include <memory>
#include <vector>

class TBitmap32List;
class TDetailSource;
class TBitmapLayer;
class TImage32;

// Lights the drawn piano's key for every key held down, from any input, until
// it is let go.
class TPianoHighlight : public TGameListener
{
public:
    TPianoHighlight(TImage32& view, TBitmap32List& pictures) : view_(view), pictures_(pictures) {}
    ~TPianoHighlight() override;

    void KeyDown(int note, TInputSource source) override;
    void KeyUp(int note, TInputSource source) override;

    // Lights the C the computer keyboard's rows now start on, for a moment, when
    // the player moves them by an octave.
    void ShowOctave(int note);

    // Marks, along the foot of the keys, the keys the computer keyboard's rows
    // play: the octave from the C at base and the next C and C sharp, as far
    // as the drawn piano goes. 0 takes the mark away.
    void ShowRows(int base);
    int RowsShown() const { return rowsBase_; }

    // Dims the drawn keys below lowest and above highest, where the range ends within the drawn
    // octaves (beyond them a note is answered on the drawn key of its name). lowest > highest
    // takes the dimming away.
    void ShowRange(int lowest, int highest);
    bool RangeShown() const { return !rangeShades_.empty(); }

    // Letter names on the white keys, for a beginner to find them.
    void SetKeyNames(bool on);
    // Paints the names again, in the note names now in use, where they are shown.
    void RenameKeys();

    // The drawn key that shows a note: its own, or for a note beyond the four
    // drawn octaves the key of the same name in the nearest octave.
    static int DrawnNoteFor(int note);

    struct THighlight
    {
        int Note;
        TInputSource Source;
        TBitmapLayer* Layer;
    };
    // The highlights in the order their keys went down.
    const std::vector<THighlight>& KeyHighlightLayers() const { return highlights_; }

private:
    TImage32& view_;
    TBitmap32List& pictures_;
    std::vector<THighlight> highlights_;
    TBitmapLayer* layHighlight(int note);
    void removeOctaveMark();

    TBitmapLayer* octaveMark_ = nullptr;
    TBitmapLayer* rowsMark_ = nullptr;
    std::vector<TBitmapLayer*> rangeShades_;
    void clearRange();
    int rowsBase_ = 0;
    int octaveMarks_ = 0; // counts the marks shown, so that an old mark's timer leaves a newer one alone
    std::vector<uint32_t> plainKeyboard_;              // the picture without names, while they are shown
    std::shared_ptr<const TDetailSource> plainDetail_; // and its detail, while they are shown
};
