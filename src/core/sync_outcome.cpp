#include "core/sync_outcome.h"

#include <nlohmann/json.hpp>

#include "base/json_object.h"

namespace dkl {
namespace {

nlohmann::json TextOrNull(const std::optional<std::string>& text) {
  return text ? nlohmann::json(*text) : nlohmann::json(nullptr);
}

}  // namespace

std::string_view UpdatePhaseName(UpdatePhase phase) {
  switch (phase) {
    case UpdatePhase::Searching: return "Searching";
    case UpdatePhase::QuickCheck: return "QuickCheck";
    case UpdatePhase::FullCheck: return "FullCheck";
    case UpdatePhase::Downloading: return "Downloading";
    case UpdatePhase::SelfUpdating: return "SelfUpdating";
    case UpdatePhase::Ready: return "Ready";
    case UpdatePhase::Offline: return "Offline";
    case UpdatePhase::Failed: return "Failed";
  }
  return "Unknown";
}

std::string SyncOutcomeJson(const SyncOutcome& outcome) {
  nlohmann::json document = nlohmann::json::object();
  document["kind"] = UpdatePhaseName(outcome.kind);
  document["installed_version"] = TextOrNull(outcome.installed_version);
  document["available_version"] = TextOrNull(outcome.available_version);
  document["playable"] = outcome.playable;
  document["restart"] = outcome.restart;
  document["error"] = nullptr;
  if (outcome.error) {
    document["error"] = {{"kind", StatusWord(outcome.error->kind)}, {"message", outcome.error->message}};
  }
  return DumpJson(document, -1);
}

}  // namespace dkl
