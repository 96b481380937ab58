#include "core/self_update.h"

#include "core/version.h"
#include "core/version_compare.h"

namespace dkl {

bool IsNewerLauncher(std::string_view published_version) {
  return CompareVersions(published_version, LauncherVersion) > 0;
}

FileEntry LauncherObjectEntry(const LauncherEntry& launcher) {
  return FileEntry{"launcher", launcher.sha256, launcher.size, launcher.gz};
}

}  // namespace dkl
