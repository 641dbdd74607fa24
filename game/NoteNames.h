#pragma once

#include <array>
#include <string>
#include <string_view>

// How notes are named for the player. Music is taught with different names
// for the same note: letters in English, letters with H for B and B for B flat
// in German and Central Europe, and fixed-do syllables in the Romance
// countries and Russia. Every name here is UTF-8, with real sharp and flat
// signs where the convention writes a sign.
enum class TNoteNaming {
    English, // C D E F G A B, C♯, B♭
    German,  // C D E F G A H, Cis, B (for B flat), Es, As
    Solfege  // Do Ré Mi Fa Sol La Si, Do♯, Si♭
};

inline constexpr int kNoteNamingCount = 3;

// The fixed-do syllables from Do to Si as the language shown spells them
// ("Ré" in French, "Dó" in Portuguese, "Ре" in Russian); "Do Re Mi Fa Sol La Si" until set.
void SetSolfegeSyllables(const std::array<std::string, 7>& spelled);

// The name of a letter (0 = C .. 6 = B) altered by `alteration` semitones
// (-2 double flat .. 2 double sharp). Raises ERangeError outside those ranges.
std::string LetterName(int letter, int alteration, TNoteNaming naming);

// The name of a note as it is written in key (0..11): its letter and sign,
// without octave. Raises ERangeError for a note outside 1..126 or a key outside 0..11.
std::string SpelledName(int note, int key, TNoteNaming naming);

// "F♯4", "B♭2", "C4" (or "Fis4", "B2", "Fa♯4"): the spelled name and the octave
// of its letter, 4 being middle C's.
std::string NoteName(int note, int key, TNoteNaming naming = TNoteNaming::English);
// The same in one of the thirty keys (MusicKeys): "E♯4" in F sharp major, "F𝄪4" in G sharp minor.
std::string MusicNoteName(int note, int musicKey, TNoteNaming naming = TNoteNaming::English);

// The name of a major key's tonic (0..11) as the level list shows it. English
// keeps the plain "Bb" the list has always shown.
std::string KeyName(int key, TNoteNaming naming);

// The convention a language (an ISO 639 code, "de", "pt_BR") is taught with.
TNoteNaming NoteNamingForLanguage(std::string_view language);
