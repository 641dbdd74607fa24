#pragma once

#include <cstdint>
#include <string>

namespace lirasto::test {

// The difference between two pixel rows or pictures, in the form a failing
// test reports: how many pixels differ, the largest channel difference, and
// where the first difference lies.
struct PixelDiff
{
    long long differing = 0;
    int maxChannelDiff = 0;
    long long firstIndex = -1;

    bool Same() const { return differing == 0; }
    std::string Describe() const;
};

PixelDiff DiffPixels(const uint32_t* a, const uint32_t* b, long long count);

} // namespace lirasto::test
