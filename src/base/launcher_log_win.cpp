#include "base/launcher_log_win.h"

#include <windows.h>

#include <cstdio>
#include <ctime>

#include "base/file_stat_win.h"
#include "base/log_line.h"

namespace dkl {
namespace {

void DeleteIfOversized(const std::filesystem::path& log) {
  FileStat stat;
  if (StatFile(log, stat)) {
    if (stat.size <= kLauncherLogMaxBytes) return;
  } else if (GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND) {
    return;
  }
  DeleteFileW(log.c_str());
}

}  // namespace

void AppendLauncherLog(const std::filesystem::path& game_folder, std::string_view message) {
  const std::filesystem::path folder = game_folder / L".dklauncher";
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);

  const std::filesystem::path log = folder / L"launcher.log";
  DeleteIfOversized(log);

  // Opened and closed per line, so every line is on disk when the append returns; "b" keeps LF alone.
  std::FILE* file = _wfopen(log.c_str(), L"ab");
  if (file == nullptr) return;
  const std::string line = FormatLogLine(static_cast<std::int64_t>(std::time(nullptr)), message);
  std::fwrite(line.data(), 1, line.size(), file);
  std::fclose(file);
}

}  // namespace dkl
