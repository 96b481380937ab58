// WM_PAINT: the whole frame drawn into an off-screen bitmap, then copied to the window in one draw,
// so that the window never shows a half-painted frame.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/frame_painter_win.h"
#include "ui/hit_region.h"
#include "ui/window_view.h"

namespace dkl {

// Paints between BeginPaint and EndPaint and returns the regions of the frame painted. When the
// bitmap cannot be made, the frame is painted straight onto the window instead.
std::vector<HitRegion> PaintWindowFrame(HWND window, const PaintAssets& assets, const WindowView& view);

}  // namespace dkl
