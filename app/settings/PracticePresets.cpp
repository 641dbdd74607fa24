#include "app/settings/PracticePresets.h"

#include "app/settings/IniFile.h"
#include "core/Errors.h"

#include <algorithm>

namespace lirasto::settings {

namespace {

constexpr std::size_t kLongestName = 40;

std::string slotKey(int slot)
{
    return "Practice" + std::to_string(slot);
}

std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Every slot's text, empty for an empty or unreadable one.
std::vector<std::string> slotTexts(const IniFile& file)
{
    std::vector<std::string> texts;
    for (int slot = 1; slot <= kMostPractices; ++slot)
        texts.push_back(file.ReadString(kPracticesSection, slotKey(slot), ""));
    return texts;
}

} // namespace

bool PracticeNameFits(const std::string& name)
{
    return !name.empty() && name.size() <= kLongestName && name == trimmed(name) &&
           std::none_of(name.begin(), name.end(),
                        [](char c) { return c == '|' || (static_cast<unsigned char>(c) < 0x20) || c == 0x7f; });
}

TPracticesRead ReadPractices(const std::string& path)
{
    TPracticesRead read;
    const std::vector<std::string> texts = slotTexts(IniFile(path));
    for (int slot = 1; slot <= kMostPractices; ++slot) {
        const std::string& text = texts[static_cast<std::size_t>(slot - 1)];
        if (text.empty())
            continue;
        const std::size_t bar = text.find('|');
        const std::string name = trimmed(text.substr(0, bar));
        std::string fault;
        if (bar == std::string::npos || !PracticeNameFits(name))
            fault = "no name of 1 to 40 characters, without control characters, before the first '|'";
        else if (std::any_of(read.Practices.begin(), read.Practices.end(),
                             [&name](const TNamedPractice& p) { return p.Name == name; }))
            fault = "the name \"" + name + "\" is taken by an earlier practice";
        TPracticeRead practice;
        if (fault.empty()) {
            practice = PracticeFromText(text.substr(bar + 1));
            fault = practice.Fault;
        }
        if (practice.Practice)
            read.Practices.push_back({name, *practice.Practice, slot});
        else
            read.Refused.push_back(slotKey(slot) + ": " + fault);
    }
    return read;
}

void SavePractice(const std::string& path, const std::string& name, const TPractice& practice)
{
    if (!PracticeNameFits(name))
        throw Exception("a practice's name has 1 to 40 characters and no '|'");
    IniFile file(path);
    const TPracticesRead read = ReadPractices(path);
    int slot = 0;
    for (const TNamedPractice& p : read.Practices)
        if (p.Name == name)
            slot = p.Slot;
    const std::vector<std::string> texts = slotTexts(file);
    for (int s = 1; slot == 0 && s <= kMostPractices; ++s)
        if (texts[static_cast<std::size_t>(s - 1)].empty())
            slot = s;
    if (slot == 0)
        throw Exception("all " + std::to_string(kMostPractices) + " practices are taken; delete one first");
    file.WriteString(kPracticesSection, slotKey(slot), name + "|" + PracticeText(practice));
}

void DeletePractice(const std::string& path, const std::string& name)
{
    IniFile file(path);
    for (const TNamedPractice& p : ReadPractices(path).Practices)
        if (p.Name == name)
            file.WriteString(kPracticesSection, slotKey(p.Slot), "");
}

} // namespace lirasto::settings
