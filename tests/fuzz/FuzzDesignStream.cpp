#include "tests/fuzz/FuzzCheck.h"

#include "core/Errors.h"
#include "resources/DesignStream.h"

#include <cstddef>
#include <cstdint>
#include <span>

// Any bytes either read as a design tree or fail with EReadError; a tree that was read and can be written
// again reads back the same.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    lirasto::DesignComponent tree;
    try {
        tree = lirasto::readDesignStream(std::span<const uint8_t>(data, size));
    } catch (const lirasto::EReadError&) {
        return 0;
    }
    std::vector<uint8_t> written;
    try {
        written = lirasto::writeDesignStream(tree);
    } catch (const lirasto::Exception&) {
        return 0; // the reader accepts a few values the writer refuses to store
    }
    FUZZ_CHECK(lirasto::readDesignStream(written) == tree);
    return 0;
}
