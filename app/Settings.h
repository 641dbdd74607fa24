#pragma once

#include <string>

// The level reached, kept between runs in the working directory's "vantrel.ini".
inline constexpr const char* kSettingsFileName = "./vantrel.ini";
inline constexpr const char* kSettingsSection = "Lirasto - Notes (demo)";
inline constexpr const char* kSettingsLevelKey = "Level";
inline constexpr int kSettingsMinLevel = 1;
inline constexpr int kSettingsMaxLevel = 12;

// The stored level; 1 when the file or key is missing, unreadable, not a whole decimal number or outside 1..12.
int ReadLevel(const std::string& path = kSettingsFileName);

// Stores the level; false, silently, when it cannot (the old file then stays exactly as it was).
bool WriteLevel(int level, const std::string& path = kSettingsFileName);
