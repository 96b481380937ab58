#include "gfx/display_drivers_win.h"

#include <cwchar>
#include <string>
#include <utility>

#include "base/text_win.h"
#include "gfx/display_driver_match.h"

namespace dkl {
namespace {

constexpr unsigned long kSubkeyCount = 64;

class RegistryKey {
 public:
  RegistryKey(HKEY parent, const wchar_t* name) {
    if (RegOpenKeyExW(parent, name, 0, KEY_READ, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  ~RegistryKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }

  HKEY get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }

 private:
  HKEY key_ = nullptr;
};

// Class subkeys are numbered with four decimal digits: "0000", "0001", ...
std::wstring SubkeyName(unsigned long number) {
  std::wstring name = std::to_wstring(number);
  name.insert(0, 4 - name.size(), L'0');
  return name;
}

// A REG_SZ value, or empty for any other type, a missing value or one too long for the buffer.
std::string ReadTextValue(HKEY key, const wchar_t* name) {
  constexpr DWORD kBufferBytes = 1024;
  wchar_t buffer[kBufferBytes / sizeof(wchar_t)] = {};
  // The last character is never filled, so the text is terminated whatever the registry holds.
  DWORD size = kBufferBytes - sizeof(wchar_t);
  DWORD type = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return {};
  }
  return WideToUtf8(std::wstring_view(buffer, wcsnlen(buffer, size / sizeof(wchar_t))));
}

}  // namespace

void ReadDisplayDrivers(std::vector<GraphicsAdapter>& adapters, HKEY root, const wchar_t* class_key) {
  const RegistryKey adapter_class(root, class_key);
  if (!adapter_class) return;
  for (unsigned long number = 0; number < kSubkeyCount; ++number) {
    const RegistryKey subkey(adapter_class.get(), SubkeyName(number).c_str());
    if (!subkey) continue;
    AssignDriverVersion(adapters, ReadTextValue(subkey.get(), L"DriverDesc"),
                        ReadTextValue(subkey.get(), L"DriverVersion"));
  }
}

}  // namespace dkl
