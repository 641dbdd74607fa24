#pragma once

#include "core/Checked.h"
#include "graphics/LowLevel.h"

// Which blend family a bitmap drawn with dmBlend uses.
enum TCombineMode { cmBlend, cmMerge };

// One row of source pixels over one row of destination pixels.
using TBlendLine = void (*)(const TColor32* src, TColor32* dst, int count);
// The same with an extra master alpha M in 0..255.
using TBlendLineEx = void (*)(const TColor32* src, TColor32* dst, int count, int M);

// The routines chosen at start-up, indexed by TCombineMode.
extern lirasto::RangeArray<TBlendLine, cmBlend, cmMerge> BLEND_LINE;
extern lirasto::RangeArray<TBlendLineEx, cmBlend, cmMerge> BLEND_LINE_EX;

// The cmBlend routines of the current choice.
void BlendLine(const TColor32* src, TColor32* dst, int count);
void BlendLineEx(const TColor32* src, TColor32* dst, int count, int M);

// One pixel with the packed arithmetic: the reference every vectorised row routine matches.
TColor32 BlendReg(TColor32 F, TColor32 B);
TColor32 BlendRegEx(TColor32 F, TColor32 B, int M);
// One pixel with the plain arithmetic.
TColor32 BlendRegPlain(TColor32 F, TColor32 B);
TColor32 BlendRegExPlain(TColor32 F, TColor32 B, int M);
// Destination-alpha aware "over": the result is what F over B shows over anything else.
TColor32 MergeReg(TColor32 F, TColor32 B);
TColor32 MergeRegEx(TColor32 F, TColor32 B, int M);

// The arithmetic behind the cmBlend tables. Portable, Sse2 and Avx2 give the same bits
// (the packed formula); Plain is the older formula that rounds each term on its own.
enum class BlendImpl { Portable, Sse2, Avx2, Plain };

bool BlendImplementationAvailable(BlendImpl impl);
// Fills both routine tables for impl; throws ERangeError when the processor lacks it.
void SetBlendImplementation(BlendImpl impl);
BlendImpl BlendImplementation();
// What start-up picks: the widest vector path the processor offers.
BlendImpl BestBlendImplementation();

// The row routines of each arithmetic, for tests and benchmarks that compare them.
namespace lirasto::blend {
// Throws ERangeError unless 0 <= M <= 255; kept out of the vector units so that they
// instantiate no shared library code under their own instruction sets.
void CheckMasterAlpha(int M);
void BlendLinePortable(const TColor32* src, TColor32* dst, int count);
void BlendLineExPortable(const TColor32* src, TColor32* dst, int count, int M);
void BlendLinePlain(const TColor32* src, TColor32* dst, int count);
void BlendLineExPlain(const TColor32* src, TColor32* dst, int count, int M);
void BlendLineSse2(const TColor32* src, TColor32* dst, int count);
void BlendLineExSse2(const TColor32* src, TColor32* dst, int count, int M);
void BlendLineAvx2(const TColor32* src, TColor32* dst, int count);
void BlendLineExAvx2(const TColor32* src, TColor32* dst, int count, int M);
void MergeLine(const TColor32* src, TColor32* dst, int count);
void MergeLineEx(const TColor32* src, TColor32* dst, int count, int M);
} // namespace lirasto::blend
