#pragma once

#include <QPainterPath>
#include <QRawFont>
#include <QRectF>
#include <QString>

namespace lirasto::artwork {

enum class MusicGlyph { TrebleClef, BassClef, Flat, Sharp, NoteHead, CClef, DoubleSharp, DoubleFlat };

// The engraving font the music glyphs are taken from, so that clefs,
// accidentals and noteheads have the shapes an engraver gives them.
class MusicFont
{
public:
    // The font file the build found, or the first one installed in the usual place.
    static QString DefaultPath();

    // Throws lirasto::Exception when the file cannot be read or lacks a glyph.
    explicit MusicFont(const QString& path);

    // Outline in pixels at a large size, origin on the glyph's reference line
    // (a clef's origin lies on the line it names, a notehead's on its centre row).
    QPainterPath Glyph(MusicGlyph which) const;

private:
    QRawFont font_;
};

// Loads a text face from a font file, for the lettering of the logo and the numerals.
QRawFont LoadTextFont(const QString& fileName, double pixelSize);

// The outline of a text run, origin at the left end of its baseline.
QPainterPath TextPath(const QRawFont& font, const QString& text, double letterSpacing = 0);

// Scales and moves a path so that its bounds fill the given box.
QPainterPath FitToBox(const QPainterPath& path, const QRectF& box);

// Scales a path uniformly about its origin and moves the origin to the given point.
QPainterPath PlaceAt(const QPainterPath& path, double scale, QPointF origin);

} // namespace lirasto::artwork
