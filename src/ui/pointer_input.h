// Hover, press and click over the frame's regions, the cursor shape, and the title bar's drag area.
#pragma once

#include <optional>
#include <vector>

#include "ui/hit_region.h"

namespace dkl {

inline constexpr float kTitleBarHeight = 56;

// Lives across paints; the ids are matched again against each frame's regions.
struct PointerState {
  ActionId hover = ActionId::None;
  ActionId pressed = ActionId::None;
};

// The pointer moved to (x, y): true when the hovered region changed and the frame must be repainted.
bool PointerMoved(PointerState& state, const std::vector<HitRegion>& regions, float x, float y);

// The pointer left the window: true when something was hovered and the frame must be repainted.
bool PointerLeft(PointerState& state);

void PointerPressed(PointerState& state, const std::vector<HitRegion>& regions, float x, float y);

// The button went up at (x, y). A click is a release over the enabled region that was pressed: its copy
// comes back, with a cycler's direction set from the half that was hit (the exact centre steps forward).
// The press is forgotten in every case.
std::optional<HitRegion> PointerReleased(PointerState& state, const std::vector<HitRegion>& regions, float x,
                                         float y);

// The hand cursor over an enabled region, the arrow everywhere else.
bool ShowsHandCursor(const std::vector<HitRegion>& regions, float x, float y);

// True where the title bar has no region: dragging there moves the window.
bool IsCaptionArea(const std::vector<HitRegion>& regions, float x, float y);

}  // namespace dkl
