#pragma once

#include <QImage>

#include <cstdint>

namespace lirasto::artwork {

// A small xorshift generator: the wood grain must come out the same on every build.
class GrainRandom
{
public:
    explicit GrainRandom(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    uint32_t Next();
    // Uniform in [0, 1).
    double Unit() { return (Next() >> 8) * (1.0 / 16777216.0); }

private:
    uint32_t state_;
};

// Light pine boards, opaque, the size of the window's wallpaper times `scale`.
QImage PaintWallpaper(int scale = 1);

} // namespace lirasto::artwork
