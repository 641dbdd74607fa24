#pragma once

#include <QImage>

#include <vector>

namespace lirasto::artwork {

class MusicFont;

// Every picture the window design carries, as straight-alpha ARGB32 images whose
// fully transparent pixels hold white.
struct Artwork
{
    QImage Keyboard;
    QImage Staff;
    QImage Logo;
    // Item 2k treble, 2k + 1 bass of key k; then the clef tiles and the signatures the twelve lack.
    std::vector<QImage> KeySignatures;
    std::vector<QImage> KeyHighlights;   // 0 black key, 1..7 white keys C..B
    std::vector<QImage> ScaleDegrees;    // I..VII
    std::vector<QImage> Notes;           // heads with stems, accidentals, ledger lines
    std::vector<QImage> EvaluationMarks; // pointer, right, wrong, eye
    QImage Wallpaper;                    // opaque
    QImage Icon;
};

// Each picture at `scale` device pixels per picture pixel (1, or 2 for screens at twice
// the density): the same geometry, every coordinate multiplied.
QImage PaintKeyboard(int scale = 1);
QImage PaintStaff(const MusicFont& font, int scale = 1);
QImage PaintKeySignature(const MusicFont& font, int key, bool bass, int scale = 1);
// A clef tile (0 alto, 1 tenor, 2 treble with an 8 below) and a signature of count accidentals
// (sharps when positive) on a staff, in a tile as tall as the extra signatures are.
QImage PaintClefTile(const MusicFont& font, int index, int scale = 1);
QImage PaintSignatureTile(const MusicFont& font, int staff, int count, int scale = 1);
QImage PaintKeyHighlight(int index, int scale = 1);
QImage PaintScaleDegree(int index, int scale = 1);
QImage PaintNote(const MusicFont& font, int index, int scale = 1);
QImage PaintEvaluationMark(int index, int scale = 1);
QImage PaintLogo(const MusicFont& font, int scale = 1);
QImage PaintIcon(const MusicFont& font);

// The key list (the twelve keys' tiles, the clef tiles, the other signatures) and the note list.
std::vector<QImage> PaintKeyList(const MusicFont& font, int scale = 1);
std::vector<QImage> PaintNoteList(const MusicFont& font, int scale = 1);

// The whole set at scale 1 or 2; the icon is painted only at 1.
Artwork PaintArtwork(const MusicFont& font, int scale = 1);

// Straight alpha, and white under every fully transparent pixel.
QImage Normalised(const QImage& image);

} // namespace lirasto::artwork
