#pragma once

#include <filesystem>

#include "base/status.h"
#include "update/manifest.h"

namespace dkl {

// Turns a downloaded part file into the finished file, proved to have the entry's size and SHA-256:
// inflated when the entry has gz, otherwise proved in place and renamed. The part file is gone
// afterwards in every case; a finished file that fails the proof is deleted too.
Status UnpackPart(const std::filesystem::path& part_file, const FileEntry& entry,
                  const std::filesystem::path& finished_file);

}  // namespace dkl
