#pragma once

#include <string>

// The level reached, kept between runs in the working directory's "vantrel.ini".
namespace settings {

inline constexpr const char* kFileName = "./vantrel.ini";
inline constexpr const char* kSection = "Lirasto - Notes (demo)";
inline constexpr const char* kLevelKey = "Level";
inline constexpr int kMinLevel = 1;
inline constexpr int kMaxLevel = 12;

// The stored level; 1 when the file or key is missing, unreadable, not a whole decimal number or outside 1..12.
int ReadLevel(const std::string& path = kFileName);

// Stores the level; false, silently, when it cannot (the old file then stays exactly as it was).
bool WriteLevel(int level, const std::string& path = kFileName);

} // namespace settings
