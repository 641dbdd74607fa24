#include "game/uVariables.h"

#include <chrono>

using lirasto::ERangeError;
using lirasto::RangeArray;

int PitchClass(int note)
{
    const int pc = note % 12;
    return pc < 0 ? pc + 12 : pc;
}

void TNoteSet::Include(int note)
{
    if (note < Lowest || note > Highest)
        throw ERangeError("Range check error: note " + std::to_string(note) + " outside " + std::to_string(Lowest) +
                          ".." + std::to_string(Highest));
    Bits |= uint64_t{1} << (note - Lowest);
}

bool TNoteSet::Contains(int note) const
{
    return note >= Lowest && note <= Highest && (Bits >> (note - Lowest) & 1) != 0;
}

TNoteSet TNoteSet::Of(int note)
{
    TNoteSet set;
    set.Include(note);
    return set;
}

TPitchClassSet PitchClassBit(int pitchClass)
{
    if (pitchClass < 0 || pitchClass > 11)
        throw ERangeError("Range check error: pitch class " + std::to_string(pitchClass) + " outside 0..11");
    return static_cast<TPitchClassSet>(1u << pitchClass);
}

bool HasPitchClass(TPitchClassSet set, int pitchClass)
{
    return (set & PitchClassBit(pitchClass)) != 0;
}

const RangeArray<int, 1, 12> LevelKeys{{0, 5, 7, 10, 2, 3, 9, 8, 4, 1, 11, 6}};

const RangeArray<int, 0, 11> IsBlackKey{{0, 1, 0, 1, 0, 0, 1, 0, 1, 0, 1, 0}};

const RangeArray<int, 0, 11> KeyAccidentalKind{{-1, 0, 1, 0, 1, 0, 0, 1, 0, 1, 0, 1}};

const RangeArray<TPitchClassSet, 0, 11> KeyScale{
    {0x0AB5, 0x056B, 0x0AD6, 0x05AD, 0x0B5A, 0x06B5, 0x056B, 0x0AD5, 0x05AB, 0x0B56, 0x06AD, 0x0D5A}};

// For every key but Gb these are the white keys missing from KeyScale. Gb's
// six flats include C flat, so its C needs a natural sign as well.
const RangeArray<TPitchClassSet, 0, 11> KeyAlteredNaturals{
    {0x0000, 0x0A94, 0x0021, 0x0A10, 0x00A5, 0x0800, 0x0A95, 0x0020, 0x0A14, 0x00A1, 0x0810, 0x02A5}};

// A black key's entry repeats the natural below it; it is never read.
const RangeArray<int, 53, 88> TrebleNoteY{{85, 85, 80, 80, 75, 75, 70, 65, 65, 60,  60,  55, //
                                           50, 50, 45, 45, 40, 40, 35, 30, 30, 25,  25,  20, //
                                           15, 15, 10, 10, 5,  5,  0,  -5, -5, -10, -10, -15}};

const RangeArray<int, 36, 67> BassNoteY{{175, 175, 170, 170, 165, 160, 160, 155, 155, 150, 150, 145, //
                                         140, 140, 135, 135, 130, 125, 125, 120, 120, 115, 115, 110, //
                                         105, 105, 100, 100, 95,  90,  90,  85}};

const RangeArray<int, 52, 88> TrebleLedgerPosition{{3, 3, 3, 3, 3, 3, 3, 3, 3, 3,                         // 52..61
                                                    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // 62..79
                                                    4, 4, 4, 4, 4, 4, 4, 4, 4}};                          // 80..88

const RangeArray<int, 36, 68> BassLedgerPosition{{1, 1, 1, 1, 1,                                           // 36..40
                                                  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // 41..59
                                                  2, 2, 2, 2, 2, 2, 2, 2, 2}};                             // 60..68

const RangeArray<int, 1, 4> LedgerTop{{190, 110, 90, 10}};

TSpelling SpellNote(int note, int key)
{
    const int pc = PitchClass(note);
    const TPitchClassSet scale = KeyScale[key];
    const int kind = KeyAccidentalKind[key];
    const auto inKey = [scale](int pitchClass) { return HasPitchClass(scale, PitchClass(pitchClass)); };

    if (!IsBlackKey[pc])
        return {note, HasPitchClass(KeyAlteredNaturals[key], pc) ? TAccidental::Natural : TAccidental::None};

    const int above = lirasto::CheckedAdd(note, 1);
    const int below = lirasto::CheckedSub(note, 1);
    if (inKey(pc))
        return {kind == FlatKey ? above : below, TAccidental::None};
    switch (kind) {
    case FlatKey:
        return {above, inKey(pc + 1) ? TAccidental::Flat : TAccidental::Natural};
    case SharpKey:
        return {below, inKey(pc - 1) ? TAccidental::Sharp : TAccidental::Natural};
    default:
        return {above, TAccidental::Flat};
    }
}

int TrebleLedgerFor(int note, int key)
{
    const int position = TrebleLedgerPosition[note];
    const bool sharpKey = KeyAccidentalKind[key] == SharpKey;
    if (position == 3 && TrebleLedgerPosition[note + 1] == 0)
        return sharpKey ? 3 : 0;
    if (position == 4 && TrebleLedgerPosition[note - 1] == 0)
        return sharpKey ? 0 : 4;
    return position;
}

int BassLedgerFor(int note)
{
    return BassLedgerPosition[note];
}

uint32_t RandSeed = 0;

int Random(int n)
{
    if (n <= 0)
        throw ERangeError("Range check error: random range " + std::to_string(n) + " is not positive");
    RandSeed = RandSeed * 134775813u + 1u;
    return static_cast<int>((static_cast<uint64_t>(n) * RandSeed) >> 32);
}

void Randomize()
{
    using namespace std::chrono;
    constexpr long long msPerDay = 24LL * 60 * 60 * 1000;
    const long long ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    RandSeed = static_cast<uint32_t>(((ms % msPerDay) + msPerDay) % msPerDay);
}
