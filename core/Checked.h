#pragma once

#include "core/Errors.h"

#include <array>
#include <concepts>
#include <cstddef>
#include <string>

// Checked integer arithmetic and range-checked tables: an index outside a
// table's declared range or an overflow raises an error instead of wrapping.
namespace lirasto {

template <std::integral T>
T CheckedAdd(T a, T b)
{
    T r;
    if (__builtin_add_overflow(a, b, &r))
        throw EIntOverflow("Integer overflow");
    return r;
}

template <std::integral T>
T CheckedSub(T a, T b)
{
    T r;
    if (__builtin_sub_overflow(a, b, &r))
        throw EIntOverflow("Integer overflow");
    return r;
}

template <std::integral T>
T CheckedMul(T a, T b)
{
    T r;
    if (__builtin_mul_overflow(a, b, &r))
        throw EIntOverflow("Integer overflow");
    return r;
}

// Converts between integer types, failing when the value does not fit.
template <std::integral To, std::integral From>
To CheckedCast(From v)
{
    To r = static_cast<To>(v);
    if (static_cast<From>(r) != v || ((r < To{}) != (v < From{})))
        throw ERangeError("Range check error");
    return r;
}

// A fixed table indexed from Low to High inclusive, as the game's tables are
// declared (levels 1..12, keys 0..11, notes 53..88). Every access is checked.
template <typename T, long long Low, long long High>
class RangeArray
{
    static_assert(High >= Low);

public:
    static constexpr long long kLow = Low;
    static constexpr long long kHigh = High;
    static constexpr std::size_t kCount = static_cast<std::size_t>(High - Low + 1);

    constexpr RangeArray() = default;
    constexpr RangeArray(const std::array<T, kCount>& values) : items_(values) {}

    static constexpr bool Contains(long long i) { return i >= Low && i <= High; }

    constexpr T& operator[](long long i) { return items_[slot(i)]; }
    constexpr const T& operator[](long long i) const { return items_[slot(i)]; }

    constexpr auto begin() { return items_.begin(); }
    constexpr auto end() { return items_.end(); }
    constexpr auto begin() const { return items_.begin(); }
    constexpr auto end() const { return items_.end(); }

private:
    static constexpr std::size_t slot(long long i)
    {
        if (!Contains(i))
            throw ERangeError("Range check error: index " + std::to_string(i) + " outside " + std::to_string(Low) +
                              ".." + std::to_string(High));
        return static_cast<std::size_t>(i - Low);
    }

    std::array<T, kCount> items_{};
};

} // namespace lirasto
