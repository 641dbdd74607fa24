#include "graphics/LowLevel.h"

#include <algorithm>
#include <cstring>

void FillLongword(TColor32* dst, int count, TColor32 value)
{
    if (count <= 0)
        return;
    std::fill_n(dst, count, value);
}

void MoveLongword(const TColor32* src, TColor32* dst, int count)
{
    if (count <= 0)
        return;
    std::memmove(dst, src, std::size_t(count) * sizeof(TColor32));
}

namespace {

constexpr TBiasTable makeBiasTable()
{
    TBiasTable table{};
    for (uint16_t i = 0; i < 256; ++i)
        table[i] = TBiasLanes{{i, i, i, i}};
    return table;
}

constexpr TBiasTable kBiasTable = makeBiasTable();

} // namespace

const TBiasTable& BiasTable()
{
    return kBiasTable;
}
