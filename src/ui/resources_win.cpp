#include "ui/resources_win.h"

#include <shlwapi.h>

#include "ui/gdiplus_win.h"

namespace dkl {

std::vector<std::uint8_t> LoadResourceBytes(int id) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));
  if (found == nullptr) return {};
  const DWORD size = SizeofResource(module, found);
  HGLOBAL loaded = LoadResource(module, found);
  if (size == 0 || loaded == nullptr) return {};
  const auto* bytes = static_cast<const std::uint8_t*>(LockResource(loaded));
  if (bytes == nullptr) return {};
  return {bytes, bytes + size};
}

void GdipImageDeleter::operator()(Gdiplus::GpImage* image) const { Gdiplus::DllExports::GdipDisposeImage(image); }

GdipImage LoadImageResource(int id) {
  const std::vector<std::uint8_t> bytes = LoadResourceBytes(id);
  if (bytes.empty()) return nullptr;
  IStream* stream = SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size()));
  if (stream == nullptr) return nullptr;
  Gdiplus::GpImage* image = nullptr;
  // The image keeps its own reference to the stream, which holds its own copy of the bytes.
  const Gdiplus::GpStatus status = Gdiplus::DllExports::GdipLoadImageFromStream(stream, &image);
  stream->Release();
  if (status != Gdiplus::Ok) {
    if (image != nullptr) Gdiplus::DllExports::GdipDisposeImage(image);
    return nullptr;
  }
  return GdipImage(image);
}

}  // namespace dkl
