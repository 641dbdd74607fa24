#include "tests/support/TempDir.h"

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <system_error>

namespace lirasto::test {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "lirasto-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary directory");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    // A test may have made the directory read-only; give the owner back the write bit first.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

WorkingDirectory::WorkingDirectory(const std::filesystem::path& dir) : previous_(std::filesystem::current_path())
{
    std::filesystem::current_path(dir);
}

WorkingDirectory::~WorkingDirectory()
{
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
}

} // namespace lirasto::test
