#include "support/file_hold_win.h"

#include <gtest/gtest.h>

namespace dkl::testing {

UniqueHandle HoldWithoutSharing(const std::filesystem::path& path) {
  UniqueHandle held(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  EXPECT_TRUE(held) << "cannot hold " << path.string();
  return held;
}

}  // namespace dkl::testing
