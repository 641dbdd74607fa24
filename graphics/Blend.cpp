#include "graphics/Blend.h"

#include "core/Errors.h"
#include "graphics/CpuFeatures.h"

namespace {

// All four channels of F over B with weight W (0..256), each rounded as
// (B * 256 + (F - B) * W + 128) >> 8. Two channels share one 32-bit word: every
// partial result is below 65536, so nothing carries into the neighbouring channel.
inline TColor32 combine(TColor32 F, TColor32 B, uint32_t W)
{
    constexpr uint32_t bias = 0x00800080;
    const uint32_t rest = 256 - W;
    const uint32_t rb = (((F & 0x00FF00FF) * W + (B & 0x00FF00FF) * rest + bias) >> 8) & 0x00FF00FF;
    const uint32_t ag = (((F >> 8) & 0x00FF00FF) * W + ((B >> 8) & 0x00FF00FF) * rest + bias) & 0xFF00FF00;
    return ag | rb;
}

// The plain arithmetic rounds the source and destination terms separately.
inline TColor32 combinePlain(TColor32 F, TColor32 B, uint32_t W)
{
    TColor32 result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t f = (F >> shift) & 0xFF;
        const uint32_t b = (B >> shift) & 0xFF;
        result |= (((W * f + 128) >> 8) + (((255 - W) * b + 128) >> 8)) << shift;
    }
    return result;
}

inline uint32_t div255(uint32_t v)
{
    return (v + 127) / 255;
}

} // namespace

TColor32 BlendReg(TColor32 F, TColor32 B)
{
    const uint32_t Fa = F >> 24;
    if (Fa == 0)
        return B;
    if (Fa == 255)
        return F;
    return combine(F, B, Fa);
}

TColor32 BlendRegEx(TColor32 F, TColor32 B, int M)
{
    lirasto::blend::CheckMasterAlpha(M);
    const uint32_t W = (((F >> 24) + 1) * uint32_t(M)) >> 8;
    return W == 0 ? B : combine(F, B, W);
}

TColor32 BlendRegPlain(TColor32 F, TColor32 B)
{
    const uint32_t Fa = F >> 24;
    if (Fa == 0)
        return B;
    if (Fa == 255)
        return F;
    return combinePlain(F, B, Fa);
}

TColor32 BlendRegExPlain(TColor32 F, TColor32 B, int M)
{
    lirasto::blend::CheckMasterAlpha(M);
    const uint32_t W = ((uint32_t(M) + 1) * (F >> 24)) >> 8;
    return W == 0 ? B : combinePlain(F, B, W);
}

TColor32 MergeReg(TColor32 F, TColor32 B)
{
    const uint32_t Fa = F >> 24;
    const uint32_t Ba = B >> 24;
    if (Fa == 0)
        return B;
    if (Fa == 255 || Ba == 0)
        return F;
    // The result's coverage is Fa + Ba * (1 - Fa); the source's share of its colour is Fa / coverage.
    const uint32_t Ra = Fa + div255(Ba * (255 - Fa));
    const uint32_t Fw = (Fa * 255 + Ra / 2) / Ra;
    TColor32 result = Ra << 24;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t f = (F >> shift) & 0xFF;
        const uint32_t b = (B >> shift) & 0xFF;
        result |= div255(f * Fw + b * (255 - Fw)) << shift;
    }
    return result;
}

TColor32 MergeRegEx(TColor32 F, TColor32 B, int M)
{
    lirasto::blend::CheckMasterAlpha(M);
    const uint32_t Fa = div255((F >> 24) * uint32_t(M));
    return MergeReg((F & 0x00FFFFFF) | (Fa << 24), B);
}

namespace lirasto::blend {

void CheckMasterAlpha(int M)
{
    if (M < 0 || M > 255)
        throw lirasto::ERangeError("Master alpha " + std::to_string(M) + " outside 0..255");
}

void BlendLinePortable(const TColor32* src, TColor32* dst, int count)
{
    for (int i = 0; i < count; ++i) {
        const uint32_t Fa = src[i] >> 24;
        if (Fa == 0)
            continue;
        dst[i] = Fa == 255 ? src[i] : combine(src[i], dst[i], Fa);
    }
}

void BlendLineExPortable(const TColor32* src, TColor32* dst, int count, int M)
{
    lirasto::blend::CheckMasterAlpha(M);
    for (int i = 0; i < count; ++i) {
        const uint32_t W = (((src[i] >> 24) + 1) * uint32_t(M)) >> 8;
        if (W != 0)
            dst[i] = combine(src[i], dst[i], W);
    }
}

void BlendLinePlain(const TColor32* src, TColor32* dst, int count)
{
    for (int i = 0; i < count; ++i)
        dst[i] = BlendRegPlain(src[i], dst[i]);
}

void BlendLineExPlain(const TColor32* src, TColor32* dst, int count, int M)
{
    lirasto::blend::CheckMasterAlpha(M);
    for (int i = 0; i < count; ++i)
        dst[i] = BlendRegExPlain(src[i], dst[i], M);
}

void MergeLine(const TColor32* src, TColor32* dst, int count)
{
    for (int i = 0; i < count; ++i)
        dst[i] = MergeReg(src[i], dst[i]);
}

void MergeLineEx(const TColor32* src, TColor32* dst, int count, int M)
{
    lirasto::blend::CheckMasterAlpha(M);
    for (int i = 0; i < count; ++i)
        dst[i] = MergeRegEx(src[i], dst[i], M);
}

} // namespace lirasto::blend

namespace {

BlendImpl currentImpl = BlendImpl::Portable;

// Only cmBlend has vectorised and plain variants; cmMerge, which this program never
// draws with, always takes its one portable routine.
void fillTables(BlendImpl impl)
{
    using namespace lirasto::blend;
    switch (impl) {
    case BlendImpl::Portable:
        BLEND_LINE[cmBlend] = BlendLinePortable;
        BLEND_LINE_EX[cmBlend] = BlendLineExPortable;
        break;
    case BlendImpl::Sse2:
        BLEND_LINE[cmBlend] = BlendLineSse2;
        BLEND_LINE_EX[cmBlend] = BlendLineExSse2;
        break;
    case BlendImpl::Avx2:
        BLEND_LINE[cmBlend] = BlendLineAvx2;
        BLEND_LINE_EX[cmBlend] = BlendLineExAvx2;
        break;
    case BlendImpl::Plain:
        BLEND_LINE[cmBlend] = BlendLinePlain;
        BLEND_LINE_EX[cmBlend] = BlendLineExPlain;
        break;
    }
    BLEND_LINE[cmMerge] = MergeLine;
    BLEND_LINE_EX[cmMerge] = MergeLineEx;
    currentImpl = impl;
}

} // namespace

// Usable from the first instruction on; upgraded to the processor's best routines below.
constinit lirasto::RangeArray<TBlendLine, cmBlend, cmMerge> BLEND_LINE{
    std::array<TBlendLine, 2>{lirasto::blend::BlendLinePortable, lirasto::blend::MergeLine}};
constinit lirasto::RangeArray<TBlendLineEx, cmBlend, cmMerge> BLEND_LINE_EX{
    std::array<TBlendLineEx, 2>{lirasto::blend::BlendLineExPortable, lirasto::blend::MergeLineEx}};

namespace {

// Chosen once, before main runs.
const bool kTablesReady = [] {
    fillTables(BestBlendImplementation());
    return true;
}();

} // namespace

bool BlendImplementationAvailable(BlendImpl impl)
{
    switch (impl) {
    case BlendImpl::Portable:
    case BlendImpl::Plain:
        return true;
    case BlendImpl::Sse2:
        return CpuFeatures().Sse2;
    case BlendImpl::Avx2:
        return CpuFeatures().Avx2;
    }
    return false;
}

BlendImpl BestBlendImplementation()
{
    // A processor without MMX would take the plain arithmetic; the packed one is computed
    // portably (or vectorised) everywhere else.
    if (!CpuFeatures().Mmx && !CpuFeatures().Sse2)
        return BlendImpl::Plain;
    if (CpuFeatures().Avx2)
        return BlendImpl::Avx2;
    if (CpuFeatures().Sse2)
        return BlendImpl::Sse2;
    return BlendImpl::Portable;
}

void SetBlendImplementation(BlendImpl impl)
{
    if (!BlendImplementationAvailable(impl))
        throw lirasto::ERangeError("This processor cannot run the requested blend routines");
    fillTables(impl);
}

BlendImpl BlendImplementation()
{
    return currentImpl;
}

void BlendLine(const TColor32* src, TColor32* dst, int count)
{
    BLEND_LINE[cmBlend](src, dst, count);
}

void BlendLineEx(const TColor32* src, TColor32* dst, int count, int M)
{
    BLEND_LINE_EX[cmBlend](src, dst, count, M);
}
