#pragma once

#include <array>
#include <set>

// How a musician reads a key signature, written apart from the program's own
// tables: the number of flats (negative) or sharps of each major key, flats
// added in the order B E A D G C and sharps in the order F C G D A E.
namespace musician {

inline constexpr std::array<int, 12> kSignature = {0, -5, 2, -3, 4, -1, -6, 1, -4, 3, -2, 5};
inline constexpr std::array<int, 6> kFlatOrder = {11, 4, 9, 2, 7, 0};
inline constexpr std::array<int, 6> kSharpOrder = {5, 0, 7, 2, 9, 4};

// -1, 0 or +1: what the signature of key does to the white key of this pitch class.
inline int SignatureAlteration(int key, int letter)
{
    for (int i = 0; i < -kSignature[key]; ++i)
        if (kFlatOrder[i] == letter)
            return -1;
    for (int i = 0; i < kSignature[key]; ++i)
        if (kSharpOrder[i] == letter)
            return 1;
    return 0;
}

// The same for a signature of count signs (sharps when positive), up to seven: flats in the order
// B E A D G C F, sharps F C G D A E B.
inline int AlterationUnder(int count, int letter)
{
    static constexpr std::array<int, 7> kFlats = {11, 4, 9, 2, 7, 0, 5};
    static constexpr std::array<int, 7> kSharps = {5, 0, 7, 2, 9, 4, 11};
    for (int i = 0; i < -count; ++i)
        if (kFlats[std::size_t(i)] == letter)
            return -1;
    for (int i = 0; i < count; ++i)
        if (kSharps[std::size_t(i)] == letter)
            return 1;
    return 0;
}

// The ledger lines a head on headRow needs, 10 rows apart: every line between the staff (whose
// outer lines are on topLine and bottomLine) and the note.
inline std::set<int> NeededLedgerRows(int topLine, int bottomLine, int headRow)
{
    std::set<int> rows;
    for (int row = bottomLine + 10; row <= headRow; row += 10)
        rows.insert(row);
    for (int row = topLine - 10; row >= headRow; row -= 10)
        rows.insert(row);
    return rows;
}

} // namespace musician
