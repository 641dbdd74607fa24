#pragma once

#include "game/uVariables.h"

#include <array>
#include <string>
#include <string_view>

// The thirty keys a line may be written in: the fifteen major key signatures, C flat with seven
// flats to C sharp with seven sharps, and the fifteen minor keys that share them. A minor key's
// notes are its harmonic minor scale, whose raised seventh is written with its sign. The twelve
// keys of the levels (key indexes 0..11) are among them.

struct TMusicKey
{
    const char* Name; // the tonic in English letters, "m" after a minor one: "C#", "Ebm"
    int Accidentals;  // the signature: sharps when positive, flats when negative
    bool Minor;
};

inline constexpr int kMusicKeyCount = 30;
// Major keys by their signature from seven flats to seven sharps, then the minor keys alike.
inline constexpr std::array<TMusicKey, kMusicKeyCount> kMusicKeys{{
    {"Cb", -7, false}, {"Gb", -6, false}, {"Db", -5, false}, {"Ab", -4, false}, {"Eb", -3, false}, {"Bb", -2, false},
    {"F", -1, false},  {"C", 0, false},   {"G", 1, false},   {"D", 2, false},   {"A", 3, false},   {"E", 4, false},
    {"B", 5, false},   {"F#", 6, false},  {"C#", 7, false},  {"Abm", -7, true}, {"Ebm", -6, true}, {"Bbm", -5, true},
    {"Fm", -4, true},  {"Cm", -3, true},  {"Gm", -2, true},  {"Dm", -1, true},  {"Am", 0, true},   {"Em", 1, true},
    {"Bm", 2, true},   {"F#m", 3, true},  {"C#m", 4, true},  {"G#m", 5, true},  {"D#m", 6, true},  {"A#m", 7, true},
}};

// ERangeError for a music key outside 0..29 or a key index outside 0..11.
const TMusicKey& MusicKey(int musicKey);
int TonicPitchClass(int musicKey);
// The music key a level key (0..11) is, and the key index that stands for a music key where
// only the twelve are known (history, the chooser, the names of the levels): the tonic of the
// major key with its signature, F sharp and C sharp major written as G flat and D flat, C flat as B.
int MusicKeyOfLevelKey(int key);
int LevelKeyOfMusicKey(int musicKey);

// The key's code as the history stores it, fixed by its signature whatever the table's order:
// 1..15 the major keys of seven flats to seven sharps, 16..30 the minor keys alike; 0 for a
// number that is no key. MusicKeyOfCode gives -1 for a code that is no key. Inline, for the
// history module.
constexpr int MusicKeyCode(int musicKey)
{
    if (musicKey < 0 || musicKey >= kMusicKeyCount)
        return 0;
    const TMusicKey& key = kMusicKeys[std::size_t(musicKey)];
    return key.Accidentals + 8 + (key.Minor ? 15 : 0);
}
constexpr int MusicKeyOfCode(int code)
{
    for (int k = 0; k < kMusicKeyCount; ++k)
        if (code >= 1 && MusicKeyCode(k) == code)
            return k;
    return -1;
}

// A key by name: a letter A..G (either case), an optional b or #, and for a minor key "m" or
// " minor" after it ("F# minor", "ebm", "Cb"); -1 for anything else.
int MusicKeyFromName(std::string_view name);
// The name the key is shown by: "F# minor", "Cb".
std::string MusicKeyName(int musicKey);

// How a note is written in a music key, with the sign its staff place needs beside the signature:
// a note of the scale by its scale letter; another note as the scale note a semitone below
// raised or the one above lowered, taking a natural where one of the two is, else sharps in
// sharp keys, flats in flat keys and, in C major and A minor, sharps on the way up (ascending)
// and flats otherwise. Double sharps and double flats come where the key calls for them.
TSpelling SpellInMusicKey(int note, int musicKey, bool ascending = false);
// The note is in the key's scale (the harmonic minor for a minor key).
bool InMusicScale(int note, int musicKey);
