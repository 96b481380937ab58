#include "support/launcher_window_win.h"

#include "support/temp_dir.h"
#include "support/unix_shell_win.h"
#include "ui/launcher_window_win.h"

namespace dkl::testing {
namespace {

constexpr auto kXdotoolLimit = std::chrono::milliseconds(10000);
constexpr UINT kSettleLimitMs = 5000;

struct WindowSearch {
  DWORD process_id = 0;
  HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM search_address) {
  auto& search = *reinterpret_cast<WindowSearch*>(search_address);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t class_name[64] = {};
  GetClassNameW(window, class_name, 64);
  if (owner != search.process_id || std::wstring_view(class_name) != kLauncherWindowClass || !IsWindowVisible(window)) {
    return TRUE;
  }
  search.found = window;
  return FALSE;
}

}  // namespace

HWND WaitForLauncherWindow(DWORD process_id, std::chrono::milliseconds limit) {
  WindowSearch search{process_id, nullptr};
  PollUntil(
      [&] {
        EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      limit);
  return search.found;
}

POINT RegionPoint(HWND window, ActionId id, Page page) {
  FrameInput frame;
  frame.page = page;
  POINT point{};
  for (const HitRegion& region : FrameRegions(frame)) {
    if (region.id != id) continue;
    const float across = region.cycler != 0 ? 0.75f : 0.5f;
    point = {static_cast<LONG>(region.x + region.width * across), static_cast<LONG>(region.y + region.height * 0.5f)};
    break;
  }
  ClientToScreen(window, &point);
  return point;
}

bool Settle(HWND window) {
  // Once this message is answered, the window has read the X events sent before it: they wait in
  // its queue as input. A paint comes only after all queued input, so once the whole window has
  // been painted again, every earlier click has been dispatched and its frame drawn.
  // A window that closed has nothing left to handle.
  DWORD_PTR ignored = 0;
  if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kSettleLimitMs, &ignored) == 0) return !IsWindow(window);
  InvalidateRect(window, nullptr, FALSE);
  return PollUntil([window] { return !IsWindow(window) || !GetUpdateRect(window, nullptr, FALSE); },
                   std::chrono::milliseconds(kSettleLimitMs));
}

bool XInput::Click(HWND window, POINT point) {
  return Run("xdotool mousemove " + std::to_string(point.x) + " " + std::to_string(point.y) + " click 1") &&
         Settle(window);
}

bool XInput::Key(HWND window, const std::string& key) {
  // Wine keeps the X window of each top-level window in this property.
  const auto x_window = reinterpret_cast<std::uintptr_t>(GetPropW(window, L"__wine_x11_whole_window"));
  const std::string focus = x_window != 0 ? "windowfocus " + std::to_string(x_window) + " " : "";
  return Run("xdotool " + focus + "key " + ShellWord(key)) && Settle(window);
}

std::string XInput::log() const { return ReadFile(folder_ / ("xdotool-" + std::to_string(runs_) + ".log")); }

bool XInput::Run(const std::string& command) {
  ++runs_;
  return RunShell(command, folder_, "xdotool-" + std::to_string(runs_), kXdotoolLimit) == 0;
}

}  // namespace dkl::testing
