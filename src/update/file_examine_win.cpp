#include "update/file_examine_win.h"

#include <windows.h>

#include "base/file_stat_win.h"
#include "update/file_hash_win.h"
#include "update/manifest_path_win.h"

namespace dkl {
std::optional<Known> ExamineFile(const std::filesystem::path& game_folder, const FileEntry& entry,
                                 const Known* remembered, bool verify) {
  std::filesystem::path path;
  if (!ResolveManifestPath(game_folder, entry.path, path)) return std::nullopt;
  FileStat stat;
  if (!StatFile(path, stat) || stat.directory) return std::nullopt;
  const std::uint64_t size = stat.size;
  const std::uint64_t mtime = MtimeFromFileTime(stat.last_write_ticks);
  if (size != entry.size) return Known{size, mtime, ""};
  if (!verify && remembered != nullptr && remembered->size == size && remembered->mtime == mtime) return *remembered;
  std::string sha256 = HashFile(path);
  if (sha256.empty()) return std::nullopt;
  return Known{size, mtime, std::move(sha256)};
}

}  // namespace dkl
