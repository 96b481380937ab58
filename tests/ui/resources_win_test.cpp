#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ui/font_set_win.h"
#include "ui/gdiplus_win.h"
#include "ui/resource_ids.h"
#include "ui/resources_win.h"

namespace dkl {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t BigEndian(const Bytes& b, std::size_t at, int width) {
  std::uint32_t value = 0;
  for (int i = 0; i < width; ++i) value = (value << 8) | b[at + static_cast<std::size_t>(i)];
  return value;
}

struct Dimensions {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

// Width and height from the IHDR chunk; zero when the bytes are no PNG.
Dimensions PngDimensions(const Bytes& b) {
  const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (b.size() < 26 || !std::equal(signature.begin(), signature.end(), b.begin())) return {};
  return {BigEndian(b, 16, 4), BigEndian(b, 20, 4)};
}

// PNG colour type 6 is RGB with an alpha channel.
bool PngHasAlpha(const Bytes& b) { return b.size() > 25 && b[25] == 6; }

// Width and height from the first start-of-frame marker; zero when the bytes are no JPEG.
Dimensions JpegDimensions(const Bytes& b, int& components) {
  if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8) return {};
  std::size_t at = 2;
  while (at + 9 < b.size() && b[at] == 0xFF) {
    const std::uint8_t marker = b[at + 1];
    const std::uint32_t length = BigEndian(b, at + 2, 2);
    if (marker >= 0xC0 && marker <= 0xC3) {
      components = b[at + 9];
      return {BigEndian(b, at + 7, 2), BigEndian(b, at + 5, 2)};
    }
    at += 2 + length;
  }
  return {};
}

class LauncherResources : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const auto launcher = std::filesystem::path(self).parent_path() / L"DuskcrownLauncher.exe";
    module_ = LoadLibraryExW(launcher.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr) << launcher.string();
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }

  Bytes Resource(int id, LPCWSTR type) const {
    HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(id), type);
    if (found == nullptr) return {};
    const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(module_, found)));
    return {data, data + SizeofResource(module_, found)};
  }

  HMODULE module_ = nullptr;
};

TEST_F(LauncherResources, PicturesHaveTheirFormatAndSize) {
  int components = 0;
  const Dimensions background = JpegDimensions(Resource(DKL_IDR_BACKGROUND, RT_RCDATA), components);
  EXPECT_EQ(background.width, 1240u);
  EXPECT_EQ(background.height, 816u);
  EXPECT_EQ(components, 3);

  const Bytes emblem = Resource(DKL_IDR_EMBLEM, RT_RCDATA);
  EXPECT_EQ(PngDimensions(emblem).width, 60u);
  EXPECT_EQ(PngDimensions(emblem).height, 52u);
  EXPECT_TRUE(PngHasAlpha(emblem));
}

TEST_F(LauncherResources, IconGroupHoldsSevenPngSizes) {
  const Bytes group = Resource(DKL_IDI_LAUNCHER, RT_GROUP_ICON);
  ASSERT_GE(group.size(), 6u);
  const unsigned count = group[4] | (group[5] << 8);
  ASSERT_EQ(count, 7u);
  const std::uint32_t sizes[] = {16, 24, 32, 48, 64, 128, 256};
  for (unsigned i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 14 * i;
    const int id = group[entry + 12] | (group[entry + 13] << 8);
    const Bytes image = Resource(id, RT_ICON);
    EXPECT_EQ(PngDimensions(image).width, sizes[i]) << id;
    EXPECT_EQ(PngDimensions(image).height, sizes[i]) << id;
    EXPECT_TRUE(PngHasAlpha(image)) << id;
  }
}

TEST_F(LauncherResources, ManifestAndVersionBlockArePresent) {
  const Bytes manifest = Resource(1, RT_MANIFEST);
  const std::string text(manifest.begin(), manifest.end());
  EXPECT_NE(text.find("asInvoker"), std::string::npos);
  EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_EQ(text.find("dpiAware"), std::string::npos);

  const Bytes version = Resource(1, RT_VERSION);
  const std::wstring block(reinterpret_cast<const wchar_t*>(version.data()), version.size() / sizeof(wchar_t));
  for (const wchar_t* expected : {L"Duskhaven Crown", L"DuskcrownLauncher.exe", L"2.0.1"}) {
    EXPECT_NE(block.find(expected), std::wstring::npos) << expected;
  }
}

class LauncherFonts : public LauncherResources {
 protected:
  void SetUp() override {
    LauncherResources::SetUp();
    ::Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(::Gdiplus::GdiplusStartup(&token_, &input, nullptr), ::Gdiplus::Ok);
  }
  void TearDown() override {
    ::Gdiplus::GdiplusShutdown(token_);
    LauncherResources::TearDown();
  }
  ULONG_PTR token_ = 0;
};

// GDI+ takes TrueType outlines only; a face it cannot read would silently fall back to Georgia.
TEST_F(LauncherFonts, EmbeddedFontsAreReadableFaces) {
  using namespace ::Gdiplus::DllExports;
  for (const int id : {DKL_IDR_DISPLAY_FONT, DKL_IDR_SCRIPT_FONT}) {
    Bytes font = Resource(id, RT_RCDATA);
    ASSERT_FALSE(font.empty()) << id;
    ::Gdiplus::GpFontCollection* collection = nullptr;
    ASSERT_EQ(GdipNewPrivateFontCollection(&collection), ::Gdiplus::Ok);
    EXPECT_EQ(GdipPrivateAddMemoryFont(collection, font.data(), static_cast<INT>(font.size())), ::Gdiplus::Ok);
    INT families = 0;
    GdipGetFontCollectionFamilyCount(collection, &families);
    EXPECT_EQ(families, 1) << id;
    GdipDeletePrivateFontCollection(&collection);
  }
}

// The test program has no resources of its own: every family falls back and no picture loads.
TEST_F(LauncherFonts, MissingResourcesFallBack) {
  EXPECT_TRUE(LoadResourceBytes(DKL_IDR_DISPLAY_FONT).empty());
  EXPECT_EQ(LoadImageResource(DKL_IDR_BACKGROUND), nullptr);
  const auto fonts = LoadFontSet();
  EXPECT_NE(fonts->display(), nullptr);
  EXPECT_NE(fonts->script(), nullptr);
  EXPECT_NE(fonts->ui(), nullptr);
  EXPECT_NE(DisplayFont(*fonts, 24.0f), nullptr);
  EXPECT_NE(UiFont(*fonts, 13.0f, FontStyle::Bold), nullptr);
}

}  // namespace
}  // namespace dkl
