// Writes the committed seed corpus: small valid inputs of every fuzzed format, so the fuzzers start from
// inputs that reach deep into each reader.
//
//   fuzz_make_seeds <corpus directory>
#include "graphics/Bitmap32.h"
#include "resources/DesignStream.h"

#include <jpeglib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using lirasto::DesignComponent;
using lirasto::DesignProperty;
using lirasto::DesignValue;

namespace {

void save(const fs::path& file, const std::vector<uint8_t>& bytes)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void save(const fs::path& file, const std::string& text)
{
    save(file, std::vector<uint8_t>(text.begin(), text.end()));
}

// One property of every value kind the stream holds, and a child with a collection.
DesignComponent designTree()
{
    DesignComponent root{"TfMain", "fMain", {}, {}};
    root.Properties = {
        {"Left", DesignValue::MakeInteger(192)},
        {"Font.Height", DesignValue::MakeInteger(-11)},
        {"Width", DesignValue::MakeInteger(800)},
        {"Caption", DesignValue::MakeString("DEMO Lirasto - Notes")},
        {"Color", DesignValue::MakeIdentifier("clBtnFace")},
        {"ParentFont", DesignValue::MakeBoolean(false)},
        {"Transparent", DesignValue::MakeBoolean(true)},
        {"Font.Style", DesignValue::MakeSet({"fsBold", "fsItalic"})},
        {"Bitmap.Data", DesignValue::MakeBinary({8, 0, 0, 0, 1, 0, 0, 0, 1, 2, 3, 4})},
        {"Lines.Strings", DesignValue::MakeList({DesignValue::MakeString("first"), DesignValue::MakeString("")})},
    };
    DesignComponent child{"TSkinImages", "SkinImages", {}, {}};
    child.Properties = {{"Images", DesignValue::MakeCollection({{{"Tag", DesignValue::MakeInteger(1)}}, {}})}};
    root.Children.push_back(child);
    return root;
}

const char* kDesignText = R"(object fMain: TfMain
  Left = 192
  Font.Height = -11
  Width = 800
  Caption = 'DEMO Lirasto - Notes'#13'It''s'
  Color = clBtnFace
  ParentFont = False
  Font.Style = [fsBold, fsItalic]
  Icon.Data = {@icon.ico}
  Bitmap.Data = {
    0800000001000000
    01020304}
  Lines.Strings = (
    'first line'
    'second line')
  object SkinImages: TSkinImages
    Images = <
      item
        Tag = 1
      end
      item
      end>
  end
end
)";

std::vector<uint8_t> bitmapRecord(int width, int height)
{
    TBitmap32 bitmap;
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.Pixel(x, y) = 0xFF000000u | uint32_t(x * 60) << 16 | uint32_t(y * 60) << 8 | uint32_t(x ^ y);
    bitmap.Pixel(0, 0) = 0x00FFFFFFu; // a transparent corner, as the artwork stores it
    return bitmap.WriteData();
}

std::vector<uint8_t> jpeg(int width, int height, bool gray, bool progressive)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = gray ? 1 : 3;
    cinfo.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 50, TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(std::size_t(width) * cinfo.input_components);
    while (cinfo.next_scanline < cinfo.image_height) {
        for (std::size_t i = 0; i < row.size(); ++i)
            row[i] = static_cast<unsigned char>(i * 17 + cinfo.next_scanline * 31);
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<uint8_t> bytes(out, out + outSize);
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return bytes;
}

std::vector<uint8_t> pictureData(const std::vector<uint8_t>& file)
{
    const std::string name = "TJPEGImage";
    std::vector<uint8_t> blob{static_cast<uint8_t>(name.size())};
    blob.insert(blob.end(), name.begin(), name.end());
    const auto n = static_cast<uint32_t>(file.size());
    for (int i = 0; i < 4; ++i)
        blob.push_back(static_cast<uint8_t>(n >> (8 * i)));
    blob.insert(blob.end(), file.begin(), file.end());
    return blob;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus directory>\n", argv[0]);
        return 2;
    }
    const fs::path dir = argv[1];
    save(dir / "design_stream" / "small_form", lirasto::WriteDesignStream(designTree()));
    save(dir / "design_stream" / "empty_form", lirasto::WriteDesignStream(DesignComponent{"TForm", "Form1", {}, {}}));
    save(dir / "design_text" / "small_form.dfm", std::string(kDesignText));
    save(dir / "design_text" / "empty_form.dfm", std::string("object Form1: TForm\nend\n"));
    save(dir / "bitmap_record" / "4x4", bitmapRecord(4, 4));
    save(dir / "bitmap_record" / "3x1", bitmapRecord(3, 1));
    save(dir / "settings" / "level.ini", std::string("[Lirasto - Notes (demo)]\nLevel=7\n"));
    save(dir / "settings" / "other_sections.ini",
         std::string("\xEF\xBB\xBF; kept by hand\r\n[Other]\r\nLevel=3\r\n\r\n[ lirasto - notes (DEMO) ]\r\n level = "
                     "\"12\" \r\n"));
    const std::vector<uint8_t> baseline = jpeg(8, 8, false, false);
    save(dir / "wallpaper" / "baseline_8x8.jpg", baseline);
    save(dir / "wallpaper" / "progressive_16x8.jpg", jpeg(16, 8, false, true));
    save(dir / "wallpaper" / "gray_5x3.jpg", jpeg(5, 3, true, false));
    save(dir / "wallpaper" / "picture_data", pictureData(baseline));
    return 0;
}
