// The graphics findings in the launcher log, so that support can see them after the window closed.
#pragma once

#include <filesystem>

#include "gfx/graphics_report.h"

namespace dkl {

// One line "gpu: " + finding per finding, in order, into the log of `game_folder`.
void LogGraphicsFindings(const std::filesystem::path& game_folder, const GraphicsReport& report);

}  // namespace dkl
