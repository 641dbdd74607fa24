#include "app/Settings.h"

#include "app/IniFile.h"

#include <charconv>

namespace settings {

namespace {

// A whole decimal number in 1..12 (the reader has already removed blanks around it); anything else is not a
// level this program can play, so it starts from the first level rather than stopping.
int levelFrom(const std::string& text)
{
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    if (digits.empty() || digits.front() == '-' || digits.front() == '+')
        return kMinLevel;
    int level = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), level);
    if (ec != std::errc() || end != digits.data() + digits.size() || level < kMinLevel || level > kMaxLevel)
        return kMinLevel;
    return level;
}

} // namespace

int ReadLevel(const std::string& path)
{
    try {
        return levelFrom(IniFile(path).readString(kSection, kLevelKey, "1"));
    } catch (...) {
        return kMinLevel;
    }
}

bool WriteLevel(int level, const std::string& path)
{
    // A level outside 1..12 would only be read back as 1; keep the stored one instead.
    if (level < kMinLevel || level > kMaxLevel)
        return false;
    try {
        IniFile(path).writeString(kSection, kLevelKey, std::to_string(level));
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace settings
