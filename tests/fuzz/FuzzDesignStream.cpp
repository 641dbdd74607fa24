#include "tests/fuzz/FuzzCheck.h"

#include "core/Errors.h"
#include "resources/DesignStream.h"

#include <cstddef>
#include <cstdint>
#include <span>

using lirasto::DesignBinaries;
using lirasto::DesignComponent;
using lirasto::DesignProperty;
using lirasto::DesignValue;
using lirasto::DesignValueKind;

namespace {

std::span<const uint8_t> input;

// A binary value read in place must lie wholly inside the stream it was read from.
void checkViews(const DesignValue& value);

void checkViews(const std::vector<DesignProperty>& properties)
{
    for (const DesignProperty& p : properties)
        checkViews(p.Value);
}

void checkViews(const DesignValue& value)
{
    if (value.Kind == DesignValueKind::Binary && !value.Binary().empty()) {
        const uint8_t* begin = value.Binary().data();
        FUZZ_CHECK(value.Bytes.empty() && begin >= input.data() &&
                   begin + value.Binary().size() <= input.data() + input.size());
    }
    for (const DesignValue& item : value.List)
        checkViews(item);
    for (const auto& item : value.Items)
        checkViews(item);
}

void checkViews(const DesignComponent& component)
{
    checkViews(component.Properties);
    for (const DesignComponent& child : component.Children)
        checkViews(child);
}

} // namespace

// Any bytes either read as a design tree or fail with EReadError, the same whether binary values are copied
// or viewed in place; a tree that was read and can be written again reads back the same.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    input = std::span<const uint8_t>(data, size);
    DesignComponent tree;
    bool copiedFailed = false;
    try {
        tree = lirasto::ReadDesignStream(input);
    } catch (const lirasto::EReadError&) {
        copiedFailed = true;
    }
    try {
        const DesignComponent viewed = lirasto::ReadDesignStream(input, DesignBinaries::Viewed);
        FUZZ_CHECK(!copiedFailed && viewed == tree);
        checkViews(viewed);
    } catch (const lirasto::EReadError&) {
        FUZZ_CHECK(copiedFailed);
    }
    if (copiedFailed)
        return 0;

    std::vector<uint8_t> written;
    try {
        written = lirasto::WriteDesignStream(tree);
    } catch (const lirasto::Exception&) {
        return 0; // the reader accepts a few values the writer refuses to store
    }
    FUZZ_CHECK(lirasto::ReadDesignStream(written) == tree);
    return 0;
}
