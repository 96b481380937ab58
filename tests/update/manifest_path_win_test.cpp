#include "update/manifest_path_win.h"

#include <gtest/gtest.h>

namespace dkl {
namespace {

TEST(ResolveManifestPath, JoinsEachComponentAsOneElementUnderTheBase) {
  std::filesystem::path resolved;
  ASSERT_TRUE(ResolveManifestPath(L"C:\\Games\\Duskhaven", "data/pack/Niño.dat", resolved));
  EXPECT_EQ(resolved.native(), L"C:\\Games\\Duskhaven\\data\\pack\\Ni\u00f1o.dat");
}

TEST(ResolveManifestPath, RefusedPathsLeaveTheResultAlone) {
  for (const char* path : {"", "../evil.dll", "a/../../b", "c:/windows/x", "a\\b", "bin/", "/abs", "aux"}) {
    std::filesystem::path resolved = L"untouched";
    EXPECT_FALSE(ResolveManifestPath(L"C:\\Games", path, resolved)) << path;
    EXPECT_EQ(resolved, L"untouched") << path;
  }
}

}  // namespace
}  // namespace dkl
