#include "app/settings/Options.h"

#include "app/settings/IniFile.h"

#include <charconv>

namespace lirasto::settings {

const TOptionRow& OptionRow(TOption option)
{
    return kOptionTable[static_cast<std::size_t>(option)];
}

TOptions::TOptions()
{
    for (const TOptionRow& row : kOptionTable)
        values_[index(row.Id)] = row.Default;
}

bool TOptions::Set(TOption option, int value)
{
    const TOptionRow& row = OptionRow(option);
    if (value < row.Min || value > row.Max)
        return false;
    values_[index(option)] = value;
    return true;
}

TOptions ReadOptions(const std::string& path)
{
    TOptions options;
    try {
        const IniFile file(path);
        for (const TOptionRow& row : kOptionTable) {
            const std::string text = file.ReadString(kOptionsSection, row.Key, "");
            int value = 0;
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
            if (!text.empty() && ec == std::errc() && end == text.data() + text.size())
                options.Set(row.Id, value);
        }
    } catch (...) {
        // An unreadable file leaves every option at its default.
    }
    return options;
}

bool WriteOption(TOption option, int value, const std::string& path)
{
    const TOptionRow& row = OptionRow(option);
    if (value < row.Min || value > row.Max)
        return false;
    return WriteOrFalse([&] { IniFile(path).WriteString(kOptionsSection, row.Key, std::to_string(value)); });
}

} // namespace lirasto::settings
