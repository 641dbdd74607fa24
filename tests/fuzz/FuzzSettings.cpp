#include "tests/fuzz/FuzzCheck.h"

#include "app/Settings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <string>
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
// on a writable file, and reading it back gives that level.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    writeFile(data, size);
    const int level = settings::ReadLevel(settingsPath);
    FUZZ_CHECK(level >= settings::kMinLevel && level <= settings::kMaxLevel);

    const int stored = static_cast<int>(size % settings::kMaxLevel) + settings::kMinLevel;
    FUZZ_CHECK(settings::WriteLevel(stored, settingsPath));
    FUZZ_CHECK(settings::ReadLevel(settingsPath) == stored);
    return 0;
}
