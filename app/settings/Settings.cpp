#include "app/settings/Settings.h"

#include "app/settings/IniFile.h"
#include "core/Errors.h"

#include <charconv>
#include <utility>

namespace lirasto::settings {

namespace {

// Where a comment starts in a stored value ("7 ; reached in June"); the value's end when there is none.
std::size_t commentStart(std::string_view text)
{
    const std::size_t mark = text.find_first_of(";#");
    if (mark == std::string_view::npos)
        return text.size();
    std::size_t start = mark;
    while (start > 0 && (text[start - 1] == ' ' || text[start - 1] == '\t'))
        --start;
    return start;
}

// A whole decimal number in 1..12 (the reader has already removed blanks around it), perhaps followed by a
// comment; anything else is not a level this program can play.
std::optional<int> levelFrom(const std::string& text)
{
    std::string_view digits = std::string_view(text).substr(0, commentStart(text));
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    if (digits.empty() || digits.front() == '-' || digits.front() == '+')
        return std::nullopt;
    int level = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), level);
    if (ec != std::errc() || end != digits.data() + digits.size() || level < kMinLevel || level > kMaxLevel)
        return std::nullopt;
    return level;
}

} // namespace

int ReadLevel(const std::string& path)
{
    try {
        return levelFrom(IniFile(path).ReadString(kSection, kLevelKey, "1")).value_or(kMinLevel);
    } catch (...) {
        return kMinLevel;
    }
}

void StoreLevel(int level, const std::string& path)
{
    // A level outside 1..12 would only be read back as 1; keep the stored one instead.
    if (level < kMinLevel || level > kMaxLevel)
        throw lirasto::Exception("there is no level " + std::to_string(level));
    IniFile file(path);
    // A note the player wrote after the number stays with the new number.
    const std::string old = file.ReadString(kSection, kLevelKey, "");
    std::string comment = old.substr(commentStart(old));
    if (comment.size() == old.size() || comment.find_first_of("\r\n") != std::string::npos)
        comment.clear();
    file.WriteString(kSection, kLevelKey, std::to_string(level) + comment);
}

bool WriteLevel(int level, const std::string& path)
{
    return WriteOrFalse([&] { StoreLevel(level, path); });
}

LevelStore::LevelStore(std::string path) : path_(std::move(path)) {}

int LevelStore::Load()
{
    levelSet_ = false;
    failed_ = false;
    found_ = Found::Unreadable;
    stored_ = kMinLevel;
    try {
        const std::optional<std::string> text = IniFile(path_).ReadValue(kSection, kLevelKey);
        const std::optional<int> level = text ? levelFrom(*text) : std::nullopt;
        if (!text || text->empty())
            found_ = Found::Nothing; // nothing stored that a write could lose
        else if (level) {
            found_ = Found::Level;
            stored_ = *level;
        }
    } catch (...) {
        // Unreadable: played from level 1, and the file is left alone unless the player sets a level.
    }
    return stored_;
}

bool LevelStore::NeedsSave(int level) const
{
    switch (found_) {
    case Found::Nothing:
        return true;
    case Found::Level:
        return level != stored_;
    case Found::Unreadable:
        return levelSet_;
    }
    return false;
}

std::optional<std::string> LevelStore::Save(int level)
{
    if (failed_ || !NeedsSave(level))
        return std::nullopt;
    try {
        StoreLevel(level, path_);
        found_ = Found::Level;
        stored_ = level;
        return std::nullopt;
    } catch (const std::exception& e) {
        failed_ = true;
        return e.what();
    }
}

} // namespace lirasto::settings
