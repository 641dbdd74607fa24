#include "app/window/ResidentPages.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <iterator>

#include <cstdio>
#include <cstring>

namespace {

// Whether [first, last) lies inside a single mapping of a file that the process can only read.
bool inReadOnlyFileMapping(uintptr_t first, uintptr_t last)
{
    std::FILE* maps = std::fopen("/proc/self/maps", "re");
    if (!maps)
        return false;
    bool found = false;
    char line[4096];
    while (!found && std::fgets(line, sizeof line, maps)) {
        unsigned long start = 0, end = 0, inode = 0;
        char permissions[5] = {};
        int pathAt = 0;
        if (std::sscanf(line, "%lx-%lx %4s %*s %*s %lu %n", &start, &end, permissions, &inode, &pathAt) < 4)
            continue;
        if (first < start || last > end)
            continue;
        // An inode and a path: a file, not the heap, a stack or anonymous memory; no write permission,
        // so no page can differ from the file.
        found = inode != 0 && line[pathAt] == '/' && permissions[1] == '-';
        break;
    }
    std::fclose(maps);
    return found;
}

// Whether every page in [first, last) that is in memory or swapped out is the file's own page. A
// read-only mapping can still hold private copies written before it was made read-only (the
// relocated constants that the loader protects after writing them); giving those back would bring
// back the file's unrelocated bytes.
bool onlyFilePages(uintptr_t first, uintptr_t last, uintptr_t page)
{
    const int pagemap = open("/proc/self/pagemap", O_RDONLY | O_CLOEXEC);
    if (pagemap < 0)
        return false;
    constexpr uint64_t kPresent = uint64_t(1) << 63, kSwapped = uint64_t(1) << 62, kFileOrShared = uint64_t(1) << 61;
    uint64_t entries[512];
    bool onlyFile = true;
    for (uintptr_t at = first; onlyFile && at < last;) {
        const std::size_t count = std::min<std::size_t>(std::size(entries), (last - at) / page);
        const auto want = static_cast<ssize_t>(count * sizeof entries[0]);
        if (pread(pagemap, entries, static_cast<std::size_t>(want), static_cast<off_t>(at / page * sizeof entries[0])) != want) {
            onlyFile = false;
            break;
        }
        for (std::size_t i = 0; i < count && onlyFile; ++i)
            if ((entries[i] & (kPresent | kSwapped)) && !(entries[i] & kFileOrShared))
                onlyFile = false;
        at += count * page;
    }
    close(pagemap);
    return onlyFile;
}

} // namespace

std::size_t ReleaseReadOnlyPages(std::span<const uint8_t> bytes)
{
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pageSize <= 0 || bytes.empty())
        return 0;
    const uintptr_t page = static_cast<uintptr_t>(pageSize);
    const uintptr_t begin = reinterpret_cast<uintptr_t>(bytes.data());
    const uintptr_t end = begin + bytes.size();
    // Only pages wholly inside the bytes: their neighbours may hold other constants still in use.
    const uintptr_t first = (begin + page - 1) & ~(page - 1);
    const uintptr_t last = end & ~(page - 1);
    if (first >= last || !inReadOnlyFileMapping(first, last) || !onlyFilePages(first, last, page))
        return 0;
    if (madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED) != 0)
        return 0;
    return last - first;
}
