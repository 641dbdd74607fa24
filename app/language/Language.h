#pragma once

#include "game/NoteNames.h"

#include <QString>

struct TChord;
#include <array>

// The language the window speaks and the note names it uses. The language is
// chosen once, before the window is built: from LIRASTO_LANGUAGE when set (a
// code below, or "pseudo"), else the choice kept on the Options page, else the
// system's. The note names follow the language unless the player chose others.

struct TLanguage
{
    const char* Code;       // as in the translation files' names
    const char* NativeName; // as the list on the Options page shows it
};

// Index + 1 is the value of the Language option; 0 is the system's language.
inline constexpr std::array<TLanguage, 8> kLanguages{{{"en", "English"},
                                                      {"de", "Deutsch"},
                                                      {"fr", "Fran\u00E7ais"},
                                                      {"es", "Espa\u00F1ol"},
                                                      {"it", "Italiano"},
                                                      {"pt_BR", "Portugu\u00EAs (Brasil)"},
                                                      {"pl", "Polski"},
                                                      {"ru", "\u0420\u0443\u0441\u0441\u043A\u0438\u0439"}}};

// The pseudo-language: every text lengthened by 40 % and marked at both ends, to
// show texts that are not translated and controls too small for longer words.
inline constexpr char16_t kPseudoOpen = u'\u27E6';
inline constexpr char16_t kPseudoClose = u'\u27E7';
QString PseudoText(const QString& text);

// The language code to show for the Language option's value (see kLanguages).
QString ChosenLanguage(int option);

// Installs the translations of `language` (one of kLanguages, "pseudo", or a
// system locale name such as "de_AT"), replacing those installed before.
// English, and a language we do not have, install none. Returns the code used.
QString InstallTranslation(const QString& language);

// The code of the language installed last ("en" when none).
QString ShownLanguage();

// The note names to use: `option` 0 follows the language shown, 1.. is a
// TNoteNaming + 1. Set from the Options page; read wherever a note is named.
void SetNoteNamingOption(int option);
TNoteNaming CurrentNoteNaming();

// "D minor, first inversion", "major sixth": a chord's name in the language shown, its root named by the
// current convention; empty for no chord.
QString ChordNameShown(const TChord& chord);

// The level list's words: "Level 3: Bb Major", in the note names in use.
QString LevelName(int level);
