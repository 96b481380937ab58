// Standard Base64 with padding, as the signed envelope carries the manifest and its signature.
#pragma once

#include <string>
#include <string_view>

#include "base/bytes.h"

namespace dkl {

// Decodes strictly: trailing tab, LF, CR and space and leading space and tab are dropped; anything else
// outside the standard alphabet (inner line breaks, '-', '_', misplaced '=') fails. Failure and an
// empty input both give an empty result, and callers treat both alike.
Bytes DecodeBase64(std::string_view text);

// Standard alphabet with padding, no line breaks.
std::string EncodeBase64(ByteView bytes);

}  // namespace dkl
