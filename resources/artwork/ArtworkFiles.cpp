#include "resources/artwork/ArtworkFiles.h"

#include "core/Checked.h"
#include "core/Errors.h"
#include "resources/artwork/Pictures.h"

#include <csetjmp>
#include <cstdio>
#include <fstream>

#include <jpeglib.h>

namespace lirasto::artwork {

namespace {

void putInt32(std::vector<uint8_t>& out, int32_t value)
{
    const auto u = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(uint8_t(u >> shift));
}

void putInt16(std::vector<uint8_t>& out, int value)
{
    const auto u = static_cast<uint16_t>(value);
    out.push_back(uint8_t(u));
    out.push_back(uint8_t(u >> 8));
}

std::string numbered(const char* stem, int index, int digits)
{
    char text[32];
    std::snprintf(text, sizeof text, "%s_%0*d.bmp32", stem, digits, index);
    return text;
}

struct JpegFailure
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// The library's own handler would end the process; come back here instead.
[[noreturn]] void jpegErrorExit(j_common_ptr info)
{
    auto* failure = reinterpret_cast<JpegFailure*>(info->err);
    info->err->format_message(info, failure->message);
    std::longjmp(failure->jump, 1);
}

} // namespace

std::vector<uint8_t> BitmapRecord(const QImage& image)
{
    const QImage straight = Normalised(image);
    const int width = straight.width(), height = straight.height();
    std::vector<uint8_t> out;
    out.reserve(CheckedAdd<std::size_t>(8, CheckedMul<std::size_t>(4, CheckedMul<std::size_t>(width, height))));
    putInt32(out, width);
    putInt32(out, height);
    for (int y = 0; y < height; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            out.push_back(uint8_t(qBlue(row[x])));
            out.push_back(uint8_t(qGreen(row[x])));
            out.push_back(uint8_t(qRed(row[x])));
            out.push_back(uint8_t(qAlpha(row[x])));
        }
    }
    return out;
}

std::vector<uint8_t> JpegFile(const QImage& image, int quality)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info{};
    JpegFailure failure{};
    info.err = jpeg_std_error(&failure.manager);
    failure.manager.error_exit = jpegErrorExit;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(failure.jump)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        throw Exception(std::string("Cannot encode the wallpaper: ") + failure.message);
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

std::vector<uint8_t> JpegPictureData(const std::vector<uint8_t>& jpeg)
{
    static const std::string kClassName = "TJPEGImage";
    std::vector<uint8_t> out;
    out.reserve(1 + kClassName.size() + 4 + jpeg.size());
    out.push_back(uint8_t(kClassName.size()));
    out.insert(out.end(), kClassName.begin(), kClassName.end());
    putInt32(out, CheckedCast<int32_t>(jpeg.size()));
    out.insert(out.end(), jpeg.begin(), jpeg.end());
    return out;
}

std::vector<uint8_t> IconFile(const QImage& image)
{
    const QImage straight = Normalised(image);
    const int size = straight.width();
    if (size != straight.height() || size < 1 || size > 256)
        throw ERangeError("An icon image must be square and at most 256 pixels wide");
    const int colourStride = (size * 3 + 3) / 4 * 4;
    const int maskStride = (size + 31) / 32 * 4;
    const int imageBytes = 40 + colourStride * size + maskStride * size;
    std::vector<uint8_t> out;
    // Directory: one entry.
    putInt16(out, 0);
    putInt16(out, 1);
    putInt16(out, 1);
    out.push_back(uint8_t(size == 256 ? 0 : size));
    out.push_back(uint8_t(size == 256 ? 0 : size));
    out.push_back(0); // no palette
    out.push_back(0);
    putInt16(out, 1);  // planes
    putInt16(out, 24); // bits per pixel
    putInt32(out, imageBytes);
    putInt32(out, 6 + 16);
    // The image: a bitmap header whose height counts the colour rows and the mask rows.
    putInt32(out, 40);
    putInt32(out, size);
    putInt32(out, size * 2);
    putInt16(out, 1);
    putInt16(out, 24);
    putInt32(out, 0);
    putInt32(out, colourStride * size + maskStride * size);
    putInt32(out, 0);
    putInt32(out, 0);
    putInt32(out, 0);
    putInt32(out, 0);
    auto opaque = [&](int x, int y) { return qAlpha(straight.pixel(x, y)) >= 128; };
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            // Transparent pixels are black in the colour part so the mask alone decides.
            const QRgb c = opaque(x, y) ? straight.pixel(x, y) : 0;
            out.push_back(uint8_t(qBlue(c)));
            out.push_back(uint8_t(qGreen(c)));
            out.push_back(uint8_t(qRed(c)));
        }
        out.insert(out.end(), std::size_t(colourStride - size * 3), 0);
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<uint8_t> row(std::size_t(maskStride), 0);
        for (int x = 0; x < size; ++x)
            if (!opaque(x, y))
                row[std::size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

namespace {

// The bitmap records of every picture the views and lists show, named as the design refers to them.
std::vector<ArtworkFile> pictureFiles(const Artwork& art)
{
    std::vector<ArtworkFile> files;
    files.push_back({"keyboard.bmp32", BitmapRecord(art.Keyboard)});
    files.push_back({"staff.bmp32", BitmapRecord(art.Staff)});
    files.push_back({"logo.bmp32", BitmapRecord(art.Logo)});
    auto addList = [&files](const char* stem, const std::vector<QImage>& items, int digits) {
        for (std::size_t i = 0; i < items.size(); ++i)
            files.push_back({numbered(stem, int(i), digits), BitmapRecord(items[i])});
    };
    addList("key", art.KeySignatures, 2);
    addList("pianokey", art.KeyHighlights, 1);
    addList("degree", art.ScaleDegrees, 1);
    addList("note", art.Notes, 1);
    addList("mark", art.EvaluationMarks, 1);
    return files;
}

} // namespace

std::vector<ArtworkFile> ArtworkFiles(const Artwork& art)
{
    std::vector<ArtworkFile> files = pictureFiles(art);
    const std::vector<uint8_t> jpeg = JpegFile(art.Wallpaper, 90);
    files.push_back({"wallpaper.jpg", jpeg});
    files.push_back({"wallpaper.picture", JpegPictureData(jpeg)});
    files.push_back({"icon.ico", IconFile(art.Icon)});
    return files;
}

std::vector<ArtworkFile> DetailArtworkFiles(const Artwork& art)
{
    std::vector<ArtworkFile> files = pictureFiles(art);
    files.push_back({"wallpaper.jpg", JpegFile(art.Wallpaper, 90)});
    return files;
}

std::string ResourceCollection(const std::vector<ArtworkFile>& files, const std::string& prefix)
{
    std::string qrc = "<RCC>\n  <qresource prefix=\"" + prefix + "\">\n";
    for (const ArtworkFile& file : files)
        qrc += "    <file>" + file.Name + "</file>\n";
    return qrc + "  </qresource>\n</RCC>\n";
}

void WriteArtworkFiles(const std::vector<ArtworkFile>& files, const std::filesystem::path& directory)
{
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error)
        throw Exception("Cannot create the artwork directory '" + directory.string() + "': " + error.message());
    for (const ArtworkFile& file : files) {
        const std::filesystem::path path = directory / file.Name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.Bytes.data()), std::streamsize(file.Bytes.size()));
        out.close();
        if (!out)
            throw Exception("Cannot write the artwork file '" + path.string() + "'");
    }
}

} // namespace lirasto::artwork
