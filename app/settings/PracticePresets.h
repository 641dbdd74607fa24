#pragma once

#include "game/Practice.h"

#include <string>
#include <vector>

// The practices the player saved under a name, kept in "vantrel.ini" under [Practices], one a
// slot ("Practice3=Viola|notes|alto|Cb|none|C3-G4"). A slot that does not read back (a bad value,
// an unknown clef, a range outside the staff, low above high, a bad key, garbage) is refused with
// its reason and left in the file untouched; a new practice takes an empty slot.
namespace lirasto::settings {

inline constexpr const char* kPracticesSection = "Practices";
inline constexpr int kMostPractices = 32;

struct TNamedPractice
{
    std::string Name;
    TPractice Practice;
    int Slot = 0; // 1..kMostPractices
};

struct TPracticesRead
{
    std::vector<TNamedPractice> Practices;
    std::vector<std::string> Refused; // "Practice3: unknown clef "altoo"", one for each slot refused
};

// A name may be saved: 1..40 characters, no control character and no '|'; trimmed of blanks.
bool PracticeNameFits(const std::string& name);

TPracticesRead ReadPractices(const std::string& path);
// Saves a practice under a name, over the one of that name or in the first empty slot; throws
// lirasto::Exception saying why it could not (a name that does not fit, no slot free, the file).
void SavePractice(const std::string& path, const std::string& name, const TPractice& practice);
// Empties the slot of the practice of that name; throws lirasto::Exception when the file cannot be written.
void DeletePractice(const std::string& path, const std::string& name);

} // namespace lirasto::settings
