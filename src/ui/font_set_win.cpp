#include "ui/font_set_win.h"

#include "ui/gdiplus_win.h"
#include "ui/resource_ids.h"
#include "ui/resources_win.h"

namespace dkl {
namespace {

using namespace Gdiplus::DllExports;

Gdiplus::GpFontCollection* NewCollection(const std::vector<std::uint8_t>& bytes) {
  Gdiplus::GpFontCollection* collection = nullptr;
  if (GdipNewPrivateFontCollection(&collection) != Gdiplus::Ok) return nullptr;
  if (!bytes.empty()) GdipPrivateAddMemoryFont(collection, bytes.data(), static_cast<INT>(bytes.size()));
  return collection;
}

Gdiplus::GpFontFamily* FirstFamily(Gdiplus::GpFontCollection* collection) {
  if (collection == nullptr) return nullptr;
  INT count = 0;
  if (GdipGetFontCollectionFamilyCount(collection, &count) != Gdiplus::Ok || count < 1) return nullptr;
  std::vector<Gdiplus::GpFontFamily*> families(static_cast<std::size_t>(count), nullptr);
  INT found = 0;
  if (GdipGetFontCollectionFamilyList(collection, count, families.data(), &found) != Gdiplus::Ok || found < 1) {
    return nullptr;
  }
  Gdiplus::GpFontFamily* clone = nullptr;
  if (GdipCloneFontFamily(families[0], &clone) != Gdiplus::Ok) return nullptr;
  return clone;
}

Gdiplus::GpFontFamily* SystemFamily(const wchar_t* name) {
  Gdiplus::GpFontFamily* family = nullptr;
  if (GdipCreateFontFamilyFromName(name, nullptr, &family) != Gdiplus::Ok) return nullptr;
  return family;
}

}  // namespace

FontSet::~FontSet() {
  for (Gdiplus::GpFontFamily* family : {display_, script_, ui_}) {
    if (family != nullptr) GdipDeleteFontFamily(family);
  }
  for (Gdiplus::GpFontCollection* collection : {display_collection_, script_collection_}) {
    if (collection != nullptr) GdipDeletePrivateFontCollection(&collection);
  }
}

std::unique_ptr<FontSet> LoadFontSet() {
  auto fonts = std::make_unique<FontSet>();
  fonts->display_bytes_ = LoadResourceBytes(DKL_IDR_DISPLAY_FONT);
  fonts->script_bytes_ = LoadResourceBytes(DKL_IDR_SCRIPT_FONT);
  fonts->display_collection_ = NewCollection(fonts->display_bytes_);
  fonts->script_collection_ = NewCollection(fonts->script_bytes_);
  fonts->display_ = FirstFamily(fonts->display_collection_);
  fonts->script_ = FirstFamily(fonts->script_collection_);
  fonts->ui_ = SystemFamily(L"Segoe UI");
  if (fonts->ui_ == nullptr) fonts->ui_ = SystemFamily(L"Tahoma");
  if (fonts->display_ == nullptr) fonts->display_ = SystemFamily(L"Georgia");
  if (fonts->script_ == nullptr) fonts->script_ = SystemFamily(L"Georgia");
  return fonts;
}

void GdipFontDeleter::operator()(Gdiplus::GpFont* font) const { GdipDeleteFont(font); }

GdipFont FontOf(Gdiplus::GpFontFamily* family, float size, FontStyle style) {
  if (family == nullptr) return nullptr;
  Gdiplus::GpFont* font = nullptr;
  if (GdipCreateFont(family, size, static_cast<INT>(style), Gdiplus::UnitPixel, &font) != Gdiplus::Ok) return nullptr;
  return GdipFont(font);
}

GdipFont DisplayFont(const FontSet& fonts, float size) { return FontOf(fonts.display(), size, FontStyle::Regular); }

GdipFont UiFont(const FontSet& fonts, float size, FontStyle style) { return FontOf(fonts.ui(), size, style); }

}  // namespace dkl
