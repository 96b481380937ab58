// Strict JSON parsing for the launcher's own files: never throws, never accepts comments.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "base/bytes.h"

namespace dkl {

// The document when `bytes` hold exactly one JSON object (white space around it allowed);
// an empty object for anything else: a parse error, an array, a string, a number.
nlohmann::json ParseJsonObject(ByteView bytes);

// Serialises with `indent` spaces per level (-1: compact), keys in byte order, UTF-8 unescaped.
std::string DumpJson(const nlohmann::json& document, int indent);

}  // namespace dkl
