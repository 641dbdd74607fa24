#include "tests/fuzz/FuzzCheck.h"

#include "controls/SkinUtils.h"
#include "core/Errors.h"

#include <QImage>

#include <cstddef>
#include <cstdint>
#include <span>

using namespace lirasto::skin;

namespace {

// A decoded wallpaper is either nothing or a picture within the decoder's limits.
void checkDecoded(std::span<const uint8_t> bytes)
{
    const QImage image = DecodeJpeg(bytes);
    if (image.isNull())
        return;
    FUZZ_CHECK(image.width() > 0 && image.height() > 0);
    FUZZ_CHECK(image.width() <= kMaxJpegSide && image.height() <= kMaxJpegSide);
    FUZZ_CHECK(static_cast<long long>(image.width()) * image.height() <= kMaxJpegPixels);
    FUZZ_CHECK(image.format() == QImage::Format_RGB32);
}

} // namespace

// The input is tried both as a JPEG file and as the stored picture record that wraps one, the way the
// wallpaper store receives it from the window design.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::span<const uint8_t> input(data, size);
    checkDecoded(input);
    try {
        const PictureData picture = ParsePictureData(input);
        FUZZ_CHECK(picture.ClassName.size() < 256 && picture.ClassName.size() + picture.Bytes.size() + 5 == size);
        if (picture.ClassName == "TJPEGImage")
            checkDecoded(picture.Bytes);
    } catch (const lirasto::EReadError&) {
    }
    return 0;
}
