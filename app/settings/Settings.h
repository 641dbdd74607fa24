#pragma once

#include <optional>
#include <string>

// The level reached, kept between runs in the working directory's "vantrel.ini".
namespace lirasto::settings {

inline constexpr const char* kFileName = "./vantrel.ini";
inline constexpr const char* kSection = "Lirasto - Notes (demo)";
inline constexpr const char* kLevelKey = "Level";
inline constexpr int kMinLevel = 1;
inline constexpr int kMaxLevel = 12;

// The stored level; 1 when the file or key is missing, unreadable, not a whole decimal number or outside 1..12.
// A comment after the number ("7 ; reached in June") is not part of it.
int ReadLevel(const std::string& path = kFileName);

// Stores the level, keeping a comment after the stored number; throws lirasto::Exception saying why it could
// not (the old file then stays exactly as it was).
void StoreLevel(int level, const std::string& path = kFileName);

// Stores the level; false, silently, when it cannot.
bool WriteLevel(int level, const std::string& path = kFileName);

// The level between start-up and close. It remembers what the file held, so that closing writes only when
// that could lose nothing: a stored value this program could not read is overwritten only once the player
// has passed or chosen a level.
class LevelStore
{
public:
    explicit LevelStore(std::string path = kFileName);

    const std::string& Path() const { return path_; }

    // Reads the stored level, as ReadLevel does, and remembers what was found.
    int Load();

    // The player passed or chose a level.
    void LevelSet() { levelSet_ = true; }

    // Whether closing with this level has to write the file.
    bool NeedsSave(int level) const;

    // Writes the level when needed; why it could not, or nothing when it was written or did not need to be.
    // After a failure it does not try again, so the player hears of it once.
    std::optional<std::string> Save(int level);

private:
    enum class Found { Nothing, Level, Unreadable };

    std::string path_;
    Found found_ = Found::Nothing;
    int stored_ = kMinLevel;
    bool levelSet_ = false;
    bool failed_ = false;
};

} // namespace lirasto::settings
