#pragma once

// What the processor offers, asked once and remembered.
struct TCpuFeatures
{
    bool mmx = false;
    bool sse2 = false;
    bool avx2 = false;
};

const TCpuFeatures& CpuFeatures();
