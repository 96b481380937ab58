// A fresh folder under the temporary folder, removed with everything in it afterwards. Each build
// creates it its own way (temp_dir_win.cpp, temp_dir_posix.cpp); the file helpers are shared.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace dkl::testing {

class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& child) const { return path_ / child; }

 private:
  std::filesystem::path path_;
};

// Writes `content` to `path` directly (not atomically), creating parent folders.
void WriteFile(const std::filesystem::path& path, std::string_view content);

// The whole content of `path`, or an empty string when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);

}  // namespace dkl::testing
