#pragma once

#include <QByteArray>

#include <functional>
#include <string_view>

struct TDesignPictures;

// Where the window's pictures come from at twice the resolution: a file of the painter's set by name.
using TDetailFiles = std::function<QByteArray(std::string_view name)>;

// Gives every picture of the design its counterpart at twice the resolution, named as the design
// names the plain one: the views' bitmaps, the picture lists' items and the wallpaper. Nothing
// is read here; a picture is read the first time a screen of higher density shows it.
void AttachDetailPictures(const TDesignPictures& pictures, const TDetailFiles& files);
