// The packed blend four pixels at a time. Each channel is widened to a 16-bit lane and
// computed as (B << 8) + (F - B) * W + 128, modulo 65536: the true value lies in
// 0..65408, so the wrapping lane arithmetic gives it exactly and the result matches
// the portable routine bit for bit.
#include "graphics/Blend.h"

#include <emmintrin.h>

namespace {

inline __m128i combineHalf(__m128i f, __m128i b, __m128i w, __m128i bias)
{
    __m128i r = _mm_mullo_epi16(_mm_sub_epi16(f, b), w);
    r = _mm_add_epi16(r, _mm_slli_epi16(b, 8));
    return _mm_srli_epi16(_mm_add_epi16(r, bias), 8);
}

// Each pixel's alpha lane copied to its four lanes.
inline __m128i spreadAlpha(__m128i px16)
{
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(px16, 0xFF), 0xFF);
}

} // namespace

namespace lirasto::blend {

void BlendLineSse2(const TColor32* src, TColor32* dst, int count)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i alphaMask = _mm_set1_epi32(int(0xFF000000));
    const __m128i bias = _mm_set1_epi16(128);
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        const __m128i alpha = _mm_and_si128(f, alphaMask);
        // Transparent groups leave the destination alone, opaque ones replace it.
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(alpha, zero)) == 0xFFFF)
            continue;
        const __m128i opaque = _mm_cmpeq_epi32(alpha, alphaMask);
        if (_mm_movemask_epi8(opaque) == 0xFFFF) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), f);
            continue;
        }
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        const __m128i fLo = _mm_unpacklo_epi8(f, zero);
        const __m128i fHi = _mm_unpackhi_epi8(f, zero);
        const __m128i lo = combineHalf(fLo, _mm_unpacklo_epi8(b, zero), spreadAlpha(fLo), bias);
        const __m128i hi = combineHalf(fHi, _mm_unpackhi_epi8(b, zero), spreadAlpha(fHi), bias);
        // Alpha 0 already yields B; alpha 255 must copy F exactly.
        const __m128i blended = _mm_packus_epi16(lo, hi);
        const __m128i r = _mm_or_si128(_mm_and_si128(opaque, f), _mm_andnot_si128(opaque, blended));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), r);
    }
    BlendLinePortable(src + i, dst + i, count - i);
}

void BlendLineExSse2(const TColor32* src, TColor32* dst, int count, int M)
{
    CheckMasterAlpha(M);
    const int tail = count > 0 ? count % 4 : 0;
    BlendLineExPortable(src + (count - tail), dst + (count - tail), tail, M);
    const __m128i zero = _mm_setzero_si128();
    const __m128i alphaMask = _mm_set1_epi32(int(0xFF000000));
    const __m128i bias = _mm_set1_epi16(128);
    const __m128i one = _mm_set1_epi16(1);
    const __m128i master = _mm_set1_epi16(short(M));
    for (int i = 0; i + 4 <= count; i += 4) {
        const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(f, alphaMask), zero)) == 0xFFFF)
            continue;
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        const __m128i fLo = _mm_unpacklo_epi8(f, zero);
        const __m128i fHi = _mm_unpackhi_epi8(f, zero);
        // W = ((Fa + 1) * M) >> 8 fits 16 bits; W = 0 yields B unchanged.
        const __m128i wLo = _mm_srli_epi16(_mm_mullo_epi16(_mm_add_epi16(spreadAlpha(fLo), one), master), 8);
        const __m128i wHi = _mm_srli_epi16(_mm_mullo_epi16(_mm_add_epi16(spreadAlpha(fHi), one), master), 8);
        const __m128i lo = combineHalf(fLo, _mm_unpacklo_epi8(b, zero), wLo, bias);
        const __m128i hi = combineHalf(fHi, _mm_unpackhi_epi8(b, zero), wHi, bias);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_packus_epi16(lo, hi));
    }
}

} // namespace lirasto::blend
