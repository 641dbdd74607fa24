#include "midi/MidiParser.h"

#include <gtest/gtest.h>
#include <ostream>

#include <string>
#include <vector>

namespace {

// Key presses read from bytes, written "+60" for down and "-60" for up.
std::string parse(TMidiParser& parser, const std::vector<uint8_t>& bytes)
{
    std::string out;
    parser.Feed(bytes, [&](const TMidiParser::TNoteEvent& ev) {
        out += (out.empty() ? "" : " ") + std::string(ev.Down ? "+" : "-") + std::to_string(ev.Note);
    });
    return out;
}

struct TStreamCase
{
    const char* name;
    std::vector<uint8_t> bytes;
    const char* keys;
};

void PrintTo(const TStreamCase& c, std::ostream* os)
{
    *os << c.name;
}

class MidiParserStream : public testing::TestWithParam<TStreamCase>
{};

// Only note messages move keys; everything else, whole or broken, leaves no trace
// and does not disturb the notes around it.
TEST_P(MidiParserStream, ReadsOnlyNotes)
{
    TMidiParser parser;
    EXPECT_EQ(parse(parser, GetParam().bytes), GetParam().keys);
}

const TStreamCase kStreams[] = {
    {"NoteOnOff", {0x90, 60, 100, 0x80, 60, 64}, "+60 -60"},
    {"VelocityZeroIsRelease", {0x9F, 0, 0, 0x9F, 127, 1}, "-0 +127"},
    {"EveryChannel", {0x93, 61, 1, 0x8C, 61, 0}, "+61 -61"},
    {"RunningStatus", {0x90, 60, 90, 64, 90, 60, 0, 64, 0}, "+60 +64 -60 -64"},
    {"RealTimeInsideMessage", {0x90, 0xF8, 60, 0xFE, 90, 0xFA, 62, 0xFF, 0}, "+60 -62"},
    {"ControllersBendProgramPressure",
     {0xB0, 7, 100, 0xE0, 0, 64, 0xC0, 5, 0xD0, 40, 0xA0, 60, 40, 0x90, 61, 1},
     "+61"},
    {"RunningStatusOfOtherMessagesIgnored", {0xB0, 7, 100, 60, 100, 0xC0, 1, 2, 3}, ""},
    {"DataWithoutStatus", {60, 100, 0x90, 62, 1}, "+62"},
    {"CutShortByStatus", {0x90, 60, 0x80, 61, 0, 0x90, 0xB0, 60, 1}, "-61"},
    {"SysexSkippedAndCancelsRunningStatus", {0x90, 60, 1, 0xF0, 1, 2, 0xF7, 62, 1, 0x90, 63, 1}, "+60 +63"},
    {"SysexEndedByStatus", {0xF0, 1, 2, 0x90, 64, 1}, "+64"},
    {"SystemCommonDataSkipped", {0x90, 60, 1, 0xF2, 60, 1, 62, 1, 0xF3, 5, 0xF1, 9, 0xF6, 64, 1}, "+60"},
    {"UndefinedStatusBytes", {0xF4, 60, 1, 0xF5, 0xF9, 0xFD, 0x90, 65, 1}, "+65"},
};

INSTANTIATE_TEST_SUITE_P(Bytes, MidiParserStream, testing::ValuesIn(kStreams),
                         [](const auto& info) { return std::string(info.param.name); });

// A system exclusive far longer than any buffer passes in constant memory, split anywhere.
TEST(MidiParserMessages, LongSysexSplitAcrossFeeds)
{
    TMidiParser parser;
    std::vector<uint8_t> body(1 << 20, 0x40);
    std::string keys = parse(parser, {0xF0});
    keys += parse(parser, body);
    EXPECT_EQ(keys + parse(parser, {0xF7, 0x90, 60, 1}), "+60");
}

} // namespace
