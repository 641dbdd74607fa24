// Note names in each convention, for every note of every key as the key spells it.
#include "game/NoteNames.h"
#include "core/Errors.h"
#include "game/MusicKeys.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

struct KeyRow
{
    int key;
    const char* english; // the twelve notes from C4 up, as spelled in the key
    const char* german;
    const char* solfege;
};

class NoteNamesByKey : public testing::TestWithParam<KeyRow>
{};

std::string spelledOctave(int key, TNoteNaming naming)
{
    std::string names;
    for (int note = 60; note < 72; ++note)
        names += (note > 60 ? " " : "") + SpelledName(note, key, naming);
    return names;
}

} // namespace

TEST_P(NoteNamesByKey, SpellsEveryNoteInEachConvention)
{
    const KeyRow& row = GetParam();
    EXPECT_EQ(spelledOctave(row.key, TNoteNaming::English), row.english);
    EXPECT_EQ(spelledOctave(row.key, TNoteNaming::German), row.german);
    EXPECT_EQ(spelledOctave(row.key, TNoteNaming::Solfege), row.solfege);
}

INSTANTIATE_TEST_SUITE_P(EveryKey, NoteNamesByKey,
                         testing::Values(KeyRow{0, "C D♭ D E♭ E F G♭ G A♭ A B♭ B", "C Des D Es E F Ges G As A B H",
                                                "Do Re♭ Re Mi♭ Mi Fa Sol♭ Sol La♭ La Si♭ Si"},
                                         KeyRow{7, "C C♯ D D♯ E F F♯ G G♯ A A♯ B", "C Cis D Dis E F Fis G Gis A Ais H",
                                                "Do Do♯ Re Re♯ Mi Fa Fa♯ Sol Sol♯ La La♯ Si"},
                                         KeyRow{5, "C D♭ D E♭ E F G♭ G A♭ A B♭ B", "C Des D Es E F Ges G As A B H",
                                                "Do Re♭ Re Mi♭ Mi Fa Sol♭ Sol La♭ La Si♭ Si"},
                                         KeyRow{2, "C C♯ D D♯ E F F♯ G G♯ A A♯ B", "C Cis D Dis E F Fis G Gis A Ais H",
                                                "Do Do♯ Re Re♯ Mi Fa Fa♯ Sol Sol♯ La La♯ Si"},
                                         KeyRow{10, "C D♭ D E♭ E F G♭ G A♭ A B♭ B", "C Des D Es E F Ges G As A B H",
                                                "Do Re♭ Re Mi♭ Mi Fa Sol♭ Sol La♭ La Si♭ Si"},
                                         KeyRow{9, "C C♯ D D♯ E F F♯ G G♯ A A♯ B", "C Cis D Dis E F Fis G Gis A Ais H",
                                                "Do Do♯ Re Re♯ Mi Fa Fa♯ Sol Sol♯ La La♯ Si"},
                                         KeyRow{3, "C D♭ D E♭ E F G♭ G A♭ A B♭ B", "C Des D Es E F Ges G As A B H",
                                                "Do Re♭ Re Mi♭ Mi Fa Sol♭ Sol La♭ La Si♭ Si"},
                                         KeyRow{4, "C C♯ D D♯ E F F♯ G G♯ A A♯ B", "C Cis D Dis E F Fis G Gis A Ais H",
                                                "Do Do♯ Re Re♯ Mi Fa Fa♯ Sol Sol♯ La La♯ Si"},
                                         KeyRow{8, "C D♭ D E♭ E F G♭ G A♭ A B♭ B", "C Des D Es E F Ges G As A B H",
                                                "Do Re♭ Re Mi♭ Mi Fa Sol♭ Sol La♭ La Si♭ Si"},
                                         KeyRow{11, "C C♯ D D♯ E F F♯ G G♯ A A♯ B", "C Cis D Dis E F Fis G Gis A Ais H",
                                                "Do Do♯ Re Re♯ Mi Fa Fa♯ Sol Sol♯ La La♯ Si"},
                                         KeyRow{1, "C D♭ D E♭ E F G♭ G A♭ A B♭ B", "C Des D Es E F Ges G As A B H",
                                                "Do Re♭ Re Mi♭ Mi Fa Sol♭ Sol La♭ La Si♭ Si"},
                                         KeyRow{6, "C D♭ D E♭ E F G♭ G A♭ A B♭ B", "C Des D Es E F Ges G As A B H",
                                                "Do Re♭ Re Mi♭ Mi Fa Sol♭ Sol La♭ La Si♭ Si"}));

// German contracts the flats of the vowels and of H; every letter takes two signs each way.
TEST(NoteNames, NamesEveryLetterWithEveryAlteration)
{
    const char* const german[7][5] = {{"Ceses", "Ces", "C", "Cis", "Cisis"}, {"Deses", "Des", "D", "Dis", "Disis"},
                                      {"Eses", "Es", "E", "Eis", "Eisis"},   {"Feses", "Fes", "F", "Fis", "Fisis"},
                                      {"Geses", "Ges", "G", "Gis", "Gisis"}, {"Ases", "As", "A", "Ais", "Aisis"},
                                      {"Heses", "B", "H", "His", "Hisis"}};
    for (int letter = 0; letter < 7; ++letter)
        for (int alteration = -2; alteration <= 2; ++alteration)
            EXPECT_EQ(LetterName(letter, alteration, TNoteNaming::German), german[letter][alteration + 2]);
    EXPECT_EQ(LetterName(6, -2, TNoteNaming::English), "B\U0001D12B");
    EXPECT_EQ(LetterName(3, 2, TNoteNaming::Solfege), "Fa\U0001D12A");
    EXPECT_THROW(LetterName(7, 0, TNoteNaming::English), lirasto::ERangeError);
    EXPECT_THROW(LetterName(0, 3, TNoteNaming::German), lirasto::ERangeError);
}

TEST(NoteNames, NamesKeysAndNotesWithTheirOctave)
{
    EXPECT_EQ(KeyName(10, TNoteNaming::English), "Bb");
    EXPECT_EQ(KeyName(10, TNoteNaming::German), "B");
    EXPECT_EQ(KeyName(3, TNoteNaming::German), "Es");
    EXPECT_EQ(KeyName(11, TNoteNaming::German), "H");
    EXPECT_EQ(KeyName(6, TNoteNaming::Solfege), "Sol\u266D");
    EXPECT_EQ(NoteName(70, 10, TNoteNaming::German), "B4");
    EXPECT_EQ(NoteName(66, 7, TNoteNaming::Solfege), "Fa\u266F4");
    EXPECT_EQ(NoteNamingForLanguage("pt_BR"), TNoteNaming::Solfege);
    EXPECT_EQ(NoteNamingForLanguage("pl"), TNoteNaming::German);
    EXPECT_EQ(NoteNamingForLanguage("en_GB"), TNoteNaming::English);
}

// In the thirty keys a note is named as the key spells it, doubles included.
TEST(MusicNoteNames, NameTheNoteAsTheKeySpellsIt)
{
    EXPECT_EQ(MusicNoteName(65, MusicKeyFromName("F#")), "E\u266F4");
    EXPECT_EQ(MusicNoteName(71, MusicKeyFromName("Gb")), "C\u266D5");
    EXPECT_EQ(MusicNoteName(67, MusicKeyFromName("G# minor")), "F\U0001D12A4");
    EXPECT_EQ(MusicNoteName(60, MusicKeyFromName("C#"), TNoteNaming::German), "His3");
}
