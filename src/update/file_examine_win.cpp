#include "update/file_examine_win.h"

#include <windows.h>

#include "update/file_hash_win.h"
#include "update/manifest_path_win.h"

namespace dkl {
namespace {

std::uint64_t Combine(DWORD high, DWORD low) { return std::uint64_t{high} << 32 | low; }

}  // namespace

std::optional<Known> ExamineFile(const std::filesystem::path& game_folder, const FileEntry& entry,
                                 const Known* remembered, bool verify) {
  std::filesystem::path path;
  if (!ResolveManifestPath(game_folder, entry.path, path)) return std::nullopt;
  WIN32_FILE_ATTRIBUTE_DATA attributes{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes) ||
      (attributes.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  const std::uint64_t size = Combine(attributes.nFileSizeHigh, attributes.nFileSizeLow);
  const std::uint64_t mtime =
      MtimeFromFileTime(Combine(attributes.ftLastWriteTime.dwHighDateTime, attributes.ftLastWriteTime.dwLowDateTime));
  if (size != entry.size) return Known{size, mtime, ""};
  if (!verify && remembered != nullptr && remembered->size == size && remembered->mtime == mtime) return *remembered;
  std::string sha256 = HashFile(path);
  if (sha256.empty()) return std::nullopt;
  return Known{size, mtime, std::move(sha256)};
}

}  // namespace dkl
