#include "app/window/ResidentPages.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <vector>

namespace {

const std::size_t kPage = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));

bool Resident(const uint8_t* at)
{
    const int pagemap = open("/proc/self/pagemap", O_RDONLY | O_CLOEXEC);
    uint64_t entry = 0;
    const off_t offset = static_cast<off_t>(reinterpret_cast<uintptr_t>(at) / kPage * sizeof entry);
    const bool read = pagemap >= 0 && pread(pagemap, &entry, sizeof entry, offset) == sizeof entry;
    if (pagemap >= 0)
        close(pagemap);
    return read && (entry >> 63) != 0;
}

// Eight pages of a file mapped read-only and privately, as the program's constants are, each read once.
struct MappedFile
{
    static constexpr std::size_t kPages = 8;
    std::vector<uint8_t> written;
    uint8_t* bytes = nullptr;

    MappedFile()
    {
        char path[] = "/tmp/residentpagesXXXXXX";
        const int fd = mkstemp(path);
        written.resize(kPages * kPage);
        for (std::size_t i = 0; i < written.size(); ++i)
            written[i] = static_cast<uint8_t>(i * 7 + i / kPage);
        EXPECT_EQ(write(fd, written.data(), written.size()), static_cast<ssize_t>(written.size()));
        bytes = static_cast<uint8_t*>(mmap(nullptr, written.size(), PROT_READ, MAP_PRIVATE, fd, 0));
        close(fd);
        unlink(path);
        long sum = 0;
        for (std::size_t i = 0; i < written.size(); i += kPage)
            sum += bytes[i];
        EXPECT_GE(sum, 0);
    }
    ~MappedFile() { munmap(bytes, written.size()); }
};

// Only the pages wholly inside the bytes are given back; the pages the bytes share with their
// neighbours stay, and every byte reads as written afterwards.
TEST(ResidentPages, GivesBackWholePagesInsideAndKeepsTheBytes)
{
    MappedFile file;
    ASSERT_NE(file.bytes, MAP_FAILED);
    const std::span<const uint8_t> inside(file.bytes + kPage / 2, 5 * kPage);
    EXPECT_EQ(ReleaseReadOnlyPages(inside), 4 * kPage);
    EXPECT_TRUE(Resident(file.bytes));
    for (std::size_t page = 1; page <= 4; ++page)
        EXPECT_FALSE(Resident(file.bytes + page * kPage)) << page;
    EXPECT_TRUE(Resident(file.bytes + 5 * kPage));
    EXPECT_EQ(std::vector<uint8_t>(file.bytes, file.bytes + file.written.size()), file.written);
}

TEST(ResidentPages, BytesWithinOnePageGiveNothingBack)
{
    MappedFile file;
    ASSERT_NE(file.bytes, MAP_FAILED);
    EXPECT_EQ(ReleaseReadOnlyPages({file.bytes + 1, kPage - 1}), 0u);
    EXPECT_EQ(ReleaseReadOnlyPages({file.bytes + kPage / 2, kPage}), 0u);
    EXPECT_EQ(ReleaseReadOnlyPages({}), 0u);
    EXPECT_TRUE(Resident(file.bytes + kPage));
}

// Writable memory would lose its contents: it is left alone.
TEST(ResidentPages, LeavesWritableMemoryAlone)
{
    std::vector<uint8_t> heap(16 * kPage);
    for (std::size_t i = 0; i < heap.size(); ++i)
        heap[i] = static_cast<uint8_t>(i % 251 + 1);
    const std::vector<uint8_t> before = heap;
    EXPECT_EQ(ReleaseReadOnlyPages(heap), 0u);
    EXPECT_EQ(heap, before);

    void* anonymous = mmap(nullptr, 4 * kPage, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(anonymous, MAP_FAILED);
    EXPECT_EQ(ReleaseReadOnlyPages({static_cast<const uint8_t*>(anonymous), 4 * kPage}), 0u);
    munmap(anonymous, 4 * kPage);
}

// A page written before its mapping was made read-only (as the loader does with relocated constants)
// differs from the file: giving it back would bring back the file's bytes.
TEST(ResidentPages, KeepsPagesWrittenBeforeTheyWereMadeReadOnly)
{
    MappedFile file;
    ASSERT_NE(file.bytes, MAP_FAILED);
    ASSERT_EQ(mprotect(file.bytes, file.written.size(), PROT_READ | PROT_WRITE), 0);
    file.bytes[3 * kPage + 5] ^= 0xFF;
    ASSERT_EQ(mprotect(file.bytes, file.written.size(), PROT_READ), 0);
    file.written[3 * kPage + 5] ^= 0xFF;
    EXPECT_EQ(ReleaseReadOnlyPages({file.bytes, file.written.size()}), 0u);
    EXPECT_EQ(std::vector<uint8_t>(file.bytes, file.bytes + file.written.size()), file.written);
}

} // namespace
