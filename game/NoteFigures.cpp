#include "game/NoteFigures.h"

#include "game/uVariables.h"

#include <algorithm>

namespace {

const char* const kSharpSign = "\u266F";
const char* const kFlatSign = "\u266D";
const char* const kLetters[12] = {"C", "", "D", "", "E", "F", "", "G", "", "A", "", "B"};

} // namespace

std::string NoteName(int note, int key)
{
    if (note < 1 || note > 126)
        throw lirasto::ERangeError("Range check error: note " + std::to_string(note) + " outside 1..126");
    const TSpelling spelling = SpellNote(note, key);
    std::string name = kLetters[PitchClass(spelling.Natural)];
    // The sign SpellNote gives is what the page needs beside the key
    // signature; the name needs what the note is, letter and alteration.
    if (note > spelling.Natural)
        name += kSharpSign;
    else if (note < spelling.Natural)
        name += kFlatSign;
    return name + std::to_string(spelling.Natural / 12 - 1);
}

int64_t MedianOf(std::vector<int64_t>& values)
{
    if (values.empty())
        return 0;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    if (values.size() % 2 != 0)
        return *middle;
    const int64_t below = *std::max_element(values.begin(), middle);
    // Halved separately so that two huge times cannot overflow their sum.
    return below / 2 + *middle / 2 + (below % 2 + *middle % 2) / 2;
}

std::string FormatSeconds(int64_t ms)
{
    const int64_t tenths = (std::max<int64_t>(ms, 0) + 50) / 100;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " s";
}

std::string FormatShare(int part, int whole)
{
    if (whole <= 0)
        return "0 %";
    const int64_t percent = (int64_t{200} * part + whole) / (int64_t{2} * whole);
    return std::to_string(percent) + " %";
}
