#include "update/manifest_path_win.h"

#include "base/text_win.h"
#include "update/manifest_validation.h"

namespace dkl {

bool ResolveManifestPath(const std::filesystem::path& base, std::string_view manifest_path,
                         std::filesystem::path& resolved) {
  const auto components = SplitManifestPath(manifest_path);
  if (!components) return false;
  std::filesystem::path joined = base;
  for (const std::string_view component : *components) joined /= Utf8ToWide(component);
  resolved = std::move(joined);
  return true;
}

}  // namespace dkl
