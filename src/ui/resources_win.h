// Reading the launcher's own RCDATA resources: raw bytes, or a picture decoded by GDI+.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace Gdiplus {
class GpImage;
}

namespace dkl {

// A copy of the RCDATA resource `id` of the program's module; empty when it is missing or empty.
std::vector<std::uint8_t> LoadResourceBytes(int id);

struct GdipImageDeleter {
  void operator()(Gdiplus::GpImage* image) const;
};
using GdipImage = std::unique_ptr<Gdiplus::GpImage, GdipImageDeleter>;

// The RCDATA resource `id` decoded by GDI+ (which must be started); null when it is missing or
// cannot be decoded.
GdipImage LoadImageResource(int id);

}  // namespace dkl
