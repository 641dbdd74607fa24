#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Reading the game's window from a screenshot the way a player reads it: the
// staff, the note on it, its accidental and the key signature, the verdict.
namespace lirasto::e2e {

// The pictures the game's artwork painter made, as reference shapes for the
// glyphs a player recognises (key-signature tiles, accidentals).
struct ReferencePictures
{
    std::array<QImage, 24> keyTiles; // item 2k treble, 2k + 1 bass of key k
    QImage flat, sharp, natural;

    // Reads the bitmap records written by the artwork painter; throws std::runtime_error.
    static ReferencePictures Load(const std::filesystem::path& artworkDirectory);
};

// One bitmap record file as an ARGB32 image (straight alpha).
QImage ReadBitmapRecord(const std::filesystem::path& file);

enum class Accidental { None, Flat, Sharp, Natural };

struct StaffReading
{
    bool treble = true;
    double headCentreRow = 0; // in staff picture rows
    int naturalNote = 0;      // note number of the written letter without any sign
    Accidental accidental = Accidental::None;
    int key = 0;        // 0..11, the tonic's pitch class of the signature read
    int pitchClass = 0; // what the player should play

    std::string Describe() const;
    bool operator==(const StaffReading&) const = default;
};

// The staff picture's top-left corner in the screenshot: found from its long top line
// (staff row 80), which always runs to the closing bar line at column 571.
std::optional<QPoint> FindStaffOrigin(const QImage& shot);

// The key whose signature the treble tile shows, by comparison with the reference tiles.
std::optional<int> ReadKeySignature(const QImage& shot, QPoint staffOrigin, const ReferencePictures& references);

// The note on the staff, or nothing while no notehead is drawn.
std::optional<StaffReading> ReadStaff(const QImage& shot, QPoint staffOrigin, const ReferencePictures& references);

// The pitch class a musician gives a written letter (natural note) with a sign in a key.
int SoundingPitchClass(int naturalNote, Accidental accidental, int key);

enum class Verdict { None, Right, Wrong };

// The colour of the verdict text in the given region: green for right, red for wrong.
Verdict ReadVerdict(const QImage& shot, QRect region);

// The colour of the answer mark above the note (staff columns 125.., rows 0..): green or red ball.
Verdict ReadAnswerMark(const QImage& shot, QPoint staffOrigin);

// One place of a line of notes: the note read there and the mark above it.
struct LinePlace
{
    std::optional<StaffReading> note;
    Verdict mark = Verdict::None;
};

// The count notes of a line written across the staff, left to right. The only reader that
// knows where a line's places lie.
std::vector<LinePlace> ReadLine(const QImage& shot, QPoint staffOrigin, const ReferencePictures& references, int count);

// A stack of notes written at one place (a chord) whose stem column stands at left: its heads
// bottom to top, those beside the stem too, each with the sign before it (the signs standing in
// columns left of the heads) and read on the key signature. Empty while no head is drawn there.
std::vector<StaffReading> ReadStack(const QImage& shot, QPoint staffOrigin, const ReferencePictures& references,
                                    int left);

// A screenshot of a window scaled by `scale` (above 1), brought back to the window's logical
// pixels: each the mean of the device pixels it covers.
QImage ToLogicalPixels(const QImage& shot, double scale);

// How many pixels of a region differ between two screenshots.
int ChangedPixels(const QImage& before, const QImage& after, QRect region);

// Lines in the clefs of the upper staff and the signatures beyond the twelve keys' (the C clefs, the octave
// treble clef, seven flats or sharps), read on every signature tile of the key list.
enum class UpperClef { Treble, Alto, Tenor, TrebleOctave };

struct SignatureReferences
{
    std::vector<QImage> tiles; // every item of the key list, in order

    // Reads the bitmap records written by the artwork painter; throws std::runtime_error.
    static SignatureReferences Load(const std::filesystem::path& artworkDirectory);
};

// The signature on the upper staff in a clef: its count of accidentals, sharps when positive; nothing
// when no tile of that clef fits.
std::optional<int> ReadUpperSignature(const QImage& shot, QPoint staffOrigin, const SignatureReferences& signatures,
                                      UpperClef clef);

// One note of a line on the upper staff: the written letter (as the clef names it), its sign, and the
// note it sounds with the sign or the signature (an octave below the written in the octave treble clef).
struct ClefNote
{
    int naturalNote = 0;
    Accidental accidental = Accidental::None;
    int sounding = 0;
};

// The count notes of a line across the upper staff in a clef, read on its signature; a place with no
// head read, or every place when no signature is, is empty.
std::vector<std::optional<ClefNote>> ReadClefLine(const QImage& shot, QPoint staffOrigin,
                                                  const ReferencePictures& references,
                                                  const SignatureReferences& signatures, UpperClef clef, int count);

} // namespace lirasto::e2e
