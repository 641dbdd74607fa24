#include "game/NoteNames.h"

#include "game/MusicKeys.h"

#include "core/Errors.h"
#include "game/uVariables.h"

#include <algorithm>
#include <array>

namespace {

// The naturals' pitch classes, letter by letter.
constexpr std::array<int, 7> kLetterPitch{0, 2, 4, 5, 7, 9, 11};
constexpr std::array<const char*, 7> kEnglishLetters{"C", "D", "E", "F", "G", "A", "B"};
constexpr std::array<const char*, 7> kGermanLetters{"C", "D", "E", "F", "G", "A", "H"};
// Each language spells the syllables its own way (Ré, Dó, Ре): set with the language shown.
std::array<std::string, 7> syllables{"Do", "Re", "Mi", "Fa", "Sol", "La", "Si"};
// Double flat, flat, none, sharp, double sharp.
constexpr std::array<const char*, 5> kSigns{"\U0001D12B", "\u266D", "", "\u266F", "\U0001D12A"};

// German adds "is" for each sharp and "es" for each flat, and contracts the
// vowels' flats (Es, As) and the flat of H, which is B.
std::string germanName(int letter, int alteration)
{
    if (letter == 6 && alteration < 0)
        return alteration == -1 ? "B" : "Heses";
    std::string name = kGermanLetters[static_cast<std::size_t>(letter)];
    for (int i = 0; i < alteration; ++i)
        name += "is";
    for (int i = 0; i > alteration; --i)
        name += (i == 0 && (letter == 2 || letter == 5)) ? "s" : "es";
    return name;
}

} // namespace

void SetSolfegeSyllables(const std::array<std::string, 7>& spelled)
{
    syllables = spelled;
}

std::string LetterName(int letter, int alteration, TNoteNaming naming)
{
    if (letter < 0 || letter > 6 || alteration < -2 || alteration > 2)
        throw lirasto::ERangeError("Range check error: letter " + std::to_string(letter) + " altered by " +
                                   std::to_string(alteration));
    const auto index = static_cast<std::size_t>(letter);
    const char* sign = kSigns[static_cast<std::size_t>(alteration + 2)];
    switch (naming) {
    case TNoteNaming::German:
        return germanName(letter, alteration);
    case TNoteNaming::Solfege:
        return syllables[index] + sign;
    case TNoteNaming::English:
        break;
    }
    return std::string(kEnglishLetters[index]) + sign;
}

namespace {

struct TWritten
{
    int Letter;
    int Alteration;
    int Octave;
};

TWritten written(int note, int key)
{
    if (note < 1 || note > 126)
        throw lirasto::ERangeError("Range check error: note " + std::to_string(note) + " outside 1..126");
    const TSpelling spelling = SpellNote(note, key);
    const int natural = spelling.Natural;
    const auto letter = std::find(kLetterPitch.begin(), kLetterPitch.end(), PitchClass(natural)) - kLetterPitch.begin();
    // The sign SpellNote gives is what the staff needs beside the key signature; the name
    // needs what the note is, letter and alteration.
    return {static_cast<int>(letter), note - natural, natural / 12 - 1};
}

} // namespace

std::string SpelledName(int note, int key, TNoteNaming naming)
{
    const TWritten w = written(note, key);
    return LetterName(w.Letter, w.Alteration, naming);
}

std::string NoteName(int note, int key, TNoteNaming naming)
{
    const TWritten w = written(note, key);
    return LetterName(w.Letter, w.Alteration, naming) + std::to_string(w.Octave);
}

std::string MusicNoteName(int note, int musicKey, TNoteNaming naming)
{
    if (note < 1 || note > 126)
        throw lirasto::ERangeError("Range check error: note " + std::to_string(note) + " outside 1..126");
    const int natural = SpellInMusicKey(note, musicKey).Natural;
    const auto letter = std::find(kLetterPitch.begin(), kLetterPitch.end(), PitchClass(natural)) - kLetterPitch.begin();
    return LetterName(static_cast<int>(letter), note - natural, naming) + std::to_string(natural / 12 - 1);
}

std::string KeyName(int key, TNoteNaming naming)
{
    if (naming == TNoteNaming::English)
        return KeyNames[key];
    return SpelledName(60 + key, key, naming);
}

TNoteNaming NoteNamingForLanguage(std::string_view language)
{
    const std::string_view code = language.substr(0, std::min(language.find_first_of("_-"), language.size()));
    static constexpr std::string_view kGerman[] = {"de", "pl", "cs", "sk", "hu", "sl", "hr", "sr", "bs",
                                                   "da", "nb", "nn", "no", "sv", "fi", "et", "lv", "lt"};
    static constexpr std::string_view kSolfege[] = {"fr", "it", "es", "pt", "ca", "gl", "ro", "ru",
                                                    "uk", "be", "bg", "el", "tr", "he", "ar", "fa"};
    if (std::find(std::begin(kGerman), std::end(kGerman), code) != std::end(kGerman))
        return TNoteNaming::German;
    if (std::find(std::begin(kSolfege), std::end(kSolfege), code) != std::end(kSolfege))
        return TNoteNaming::Solfege;
    return TNoteNaming::English;
}
