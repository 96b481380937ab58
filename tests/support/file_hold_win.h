// Another program's handle on a file, as the launcher meets it in a player's game folder.
#pragma once

#include <filesystem>

#include "base/unique_handle_win.h"

namespace dkl::testing {

// Opens `path` for reading while sharing nothing, so that any other open for reading fails until
// the handle closes. Fails the test when the file cannot be opened.
UniqueHandle HoldWithoutSharing(const std::filesystem::path& path);

}  // namespace dkl::testing
