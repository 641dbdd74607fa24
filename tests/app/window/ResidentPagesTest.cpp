#include "app/window/ResidentPages.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <vector>

namespace {

const std::size_t kPage = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));

// Eight pages of a file mapped read-only and privately, as the program's constants are, and all read:
// only the pages wholly inside the bytes go, and every byte reads as written afterwards.
TEST(ResidentPages, GivesBackOnlyWholePagesOfTheFileAndKeepsEveryByte)
{
    std::vector<uint8_t> written(8 * kPage);
    for (std::size_t i = 0; i < written.size(); ++i)
        written[i] = static_cast<uint8_t>(i * 7 + i / kPage);
    FILE* file = tmpfile();
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(fwrite(written.data(), 1, written.size(), file), written.size());
    ASSERT_EQ(fflush(file), 0);
    auto* bytes = static_cast<uint8_t*>(mmap(nullptr, written.size(), PROT_READ, MAP_PRIVATE, fileno(file), 0));
    ASSERT_NE(bytes, MAP_FAILED);
    ASSERT_EQ(std::vector<uint8_t>(bytes, bytes + written.size()), written);

    EXPECT_EQ(ReleaseReadOnlyPages({bytes + 1, kPage - 1}), 0u);
    EXPECT_EQ(ReleaseReadOnlyPages({bytes + kPage / 2, kPage}), 0u);
    EXPECT_EQ(ReleaseReadOnlyPages({bytes + kPage / 2, 5 * kPage}), 4 * kPage);
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + written.size()), written);

    // A page written before it was made read-only (as the loader does with relocated constants) is a
    // copy: giving it back would bring back the file's bytes.
    ASSERT_EQ(mprotect(bytes, written.size(), PROT_READ | PROT_WRITE), 0);
    written[3 * kPage + 5] = bytes[3 * kPage + 5] ^= 0xFF;
    ASSERT_EQ(mprotect(bytes, written.size(), PROT_READ), 0);
    EXPECT_EQ(ReleaseReadOnlyPages({bytes, written.size()}), 0u);
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + written.size()), written);
    munmap(bytes, written.size());
    fclose(file);

    // Writable memory would lose its contents.
    std::vector<uint8_t> heap(written);
    EXPECT_EQ(ReleaseReadOnlyPages(heap), 0u);
    EXPECT_EQ(heap, written);
}

} // namespace
