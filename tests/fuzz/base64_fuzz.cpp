// Base64 as the envelope carries the manifest and its signature.
#include "fuzz/fuzz_target.h"
#include "update/base64.h"

namespace dkl::fuzz {
namespace {

void DecodeAndEncode(ByteView input) {
  const std::string_view text = AsText(input);
  const Bytes decoded = DecodeBase64(text);
  // At most three bytes for every four characters, and what was decoded encodes and decodes back.
  FUZZ_CHECK(decoded.size() <= text.size() / 4 * 3);
  if (!decoded.empty()) FUZZ_CHECK(DecodeBase64(EncodeBase64(decoded)) == decoded);

  // Any bytes survive the way through the text form.
  if (!input.empty()) FUZZ_CHECK(DecodeBase64(EncodeBase64(input)) == Bytes(input.begin(), input.end()));
}

}  // namespace
}  // namespace dkl::fuzz

DKL_FUZZ_TARGET("base64", dkl::fuzz::DecodeAndEncode)
