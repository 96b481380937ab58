// The widget kit: how a clickable region looks, by its kind and whether the pointer is over it.
#pragma once

#include <initializer_list>
#include <vector>

#include "ui/hit_region.h"
#include "ui/paint_kit_win.h"

namespace dkl {

// Hovered means the pointer is over the region and the region is enabled; a pressed button looks
// hovered. A ClickArea draws nothing: its page draws the area itself.
void DrawWidget(Canvas& canvas, const HitRegion& region);

// Draws, in list order, the regions of `regions` whose id is one of `ids`.
void DrawWidgets(Canvas& canvas, const std::vector<HitRegion>& regions, std::initializer_list<ActionId> ids);

// The region of `id` in the frame's list; null when the frame has none.
const HitRegion* FindRegion(const std::vector<HitRegion>& regions, ActionId id);

inline RectF RectOf(const HitRegion& region) { return {region.x, region.y, region.width, region.height}; }

}  // namespace dkl
