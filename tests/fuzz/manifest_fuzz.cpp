// The manifest payload itself, without a signature: parsing, validation and the splitting of every
// path into the components that become file names.
#include <unordered_set>

#include "fuzz/fuzz_target.h"
#include "update/manifest_validation.h"

namespace dkl::fuzz {
namespace {

std::string FoldedAscii(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

bool CanNameAFile(std::string_view component) {
  if (component.empty() || component == "." || component == "..") return false;
  for (const char c : component) {
    if (static_cast<unsigned char>(c) < 32 || c == '/' || c == '\\' || c == ':') return false;
  }
  return true;
}

// Components, when there are any, are safe names that put the path back together.
void CheckSplit(std::string_view path) {
  const auto components = SplitManifestPath(path);
  if (!components) return;
  std::string joined;
  for (const std::string_view component : *components) {
    FUZZ_CHECK(IsSafePathComponent(component) && CanNameAFile(component));
    joined += (joined.empty() ? "" : "/") + std::string(component);
  }
  FUZZ_CHECK(joined == path && path.size() <= kMaxManifestPathBytes);
}

bool IsLowerHex(std::string_view text) {
  return text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

void CheckValid(const Manifest& manifest) {
  FUZZ_CHECK(!manifest.files.empty() && manifest.files.size() <= kMaxManifestFiles);
  std::unordered_set<std::string> folded;
  for (const FileEntry& file : manifest.files) {
    FUZZ_CHECK(SplitManifestPath(file.path).has_value());
    FUZZ_CHECK(folded.insert(FoldedAscii(file.path)).second);
    FUZZ_CHECK(file.sha256.size() == 64 && IsLowerHex(file.sha256));
    FUZZ_CHECK(file.size <= kMaxObjectBytes && (!file.gz || *file.gz <= kMaxObjectBytes));
  }
  FUZZ_CHECK(folded.contains(FoldedAscii(manifest.game_exe)));
}

void ParseAndValidate(ByteView payload) {
  Manifest manifest;
  const Status parsed = ParseManifest(payload, manifest);
  if (!parsed.ok()) {
    FUZZ_CHECK(parsed.kind == StatusKind::Manifest);
    return;
  }
  for (const FileEntry& file : manifest.files) CheckSplit(file.path);
  CheckSplit(manifest.game_exe);
  const Status valid = ValidateManifest(manifest);
  if (valid.ok()) {
    CheckValid(manifest);
  } else {
    FUZZ_CHECK(valid.kind == StatusKind::Manifest);
  }
}

}  // namespace
}  // namespace dkl::fuzz

DKL_FUZZ_TARGET("manifest", dkl::fuzz::ParseAndValidate)
