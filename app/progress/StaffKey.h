#pragma once

#include "game/NoteNames.h"
#include "game/uVariables.h"

#include <string>

// The key the Progress page writes its notes in: a level's key index (0..11), spelt by the
// levels' own rules, or one of the thirty keys (MusicKeys) a practice was given in. A practice
// in C flat major shares its sound with the level in B major, but its staff shows seven flats
// and its notes are named C flat, F flat and so on, as the player read them.
class TStaffKey
{
public:
    // Implicit: wherever a level's key index was enough, it still is.
    TStaffKey(int levelKey = 0) : levelKey_(levelKey) {}
    // ERangeError for a music key outside 0..29.
    static TStaffKey OfMusicKey(int musicKey);

    // The key index standing for it where only the twelve are known (the history's scope).
    int LevelKey() const { return levelKey_; }
    // A level's key index outside 0..11 is no key.
    bool Valid() const;
    // The signature: sharps when positive, flats when negative.
    int Accidentals() const;
    TSpelling Spell(int note) const;
    // "C♭4" in C flat major, "B3" in B major.
    std::string NoteName(int note, TNoteNaming naming) const;

private:
    int levelKey_;
    int musicKey_ = -1;
};
