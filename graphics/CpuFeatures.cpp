#include "graphics/CpuFeatures.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace {

TCpuFeatures detect()
{
    TCpuFeatures f;
#if defined(__x86_64__) || defined(__i386__)
    // MMX is feature bit 23 of leaf 1 EDX; __get_cpuid fails when CPUID itself is missing.
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx))
        f.Mmx = (edx & (1u << 23)) != 0;
    __builtin_cpu_init();
    f.Sse2 = __builtin_cpu_supports("sse2");
    // Also checks that the operating system saves the wide registers.
    f.Avx2 = __builtin_cpu_supports("avx2");
#endif
    return f;
}

} // namespace

const TCpuFeatures& CpuFeatures()
{
    static const TCpuFeatures features = detect();
    return features;
}
