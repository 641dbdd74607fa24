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
    // Item 2k treble, 2k + 1 bass of key k; then the clef tiles and the signatures the twelve lack.
    std::vector<QImage> keySignatures;
    std::vector<QImage> keyHighlights;   // 0 black key, 1..7 white keys C..B
    std::vector<QImage> scaleDegrees;    // I..VII
    std::vector<QImage> notes;           // heads with stems, accidentals, ledger lines
    std::vector<QImage> evaluationMarks; // pointer, right, wrong, eye
    QImage wallpaper;                    // opaque
    QImage icon;
};

// Each picture at `scale` device pixels per picture pixel (1, or 2 for screens at twice
// the density): the same geometry, every coordinate multiplied.
QImage paintKeyboard(int scale = 1);
QImage paintStaff(const MusicFont& font, int scale = 1);
QImage paintKeySignature(const MusicFont& font, int key, bool bass, int scale = 1);
// A clef tile (0 alto, 1 tenor, 2 treble with an 8 below) and a signature of count accidentals
// (sharps when positive) on a staff, in a tile as tall as the extra signatures are.
QImage paintClefTile(const MusicFont& font, int index, int scale = 1);
QImage paintSignatureTile(const MusicFont& font, int staff, int count, int scale = 1);
QImage paintKeyHighlight(int index, int scale = 1);
QImage paintScaleDegree(int index, int scale = 1);
QImage paintNote(const MusicFont& font, int index, int scale = 1);
QImage paintEvaluationMark(int index, int scale = 1);
QImage paintLogo(const MusicFont& font, int scale = 1);
QImage paintIcon(const MusicFont& font);

// The key list (the twelve keys' tiles, the clef tiles, the other signatures) and the note list.
std::vector<QImage> paintKeyList(const MusicFont& font, int scale = 1);
std::vector<QImage> paintNoteList(const MusicFont& font, int scale = 1);

// The whole set at scale 1 or 2; the icon is painted only at 1.
Artwork paintArtwork(const MusicFont& font, int scale = 1);

// Straight alpha, and white under every fully transparent pixel.
QImage normalised(const QImage& image);

} // namespace lirasto::artwork
