#include "tests/support/PixelDiff.h"

#include <algorithm>
#include <cstdlib>

namespace lirasto::test {

std::string PixelDiff::Describe() const
{
    if (Same())
        return "identical";
    return std::to_string(differing) + " pixels differ, largest channel difference " +
           std::to_string(maxChannelDiff) + ", first at index " + std::to_string(firstIndex);
}

PixelDiff DiffPixels(const uint32_t* a, const uint32_t* b, long long count)
{
    PixelDiff d;
    for (long long i = 0; i < count; ++i) {
        if (a[i] == b[i])
            continue;
        if (d.firstIndex < 0)
            d.firstIndex = i;
        ++d.differing;
        for (int shift = 0; shift < 32; shift += 8) {
            int ca = static_cast<int>((a[i] >> shift) & 0xFF);
            int cb = static_cast<int>((b[i] >> shift) & 0xFF);
            d.maxChannelDiff = std::max(d.maxChannelDiff, std::abs(ca - cb));
        }
    }
    return d;
}

} // namespace lirasto::test
