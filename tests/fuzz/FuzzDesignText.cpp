#include "tests/fuzz/FuzzCheck.h"

#include "core/Errors.h"
#include "resources/DesignText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Artwork references resolve to their own name's bytes, so the fuzzer reaches the binary values without files;
// long names are refused as a real loader refuses unknown files.
std::vector<uint8_t> artwork(const std::string& name)
{
    if (name.size() > 32)
        throw lirasto::Exception("no artwork named " + name);
    return std::vector<uint8_t>(name.begin(), name.end());
}

} // namespace

// Any text either parses or fails with EReadError; a parsed tree written as text parses back the same, and
// so does one written as a binary stream.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    lirasto::DesignComponent tree;
    try {
        tree = lirasto::ParseDesignText(text, artwork);
    } catch (const lirasto::EReadError&) {
        return 0;
    }
    const std::string written = lirasto::WriteDesignText(tree);
    FUZZ_CHECK(lirasto::ParseDesignText(written) == tree);

    // The design compiler's own path: text to binary stream, which the program reads back the same.
    std::vector<uint8_t> stream;
    try {
        stream = lirasto::WriteDesignStream(tree);
    } catch (const lirasto::Exception&) {
        return 0; // values the stream cannot hold, such as integers beyond 16 bits, are refused
    }
    FUZZ_CHECK(lirasto::ReadDesignStream(stream) == tree);
    return 0;
}
