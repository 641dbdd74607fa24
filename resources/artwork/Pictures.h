#pragma once

#include <QImage>

#include <vector>

namespace lirasto::artwork {

class MusicFont;

// Every picture the window design carries, as straight-alpha ARGB32 images whose
// fully transparent pixels hold white.
struct Artwork
{
    QImage keyboard;
    QImage staff;
    QImage logo;
    std::vector<QImage> keySignatures;   // item 2k treble, 2k + 1 bass of key k
    std::vector<QImage> keyHighlights;   // 0 black key, 1..7 white keys C..B
    std::vector<QImage> scaleDegrees;    // I..VII
    std::vector<QImage> notes;           // heads with stems, accidentals, ledger lines
    std::vector<QImage> evaluationMarks; // pointer, right, wrong, eye
    QImage wallpaper;                    // opaque
    QImage icon;
};

QImage paintKeyboard();
QImage paintStaff(const MusicFont& font);
QImage paintKeySignature(const MusicFont& font, int key, bool bass);
QImage paintKeyHighlight(int index);
QImage paintScaleDegree(int index);
QImage paintNote(const MusicFont& font, int index);
QImage paintEvaluationMark(int index);
QImage paintLogo(const MusicFont& font);
QImage paintIcon(const MusicFont& font);

Artwork paintArtwork(const MusicFont& font);

// Straight alpha, and white under every fully transparent pixel.
QImage normalised(const QImage& image);

} // namespace lirasto::artwork
