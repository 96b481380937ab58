#pragma once

#include <filesystem>

#include "base/status.h"
#include "update/manifest.h"

namespace dkl {

// Turns a downloaded part file into the finished file: inflated when the entry has gz, copied
// otherwise, and proved to have the entry's size and SHA-256. The part file is deleted in every case
// once the finished file exists; a finished file that fails the proof is deleted too.
Status UnpackPart(const std::filesystem::path& part_file, const FileEntry& entry,
                  const std::filesystem::path& finished_file);

}  // namespace dkl
