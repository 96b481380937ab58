// Paints one whole 960 × 600 frame onto any GDI+ graphics: the window's back buffer, or an
// off-screen bitmap in a test.
#pragma once

#include <vector>

#include "ui/hit_region.h"
#include "ui/window_view.h"

namespace Gdiplus {
class GpGraphics;
class GpImage;
}  // namespace Gdiplus

namespace dkl {

class FontSet;

struct PaintAssets {
  const FontSet* fonts = nullptr;           // null or missing families: texts are left out
  Gdiplus::GpImage* background = nullptr;   // null: the plain backdrop only
  Gdiplus::GpImage* emblem = nullptr;       // null: no emblem
};

inline constexpr int kWindowWidth = 960;
inline constexpr int kWindowHeight = 600;

// Returns the regions the frame registered, in drawing order; hit testing uses exactly this list.
// Sets the frame's smoothing, text, interpolation and pixel offset modes on `graphics`.
std::vector<HitRegion> PaintFrame(Gdiplus::GpGraphics* graphics, const PaintAssets& assets, const WindowView& view);

// Painting never stops on a GDI+ error; the calls that failed are only counted.
struct PaintLog {
  int failed_calls = 0;
};

std::vector<HitRegion> PaintFrame(Gdiplus::GpGraphics* graphics, const PaintAssets& assets, const WindowView& view,
                                  PaintLog& log);

}  // namespace dkl
