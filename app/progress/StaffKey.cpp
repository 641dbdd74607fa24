#include "app/progress/StaffKey.h"

#include "game/MusicKeys.h"

TStaffKey TStaffKey::OfMusicKey(int musicKey)
{
    TStaffKey key(LevelKeyOfMusicKey(musicKey));
    key.musicKey_ = musicKey;
    return key;
}

bool TStaffKey::Valid() const
{
    return KeyAccidentalKind.Contains(levelKey_);
}

int TStaffKey::Accidentals() const
{
    return MusicKey(musicKey_ >= 0 ? musicKey_ : MusicKeyOfLevelKey(levelKey_)).Accidentals;
}

TSpelling TStaffKey::Spell(int note) const
{
    return musicKey_ >= 0 ? SpellInMusicKey(note, musicKey_) : SpellNote(note, levelKey_);
}

std::string TStaffKey::NoteName(int note, TNoteNaming naming) const
{
    return musicKey_ >= 0 ? MusicNoteName(note, musicKey_, naming) : ::NoteName(note, levelKey_, naming);
}
