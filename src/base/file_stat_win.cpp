#include "base/file_stat_win.h"

#include <windows.h>

namespace dkl {

bool StatFile(const std::filesystem::path& path, FileStat& stat) {
  WIN32_FILE_ATTRIBUTE_DATA attributes{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes)) return false;
  stat.size = (std::uint64_t{attributes.nFileSizeHigh} << 32) | attributes.nFileSizeLow;
  stat.last_write_ticks =
      (std::uint64_t{attributes.ftLastWriteTime.dwHighDateTime} << 32) | attributes.ftLastWriteTime.dwLowDateTime;
  stat.directory = (attributes.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  return true;
}

}  // namespace dkl
