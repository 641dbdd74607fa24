#include "resources/artwork/MusicFont.h"

#include "core/Errors.h"

#include <QDir>
#include <QFileInfo>
#include <QTransform>

#include <string>

namespace lirasto::artwork {

namespace {

constexpr double kGlyphPixelSize = 200.0;

// The engraving font maps its glyphs into the private-use area.
char32_t codePoint(MusicGlyph which)
{
    switch (which) {
    case MusicGlyph::TrebleClef:
        return 0xE085;
    case MusicGlyph::BassClef:
        return 0xE083;
    case MusicGlyph::Flat:
        return 0xE021;
    case MusicGlyph::Sharp:
        return 0xE013;
    case MusicGlyph::NoteHead:
        return 0xE0EA;
    case MusicGlyph::CClef:
        return 0xE081;
    case MusicGlyph::DoubleSharp:
        return 0xE01C;
    case MusicGlyph::DoubleFlat:
        return 0xE02A;
    }
    return 0;
}

QString fromCodePoint(char32_t c)
{
    return QString::fromUcs4(&c, 1);
}

} // namespace

QString MusicFont::DefaultPath()
{
#ifdef LIRASTO_MUSIC_FONT
    if (QFileInfo::exists(QStringLiteral(LIRASTO_MUSIC_FONT)))
        return QStringLiteral(LIRASTO_MUSIC_FONT);
#endif
    QDir root(QStringLiteral("/usr/share/lilypond"));
    const QStringList versions = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& version : versions) {
        const QString candidate = root.filePath(version + QStringLiteral("/fonts/otf/emmentaler-20.otf"));
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return {};
}

MusicFont::MusicFont(const QString& path) : font_(path, kGlyphPixelSize)
{
    if (!font_.isValid())
        throw Exception("Cannot read the music font '" + path.toStdString() + "'");
    for (auto which : {MusicGlyph::TrebleClef, MusicGlyph::BassClef, MusicGlyph::Flat, MusicGlyph::Sharp,
                       MusicGlyph::NoteHead, MusicGlyph::CClef}) {
        if (font_.glyphIndexesForString(fromCodePoint(codePoint(which))).value(0, 0) == 0)
            throw Exception("The music font '" + path.toStdString() + "' lacks a glyph the artwork needs");
    }
}

QPainterPath MusicFont::Glyph(MusicGlyph which) const
{
    const QList<quint32> indexes = font_.glyphIndexesForString(fromCodePoint(codePoint(which)));
    if (indexes.isEmpty() || indexes.front() == 0)
        throw Exception("The music font lacks a glyph the artwork needs");
    return font_.pathForGlyph(indexes.front());
}

QRawFont LoadTextFont(const QString& fileName, double pixelSize)
{
    for (const char* dir : {"/usr/share/fonts/truetype/dejavu/", "/usr/share/fonts/truetype/liberation/"}) {
        const QString path = QString::fromLatin1(dir) + fileName;
        if (QFileInfo::exists(path)) {
            QRawFont font(path, pixelSize);
            if (font.isValid())
                return font;
        }
    }
    throw Exception("Cannot find the text font '" + fileName.toStdString() + "'");
}

QPainterPath TextPath(const QRawFont& font, const QString& text, double letterSpacing)
{
    QPainterPath result;
    const QList<quint32> glyphs = font.glyphIndexesForString(text);
    const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
    double x = 0;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        result.addPath(font.pathForGlyph(glyphs[i]).translated(x, 0));
        x += advances[i].x() + letterSpacing;
    }
    return result;
}

QPainterPath FitToBox(const QPainterPath& path, const QRectF& box)
{
    const QRectF bounds = path.boundingRect();
    QTransform t;
    t.translate(box.left(), box.top());
    t.scale(box.width() / bounds.width(), box.height() / bounds.height());
    t.translate(-bounds.left(), -bounds.top());
    return t.map(path);
}

QPainterPath PlaceAt(const QPainterPath& path, double scale, QPointF origin)
{
    QTransform t;
    t.translate(origin.x(), origin.y());
    t.scale(scale, scale);
    return t.map(path);
}

} // namespace lirasto::artwork
