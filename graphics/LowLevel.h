#pragma once

#include <array>
#include <cstdint>

// A pixel: 0xAARRGGBB, straight (not premultiplied) alpha. In memory a pixel is
// the bytes blue, green, red, alpha.
using TColor32 = uint32_t;

constexpr TColor32 Color32(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255)
{
    return (TColor32(a) << 24) | (TColor32(r) << 16) | (TColor32(g) << 8) | TColor32(b);
}

constexpr uint8_t AlphaComponent(TColor32 c)
{
    return uint8_t(c >> 24);
}

constexpr uint8_t RedComponent(TColor32 c)
{
    return uint8_t(c >> 16);
}

constexpr uint8_t GreenComponent(TColor32 c)
{
    return uint8_t(c >> 8);
}

constexpr uint8_t BlueComponent(TColor32 c)
{
    return uint8_t(c);
}

constexpr TColor32 clBlack32 = 0xFF000000;
constexpr TColor32 clWhite32 = 0xFFFFFFFF;

// Sets count pixels starting at dst to value; count <= 0 does nothing.
void FillLongword(TColor32* dst, int count, TColor32 value);

// Copies count pixels from src to dst (the ranges may overlap); count <= 0 does nothing.
void MoveLongword(const TColor32* src, TColor32* dst, int count);

// Entry i holds i in four 16-bit lanes: entry 128 is the rounding bias of the packed
// blend and entry W the weight lanes of the master-alpha blend. Aligned so that one
// entry loads as one 64-bit word.
struct alignas(8) TBiasLanes
{
    uint16_t Lanes[4];
};
using TBiasTable = std::array<TBiasLanes, 256>;
const TBiasTable& BiasTable();
