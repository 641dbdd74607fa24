#pragma once

// What the processor offers, asked once and remembered.
struct TCpuFeatures
{
    bool Mmx = false;
    bool Sse2 = false;
    bool Avx2 = false;
};

const TCpuFeatures& CpuFeatures();
