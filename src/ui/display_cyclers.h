// The settings page's cyclers and check boxes: each click changes the edit copy of the display options.
#pragma once

#include <array>
#include <cstdint>

#include "gfx/display_settings.h"
#include "ui/hit_region.h"

namespace dkl {

struct Resolution {
  std::uint32_t width;
  std::uint32_t height;
};

// The cyclers' fixed steps, in cycling order; all resolutions are 4:3 and an FPS limit of 0 is unlimited.
inline constexpr std::array<Resolution, 5> kResolutionSteps{
    {{800, 600}, {1024, 768}, {1280, 960}, {1440, 1080}, {1920, 1440}}};
inline constexpr std::array<std::uint32_t, 5> kFpsLimitSteps{60, 100, 144, 240, 0};

// `direction` is -1 or +1. A size or limit that is not a step (one the game wrote itself) jumps to the
// first step whatever the direction: 800 × 600, 60 FPS.
void CycleResolution(DisplaySettings& display, int direction);
void CycleFpsLimit(DisplaySettings& display, int direction);
void CycleWindowMode(DisplaySettings& display, int direction);
void CycleDetailLevel(DisplaySettings& display, int direction);

// Applies the command of a clicked settings control (ids 16 to 24) to `display`; `direction` is the
// clicked copy's cycler field. False, and nothing changed, for any other id.
bool ApplyDisplayCommand(ActionId id, int direction, DisplaySettings& display);

}  // namespace dkl
