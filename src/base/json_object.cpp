#include "base/json_object.h"

#include <utility>
#include <vector>

namespace dkl {
namespace {

// Walks the document without recursing, which is the point.
bool NestsDeeperThan(const nlohmann::json& document, std::size_t max_levels) {
  std::vector<std::pair<const nlohmann::json*, std::size_t>> pending{{&document, 1}};
  while (!pending.empty()) {
    const auto [value, level] = pending.back();
    pending.pop_back();
    if (!value->is_structured()) continue;
    if (level > max_levels) return true;
    for (const nlohmann::json& child : *value) pending.emplace_back(&child, level + 1);
  }
  return false;
}

}  // namespace

nlohmann::json ParseJsonObject(ByteView bytes) {
  constexpr bool kAllowExceptions = false;
  constexpr bool kIgnoreComments = false;
  nlohmann::json document =
      nlohmann::json::parse(bytes.begin(), bytes.end(), nullptr, kAllowExceptions, kIgnoreComments);
  if (document.is_discarded() || !document.is_object() || NestsDeeperThan(document, kMaxJsonLevels)) {
    return nlohmann::json::object();
  }
  return document;
}

std::string DumpJson(const nlohmann::json& document, int indent) {
  // Replacing instead of throwing: a string that is not valid UTF-8 must not end the program.
  return document.dump(indent, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace dkl
