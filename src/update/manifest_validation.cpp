#include "update/manifest_validation.h"

#include <algorithm>
#include <string>
#include <unordered_set>

#include "update/chunk_index.h"

namespace dkl {
namespace {

constexpr std::string_view kForbiddenCharacters = "\"*:<>?\\|";

Status Refuse(std::string message) { return MakeStatus(StatusKind::Manifest, std::move(message)); }

std::string Quoted(std::string_view path) { return '"' + std::string(path) + '"'; }

// Only 'A'-'Z': the byte-wise fold must never touch the bytes of a UTF-8 sequence.
std::string FoldAscii(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

bool IsReservedDeviceName(std::string_view folded_stem) {
  if (folded_stem == "con" || folded_stem == "prn" || folded_stem == "aux" || folded_stem == "nul") return true;
  if (folded_stem.size() != 4) return false;
  const std::string_view prefix = folded_stem.substr(0, 3);
  return (prefix == "com" || prefix == "lpt") && folded_stem[3] >= '1' && folded_stem[3] <= '9';
}

bool IsForbiddenByte(char c) {
  return static_cast<unsigned char>(c) < 0x20 || kForbiddenCharacters.find(c) != std::string_view::npos;
}

bool IsLowerHexSha256(std::string_view hash) {
  return hash.size() == 64 &&
         std::all_of(hash.begin(), hash.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

bool IsWithinObjectLimit(std::uint64_t length) { return length <= kMaxObjectBytes; }

// A launcher reads the index into memory whole, so its size is held to the index format's cap.
bool IsWellFormedChunkIndexRef(const ChunkIndexRef& index) {
  return IsLowerHexSha256(index.sha256) && index.size >= kChunkIndexHeaderBytes && index.size <= kMaxChunkIndexBytes;
}

bool IsWellFormedFile(const FileEntry& file) {
  return IsLowerHexSha256(file.sha256) && IsWithinObjectLimit(file.size) &&
         (!file.gz || IsWithinObjectLimit(*file.gz)) &&
         (!file.chunk_index || IsWellFormedChunkIndexRef(*file.chunk_index));
}

// The launcher's gz is deliberately left unchecked here.
bool IsWellFormedLauncher(const LauncherEntry& launcher) {
  return IsLowerHexSha256(launcher.sha256) && IsWithinObjectLimit(launcher.size);
}

}  // namespace

bool IsSafePathComponent(std::string_view component) {
  if (component.empty() || component.front() == '.') return false;
  if (component.back() == '.' || component.back() == ' ') return false;
  if (std::any_of(component.begin(), component.end(), IsForbiddenByte)) return false;
  return !IsReservedDeviceName(FoldAscii(component.substr(0, component.find('.'))));
}

std::optional<std::vector<std::string_view>> SplitManifestPath(std::string_view path) {
  if (path.empty() || path.size() > kMaxManifestPathBytes) return std::nullopt;
  std::vector<std::string_view> components;
  components.reserve(static_cast<std::size_t>(std::count(path.begin(), path.end(), '/')) + 1);
  while (true) {
    const std::size_t slash = path.find('/');
    const std::string_view component = path.substr(0, slash);
    if (!IsSafePathComponent(component)) return std::nullopt;
    components.push_back(component);
    if (slash == std::string_view::npos) return components;
    path.remove_prefix(slash + 1);
  }
}

Status ValidateManifest(const Manifest& manifest) {
  if (manifest.schema != 2) return Refuse("schema " + std::to_string(manifest.schema));
  if (manifest.files.empty() || manifest.files.size() > kMaxManifestFiles) return Refuse("file count");

  // Sized up front so that the walk stays linear up to the largest allowed manifest.
  std::unordered_set<std::string> folded_paths;
  folded_paths.reserve(manifest.files.size());
  for (const FileEntry& file : manifest.files) {
    if (!SplitManifestPath(file.path)) return Refuse("unsafe path " + Quoted(file.path));
    if (!IsWellFormedFile(file)) return Refuse("bad entry " + Quoted(file.path));
    if (!folded_paths.insert(FoldAscii(file.path)).second) return Refuse("duplicate " + Quoted(file.path));
  }

  if (!folded_paths.contains(FoldAscii(manifest.game_exe))) return Refuse("game exe not listed");
  if (manifest.launcher && !IsWellFormedLauncher(*manifest.launcher)) return Refuse("launcher entry");
  return OkStatus();
}

}  // namespace dkl
