#include "base/json_object.h"

namespace dkl {

nlohmann::json ParseJsonObject(ByteView bytes) {
  constexpr bool kAllowExceptions = false;
  constexpr bool kIgnoreComments = false;
  nlohmann::json document =
      nlohmann::json::parse(bytes.begin(), bytes.end(), nullptr, kAllowExceptions, kIgnoreComments);
  if (document.is_discarded() || !document.is_object()) return nlohmann::json::object();
  return document;
}

std::string DumpJson(const nlohmann::json& document, int indent) {
  // Replacing instead of throwing: a string that is not valid UTF-8 must not end the program.
  return document.dump(indent, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace dkl
