#include "gfx/graphics_detect_win.h"

#include <cwchar>
#include <string_view>
#include <utility>
#include <vector>

#include "base/text_win.h"
#include "gfx/display_drivers_win.h"

namespace dkl {
namespace {

constexpr UINT kMaxAdapters = 16;
constexpr std::uint32_t kMicrosoftVendorId = 0x1414;  // the basic render driver
constexpr std::uint64_t kBytesPerMebibyte = 1048576;

// IDXGIFactory1, spelled out so that no import library is needed.
constexpr GUID kIidDxgiFactory1 = {0x770aae78, 0xf26f, 0x4dba, {0xa8, 0x29, 0x25, 0x3c, 0x83, 0xd1, 0xb3, 0x87}};

using CreateDxgiFactory1Fn = HRESULT(WINAPI*)(REFIID, void**);

HMODULE LoadDxgi() {
  if (HMODULE dxgi = LoadLibraryExW(L"dxgi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return dxgi;
  return LoadLibraryW(L"dxgi.dll");
}

std::vector<GraphicsAdapter> EnumerateAdapters(HMODULE dxgi) {
  std::vector<GraphicsAdapter> adapters;
  const auto create_factory = reinterpret_cast<CreateDxgiFactory1Fn>(
      reinterpret_cast<void*>(GetProcAddress(dxgi, "CreateDXGIFactory1")));
  if (create_factory == nullptr) return adapters;
  IDXGIFactory1* factory = nullptr;
  if (FAILED(create_factory(kIidDxgiFactory1, reinterpret_cast<void**>(&factory))) || factory == nullptr) {
    return adapters;
  }
  for (UINT index = 0; index < kMaxAdapters; ++index) {
    IDXGIAdapter1* adapter = nullptr;
    if (FAILED(factory->EnumAdapters1(index, &adapter)) || adapter == nullptr) break;
    DXGI_ADAPTER_DESC1 description{};
    if (SUCCEEDED(adapter->GetDesc1(&description))) adapters.push_back(AdapterFromDescription(description));
    adapter->Release();
  }
  factory->Release();
  return adapters;
}

}  // namespace

GraphicsAdapter AdapterFromDescription(const DXGI_ADAPTER_DESC1& description) {
  GraphicsAdapter adapter;
  constexpr std::size_t kDescriptionLength = sizeof(description.Description) / sizeof(description.Description[0]);
  adapter.name = WideToUtf8(std::wstring_view(description.Description,
                                              wcsnlen(description.Description, kDescriptionLength)));
  adapter.vendor_id = description.VendorId;
  adapter.device_id = description.DeviceId;
  adapter.video_memory_mib = static_cast<std::uint64_t>(description.DedicatedVideoMemory) / kBytesPerMebibyte;
  adapter.software = (description.Flags & DXGI_ADAPTER_FLAG_SOFTWARE) != 0 || adapter.vendor_id == kMicrosoftVendorId;
  return adapter;
}

GraphicsReport DetectGraphics() {
  std::vector<GraphicsAdapter> adapters;
  if (HMODULE dxgi = LoadDxgi()) {
    adapters = EnumerateAdapters(dxgi);
    FreeLibrary(dxgi);
  }
  if (!adapters.empty()) ReadDisplayDrivers(adapters);
  return MakeGraphicsReport(std::move(adapters));
}

}  // namespace dkl
