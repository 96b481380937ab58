// What one listed file looks like on disk now: the quick check or the full check.
#pragma once

#include <filesystem>
#include <optional>

#include "update/install_state.h"
#include "update/manifest.h"

namespace dkl {

// The file's current `Known`, or none when it is missing, not a regular file, behind a refused path
// or unreadable. A file of the wrong size is never read (its sha256 stays empty); with `verify`
// unset, a file whose size and mtime match `remembered` is not read either and yields `remembered`.
std::optional<Known> ExamineFile(const std::filesystem::path& game_folder, const FileEntry& entry,
                                 const Known* remembered, bool verify);

}  // namespace dkl
