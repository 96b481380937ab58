#include <windows.h>
#include <shellapi.h>

#include "base/text_win.h"
#include "core/app_context_win.h"
#include "core/website_link.h"

namespace dkl {

bool AppContext::open_link(std::string_view url) {
  const std::optional<std::string> page = LinkToOpen(websites, settings.lang, url);
  if (!page) return false;
  const std::wstring wide = Utf8ToWide(*page);
  const HINSTANCE result = ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  // The shell reports success as a value above 32, for historical reasons.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace dkl
