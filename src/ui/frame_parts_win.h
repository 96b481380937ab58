// The parts of one frame, each drawn over the previous ones in the frame's order. `regions` is the
// frame's whole region list; each part draws the widgets of its own regions.
#pragma once

#include <vector>

#include "ui/hit_region.h"
#include "ui/paint_kit_win.h"
#include "ui/window_view.h"

namespace dkl {

// The mirrored, darkened art (when there is one) under a gradient that darkens toward the bottom.
void PaintBackground(Canvas& canvas, Gdiplus::GpImage* background);

void PaintTitleBar(Canvas& canvas, Gdiplus::GpImage* emblem, const std::vector<HitRegion>& regions);

void PaintMainPage(Canvas& canvas, const WindowView& view, const std::vector<HitRegion>& regions);
void PaintAdviceBanner(Canvas& canvas, const WindowView& view, const std::vector<HitRegion>& regions);
void PaintStatusPanel(Canvas& canvas, const WindowView& view, const std::vector<HitRegion>& regions);

void PaintSettingsPage(Canvas& canvas, const WindowView& view, const std::vector<HitRegion>& regions);

}  // namespace dkl
