#include "tests/e2e/ScreenReader.h"

#include "resources/artwork/ArtworkGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace lirasto::e2e {

namespace {

// Staff picture geometry a player sees: five lines 10 rows apart on each staff.
constexpr int kTrebleTopLine = 80;
constexpr int kTrebleBottomLine = 120; // E4
constexpr int kBassTopLine = 180;
constexpr int kBassBottomLine = 220; // G2
constexpr int kLastLineColumn = 571;
constexpr int kVisibleStaffHeight = 289;
constexpr int kKeyTileLeft = 40, kTrebleKeyTileTop = 70, kKeyTileSize = 60;
constexpr int kNoteLeft = 125, kNoteRight = 136;
constexpr int kAccidentalLeft = 117, kAccidentalLastFreeColumn = 120;
constexpr int kLedgerProbeColumn = 139;
constexpr int kMarkLeft = 125, kMarkRight = 143, kMarkBottom = 29;
// Rows 0..29 hold the answer mark, whose pointer has a blue cuff.
constexpr int kFirstNoteRow = 30;

bool dark(QRgb p)
{
    return qRed(p) < 90 && qGreen(p) < 90 && qBlue(p) < 140;
}

// Noteheads are dark navy; staff and ledger lines and accidentals are black.
bool navy(QRgb p)
{
    return qBlue(p) >= 40 && qBlue(p) > qRed(p) + 25 && qBlue(p) > qGreen(p) + 25 && qRed(p) < 120;
}

bool green(QRgb p)
{
    return qGreen(p) > 90 && qGreen(p) > qRed(p) + 50 && qGreen(p) > qBlue(p) + 50;
}

bool red(QRgb p)
{
    return qRed(p) > 150 && qRed(p) > qGreen(p) + 90 && qRed(p) > qBlue(p) + 90;
}

bool onStaffLine(int row)
{
    return (row >= kTrebleTopLine && row <= kTrebleBottomLine && row % 10 == 0) ||
           (row >= kBassTopLine && row <= kBassBottomLine && row % 10 == 0);
}

class StaffView
{
public:
    StaffView(const QImage& shot, QPoint origin) : shot_(shot), origin_(origin) {}

    QRgb At(int x, int y) const
    {
        const QPoint p = origin_ + QPoint(x, y);
        if (!shot_.rect().contains(p))
            return qRgb(255, 255, 255);
        return shot_.pixel(p);
    }

private:
    const QImage& shot_;
    QPoint origin_;
};

int32_t readInt32(const std::vector<char>& bytes, std::size_t offset)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<uint8_t>(bytes[offset + i]);
    return static_cast<int32_t>(value);
}

// A sign's ink drawn at the given top, as far as the screenshot shows it:
// the share of its opaque pixels that are dark, less stray dark pixels beside them.
// Stray ink counts up to column strayRight, where the heads' ledger lines may begin.
double signFit(const StaffView& staff, const QImage& glyph, int left, int top,
               int strayRight = kAccidentalLastFreeColumn)
{
    int ink = 0, hits = 0, stray = 0;
    for (int y = 0; y < glyph.height(); ++y) {
        for (int x = 0; x < glyph.width(); ++x) {
            const bool opaque = qAlpha(glyph.pixel(x, y)) >= 160;
            const int sx = left + x, sy = top + y;
            const bool isDark = dark(staff.At(sx, sy));
            if (opaque) {
                ++ink;
                hits += isDark ? 1 : 0;
            } else if (isDark && sx <= strayRight && !onStaffLine(sy) && sy % 10 != 0 &&
                       qAlpha(glyph.pixel(x, y)) == 0) {
                ++stray;
            }
        }
    }
    return ink == 0 ? 0.0 : double(hits - stray) / ink;
}

// How far the upper staff's signature differs from a signature tile: the sum of every channel's difference.
long tileDifference(const StaffView& staff, const QImage& tile)
{
    long difference = 0;
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x) {
            const QRgb want = tile.pixel(x, y), got = staff.At(kKeyTileLeft + x, kTrebleKeyTileTop + y);
            difference += std::abs(qRed(want) - qRed(got)) + std::abs(qGreen(want) - qGreen(got)) +
                          std::abs(qBlue(want) - qBlue(got));
        }
    return difference;
}

} // namespace

QImage ReadBitmapRecord(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + file.string());
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 8)
        throw std::runtime_error("short bitmap record " + file.string());
    const int32_t width = readInt32(bytes, 0), height = readInt32(bytes, 4);
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096 ||
        bytes.size() != 8 + 4 * std::size_t(width) * std::size_t(height))
        throw std::runtime_error("malformed bitmap record " + file.string());
    QImage image(width, height, QImage::Format_ARGB32);
    std::size_t offset = 8;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x, offset += 4) {
            const auto byte = [&](int i) { return static_cast<uint8_t>(bytes[offset + i]); };
            row[x] = qRgba(byte(2), byte(1), byte(0), byte(3));
        }
    }
    return image;
}

ReferencePictures ReferencePictures::Load(const std::filesystem::path& artworkDirectory)
{
    ReferencePictures pictures;
    for (int i = 0; i < 24; ++i) {
        const std::string name = std::string("key_") + (i < 10 ? "0" : "") + std::to_string(i) + ".bmp32";
        pictures.keyTiles[i] = ReadBitmapRecord(artworkDirectory / name);
    }
    pictures.flat = ReadBitmapRecord(artworkDirectory / "note_4.bmp32");
    pictures.sharp = ReadBitmapRecord(artworkDirectory / "note_5.bmp32");
    pictures.natural = ReadBitmapRecord(artworkDirectory / "note_6.bmp32");
    return pictures;
}

std::string StaffReading::Describe() const
{
    static const char* const kLetters[] = {"C", "?", "D", "?", "E", "F", "?", "G", "?", "A", "?", "B"};
    static const char* const kSigns[] = {"", "b", "#", " natural"};
    std::ostringstream out;
    out << (treble ? "treble " : "bass ") << kLetters[naturalNote % 12] << naturalNote / 12 - 1
        << kSigns[static_cast<int>(accidental)] << " (head row " << headCentreRow << ", key " << key
        << ") -> pitch class " << pitchClass;
    return out.str();
}

std::optional<QPoint> FindStaffOrigin(const QImage& shot)
{
    for (int y = 0; y + (kBassTopLine - kTrebleTopLine) < shot.height(); ++y) {
        int run = 0;
        for (int x = 0; x < shot.width(); ++x) {
            run = dark(shot.pixel(x, y)) ? run + 1 : 0;
            // The line's right part, from the last key-signature column to the closing bar line.
            const bool lineEnds = x + 1 == shot.width() || !dark(shot.pixel(x + 1, y));
            if (run >= kLastLineColumn - 100 && lineEnds) {
                const QPoint origin(x - kLastLineColumn, y - kTrebleTopLine);
                const StaffView staff(shot, origin);
                // A line on one staff covers the lower one: the upper staff's lines alone tell the staff.
                bool allLines = true;
                for (int row : {90, 100, 110, 120})
                    for (int column : {110, 300, 560})
                        allLines = allLines && dark(staff.At(column, row));
                if (allLines)
                    return origin;
            }
        }
    }
    return std::nullopt;
}

std::optional<int> ReadKeySignature(const QImage& shot, QPoint staffOrigin, const ReferencePictures& references)
{
    const StaffView staff(shot, staffOrigin);
    std::optional<int> best;
    long bestDifference = std::numeric_limits<long>::max();
    for (int key = 0; key < 12; ++key) {
        const long difference = tileDifference(staff, references.keyTiles[2 * key]);
        if (difference < bestDifference) {
            bestDifference = difference;
            best = key;
        }
    }
    // A tile that resembles none of them (mean error above 8 per channel) is no signature.
    if (bestDifference > 8L * 3 * kKeyTileSize * kKeyTileSize)
        return std::nullopt;
    return best;
}

int SoundingPitchClass(int naturalNote, Accidental accidental, int key)
{
    switch (accidental) {
    case Accidental::Flat:
        return (naturalNote + 11) % 12;
    case Accidental::Sharp:
        return (naturalNote + 1) % 12;
    case Accidental::Natural:
        return naturalNote % 12;
    case Accidental::None:
        break;
    }
    // Signatures as a musician knows them: flats in the order B E A D G C, sharps F C G D A E.
    static constexpr std::array<int, 12> kSignature = {0, -5, 2, -3, 4, -1, -6, 1, -4, 3, -2, 5};
    static constexpr std::array<int, 6> kFlatOrder = {11, 4, 9, 2, 7, 0};
    static constexpr std::array<int, 5> kSharpOrder = {5, 0, 7, 2, 9};
    const int letter = naturalNote % 12;
    const int count = kSignature.at(key);
    for (int i = 0; i < -count; ++i)
        if (kFlatOrder[i] == letter)
            return (letter + 11) % 12;
    for (int i = 0; i < count; ++i)
        if (kSharpOrder[i] == letter)
            return (letter + 1) % 12;
    return letter;
}

namespace {

// The written letter of a head centred on a row of a staff.
int naturalNoteAt(bool treble, double headCentreRow)
{
    const int bottomLine = treble ? kTrebleBottomLine : kBassBottomLine;
    const int bottomDiatonic = treble ? 4 * 7 + 2 : 2 * 7 + 4; // E4, G2
    const int steps = static_cast<int>(std::lround((bottomLine - headCentreRow) / 5.0));
    const int diatonic = bottomDiatonic + steps;
    static constexpr std::array<int, 7> kLetterPitch = {0, 2, 4, 5, 7, 9, 11};
    return 12 * (diatonic / 7 + 1) + kLetterPitch[diatonic % 7];
}

// The sign that best fits before a head centred on row centre, standing at one of the lefts given,
// and how well it fits (the share of its ink found, less stray ink beside it).
std::pair<Accidental, double> bestSign(const StaffView& staff, const ReferencePictures& references, int centre,
                                       const std::vector<int>& lefts, int strayRight)
{
    struct Candidate
    {
        Accidental sign;
        const QImage* glyph;
        int top; // flats and sharps hang 12 rows above the head's centre, naturals 10
    };
    const Candidate candidates[] = {{Accidental::Flat, &references.flat, centre - 12},
                                    {Accidental::Sharp, &references.sharp, centre - 12},
                                    {Accidental::Natural, &references.natural, centre - 10}};
    std::pair<Accidental, double> best{Accidental::None, -1};
    // A line's notes stand at fractional places, rounded either way.
    for (int left : lefts)
        for (const Candidate& c : candidates)
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const double fit = signFit(staff, *c.glyph, left + dx, c.top + dy, strayRight);
                    if (fit > best.second)
                        best = {c.sign, fit};
                }
    return best;
}

// The head and sign of the note whose head lies shift columns right of the single note's place, its letter read
// on the treble or bass staff; no key read.
std::optional<StaffReading> readHeadAt(const QImage& shot, QPoint staffOrigin, const ReferencePictures& references,
                                       int shift)
{
    const StaffView staff(shot, staffOrigin + QPoint(shift, 0));
    // The notehead: the tallest band of rows where the head's navy fills several columns
    // (a stem is one column wide, lines are black).
    int bestFirst = -1, bestLast = -1, first = -1, gap = 0;
    for (int y = kFirstNoteRow; y <= kVisibleStaffHeight; ++y) {
        int count = 0;
        if (y < kVisibleStaffHeight)
            for (int x = kNoteLeft - 2; x <= kNoteRight + 2; ++x)
                count += navy(staff.At(x, y)) ? 1 : 0;
        if (count >= 5) {
            if (first < 0)
                first = y;
            gap = 0;
            if (bestFirst < 0 || y - first > bestLast - bestFirst) {
                bestFirst = first;
                bestLast = y;
            }
        } else if (first >= 0 && ++gap > 1) {
            first = -1;
            gap = 0;
        }
    }
    if (bestFirst < 0 || bestLast - bestFirst < 5)
        return std::nullopt;

    StaffReading reading;
    reading.headCentreRow = (bestFirst + bestLast) / 2.0;
    // Halfway between the staves both the treble's lowest note and the bass's highest sit;
    // their ledger lines tell them apart.
    const int middle = (kTrebleBottomLine + kBassTopLine) / 2;
    if (std::abs(reading.headCentreRow - middle) < 2.5)
        reading.treble = dark(staff.At(kLedgerProbeColumn, kTrebleBottomLine + 10));
    else
        reading.treble = reading.headCentreRow < middle;
    reading.naturalNote = naturalNoteAt(reading.treble, reading.headCentreRow);

    // A sign before the head: ink in the columns left of the ledger lines, off the staff lines.
    const int centre = static_cast<int>(std::lround(reading.headCentreRow));
    int ink = 0;
    for (int y = centre - 14; y <= centre + 10; ++y)
        for (int x = kAccidentalLeft; x <= kAccidentalLastFreeColumn; ++x)
            ink += (!onStaffLine(y) && dark(staff.At(x, y))) ? 1 : 0;
    if (ink >= 4) {
        const auto [sign, fit] = bestSign(staff, references, centre, {kAccidentalLeft}, kAccidentalLastFreeColumn);
        if (fit < 0.75)
            return std::nullopt;
        reading.accidental = sign;
    }
    return reading;
}

// The note whose head lies shift columns right of the single note's place.
std::optional<StaffReading> readNoteAt(const QImage& shot, QPoint staffOrigin, const ReferencePictures& references,
                                       int shift)
{
    std::optional<StaffReading> head = readHeadAt(shot, staffOrigin, references, shift);
    if (!head)
        return std::nullopt;
    StaffReading reading = *head;
    const std::optional<int> key = ReadKeySignature(shot, staffOrigin, references);
    if (!key)
        return std::nullopt;
    reading.key = *key;
    reading.pitchClass = SoundingPitchClass(reading.naturalNote, reading.accidental, reading.key);
    return reading;
}

// How far right of the single note's place a line's place stands: the line runs from column 150 to 545 in even
// steps of whole columns, rounded down, where the single note stands at 125.
int linePlaceShift(int place, int count)
{
    constexpr int kFirstLeft = 150, kLastLeft = 545;
    const int left = count > 1 ? kFirstLeft + (kLastLeft - kFirstLeft) * place / (count - 1) : kFirstLeft;
    return left - kNoteLeft;
}

Verdict markAt(const QImage& shot, QPoint staffOrigin, int shift)
{
    // The balls are about 12 pixels across, so their colour fills a hundred pixels or so.
    const StaffView staff(shot, staffOrigin + QPoint(shift, 0));
    int greens = 0, reds = 0;
    for (int y = 0; y <= kMarkBottom; ++y)
        for (int x = kMarkLeft; x <= kMarkRight; ++x) {
            greens += green(staff.At(x, y)) ? 1 : 0;
            reds += red(staff.At(x, y)) ? 1 : 0;
        }
    if (greens >= 30 && greens > 4 * reds)
        return Verdict::Right;
    if (reds >= 30 && reds > 4 * greens)
        return Verdict::Wrong;
    return Verdict::None;
}

} // namespace

std::optional<StaffReading> ReadStaff(const QImage& shot, QPoint staffOrigin, const ReferencePictures& references)
{
    return readNoteAt(shot, staffOrigin, references, 0);
}

std::vector<LinePlace> ReadLine(const QImage& shot, QPoint staffOrigin, const ReferencePictures& references, int count)
{
    std::vector<LinePlace> places;
    for (int place = 0; place < count; ++place) {
        const int shift = linePlaceShift(place, count);
        places.push_back({readNoteAt(shot, staffOrigin, references, shift), markAt(shot, staffOrigin, shift)});
    }
    return places;
}

std::vector<StaffReading> ReadStack(const QImage& shot, QPoint staffOrigin, const ReferencePictures& references,
                                    int left)
{
    // Heads are 12 columns wide and 10 rows tall; one beside the stem stands 11 columns off. A
    // column's inner ten columns leave out the stems, so that touching heads (a third apart) make
    // one band of rows, ten for each head.
    constexpr int kHead = 10, kBeside = 11;
    const StaffView staff(shot, staffOrigin);
    const std::optional<int> key = ReadKeySignature(shot, staffOrigin, references);
    if (!key)
        return {};
    std::vector<StaffReading> heads;
    bool headLeftOfStem = false;
    for (int shift : {-kBeside, 0, kBeside}) {
        // A ledger line drawn through a head leaves a row without navy: a gap of one row is bridged.
        int first = -1, last = -1;
        for (int y = kFirstNoteRow; y <= kVisibleStaffHeight + 1; ++y) {
            int count = 0;
            if (y < kVisibleStaffHeight)
                for (int x = left + shift + 1; x <= left + shift + 10; ++x)
                    count += navy(staff.At(x, y)) ? 1 : 0;
            if (count >= 5) {
                first = first < 0 ? y : first;
                last = y;
                continue;
            }
            if (first < 0 || y - last < 2)
                continue;
            const int rows = last - first + 1, stacked = (rows + kHead / 2) / kHead;
            for (int k = 0; k < stacked; ++k) {
                StaffReading reading;
                reading.headCentreRow = first + (rows - kHead * stacked) / 2.0 + kHead * k + (kHead - 1) / 2.0;
                reading.treble = reading.headCentreRow < (kTrebleBottomLine + kBassTopLine) / 2;
                reading.naturalNote = naturalNoteAt(reading.treble, reading.headCentreRow);
                reading.key = *key;
                reading.pitchClass = SoundingPitchClass(reading.naturalNote, Accidental::None, *key);
                heads.push_back(reading);
                headLeftOfStem = headLeftOfStem || shift < 0;
            }
            first = -1;
        }
    }
    // Signs stand in columns left of the heads, the nearest first, each 7 columns left of the one
    // before, so that none touches another; each is read before the head whose rows it spans.
    constexpr int kSignBeforeHeads = kNoteLeft - kAccidentalLeft, kSignColumn = 7, kColumns = 4;
    const int headsLeft = left - (headLeftOfStem ? kBeside : 0);
    std::vector<int> columns;
    for (int c = 0; c < kColumns; ++c)
        columns.push_back(headsLeft - kSignBeforeHeads - kSignColumn * c);
    for (StaffReading& head : heads) {
        const auto [sign, fit] =
            bestSign(staff, references, int(std::lround(head.headCentreRow)), columns, headsLeft - 2);
        if (fit >= 0.75) {
            head.accidental = sign;
            head.pitchClass = SoundingPitchClass(head.naturalNote, sign, *key);
        }
    }
    std::sort(heads.begin(), heads.end(),
              [](const StaffReading& a, const StaffReading& b) { return a.headCentreRow > b.headCentreRow; });
    return heads;
}

Verdict ReadVerdict(const QImage& shot, QRect region)
{
    int greens = 0, reds = 0;
    const QRect area = region.intersected(shot.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = shot.pixel(x, y);
            greens += green(p) ? 1 : 0;
            reds += red(p) ? 1 : 0;
        }
    // A word in 32-pixel bold letters colours a few hundred pixels.
    if (greens >= 100 && greens > 4 * reds)
        return Verdict::Right;
    if (reds >= 100 && reds > 4 * greens)
        return Verdict::Wrong;
    return Verdict::None;
}

Verdict ReadAnswerMark(const QImage& shot, QPoint staffOrigin)
{
    return markAt(shot, staffOrigin, 0);
}

int ChangedPixels(const QImage& before, const QImage& after, QRect region)
{
    const QRect area = region.intersected(before.rect()).intersected(after.rect());
    int changed = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            changed += before.pixel(x, y) != after.pixel(x, y) ? 1 : 0;
    return changed;
}

QImage ToLogicalPixels(const QImage& shot, double scale)
{
    // Qt's smooth scaling averages the pixels each target pixel covers when it shrinks.
    return shot.scaled(int(shot.width() / scale), int(shot.height() / scale), Qt::IgnoreAspectRatio,
                       Qt::SmoothTransformation);
}

SignatureReferences SignatureReferences::Load(const std::filesystem::path& artworkDirectory)
{
    SignatureReferences references;
    for (int i = 0; i < artwork::kKeyListCount; ++i) {
        const std::string name = std::string("key_") + (i < 10 ? "0" : "") + std::to_string(i) + ".bmp32";
        references.tiles.push_back(ReadBitmapRecord(artworkDirectory / name));
    }
    return references;
}

namespace {

artwork::SignatureStaff signatureStaffOf(UpperClef clef)
{
    switch (clef) {
    case UpperClef::Alto:
        return artwork::SignatureStaff::Alto;
    case UpperClef::Tenor:
        return artwork::SignatureStaff::Tenor;
    case UpperClef::Treble:
    case UpperClef::TrebleOctave:
        break;
    }
    return artwork::SignatureStaff::Treble;
}

// The letter (0 = C .. 6 = B) of a written note.
int letterOf(int naturalNote)
{
    static constexpr std::array<int, 12> kLetter = {0, -1, 1, -1, 2, 3, -1, 4, -1, 5, -1, 6};
    return kLetter[std::size_t(naturalNote % 12)];
}

} // namespace

std::optional<int> ReadUpperSignature(const QImage& shot, QPoint staffOrigin, const SignatureReferences& signatures,
                                      UpperClef clef)
{
    const StaffView staff(shot, staffOrigin);
    std::optional<int> best;
    double bestError = std::numeric_limits<double>::max();
    for (int count = -artwork::kMostSignatureAccidentals; count <= artwork::kMostSignatureAccidentals; ++count) {
        const int item = artwork::SignatureTile(signatureStaffOf(clef), count);
        if (item < 0 || std::size_t(item) >= signatures.tiles.size())
            continue;
        const QImage& tile = signatures.tiles[std::size_t(item)];
        const double error = double(tileDifference(staff, tile)) / (3.0 * tile.width() * tile.height());
        if (error < bestError)
            bestError = error, best = count;
    }
    // A tile that resembles none of them (mean error above 8 per channel) is no signature.
    return bestError <= 8 ? best : std::nullopt;
}

std::vector<std::optional<ClefNote>> ReadClefLine(const QImage& shot, QPoint staffOrigin,
                                                  const ReferencePictures& references,
                                                  const SignatureReferences& signatures, UpperClef clef, int count)
{
    const std::optional<int> accidentals = ReadUpperSignature(shot, staffOrigin, signatures, clef);
    std::vector<std::optional<ClefNote>> notes(std::size_t(std::max(count, 0)));
    if (!accidentals)
        return notes;
    // The written letter on the bottom line of the upper staff, as a diatonic step from C-1: F3 in the alto
    // clef, D3 in the tenor, E4 in the treble (written; the octave treble sounds an octave lower).
    const int bottomDiatonic = clef == UpperClef::Alto ? 3 * 7 + 3 : clef == UpperClef::Tenor ? 3 * 7 + 1 : 4 * 7 + 2;
    static constexpr std::array<int, 7> kLetterPitch = {0, 2, 4, 5, 7, 9, 11};
    static constexpr std::array<int, 7> kSharpLetters = {3, 0, 4, 1, 5, 2, 6}; // F C G D A E B
    static constexpr std::array<int, 7> kFlatLetters = {6, 2, 5, 1, 4, 0, 3};  // B E A D G C F
    for (int place = 0; place < count; ++place) {
        const std::optional<StaffReading> head =
            readHeadAt(shot, staffOrigin, references, linePlaceShift(place, count));
        if (!head)
            continue;
        const int diatonic = bottomDiatonic + int(std::lround((kTrebleBottomLine - head->headCentreRow) / 5.0));
        ClefNote note;
        note.naturalNote = 12 * (diatonic / 7 + 1) + kLetterPitch[std::size_t(diatonic % 7)];
        note.accidental = head->accidental;
        const int letter = letterOf(note.naturalNote);
        int alteration = 0;
        for (int i = 0; i < std::abs(*accidentals); ++i)
            if ((*accidentals > 0 ? kSharpLetters : kFlatLetters)[std::size_t(i)] == letter)
                alteration = *accidentals > 0 ? 1 : -1;
        if (note.accidental != Accidental::None)
            alteration = note.accidental == Accidental::Sharp ? 1 : note.accidental == Accidental::Flat ? -1 : 0;
        note.sounding = note.naturalNote + alteration - (clef == UpperClef::TrebleOctave ? 12 : 0);
        notes[std::size_t(place)] = note;
    }
    return notes;
}

} // namespace lirasto::e2e
