// The game folder as the manifest will list it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/status.h"

namespace dkl::publish {

struct GameFile {
  std::string path;  // relative, components joined with '/'
  std::uint64_t size = 0;
};

// Every regular file under `root`, sorted by path in byte order so that the same folder always
// yields the same manifest. Kind manifest, listing every path that cannot be published (links,
// special files, names that are not UTF-8 or that the launcher's path rules refuse), one per
// line; kind io when the folder cannot be read.
Status ScanGameFolder(const std::filesystem::path& root, std::vector<GameFile>& files);

}  // namespace dkl::publish
