#include "game/MusicKeys.h"

#include "core/Errors.h"

#include <algorithm>
#include <cctype>

using lirasto::ERangeError;

namespace {

constexpr int kLetterPitch[7] = {0, 2, 4, 5, 7, 9, 11};
constexpr int kMajorSteps[7] = {0, 2, 4, 5, 7, 9, 11};
constexpr int kHarmonicMinorSteps[7] = {0, 2, 3, 5, 7, 8, 11};
// The letters the signature alters, in the order the signs are written.
constexpr int kSharpLetters[7] = {3, 0, 4, 1, 5, 2, 6}; // F C G D A E B
constexpr int kFlatLetters[7] = {6, 2, 5, 1, 4, 0, 3};  // B E A D G C F

int letterOf(char c)
{
    static constexpr std::string_view kLetters = "CDEFGAB";
    const auto at = kLetters.find(char(std::toupper(static_cast<unsigned char>(c))));
    return at == std::string_view::npos ? -1 : int(at);
}

int tonicLetter(int musicKey)
{
    return letterOf(MusicKey(musicKey).Name[0]);
}

int tonicAlteration(int musicKey)
{
    const char sign = MusicKey(musicKey).Name[1];
    return sign == '#' ? 1 : sign == 'b' ? -1 : 0;
}

// -6..5 folded into -2..2 around zero (an alteration), for a difference of pitch classes.
int wrap(int semitones)
{
    const int pc = PitchClass(semitones);
    return pc > 6 ? pc - 12 : pc;
}

int signatureAlteration(int accidentals, int letter)
{
    const int* order = accidentals > 0 ? kSharpLetters : kFlatLetters;
    const int count = std::abs(accidentals);
    return std::find(order, order + count, letter) != order + count ? (accidentals > 0 ? 1 : -1) : 0;
}

struct TDegree
{
    int Letter;
    int Alteration;
    int PitchClass;
};

std::array<TDegree, 7> scaleOf(int musicKey)
{
    const TMusicKey& key = MusicKey(musicKey);
    const int* steps = key.Minor ? kHarmonicMinorSteps : kMajorSteps;
    const int tonic = TonicPitchClass(musicKey);
    std::array<TDegree, 7> scale{};
    for (int i = 0; i < 7; ++i) {
        const int letter = (tonicLetter(musicKey) + i) % 7;
        const int pc = PitchClass(tonic + steps[i]);
        scale[std::size_t(i)] = {letter, wrap(pc - kLetterPitch[letter]), pc};
    }
    return scale;
}

TAccidental signOf(int alteration)
{
    switch (alteration) {
    case -2:
        return TAccidental::DoubleFlat;
    case -1:
        return TAccidental::Flat;
    case 1:
        return TAccidental::Sharp;
    case 2:
        return TAccidental::DoubleSharp;
    default:
        return TAccidental::Natural;
    }
}

} // namespace

const TMusicKey& MusicKey(int musicKey)
{
    if (musicKey < 0 || musicKey >= kMusicKeyCount)
        throw ERangeError("Range check error: key " + std::to_string(musicKey) + " outside 0..29");
    return kMusicKeys[std::size_t(musicKey)];
}

int TonicPitchClass(int musicKey)
{
    return PitchClass(kLetterPitch[tonicLetter(musicKey)] + tonicAlteration(musicKey));
}

int MusicKeyOfLevelKey(int key)
{
    // C Db D Eb E F Gb G Ab A Bb B
    static constexpr int kOfLevelKey[12] = {7, 2, 9, 4, 11, 6, 1, 8, 3, 10, 5, 12};
    if (key < 0 || key > 11)
        throw ERangeError("Range check error: key " + std::to_string(key) + " outside 0..11");
    return kOfLevelKey[key];
}

int LevelKeyOfMusicKey(int musicKey)
{
    const int accidentals = MusicKey(musicKey).Accidentals;
    // The major key of that signature, written as the twelve write it.
    static constexpr int kOfAccidentals[15] = {11, 6, 1, 8, 3, 10, 5, 0, 7, 2, 9, 4, 11, 6, 1};
    return kOfAccidentals[accidentals + 7];
}

int MusicKeyFromName(std::string_view name)
{
    if (name.empty() || letterOf(name[0]) < 0)
        return -1;
    std::string tonic(1, char(std::toupper(static_cast<unsigned char>(name[0]))));
    name.remove_prefix(1);
    if (!name.empty() && (name[0] == '#' || name[0] == 'b')) {
        tonic += name[0];
        name.remove_prefix(1);
    }
    bool minor = false;
    if (name == "m" || name == " minor" || name == "minor" || name == " min") {
        minor = true;
    } else if (!name.empty() && name != " major" && name != "major") {
        return -1;
    }
    if (minor)
        tonic += 'm';
    for (int k = 0; k < kMusicKeyCount; ++k)
        if (tonic == kMusicKeys[std::size_t(k)].Name)
            return k;
    return -1;
}

std::string MusicKeyName(int musicKey)
{
    const TMusicKey& key = MusicKey(musicKey);
    std::string name = key.Name;
    if (key.Minor)
        name.back() = ' ', name += "minor";
    return name;
}

TSpelling SpellInMusicKey(int note, int musicKey, bool ascending)
{
    const std::array<TDegree, 7> scale = scaleOf(musicKey);
    const int accidentals = MusicKey(musicKey).Accidentals;
    const int pc = PitchClass(note);
    const auto degreeAt = [&scale](int pitchClass) {
        return std::find_if(scale.begin(), scale.end(),
                            [pitchClass](const TDegree& d) { return d.PitchClass == PitchClass(pitchClass); });
    };
    int letter = 0;
    int alteration = 0;
    if (const auto d = degreeAt(pc); d != scale.end()) {
        letter = d->Letter;
        alteration = d->Alteration;
    } else {
        const auto below = degreeAt(pc - 1);
        const auto above = degreeAt(pc + 1);
        const bool raised = below != scale.end() && below->Alteration + 1 == 0;
        const bool lowered = above != scale.end() && above->Alteration - 1 == 0;
        bool raise = accidentals > 0 || (accidentals == 0 && ascending);
        if (raised || lowered)
            raise = raised;
        if (above == scale.end())
            raise = true;
        if (below == scale.end())
            raise = false;
        letter = raise ? below->Letter : above->Letter;
        alteration = raise ? below->Alteration + 1 : above->Alteration - 1;
    }
    const int natural = note - alteration;
    const TAccidental sign =
        alteration == signatureAlteration(accidentals, letter) ? TAccidental::None : signOf(alteration);
    return {natural, sign};
}

bool InMusicScale(int note, int musicKey)
{
    const std::array<TDegree, 7> scale = scaleOf(musicKey);
    return std::any_of(scale.begin(), scale.end(),
                       [note](const TDegree& d) { return d.PitchClass == PitchClass(note); });
}
