#include "tests/fuzz/FuzzCheck.h"

#include "app/settings/Settings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

std::string settingsPath;

// The settings file as the user's editor might leave it.
void writeFile(const uint8_t* data, std::size_t size)
{
    const int fd = ::open(settingsPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    FUZZ_CHECK(fd >= 0);
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = ::write(fd, data + done, size - done);
        FUZZ_CHECK(n > 0);
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

std::string readFile()
{
    std::string contents;
    const int fd = ::open(settingsPath.c_str(), O_RDONLY | O_CLOEXEC);
    FUZZ_CHECK(fd >= 0);
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        contents.append(buffer, static_cast<std::size_t>(n));
    ::close(fd);
    return contents;
}

// Storing a value touches one line at most: whatever differs between the old and the new file lies within
// a single line of the old one (a replaced value), or is a pure insertion.
bool changedWithinOneLine(std::string_view before, std::string_view after)
{
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    return before.substr(prefix, before.size() - prefix - suffix).find('\n') == std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A memory-backed directory keeps the one file per input cheap.
    const char* base =
        ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
    std::string dir = std::string(base) + "/lirasto-fuzz-settings-XXXXXX";
    FUZZ_CHECK(::mkdtemp(dir.data()) != nullptr);
    settingsPath = dir + "/vantrel.ini";
    return 0;
}

// Whatever the file holds, the stored level reads as one the game can play; storing a level always succeeds
// on a writable file, reading it back gives that level, and every other line stays as it was.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    writeFile(data, size);
    const int level = lirasto::settings::ReadLevel(settingsPath);
    FUZZ_CHECK(level >= lirasto::settings::kMinLevel && level <= lirasto::settings::kMaxLevel);

    const int stored = static_cast<int>(size % lirasto::settings::kMaxLevel) + lirasto::settings::kMinLevel;
    FUZZ_CHECK(lirasto::settings::WriteLevel(stored, settingsPath));
    FUZZ_CHECK(lirasto::settings::ReadLevel(settingsPath) == stored);
    FUZZ_CHECK(changedWithinOneLine(std::string_view(reinterpret_cast<const char*>(data), size), readFile()));
    return 0;
}
