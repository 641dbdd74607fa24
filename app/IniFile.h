#pragma once

#include <cstddef>
#include <string>

// A profile (INI) file read and written one value at a time, as users of such files expect: section and key
// names match regardless of case and of blanks around them, and writing a value changes only that value,
// keeping every other byte of the file.
class IniFile
{
public:
    // Files larger than this are not read and never rewritten.
    static constexpr std::size_t kMaxFileSize = 1 << 20;

    // The path is kept as given; a relative one is resolved at each access.
    explicit IniFile(std::string path);

    const std::string& path() const { return path_; }

    // The value of the key (blanks around it removed), or the default when the file, the section or the
    // key is missing or the file cannot be read.
    std::string readString(const std::string& section, const std::string& key, const std::string& def) const;

    // Replaces the key's value, creating the file, section or key when missing. The new contents replace the
    // old file in one step, so a failure leaves the old file as it was. Throws lirasto::Exception on failure.
    void writeString(const std::string& section, const std::string& key, const std::string& value);

private:
    std::string path_;
};
