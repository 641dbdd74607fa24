#include "game/Chords.h"

#include "core/Errors.h"

#include <QtGlobal>
#include <string>
#include <utility>

namespace {

// clang-format off
constexpr TChordType kTypes[] = {
    {TChordFamily::Intervals, QT_TRANSLATE_NOOP("TChordExercise", "minor second"),      2, {0, 1},  {0, 1}},
    {TChordFamily::Intervals, QT_TRANSLATE_NOOP("TChordExercise", "major second"),      2, {0, 2},  {0, 1}},
    {TChordFamily::Intervals, QT_TRANSLATE_NOOP("TChordExercise", "minor third"),       2, {0, 3},  {0, 2}},
    {TChordFamily::Intervals, QT_TRANSLATE_NOOP("TChordExercise", "major third"),       2, {0, 4},  {0, 2}},
    {TChordFamily::Intervals, QT_TRANSLATE_NOOP("TChordExercise", "perfect fourth"),    2, {0, 5},  {0, 3}},
    {TChordFamily::Intervals, QT_TRANSLATE_NOOP("TChordExercise", "augmented fourth"),  2, {0, 6},  {0, 3}},
    {TChordFamily::Intervals, QT_TRANSLATE_NOOP("TChordExercise", "diminished fifth"),  2, {0, 6},  {0, 4}},
    {TChordFamily::Intervals, QT_TRANSLATE_NOOP("TChordExercise", "perfect fifth"),     2, {0, 7},  {0, 4}},
    {TChordFamily::Intervals, QT_TRANSLATE_NOOP("TChordExercise", "minor sixth"),       2, {0, 8},  {0, 5}},
    {TChordFamily::Intervals, QT_TRANSLATE_NOOP("TChordExercise", "major sixth"),       2, {0, 9},  {0, 5}},
    {TChordFamily::Intervals, QT_TRANSLATE_NOOP("TChordExercise", "minor seventh"),     2, {0, 10}, {0, 6}},
    {TChordFamily::Intervals, QT_TRANSLATE_NOOP("TChordExercise", "major seventh"),     2, {0, 11}, {0, 6}},
    {TChordFamily::Intervals, QT_TRANSLATE_NOOP("TChordExercise", "octave"),            2, {0, 12}, {0, 7}},
    {TChordFamily::Triads,    QT_TRANSLATE_NOOP("TChordExercise", "%1 major"),          3, {0, 4, 7}, {0, 2, 4}},
    {TChordFamily::Triads,    QT_TRANSLATE_NOOP("TChordExercise", "%1 minor"),          3, {0, 3, 7}, {0, 2, 4}},
    {TChordFamily::Triads,    QT_TRANSLATE_NOOP("TChordExercise", "%1 diminished"),     3, {0, 3, 6}, {0, 2, 4}},
    {TChordFamily::Triads,    QT_TRANSLATE_NOOP("TChordExercise", "%1 augmented"),      3, {0, 4, 8}, {0, 2, 4}},
    {TChordFamily::Sevenths,  QT_TRANSLATE_NOOP("TChordExercise", "%1 major seventh"),  4, {0, 4, 7, 11}, {0, 2, 4, 6}},
    {TChordFamily::Sevenths,  QT_TRANSLATE_NOOP("TChordExercise", "%1 dominant seventh"), 4, {0, 4, 7, 10}, {0, 2, 4, 6}},
    {TChordFamily::Sevenths,  QT_TRANSLATE_NOOP("TChordExercise", "%1 minor seventh"),  4, {0, 3, 7, 10}, {0, 2, 4, 6}},
    {TChordFamily::Sevenths,  QT_TRANSLATE_NOOP("TChordExercise", "%1 half-diminished seventh"), 4, {0, 3, 6, 10}, {0, 2, 4, 6}},
    {TChordFamily::Sevenths,  QT_TRANSLATE_NOOP("TChordExercise", "%1 diminished seventh"), 4, {0, 3, 6, 9}, {0, 2, 4, 6}},
};
// clang-format on

constexpr const char* kInversions[] = {
    QT_TRANSLATE_NOOP("TChordExercise", "first inversion"),
    QT_TRANSLATE_NOOP("TChordExercise", "second inversion"),
    QT_TRANSLATE_NOOP("TChordExercise", "third inversion"),
};

constexpr int kLetterPitch[7] = {0, 2, 4, 5, 7, 9, 11};
constexpr int kLetterOfPitchClass[12] = {0, -1, 1, -1, 2, 3, -1, 4, -1, 5, -1, 6};

// Diatonic number (octave * 7 + letter) of a natural, and back.
int degreeOf(int natural)
{
    return (natural - PitchClass(natural)) / 12 * 7 + kLetterOfPitchClass[PitchClass(natural)];
}

int naturalOf(int degree)
{
    return degree / 7 * 12 + kLetterPitch[degree % 7];
}

} // namespace

std::span<const TChordType> ChordTypes()
{
    return kTypes;
}

std::span<const TChordType> ChordTypes(TChordFamily family)
{
    const auto* first = std::begin(kTypes);
    while (first != std::end(kTypes) && first->Family != family)
        ++first;
    const auto* last = first;
    while (last != std::end(kTypes) && last->Family == family)
        ++last;
    return {first, last};
}

namespace {

// The codes by name, so that the history reads a type the same whatever order the types take.
constexpr std::pair<int, std::string_view> kTypeCodes[] = {
    {1, "minor second"},
    {2, "major second"},
    {3, "minor third"},
    {4, "major third"},
    {5, "perfect fourth"},
    {6, "augmented fourth"},
    {7, "diminished fifth"},
    {8, "perfect fifth"},
    {9, "minor sixth"},
    {10, "major sixth"},
    {11, "minor seventh"},
    {12, "major seventh"},
    {13, "octave"},
    {21, "%1 major"},
    {22, "%1 minor"},
    {23, "%1 diminished"},
    {24, "%1 augmented"},
    {31, "%1 major seventh"},
    {32, "%1 dominant seventh"},
    {33, "%1 minor seventh"},
    {34, "%1 half-diminished seventh"},
    {35, "%1 diminished seventh"},
};

} // namespace

int ChordTypeCode(const TChordType& type)
{
    for (const auto& [code, name] : kTypeCodes)
        if (name == type.Name)
            return code;
    return 0;
}

const TChordType* ChordTypeOfCode(int code)
{
    for (const auto& [known, name] : kTypeCodes)
        if (known == code)
            return ChordTypeNamed(name);
    return nullptr;
}

TChordLabel LabelOf(const TChord& chord)
{
    if (chord.Type == nullptr)
        return {};
    return {ChordTypeCode(*chord.Type), chord.Inversion, chord.RootLetter, chord.RootAlteration};
}

TChord ChordOfLabel(const TChordLabel& label)
{
    TChord chord;
    if (!ChordLabelKnown(label))
        return chord;
    chord.Type = ChordTypeOfCode(label.Type);
    chord.Inversion = label.Inversion;
    chord.RootLetter = label.RootLetter;
    chord.RootAlteration = label.RootAlteration;
    return chord;
}

const TChordType* ChordTypeNamed(std::string_view name)
{
    for (const TChordType& type : kTypes)
        if (name == type.Name)
            return &type;
    return nullptr;
}

std::vector<int> TChord::Notes() const
{
    std::vector<int> notes;
    for (const TChordTone& tone : Tones)
        notes.push_back(tone.Note);
    return notes;
}

TPitchClassSet TChord::PitchClasses() const
{
    TPitchClassSet set = 0;
    for (const TChordTone& tone : Tones)
        set = static_cast<TPitchClassSet>(set | PitchClassBit(PitchClass(tone.Note)));
    return set;
}

std::optional<TChord> BuildChord(const TChordType& type, int root, int rootNatural, int inversion)
{
    const int inversions = type.Family == TChordFamily::Intervals ? 1 : type.Size;
    if (inversion < 0 || inversion >= inversions)
        throw lirasto::ERangeError("Range check error: inversion " + std::to_string(inversion) + " outside 0.." +
                                   std::to_string(inversions - 1));
    if (root < 12 || root > 115 || kLetterOfPitchClass[PitchClass(rootNatural)] < 0 || std::abs(root - rootNatural) > 1)
        throw lirasto::ERangeError("Range check error: note " + std::to_string(root) + " written on " +
                                   std::to_string(rootNatural));
    TChord chord;
    chord.Type = &type;
    chord.Inversion = inversion;
    chord.RootLetter = kLetterOfPitchClass[PitchClass(rootNatural)];
    chord.RootAlteration = root - rootNatural;
    const int rootDegree = degreeOf(rootNatural);
    for (int k = 0; k < type.Size; ++k) {
        // The tones below the inversion's go up an octave.
        const int i = (inversion + k) % type.Size;
        const int octave = inversion + k >= type.Size ? 1 : 0;
        TChordTone tone;
        tone.Note = root + type.Semitones[std::size_t(i)] + 12 * octave;
        tone.Natural = naturalOf(rootDegree + type.Steps[std::size_t(i)] + 7 * octave);
        tone.Alteration = tone.Note - tone.Natural;
        if (tone.Alteration < -1 || tone.Alteration > 1)
            return std::nullopt;
        chord.Tones.push_back(tone);
    }
    return chord;
}

TAccidental SignInKey(const TChordTone& tone, int key)
{
    const int pc = PitchClass(tone.Natural);
    const bool altered = HasPitchClass(KeyAlteredNaturals[key], pc);
    const int signature = altered ? (KeyAccidentalKind[key] == FlatKey ? -1 : 1) : 0;
    if (tone.Alteration == signature)
        return TAccidental::None;
    return tone.Alteration == 0 ? TAccidental::Natural : tone.Alteration < 0 ? TAccidental::Flat : TAccidental::Sharp;
}

bool ChordInKey(const TChord& chord, int key)
{
    for (const TChordTone& tone : chord.Tones)
        if (SignInKey(tone, key) != TAccidental::None)
            return false;
    return true;
}

std::vector<TSpelling> SpellingsInKey(const TChord& chord, int key)
{
    std::vector<TSpelling> spellings;
    for (const TChordTone& tone : chord.Tones)
        spellings.push_back({tone.Natural, SignInKey(tone, key)});
    return spellings;
}

const char* InversionName(const TChord& chord)
{
    if (chord.Inversion <= 0 || chord.Type == nullptr || chord.Type->Family == TChordFamily::Intervals)
        return nullptr;
    return kInversions[chord.Inversion - 1];
}
