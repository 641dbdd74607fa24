#pragma once

#include <filesystem>

namespace lirasto::test {

// A fresh directory that is removed with everything in it when the object goes.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Makes the given directory the working directory until the object goes.
class WorkingDirectory
{
public:
    explicit WorkingDirectory(const std::filesystem::path& dir);
    ~WorkingDirectory();

private:
    std::filesystem::path previous_;
};

} // namespace lirasto::test
