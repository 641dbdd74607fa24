#include "resources/DesignStream.h"
#include "resources/DesignText.h"

#include "core/Errors.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

// Records the largest single allocation while a read is watched, so the tests can show that a stream's
// claimed sizes never turn into allocations.
namespace {
std::atomic<bool> watching{false};
std::atomic<std::size_t> largestAllocation{0};
} // namespace

void* operator new(std::size_t size)
{
    if (watching.load(std::memory_order_relaxed) && size > largestAllocation.load(std::memory_order_relaxed))
        largestAllocation.store(size, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

using lirasto::DesignComponent;
using lirasto::DesignProperty;
using lirasto::DesignValue;
using lirasto::EReadError;

namespace {

// The DOM's own nodes are a few hundred bytes each; anything larger must have come from the stream's bytes.
constexpr std::size_t kNodeAllowance = 4096;

struct ReadOutcome
{
    bool failed = false;
    std::string message;
    std::size_t largest = 0;
};

ReadOutcome watchedRead(const std::vector<uint8_t>& stream)
{
    ReadOutcome outcome;
    largestAllocation = 0;
    watching = true;
    try {
        lirasto::ReadDesignStream(stream);
    } catch (const EReadError& e) {
        outcome.failed = true;
        outcome.message = e.what();
    }
    watching = false;
    outcome.largest = largestAllocation;
    return outcome;
}

std::vector<uint8_t> bytesOf(std::initializer_list<int> values)
{
    std::vector<uint8_t> out;
    for (int v : values)
        out.push_back(static_cast<uint8_t>(v));
    return out;
}

std::vector<uint8_t> operator+(std::vector<uint8_t> a, const std::string& s)
{
    a.insert(a.end(), s.begin(), s.end());
    return a;
}

std::vector<uint8_t> operator+(std::vector<uint8_t> a, const std::vector<uint8_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// "TPF0", a component TA named A, and the given bytes as its property list (without the closing 0).
std::vector<uint8_t> streamWithProperties(const std::vector<uint8_t>& props)
{
    return bytesOf({}) + std::string("TPF0") + bytesOf({2}) + std::string("TA") + bytesOf({1}) + std::string("A") +
           props + bytesOf({0, 0});
}

struct ValueRow
{
    const char* label;
    std::string text;  // the value as written in the text form
    DesignValue value; // what it parses to
    uint8_t tag;       // the tag that the stream stores it with
};

void PrintTo(const ValueRow& row, std::ostream* os)
{
    *os << row.label;
}

std::string quoted255()
{
    return "'" + std::string(255, 'x') + "'";
}

std::vector<ValueRow> valueRows()
{
    using V = DesignValue;
    return {
        {"ListOfStrings", "(\n 'line 1'\n 'line 2')", V::MakeList({V::MakeString("line 1"), V::MakeString("line 2")}),
         1},
        {"EmptyList", "()", V::MakeList({}), 1},
        {"NestedList", "((1) ())", V::MakeList({V::MakeList({V::MakeInteger(1)}), V::MakeList({})}), 1},
        {"Zero", "0", V::MakeInteger(0), 2},
        {"Int8Low", "-128", V::MakeInteger(-128), 2},
        {"Int8High", "127", V::MakeInteger(127), 2},
        {"Int16JustAbove", "128", V::MakeInteger(128), 3},
        {"Int16JustBelow", "-129", V::MakeInteger(-129), 3},
        {"Int16Low", "-32768", V::MakeInteger(-32768), 3},
        {"Int16High", "32767", V::MakeInteger(32767), 3},
        {"HexInteger", "$1F", V::MakeInteger(31), 2},
        {"StringWithQuote", "'It''s'", V::MakeString("It's"), 6},
        {"EmptyString", "''", V::MakeString(""), 6},
        {"String255", quoted255(), V::MakeString(std::string(255, 'x')), 6},
        {"CharCodes", "'a'#39'b'#10", V::MakeString("a'b\n"), 6},
        {"StringJoinedByPlus", "'ab' +\n 'cd'", V::MakeString("abcd"), 6},
        {"Identifier", "clBtnFace", V::MakeIdentifier("clBtnFace"), 7},
        {"False", "False", V::MakeBoolean(false), 8},
        {"True", "True", V::MakeBoolean(true), 9},
        {"Binary", "{\n 0A0b\n FF00}", V::MakeBinary({0x0A, 0x0B, 0xFF, 0x00}), 10},
        {"EmptyBinary", "{}", V::MakeBinary({}), 10},
        {"Set", "[ocPaintWallpaper, ocNoCaption]", V::MakeSet({"ocPaintWallpaper", "ocNoCaption"}), 11},
        {"EmptySet", "[]", V::MakeSet({}), 11},
        {"EmptyCollection", "<>", V::MakeCollection({}), 14},
        {"NestedCollectionWithBinary",
         "<\n item\n Bitmap.Data = {0102}\n Inner = <\n item\n X = 1\n end>\n end\n item\n end>",
         V::MakeCollection({{DesignProperty{"Bitmap.Data", V::MakeBinary({1, 2})},
                             DesignProperty{"Inner", V::MakeCollection({{DesignProperty{"X", V::MakeInteger(1)}}})}},
                            {}}),
         14},
    };
}

class DesignValueRoundTrip : public testing::TestWithParam<ValueRow>
{};

// Every value kind goes from text to stream and back unchanged, stored with its own tag.
TEST_P(DesignValueRoundTrip, KeepsValueAndWritesItsTag)
{
    const ValueRow& row = GetParam();
    const std::string text = "object A: TA\n  P = " + row.text + "\nend\n";
    const DesignComponent parsed = lirasto::ParseDesignText(text);
    ASSERT_EQ(parsed.Properties.size(), 1u);
    EXPECT_EQ(parsed.Properties[0].Value, row.value);

    const std::vector<uint8_t> stream = lirasto::WriteDesignStream(parsed);
    // "TPF0", 2 "TA", 1 "A", 1 "P": the value's tag follows at offset 11.
    ASSERT_GT(stream.size(), 11u);
    EXPECT_EQ(stream[11], row.tag);
    EXPECT_EQ(lirasto::ReadDesignStream(stream), parsed);

    // The text writer's output parses back to the same tree too.
    EXPECT_EQ(lirasto::ParseDesignText(lirasto::WriteDesignText(parsed)), parsed);
}

INSTANTIATE_TEST_SUITE_P(AllTags, DesignValueRoundTrip, testing::ValuesIn(valueRows()),
                         [](const testing::TestParamInfo<ValueRow>& info) { return std::string(info.param.label); });

// A component record is class name, instance name, properties, 0, children, 0, each name a length byte
// and its characters.
TEST(DesignStreamLayout, WritesTinyComponentByteForByte)
{
    const DesignComponent form = lirasto::ParseDesignText("object f: TF\n"
                                                          "  Left = 300\n"
                                                          "  Style = [fsBold]\n"
                                                          "  object b: TB\n"
                                                          "    Caption = 'Go'\n"
                                                          "    Data = {0102}\n"
                                                          "    Enabled = False\n"
                                                          "    Items = <\n"
                                                          "      item\n"
                                                          "        V = -1\n"
                                                          "      end>\n"
                                                          "  end\n"
                                                          "end\n");
    const std::vector<uint8_t> expected =
        bytesOf({}) + std::string("TPF0") + bytesOf({2}) + std::string("TF") + bytesOf({1}) + std::string("f") +
        bytesOf({4}) + std::string("Left") + bytesOf({3, 0x2C, 0x01}) +                                 // 300 as int16
        bytesOf({5}) + std::string("Style") + bytesOf({11, 6}) + std::string("fsBold") + bytesOf({0}) + // set
        bytesOf({0}) +                                                                                  // end of props
        bytesOf({2}) + std::string("TB") + bytesOf({1}) + std::string("b") +                            // child
        bytesOf({7}) + std::string("Caption") + bytesOf({6, 2}) + std::string("Go") +                   //
        bytesOf({4}) + std::string("Data") + bytesOf({10, 2, 0, 0, 0, 1, 2}) +                          //
        bytesOf({7}) + std::string("Enabled") + bytesOf({8}) +                                          //
        bytesOf({5}) + std::string("Items") + bytesOf({14, 1, 1}) + std::string("V") + bytesOf({2, 0xFF, 0, 0}) +
        bytesOf({0, 0}) + // child: end of props, end of children
        bytesOf({0});     // root: end of children
    EXPECT_EQ(lirasto::WriteDesignStream(form), expected);
}

std::vector<uint8_t> smallStream()
{
    return lirasto::WriteDesignStream(lirasto::ParseDesignText("object f: TF\n"
                                                               "  I = 1000\n"
                                                               "  S = 'abc'\n"
                                                               "  L = ('x' 2 True)\n"
                                                               "  B = {0A0B0C}\n"
                                                               "  E = [a, b]\n"
                                                               "  C = <\n"
                                                               "    item\n"
                                                               "      D = {01}\n"
                                                               "    end>\n"
                                                               "  object g: TG\n"
                                                               "    N = clBlack\n"
                                                               "  end\n"
                                                               "end\n"));
}

// Every proper prefix of a stream is short: each is refused with a read error, never read as a design.
TEST(DesignStreamReader, RefusesEveryTruncation)
{
    const std::vector<uint8_t> full = smallStream();
    EXPECT_NO_THROW(lirasto::ReadDesignStream(full));
    for (std::size_t n = 0; n < full.size(); ++n) {
        const std::vector<uint8_t> prefix(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
        const ReadOutcome outcome = watchedRead(prefix);
        EXPECT_TRUE(outcome.failed) << "prefix of " << n << " bytes was accepted";
        EXPECT_NE(outcome.message.find("Invalid stream format"), std::string::npos) << outcome.message;
        EXPECT_LE(outcome.largest, prefix.size() + kNodeAllowance);
    }
}

struct CorruptRow
{
    const char* label;
    std::vector<uint8_t> stream;
    std::string message; // a fragment of the expected error text
};

std::vector<uint8_t> nestedLists(int depth)
{
    std::vector<uint8_t> props = bytesOf({1}) + std::string("P");
    props.insert(props.end(), static_cast<std::size_t>(depth), 1);
    props.insert(props.end(), static_cast<std::size_t>(depth), 0);
    return streamWithProperties(props);
}

std::vector<uint8_t> nestedComponents(int depth)
{
    std::vector<uint8_t> s = bytesOf({}) + std::string("TPF0");
    for (int i = 0; i < depth; ++i)
        s = s + bytesOf({2}) + std::string("TA") + bytesOf({1, 'A', 0});
    s.insert(s.end(), static_cast<std::size_t>(depth), 0);
    return s;
}

std::vector<uint8_t> nestedCollections(int depth)
{
    std::vector<uint8_t> props = bytesOf({1}) + std::string("P");
    for (int i = 0; i < depth; ++i)
        props = props + bytesOf({14, 1, 1}) + std::string("P");
    return streamWithProperties(props);
}

void PrintTo(const CorruptRow& row, std::ostream* os)
{
    *os << row.label;
}

std::vector<CorruptRow> corruptRows()
{
    const std::vector<uint8_t> p = bytesOf({1}) + std::string("P");
    return {
        {"Empty", {}, "bad signature at offset 0"},
        {"BadSignature", bytesOf({}) + std::string("TPF1") + bytesOf({2, 'T', 'A', 1, 'A', 0, 0}), "bad signature"},
        {"UnknownTag", streamWithProperties(p + bytesOf({5})), "unknown value tag 5 at offset 11"},
        {"NullTagAsValue", streamWithProperties(p + bytesOf({0})), "unknown value tag 0 at offset 11"},
        {"BinaryLengthPastEnd", streamWithProperties(p + bytesOf({10, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2})),
         "binary length 4294967295 runs past the end at offset 11"},
        {"BinaryLengthOneTooMany", streamWithProperties(p + bytesOf({10, 5, 0, 0, 0, 1, 2})),
         "binary length 5 runs past the end"},
        {"StringLengthPastEnd", streamWithProperties(p + bytesOf({6, 200, 'a'})),
         "string length 200 runs past the end"},
        {"ClassNameLengthPastEnd", bytesOf({}) + std::string("TPF0") + bytesOf({255, 'T'}),
         "class name length 255 runs past the end at offset 4"},
        {"EmptyClassName", bytesOf({}) + std::string("TPF0") + bytesOf({0, 1, 'A', 0, 0}), "empty class name"},
        {"EmptyIdentifier", streamWithProperties(p + bytesOf({7, 0})), "empty identifier"},
        {"BadCollectionMarker", streamWithProperties(p + bytesOf({14, 2, 0})), "collection item marker 2"},
        {"TrailingBytes", streamWithProperties({}) + bytesOf({0}), "unexpected bytes after the top component"},
        {"EndlessListNesting", nestedLists(10000), "nesting deeper than 64 levels"},
        {"EndlessComponentNesting", nestedComponents(10000), "nesting deeper than 64 levels"},
        {"EndlessCollectionNesting", nestedCollections(10000), "nesting deeper than 64 levels"},
        {"ListWithoutEnd", streamWithProperties(p + bytesOf({1, 2, 1, 2, 2})), "stream ends inside"},
    };
}

class DesignStreamCorruption : public testing::TestWithParam<CorruptRow>
{};

// A damaged stream ends in a read error that says what was wrong and where, allocating nothing it claims.
TEST_P(DesignStreamCorruption, FailsWithClearReadError)
{
    const CorruptRow& row = GetParam();
    const ReadOutcome outcome = watchedRead(row.stream);
    ASSERT_TRUE(outcome.failed);
    EXPECT_NE(outcome.message.find("Invalid stream format: "), std::string::npos) << outcome.message;
    EXPECT_NE(outcome.message.find(row.message), std::string::npos) << outcome.message;
    EXPECT_LE(outcome.largest, row.stream.size() + kNodeAllowance);
}

INSTANTIATE_TEST_SUITE_P(Damaged, DesignStreamCorruption, testing::ValuesIn(corruptRows()),
                         [](const testing::TestParamInfo<CorruptRow>& info) { return std::string(info.param.label); });

// The last depth that is accepted is 64; one more is refused.
TEST(DesignStreamReader, AcceptsNestingUpToTheLimit)
{
    EXPECT_NO_THROW(lirasto::ReadDesignStream(nestedComponents(lirasto::kMaxDesignDepth)));
    EXPECT_THROW(lirasto::ReadDesignStream(nestedComponents(lirasto::kMaxDesignDepth + 1)), EReadError);
    EXPECT_NO_THROW(lirasto::ReadDesignStream(nestedLists(lirasto::kMaxDesignDepth - 1)));
    EXPECT_THROW(lirasto::ReadDesignStream(nestedLists(lirasto::kMaxDesignDepth)), EReadError);
}

// Reading takes 16-bit integers little-endian and sign-extends 8-bit ones.
TEST(DesignStreamReader, ReadsIntegersOfBothWidths)
{
    const std::vector<uint8_t> p = bytesOf({1}) + std::string("P");
    const struct
    {
        std::vector<uint8_t> value;
        long long expected;
    } rows[] = {
        {bytesOf({2, 0x80}), -128},        {bytesOf({2, 0x7F}), 127},     {bytesOf({3, 0x00, 0x80}), -32768},
        {bytesOf({3, 0xFF, 0x7F}), 32767}, {bytesOf({3, 0x05, 0x00}), 5}, {bytesOf({3, 0xFE, 0xFF}), -2},
    };
    for (const auto& row : rows) {
        const DesignComponent c = lirasto::ReadDesignStream(streamWithProperties(p + row.value));
        ASSERT_EQ(c.Properties.size(), 1u);
        EXPECT_EQ(c.Properties[0].Value, DesignValue::MakeInteger(row.expected));
    }
}

struct UnwritableRow
{
    const char* label;
    DesignComponent component;
};

DesignComponent withValue(DesignValue v)
{
    return DesignComponent{"TA", "A", {DesignProperty{"P", std::move(v)}}, {}};
}

DesignComponent deepComponent(int depth)
{
    DesignComponent c{"TA", "A", {}, {}};
    for (int i = 1; i < depth; ++i)
        c = DesignComponent{"TA", "A", {}, {c}};
    return c;
}

// Values the stream cannot hold are refused when writing rather than stored wrongly.
TEST(DesignStreamWriter, RefusesValuesTheStreamCannotHold)
{
    const UnwritableRow rows[] = {
        {"IntegerAboveInt16", withValue(DesignValue::MakeInteger(32768))},
        {"IntegerBelowInt16", withValue(DesignValue::MakeInteger(-32769))},
        {"String256", withValue(DesignValue::MakeString(std::string(256, 'x')))},
        {"EmptySetElement", withValue(DesignValue::MakeSet({"a", ""}))},
        {"EmptyIdentifier", withValue(DesignValue::MakeIdentifier(""))},
        {"EmptyPropertyName", DesignComponent{"TA", "A", {DesignProperty{"", DesignValue::MakeInteger(1)}}, {}}},
        {"EmptyClassName", DesignComponent{"", "A", {}, {}}},
        {"TooDeep", deepComponent(lirasto::kMaxDesignDepth + 1)},
    };
    for (const UnwritableRow& row : rows)
        EXPECT_THROW(lirasto::WriteDesignStream(row.component), lirasto::Exception) << row.label;
    EXPECT_NO_THROW(lirasto::WriteDesignStream(deepComponent(lirasto::kMaxDesignDepth)));
}

} // namespace

namespace {

// The allocation bound above is only worth something if the watch sees real allocations.
TEST(DesignStreamReader, AllocationWatchSeesBinaryData)
{
    std::vector<uint8_t> props = bytesOf({1, 'P', 10, 0x10, 0x27, 0, 0}); // 10000 bytes
    props.insert(props.end(), 10000, 0xAB);
    const ReadOutcome outcome = watchedRead(streamWithProperties(props));
    EXPECT_FALSE(outcome.failed) << outcome.message;
    EXPECT_GE(outcome.largest, 10000u);
}

} // namespace

namespace {

// A stream with a binary property P of the given size, filled with 0xAB, beside an integer property Q.
std::vector<uint8_t> streamWithBinary(uint32_t size)
{
    std::vector<uint8_t> props =
        bytesOf({1, 'P', 10, int(size & 0xFF), int(size >> 8 & 0xFF), int(size >> 16 & 0xFF), int(size >> 24)});
    props.insert(props.end(), size, 0xAB);
    return streamWithProperties(props + bytesOf({1, 'Q', 2, 7}));
}

// Binary values read in place point into the stream itself, so reading them copies none of their bytes.
TEST(DesignStreamViewedBinaries, PointIntoTheStreamWithoutCopying)
{
    for (const uint32_t size : {0u, 1u, 100000u}) {
        const std::vector<uint8_t> stream = streamWithBinary(size);
        largestAllocation = 0;
        watching = true;
        const DesignComponent c = lirasto::ReadDesignStream(stream, lirasto::DesignBinaries::Viewed);
        watching = false;
        EXPECT_LT(largestAllocation.load(), kNodeAllowance) << size;
        const std::span<const uint8_t> data = c.Property("P")->Value.Binary();
        EXPECT_EQ(data.size(), size);
        EXPECT_EQ(data.data(), stream.data() + 4 + 3 + 2 + 7) << size; // signature, class, name, header of P
        EXPECT_TRUE(c.Property("P")->Value.Bytes.empty());
        EXPECT_EQ(c.Property("Q")->Value, DesignValue::MakeInteger(7));
    }
}

// A tree with viewed binaries equals the copied tree and writes back the very same stream.
TEST(DesignStreamViewedBinaries, CompareAndWriteLikeCopiedOnes)
{
    for (const uint32_t size : {0u, 3u, 70000u}) {
        const std::vector<uint8_t> stream = streamWithBinary(size);
        const DesignComponent viewed = lirasto::ReadDesignStream(stream, lirasto::DesignBinaries::Viewed);
        const DesignComponent copied = lirasto::ReadDesignStream(stream);
        EXPECT_EQ(copied.Property("P")->Value.Binary().size(), size);
        EXPECT_NE(copied.Property("P")->Value.Binary().data(), stream.data() + 16);
        EXPECT_EQ(viewed, copied) << size;
        EXPECT_EQ(lirasto::WriteDesignStream(viewed), stream) << size;
    }
    const std::vector<uint8_t> other = {1, 2, 3};
    EXPECT_NE(DesignValue::MakeBinaryView(other), DesignValue::MakeBinary({1, 2, 4}));
    EXPECT_EQ(DesignValue::MakeBinaryView(other), DesignValue::MakeBinary({1, 2, 3}));
}

// A binary count that runs past the end is refused in place just as when copying.
TEST(DesignStreamViewedBinaries, RefuseCountsPastTheEnd)
{
    std::vector<uint8_t> stream = streamWithBinary(1000);
    stream.resize(stream.size() - 10);
    EXPECT_THROW(lirasto::ReadDesignStream(stream, lirasto::DesignBinaries::Viewed), EReadError);
}

} // namespace
