// The packed blend eight pixels at a time, two channels to a 32-bit lane: blue and red
// (mask 0x00FF00FF) and green and alpha (shifted down by 8) each sit in the low byte of a
// 16-bit lane, so no unpack or pack is needed.
// Each channel is (B * 256 + (F - B) * W + 128) >> 8 = B + (((F - B) * W + 128) >> 8), the
// last term being what the rounding high multiply gives for (F - B) and W * 128:
// ((F - B) * W * 128 + 16384) >> 15. With W * 128 = 32767 it gives F - B exactly, so
// an opaque pixel comes back as F. The channel's sum lies in 0..255, so the two channels of
// a lane are added to B at once without a carry between them. The result matches the
// portable routine bit for bit.
#include "graphics/Blend.h"

#include <immintrin.h>

#include <cstdint>

namespace {

struct Constants
{
    const __m256i low = _mm256_set1_epi32(0x00FF00FF);
    const __m256i opaque = _mm256_set1_epi16(short(0xFF00));
    const __m256i alphaMask = _mm256_set1_epi32(int(0xFF000000));
    // Each pixel's alpha byte into the high byte of both its 16-bit lanes, low bytes zero.
    const __m256i alphaHigh = _mm256_setr_epi8(-1, 3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, //
                                               -1, 3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15);
};

// F over B for eight pixels; w128 holds W * 128 in each 16-bit lane, both lanes of a pixel alike.
inline __m256i combine8(__m256i f, __m256i b, __m256i w128, const Constants& k)
{
    const __m256i dRB = _mm256_sub_epi16(_mm256_and_si256(f, k.low), _mm256_and_si256(b, k.low));
    const __m256i dAG = _mm256_sub_epi16(_mm256_srli_epi16(f, 8), _mm256_srli_epi16(b, 8));
    const __m256i tRB = _mm256_mulhrs_epi16(dRB, w128);
    const __m256i tAG = _mm256_mulhrs_epi16(dAG, w128);
    return _mm256_add_epi16(_mm256_add_epi16(b, tRB), _mm256_slli_epi16(tAG, 8));
}

// The line blend's weight is the alpha itself; 255 copies F.
inline __m256i blend8(__m256i f, __m256i b, const Constants& k)
{
    const __m256i a256 = _mm256_shuffle_epi8(f, k.alphaHigh);
    const __m256i w128 =
        _mm256_or_si256(_mm256_srli_epi16(a256, 1), _mm256_srli_epi16(_mm256_cmpeq_epi16(a256, k.opaque), 9));
    return combine8(f, b, w128, k);
}

// Lanes 0..count-1 of eight.
inline __m256i laneMask(int count)
{
    return _mm256_cmpgt_epi32(_mm256_set1_epi32(count), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
}

inline __m256i load(const TColor32* p)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

inline void store(TColor32* p, __m256i v)
{
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
}

// Rows shorter than a group: masked loads read nothing beyond the row (lanes outside it
// load as 0, alpha 0) and masked stores write nothing there.
template <typename Blend8>
void blendShortRow(const TColor32* src, TColor32* dst, int count, Blend8 blend)
{
    const __m256i mask = laneMask(count);
    const __m256i f = _mm256_maskload_epi32(reinterpret_cast<const int*>(src), mask);
    const __m256i b = _mm256_maskload_epi32(reinterpret_cast<const int*>(dst), mask);
    _mm256_maskstore_epi32(reinterpret_cast<int*>(dst), mask, blend(f, b));
}

// Rows of eight or more: the destination is walked in 32-byte aligned groups. The first
// and last groups may overlap their neighbours; there the lanes that are not theirs are
// written back unchanged, before (head) or after (tail) the neighbour writes its own.
template <typename Group>
void blendLongRow(const TColor32* src, TColor32* dst, int count, Group group)
{
    const int head = int((32 - (reinterpret_cast<std::uintptr_t>(dst) & 31)) / 4) & 7;
    int i = 0;
    if (head != 0) {
        group(src, dst, laneMask(head));
        i = head;
    }
    for (; i + 16 <= count; i += 16) {
        group(src + i, dst + i);
        group(src + i + 8, dst + i + 8);
    }
    if (i + 8 <= count) {
        group(src + i, dst + i);
        i += 8;
    }
    if (i < count)
        group(src + count - 8, dst + count - 8, _mm256_xor_si256(laneMask(8 - (count - i)), _mm256_set1_epi8(-1)));
}

} // namespace

namespace lirasto::blend {

void BlendLineAvx2(const TColor32* src, TColor32* dst, int count)
{
    const Constants k;
    if (count < 8) {
        if (count > 0)
            blendShortRow(src, dst, count, [&k](__m256i f, __m256i b) { return blend8(f, b, k); });
        return;
    }
    struct Group
    {
        const Constants& k;
        // Transparent groups leave the destination unread and unwritten, opaque ones replace it.
        void operator()(const TColor32* s, TColor32* d) const
        {
            const __m256i f = load(s);
            if (_mm256_testz_si256(f, k.alphaMask))
                return;
            if (_mm256_testc_si256(f, k.alphaMask))
                store(d, f);
            else
                store(d, blend8(f, load(d), k));
        }
        // Only the lanes in mask.
        void operator()(const TColor32* s, TColor32* d, __m256i mask) const
        {
            const __m256i f = _mm256_and_si256(load(s), mask);
            const __m256i b = load(d);
            store(d, blend8(f, b, k));
        }
    };
    blendLongRow(src, dst, count, Group{k});
}

void BlendLineExAvx2(const TColor32* src, TColor32* dst, int count, int M)
{
    CheckMasterAlpha(M);
    const Constants k;
    const __m256i one = _mm256_set1_epi16(1);
    const __m256i master = _mm256_set1_epi16(short(M));
    // W = ((Fa + 1) * M) >> 8 is at most 255; W = 0 yields B unchanged.
    auto blendEx = [&](__m256i f, __m256i b) {
        const __m256i a = _mm256_srli_epi16(_mm256_shuffle_epi8(f, k.alphaHigh), 8);
        const __m256i w = _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_add_epi16(a, one), master), 8);
        return combine8(f, b, _mm256_slli_epi16(w, 7), k);
    };
    if (count < 8) {
        if (count > 0)
            blendShortRow(src, dst, count, blendEx);
        return;
    }
    struct Group
    {
        const Constants& k;
        const decltype(blendEx)& blend;
        void operator()(const TColor32* s, TColor32* d) const
        {
            const __m256i f = load(s);
            if (!_mm256_testz_si256(f, k.alphaMask))
                store(d, blend(f, load(d)));
        }
        void operator()(const TColor32* s, TColor32* d, __m256i mask) const
        {
            store(d, blend(_mm256_and_si256(load(s), mask), load(d)));
        }
    };
    blendLongRow(src, dst, count, Group{k, blendEx});
}

} // namespace lirasto::blend
