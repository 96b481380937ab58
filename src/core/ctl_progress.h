// The live progress of an update run as one line of text, for dklctl's stderr.
#pragma once

#include <cstdint>
#include <string>

#include "core/launcher_state.h"

namespace dkl {

struct ProgressSnapshot {
  UpdatePhase phase = UpdatePhase::Searching;
  std::uint64_t files_done = 0;
  std::uint64_t files_total = 0;
  std::uint64_t bytes_done = 0;
  std::uint64_t bytes_total = 0;
  std::string current_item;

  bool operator==(const ProgressSnapshot&) const = default;
};

// Each counter read once, the current item copied under its lock.
ProgressSnapshot TakeSnapshot(UpdateProgress& progress);

// "QuickCheck 120/4000 files", "Downloading 3/9 files, 1.5/12.0 MiB data/a.pak", "Ready".
std::string FormatProgressLine(const ProgressSnapshot& snapshot);

}  // namespace dkl
