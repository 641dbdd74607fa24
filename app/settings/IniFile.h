#pragma once

#include <cstddef>
#include <optional>
#include <string>

// A profile (INI) file read and written one value at a time, as users of such files expect: section and key
// names match regardless of case and of blanks around them, and writing a value changes only that value,
// keeping every other byte of the file.
namespace lirasto {

class IniFile
{
public:
    // Files larger than this are not read and never rewritten.
    static constexpr std::size_t kMaxFileSize = 1 << 20;

    // The path is kept as given; a relative one is resolved at each access.
    explicit IniFile(std::string path);

    const std::string& Path() const { return path_; }

    // The value of the key (blanks around it removed), or the default when the file, the section or the
    // key is missing or the file cannot be read.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;

    // The value as readString gives it; nullopt when the file, the section or the key is missing. Throws
    // lirasto::Exception when the file exists but cannot be read, for callers that must tell the two apart.
    std::optional<std::string> ReadValue(const std::string& section, const std::string& key) const;

    // Replaces the key's value, creating the file, section or key when missing. The new contents replace the
    // old file in one step, so a failure leaves the old file as it was. A file the user may not write is left
    // alone, and so is a symbolic link unless it, any link after it and its regular target are the user's own.
    // Throws lirasto::Exception, saying why, on failure.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);

private:
    std::string path_;
};

// Runs a write of a settings file for a caller that only needs to know whether it worked: false when it
// throws, and the file then stays as it was.
template <class TWrite>
bool WriteOrFalse(TWrite&& write)
{
    try {
        write();
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace lirasto
