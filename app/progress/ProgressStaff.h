#pragma once

#include "app/progress/StaffKey.h"

#include <QColor>
#include <QImage>
#include <QPointF>

#include <functional>
#include <optional>

class TBitmap32;
class TBitmap32List;

// The grand staff of the progress page: the game's staff picture drawn wider,
// the key signature, and every note of both staves' ranges side by side in
// rising order, each in a colour of its own. Drawn with the game's pictures.
struct TStaffPictures
{
    const TBitmap32* Staff = nullptr;     // the empty grand staff
    const TBitmap32List* Notes = nullptr; // notes, accidentals, ledger lines
    const TBitmap32List* Keys = nullptr;  // key-signature tiles, treble and bass per key
};

struct TStaffNote
{
    int Clef = 0; // 1 treble, 2 bass
    int Note = 0;
};

class TProgressStaff
{
public:
    // Wide enough for 36 columns of notes after the key signature.
    static constexpr int kWidth = 772;
    static constexpr int kFirstNoteLeft = 110;
    static constexpr int kColumnPitch = 18;

    using TColourOf = std::function<QColor(int clef, int note)>;

    // Raises EListError when a picture list lacks a picture it needs, and
    // ERangeError for a level's key outside 0..11. Missing pictures draw nothing. At
    // scale 2 the picture has twice the pixels (device pixel ratio 2), drawn
    // from the pictures' details where they have them.
    static QImage Compose(const TStaffPictures& pictures, const TStaffKey& key, const TColourOf& colourOf, int scale = 1);

    // Where a note's head is drawn, in the composed picture's pixels.
    static QPointF NoteHeadCentre(int clef, int note, const TStaffKey& key);
    // The note whose head lies at a point, if any.
    static std::optional<TStaffNote> NoteAt(QPointF point, const TStaffKey& key);
};
