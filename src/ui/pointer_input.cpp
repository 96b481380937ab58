#include "ui/pointer_input.h"

namespace dkl {
namespace {

ActionId IdAt(const std::vector<HitRegion>& regions, float x, float y) {
  const HitRegion* region = HitTest(regions, x, y);
  return region ? region->id : ActionId::None;
}

}  // namespace

bool PointerMoved(PointerState& state, const std::vector<HitRegion>& regions, float x, float y) {
  const ActionId hover = IdAt(regions, x, y);
  const bool changed = hover != state.hover;
  state.hover = hover;
  return changed;
}

bool PointerLeft(PointerState& state) {
  if (state.hover == ActionId::None) return false;
  state.hover = ActionId::None;
  return true;
}

void PointerPressed(PointerState& state, const std::vector<HitRegion>& regions, float x, float y) {
  state.pressed = IdAt(regions, x, y);
}

std::optional<HitRegion> PointerReleased(PointerState& state, const std::vector<HitRegion>& regions, float x,
                                         float y) {
  const ActionId pressed = state.pressed;
  state.pressed = ActionId::None;
  const HitRegion* region = HitTest(regions, x, y);
  if (!region || pressed == ActionId::None || region->id != pressed || !region->enabled) return std::nullopt;
  HitRegion clicked = *region;
  if (clicked.cycler != 0) clicked.cycler = x < region->x + region->width * 0.5f ? -1 : 1;
  return clicked;
}

bool ShowsHandCursor(const std::vector<HitRegion>& regions, float x, float y) {
  const HitRegion* region = HitTest(regions, x, y);
  return region && region->enabled;
}

bool IsCaptionArea(const std::vector<HitRegion>& regions, float x, float y) {
  return y >= 0 && y < kTitleBarHeight && HitTest(regions, x, y) == nullptr;
}

}  // namespace dkl
