#include "gfx/graphics_log_win.h"

#include <string>

#include "base/launcher_log_win.h"

namespace dkl {

void LogGraphicsFindings(const std::filesystem::path& game_folder, const GraphicsReport& report) {
  for (const std::string& finding : report.findings) AppendLauncherLog(game_folder, "gpu: " + finding);
}

}  // namespace dkl
