// The window's three font families: the embedded display and script faces and the system UI face.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace Gdiplus {
class GpFont;
class GpFontCollection;
class GpFontFamily;
}  // namespace Gdiplus

namespace dkl {

struct GdipFontDeleter {
  void operator()(Gdiplus::GpFont* font) const;
};
using GdipFont = std::unique_ptr<Gdiplus::GpFont, GdipFontDeleter>;

// Regular and Bold, as GDI+ numbers them.
enum class FontStyle : int { Regular = 0, Bold = 1 };

// Built and used on the window's thread while GDI+ is started; destroy it before GDI+ shuts down.
class FontSet {
 public:
  FontSet() = default;
  ~FontSet();
  FontSet(const FontSet&) = delete;
  FontSet& operator=(const FontSet&) = delete;

  // Null families mean not even the fallback could be created; texts drawn with them are left out.
  Gdiplus::GpFontFamily* display() const { return display_; }
  Gdiplus::GpFontFamily* script() const { return script_; }
  Gdiplus::GpFontFamily* ui() const { return ui_; }

 private:
  friend std::unique_ptr<FontSet> LoadFontSet();

  Gdiplus::GpFontCollection* display_collection_ = nullptr;
  Gdiplus::GpFontCollection* script_collection_ = nullptr;
  // A memory font is read from these bytes for as long as its collection lives.
  std::vector<std::uint8_t> display_bytes_;
  std::vector<std::uint8_t> script_bytes_;
  Gdiplus::GpFontFamily* display_ = nullptr;
  Gdiplus::GpFontFamily* script_ = nullptr;
  Gdiplus::GpFontFamily* ui_ = nullptr;
};

// The embedded faces (resources 101 and 102), each falling back to "Georgia", and "Segoe UI" or
// else "Tahoma". Never fails; GDI+ must be started.
std::unique_ptr<FontSet> LoadFontSet();

// A font of `size` pixels, created for one text and deleted after it; null when the family is missing.
GdipFont DisplayFont(const FontSet& fonts, float size);
GdipFont UiFont(const FontSet& fonts, float size, FontStyle style);
GdipFont FontOf(Gdiplus::GpFontFamily* family, float size, FontStyle style);

}  // namespace dkl
