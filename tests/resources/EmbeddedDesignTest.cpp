#include "resources/EmbeddedDesign.h"
#include "resources/DesignText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using lirasto::DesignComponent;
using lirasto::DesignProperty;
using lirasto::DesignValue;
using lirasto::DesignValueKind;

namespace {

void blankBinaries(std::vector<DesignProperty>& properties);

void blankBinary(DesignValue& v)
{
    if (v.Kind == DesignValueKind::Binary)
        v.Bytes.clear();
    for (DesignValue& item : v.List)
        blankBinary(item);
    for (auto& item : v.Items)
        blankBinaries(item);
}

void blankBinaries(std::vector<DesignProperty>& properties)
{
    for (DesignProperty& p : properties)
        blankBinary(p.Value);
}

void blankBinaries(DesignComponent& c)
{
    blankBinaries(c.Properties);
    for (DesignComponent& child : c.Children)
        blankBinaries(child);
}

DesignComponent embedded()
{
    return lirasto::ReadDesignStream(embeddedDesignStream());
}

int32_t int32At(const std::vector<uint8_t>& bytes, std::size_t at)
{
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= static_cast<uint32_t>(bytes[at + static_cast<std::size_t>(i)]) << (8 * i);
    return static_cast<int32_t>(u);
}

// Width and height of a bitmap record, after checking that its length matches them.
std::pair<int, int> recordSize(const std::vector<uint8_t>& record)
{
    EXPECT_GE(record.size(), 8u);
    if (record.size() < 8)
        return {-1, -1};
    const int w = int32At(record, 0);
    const int h = int32At(record, 4);
    EXPECT_GE(w, 0);
    EXPECT_GE(h, 0);
    EXPECT_EQ(record.size(), 8u + 4u * static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    return {w, h};
}

// The program carries exactly the window design of fMain.dfm; only the pictures come from the artwork.
TEST(EmbeddedDesign, IsTheWindowDesignText)
{
    const std::span<const uint8_t> stream = embeddedDesignStream();
    ASSERT_GE(stream.size(), 4u);
    EXPECT_EQ(std::memcmp(stream.data(), "TPF0", 4), 0);

    std::ifstream in(LIRASTO_FORM_PATH, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    DesignComponent fromText =
        lirasto::ParseDesignText(text.str(), [](const std::string&) { return std::vector<uint8_t>{}; });
    DesignComponent carried = embedded();
    blankBinaries(carried);
    EXPECT_EQ(carried, fromText);
}

// Every stored picture is a whole bitmap record of the size the drawing and hit-testing arithmetic expects.
// The twelve keys' tiles, the three clef tiles and the taller tiles of the other signatures.
std::vector<std::pair<int, int>> keyListSizes()
{
    std::vector<std::pair<int, int>> sizes(24, {60, 60});
    sizes.insert(sizes.end(), 3, {31, 90});
    sizes.insert(sizes.end(), 36, {60, 66});
    return sizes;
}

TEST(EmbeddedDesign, CarriesPicturesOfTheExpectedSizes)
{
    const DesignComponent form = embedded();
    const auto bitmapOf = [&](const char* name) -> const std::vector<uint8_t>& {
        return form.Find(name)->Property("Bitmap.Data")->Value.Bytes;
    };
    if (recordSize(bitmapOf("imgPiano")) == std::pair{0, 0})
        GTEST_SKIP() << "built with placeholder artwork";

    EXPECT_EQ(recordSize(bitmapOf("imgPiano")), (std::pair{561, 71}));
    EXPECT_EQ(recordSize(bitmapOf("ImgClefs")), (std::pair{575, 300}));
    EXPECT_EQ(recordSize(bitmapOf("imgLogo")), (std::pair{230, 300}));

    const std::map<std::string, std::vector<std::pair<int, int>>> lists = {
        {"BMPKeyList", keyListSizes()},
        {"BMPPianoKeysList", {{12, 39}, {20, 71}, {20, 71}, {20, 70}, {20, 71}, {20, 71}, {20, 71}, {20, 70}}},
        {"BMPScaleDegrees", std::vector<std::pair<int, int>>(7, {60, 60})},
        {"BMPNoteList",
         {{12, 40},
          {12, 40},
          {12, 40},
          {12, 40},
          {5, 18},
          {6, 18},
          {4, 19},
          {20, 20},
          {20, 30},
          {20, 40},
          {7, 7},
          {9, 18},
          {12, 10}}},
        {"BMPEvaluationList", {{14, 29}, {19, 19}, {19, 19}, {23, 17}}},
    };
    for (const auto& [name, sizes] : lists) {
        const auto& items = form.Find(name)->Property("Bitmaps")->Value.Items;
        ASSERT_EQ(items.size(), sizes.size()) << name;
        for (std::size_t i = 0; i < sizes.size(); ++i)
            EXPECT_EQ(recordSize(items[i].at(0).Value.Bytes), sizes[i]) << name << " " << i;
    }
}

// The wallpaper is a JPEG behind its class name and byte count; the icon is an icon file.
TEST(EmbeddedDesign, CarriesWallpaperAndIconInTheirFormats)
{
    const DesignComponent form = embedded();
    const std::vector<uint8_t>& picture =
        form.Find("SkinImages")->Property("Images")->Value.Items.at(0).at(0).Value.Bytes;
    ASSERT_GE(picture.size(), 15u);
    EXPECT_EQ(std::string(picture.begin() + 1, picture.begin() + 1 + picture[0]), "TJPEGImage");
    const std::size_t countAt = 1u + picture[0];
    EXPECT_EQ(static_cast<std::size_t>(int32At(picture, countAt)), picture.size() - countAt - 4);
    if (picture.size() > countAt + 4) {
        EXPECT_EQ(picture[countAt + 4], 0xFF);
        EXPECT_EQ(picture[countAt + 5], 0xD8);
    }
    const std::vector<uint8_t>& icon = form.Property("Icon.Data")->Value.Bytes;
    if (!icon.empty()) {
        ASSERT_GE(icon.size(), 6u);
        EXPECT_EQ(std::vector<uint8_t>(icon.begin(), icon.begin() + 4), (std::vector<uint8_t>{0, 0, 1, 0}));
    }
}

} // namespace
