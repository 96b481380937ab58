#include "support/temp_dir.h"

#include <stdlib.h>

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

}  // namespace dkl::testing
