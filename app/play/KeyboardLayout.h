#pragma once

#include <QString>
#include <cstdint>
#include <map>
#include <optional>

// The letters the player's own keyboard layout puts on the keys, found by the
// keys' X11 scan codes (evdev codes + 8), so that the piano rows' hint names
// the keys the player sees and the letter names answer on any layout.
class TKeyboardLayout
{
public:
    // The display's keyboard as it is set now, in its active group. Where the
    // platform tells nothing (no X server), the US letters.
    static TKeyboardLayout Current();
    // A layout compiled from its names, as "fr" or "us,ru" with "" or "phonetic"
    // variants; its first group active. The US letters when it cannot be compiled.
    static TKeyboardLayout FromNames(const char* layouts, const char* variants = "");
    // The US letters, by place.
    static TKeyboardLayout Us();

    // The upper-case character the key types in the active group; empty for
    // none or a key that types no letter or digit.
    QString Letter(quint32 scanCode) const;
    // The key's Latin letter 'A'..'Z': from the first group that gives it one,
    // else the US letter at its place (the Latin letters printed beside the
    // others on most keyboards of non-Latin scripts).
    std::optional<char> LatinLetter(quint32 scanCode) const;

private:
    std::map<quint32, QString> letters_;
    std::map<quint32, char> latin_;
};
