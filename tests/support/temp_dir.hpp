// A fresh temporary directory per test, removed with everything in it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vexl::testing {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes a file under the directory and returns its full path.
    std::string write(const std::string& relative, const std::vector<uint8_t>& bytes) const;

  private:
    std::filesystem::path path_;
};

// Runs the enclosing test from inside the directory, restoring the old one.
class WorkingDirectory {
  public:
    explicit WorkingDirectory(const std::filesystem::path& directory);
    ~WorkingDirectory();

  private:
    std::filesystem::path previous_;
};

} // namespace vexl::testing
