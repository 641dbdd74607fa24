#pragma once

#include <QByteArray>

#include <string_view>

namespace lirasto {

// The artwork painted at twice the resolution, carried as a compressed resource beside the
// window design: the file of that name in the painter's set ("staff.bmp32", "key_07.bmp32",
// "wallpaper.jpg"), decompressed. Empty when the name is unknown or the program was built
// without the set. Safe from any thread.
QByteArray DetailArtwork(std::string_view name);

} // namespace lirasto
