// What the launcher's self-update decides and names without asking the platform.
#pragma once

#include <string_view>

#include "update/manifest.h"

namespace dkl {

// Inside the executable's folder: where the verified new launcher waits for the swap.
inline constexpr wchar_t kSelfUpdateFolderName[] = L".dklauncher-self";
// Appended to the executable's full name: the previous launcher, deleted at the next start.
inline constexpr wchar_t kOldLauncherSuffix[] = L".old";

// True when `published_version` is higher than the running launcher's version.
bool IsNewerLauncher(std::string_view published_version);

// The published launcher as an object to fetch, named "launcher" in the fetch's messages.
FileEntry LauncherObjectEntry(const LauncherEntry& launcher);

}  // namespace dkl
