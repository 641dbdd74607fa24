#pragma once

#include <string_view>

// Which of the design's texts the player reads, and so are translated where the
// window is built and offered to translators: captions and the lines of memos and
// lists. They are looked up under the window's class name.
namespace lirasto {

inline constexpr const char* kDesignTextContext = "TfMain";

inline bool IsTranslatedProperty(std::string_view property)
{
    return property == "Caption" || property == "Hint" || property == "Lines.Strings" || property == "Items.Strings";
}

// A text with words in it: a letter, and not an e-mail or web address, which stay as they are.
inline bool IsWordedText(std::string_view text)
{
    if (text.find('@') != std::string_view::npos || text.find("://") != std::string_view::npos)
        return false;
    for (const char c : text)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

} // namespace lirasto
