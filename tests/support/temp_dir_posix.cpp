#include "support/temp_dir_posix.h"

#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace dkl::testing {

TempDir::TempDir() {
  // mkdtemp picks a name no other folder has, whatever earlier runs left behind.
  std::string pattern = (std::filesystem::temp_directory_path() / "dkl-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a test folder");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

void WriteFile(const std::filesystem::path& path, std::string_view content) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

}  // namespace dkl::testing
