// Strict JSON parsing for the launcher's own files: never throws, never accepts comments.
#pragma once

#include <cstddef>
#include <string>

#include <nlohmann/json.hpp>

#include "base/bytes.h"

namespace dkl {

// Deeper documents are refused: copying, comparing and writing a document recurse once per level, and
// a file of a few megabytes could nest deep enough to exhaust a thread's stack.
inline constexpr std::size_t kMaxJsonLevels = 512;

// The document when `bytes` hold exactly one JSON object (white space around it allowed) nested at
// most kMaxJsonLevels levels deep; an empty object for anything else: a parse error, an array, a
// string, a number, a deeper nesting.
nlohmann::json ParseJsonObject(ByteView bytes);

// Serialises with `indent` spaces per level (-1: compact), keys in byte order, UTF-8 unescaped.
std::string DumpJson(const nlohmann::json& document, int indent);

}  // namespace dkl
