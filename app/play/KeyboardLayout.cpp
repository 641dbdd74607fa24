#include "app/play/KeyboardLayout.h"

#include <QGuiApplication>
#include <memory>
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

namespace {

// The letter keys of a US keyboard by their scan codes: three rows of the main block.
constexpr struct
{
    quint32 First;
    const char* Letters;
} kUsRows[] = {{24, "QWERTYUIOP"}, {38, "ASDFGHJKL"}, {52, "ZXCVBNM"}};

// Every key of the main block, from Escape to the right Shift and a little past.
constexpr quint32 kFirstKey = 9;
constexpr quint32 kLastKey = 97;

struct TXkbFree
{
    void operator()(xkb_context* c) const { xkb_context_unref(c); }
    void operator()(xkb_keymap* k) const { xkb_keymap_unref(k); }
    void operator()(xkb_state* s) const { xkb_state_unref(s); }
};
template <typename T>
using TXkb = std::unique_ptr<T, TXkbFree>;

// The unshifted character of a key in a group, as the key is labelled: upper case.
QString characterOf(xkb_keymap* keymap, quint32 scanCode, xkb_layout_index_t group)
{
    const xkb_keysym_t* syms = nullptr;
    if (xkb_keymap_key_get_syms_by_level(keymap, scanCode, group, 0, &syms) < 1)
        return {};
    const uint32_t code = xkb_keysym_to_utf32(syms[0]);
    if (code == 0)
        return {};
    const QString text = QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1).toUpper();
    return text.size() > 0 && text.at(0).isLetterOrNumber() ? text : QString();
}

} // namespace

TKeyboardLayout TKeyboardLayout::Us()
{
    TKeyboardLayout layout;
    for (const auto& row : kUsRows)
        for (quint32 i = 0; row.Letters[i]; ++i) {
            layout.letters_[row.First + i] = QString(QChar::fromLatin1(row.Letters[i]));
            layout.latin_[row.First + i] = row.Letters[i];
        }
    return layout;
}

namespace {

// Reads every key of the main block; latin holds the US letters on entry, the fallback by place.
void readKeymap(xkb_keymap* keymap, xkb_layout_index_t active, std::map<quint32, QString>& letters,
                std::map<quint32, char>& latin)
{
    const std::map<quint32, char> us = latin;
    letters.clear();
    latin.clear();
    const xkb_layout_index_t groups = xkb_keymap_num_layouts(keymap);
    for (quint32 key = kFirstKey; key <= kLastKey; ++key) {
        if (const QString text = characterOf(keymap, key, active); !text.isEmpty())
            letters[key] = text;
        for (xkb_layout_index_t group = 0; group < groups; ++group) {
            const QString text = characterOf(keymap, key, group);
            if (text.size() == 1 && text.at(0) >= QLatin1Char('A') && text.at(0) <= QLatin1Char('Z')) {
                latin[key] = text.at(0).toLatin1();
                break;
            }
        }
        if (!latin.count(key) && us.count(key))
            latin[key] = us.at(key);
    }
}

} // namespace

TKeyboardLayout TKeyboardLayout::FromNames(const char* layouts, const char* variants)
{
    TKeyboardLayout layout = Us();
    TXkb<xkb_context> context(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    if (!context)
        return layout;
    xkb_context_set_log_level(context.get(), XKB_LOG_LEVEL_CRITICAL);
    const xkb_rule_names names{nullptr, nullptr, layouts, variants, nullptr};
    TXkb<xkb_keymap> keymap(xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!keymap)
        return layout;
    readKeymap(keymap.get(), 0, layout.letters_, layout.latin_);
    return layout;
}

TKeyboardLayout TKeyboardLayout::Current()
{
    TKeyboardLayout layout = Us();
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return layout;
    if (!xkb_x11_setup_xkb_extension(connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                     XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr))
        return layout;
    const int32_t device = xkb_x11_get_core_keyboard_device_id(connection);
    TXkb<xkb_context> context(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    if (device < 0 || !context)
        return layout;
    xkb_context_set_log_level(context.get(), XKB_LOG_LEVEL_CRITICAL);
    TXkb<xkb_keymap> keymap(
        xkb_x11_keymap_new_from_device(context.get(), connection, device, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!keymap)
        return layout;
    TXkb<xkb_state> state(xkb_x11_state_new_from_device(keymap.get(), connection, device));
    const xkb_layout_index_t active = state ? xkb_state_serialize_layout(state.get(), XKB_STATE_LAYOUT_EFFECTIVE) : 0;
    readKeymap(keymap.get(), active, layout.letters_, layout.latin_);
    return layout;
}

QString TKeyboardLayout::Letter(quint32 scanCode) const
{
    const auto found = letters_.find(scanCode);
    return found == letters_.end() ? QString() : found->second;
}

std::optional<char> TKeyboardLayout::LatinLetter(quint32 scanCode) const
{
    const auto found = latin_.find(scanCode);
    if (found == latin_.end())
        return std::nullopt;
    return found->second;
}
