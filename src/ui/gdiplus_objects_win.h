// Owning handles for the GDI+ objects a paint creates for one element and deletes right after it.
#pragma once

#include <memory>

#include "ui/gdiplus_win.h"

namespace dkl {

struct GdipObjectDeleter {
  void operator()(Gdiplus::GpBrush* brush) const { Gdiplus::DllExports::GdipDeleteBrush(brush); }
  void operator()(Gdiplus::GpPen* pen) const { Gdiplus::DllExports::GdipDeletePen(pen); }
  void operator()(Gdiplus::GpStringFormat* format) const { Gdiplus::DllExports::GdipDeleteStringFormat(format); }
  void operator()(Gdiplus::GpPath* path) const { Gdiplus::DllExports::GdipDeletePath(path); }
  void operator()(Gdiplus::GpImageAttributes* attributes) const {
    Gdiplus::DllExports::GdipDisposeImageAttributes(attributes);
  }
};

using GdipBrush = std::unique_ptr<Gdiplus::GpBrush, GdipObjectDeleter>;
using GdipPen = std::unique_ptr<Gdiplus::GpPen, GdipObjectDeleter>;
using GdipStringFormat = std::unique_ptr<Gdiplus::GpStringFormat, GdipObjectDeleter>;
using GdipPath = std::unique_ptr<Gdiplus::GpPath, GdipObjectDeleter>;
using GdipImageAttributes = std::unique_ptr<Gdiplus::GpImageAttributes, GdipObjectDeleter>;

}  // namespace dkl
