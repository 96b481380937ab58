// What one update run ends with: the record the window adopts, and that dklctl prints.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/status.h"
#include "core/launcher_state.h"

namespace dkl {

struct SyncOutcome {
  UpdatePhase kind = UpdatePhase::Failed;  // only SelfUpdating, Ready, Offline or Failed
  std::optional<std::string> installed_version;
  std::optional<std::string> available_version;
  bool playable = false;
  std::optional<Status> error;  // present only for Offline and Failed
  bool restart = false;         // the launcher was replaced and must start again
};

// "Searching", "QuickCheck", …: the phase's name as written in code.
std::string_view UpdatePhaseName(UpdatePhase phase);

// One compact JSON object: every member of the outcome, absent values as null, the kind by name
// and the error's kind by its log word.
std::string SyncOutcomeJson(const SyncOutcome& outcome);

}  // namespace dkl
