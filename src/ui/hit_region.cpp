#include "ui/hit_region.h"

#include <utility>

namespace dkl {

HitRegion& AddRegion(std::vector<HitRegion>& regions, ActionId id, RegionKind kind, float x, float y, float width,
                     float height, UiLabel label, bool enabled) {
  HitRegion region;
  region.id = id;
  region.kind = kind;
  region.x = x;
  region.y = y;
  region.width = width;
  region.height = height;
  region.label = std::move(label);
  region.enabled = enabled;
  return regions.emplace_back(std::move(region));
}

const HitRegion* HitTest(const std::vector<HitRegion>& regions, float x, float y) {
  for (const HitRegion& region : regions) {
    if (x >= region.x && x < region.x + region.width && y >= region.y && y < region.y + region.height) {
      return &region;
    }
  }
  return nullptr;
}

}  // namespace dkl
