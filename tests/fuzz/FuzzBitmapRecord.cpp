#include "tests/fuzz/FuzzCheck.h"

#include "core/Errors.h"
#include "graphics/Bitmap32.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

// Any bytes either load as a bitmap or fail with EReadError, leaving a fresh bitmap empty; observers hear of
// the read either way, and a loaded bitmap writes back the very record it came from.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    TBitmap32 bitmap;
    int changes = 0;
    bitmap.OnChange = [&](TBitmap32*) { ++changes; };
    try {
        bitmap.ReadData(data, size);
    } catch (const lirasto::EReadError&) {
        FUZZ_CHECK(changes >= 1 && bitmap.Empty());
        return 0;
    }
    FUZZ_CHECK(changes >= 1);
    if (bitmap.Empty())
        return 0;
    FUZZ_CHECK(TBitmap32::RecordSize(bitmap.Width(), bitmap.Height()) == size);
    const std::vector<uint8_t> written = bitmap.WriteData();
    FUZZ_CHECK(written.size() == size && std::memcmp(written.data(), data, size) == 0);
    return 0;
}
