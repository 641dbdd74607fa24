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

inline constexpr int MusicKeyCount = 30;
// Major keys by their signature from seven flats to seven sharps, then the minor keys alike.
extern const std::array<TMusicKey, MusicKeyCount> MusicKeys;

// ERangeError for a music key outside 0..29 or a key index outside 0..11.
const TMusicKey& MusicKey(int musicKey);
int TonicPitchClass(int musicKey);
// The music key a level key (0..11) is, and the key index that stands for a music key where
// only the twelve are known (history, the chooser, the names of the levels): the tonic of the
// major key with its signature, F sharp and C sharp major written as G flat and D flat, C flat as B.
int MusicKeyOfLevelKey(int key);
int LevelKeyOfMusicKey(int musicKey);

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
