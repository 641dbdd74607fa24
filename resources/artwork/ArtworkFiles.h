#pragma once

#include <QImage>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lirasto::artwork {

struct Artwork;

// One output file of the painter: its name in the artwork directory and its bytes.
struct ArtworkFile
{
    std::string Name;
    std::vector<uint8_t> Bytes;
};

// The stored form of a picture: int32 width, int32 height (little-endian), then the
// pixels row by row as blue, green, red, alpha, with white under transparent pixels.
std::vector<uint8_t> BitmapRecord(const QImage& image);

// A baseline JFIF file of an opaque picture at a fixed quality.
std::vector<uint8_t> JpegFile(const QImage& image, int quality);

// The stored form of the wallpaper: its class name as a short string, the byte count, the file.
std::vector<uint8_t> JpegPictureData(const std::vector<uint8_t>& jpeg);

// An icon file with one 24-bit image and its 1-bit transparency mask.
std::vector<uint8_t> IconFile(const QImage& image);

// Every file the window design takes from the artwork directory, in a fixed order.
std::vector<ArtworkFile> ArtworkFiles(const Artwork& art);

// The pictures of a set painted at another scale, named as in the plain set: the bitmap records
// and the wallpaper's JPEG file (the icon and the design's picture wrapper are not repeated).
std::vector<ArtworkFile> DetailArtworkFiles(const Artwork& art);

// A Qt resource collection that lists the files under the prefix.
std::string ResourceCollection(const std::vector<ArtworkFile>& files, const std::string& prefix);

// Writes the files into the directory (created when missing); throws lirasto::Exception on failure.
void WriteArtworkFiles(const std::vector<ArtworkFile>& files, const std::filesystem::path& directory);

} // namespace lirasto::artwork
