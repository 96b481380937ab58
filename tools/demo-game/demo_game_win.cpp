// The game executable of the demo site: a small window that says how it was started, so a demo shows
// that Play reached it with "--from-launcher" in the game folder. Any key or click closes it.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

constexpr wchar_t kClassName[] = L"DuskcrownDemoGame";
constexpr wchar_t kTitle[] = L"Duskhaven Crown (demo game)";

bool StartedByLauncher() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  bool found = false;
  for (int index = 1; arguments != nullptr && index < count; ++index) {
    if (std::wstring_view(arguments[index]) == L"--from-launcher") found = true;
  }
  LocalFree(arguments);
  return found;
}

std::wstring CurrentFolder() {
  wchar_t folder[MAX_PATH];
  const DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
  return length > 0 && length < MAX_PATH ? std::wstring(folder, length) : std::wstring(L"?");
}

std::wstring Message() {
  std::wstring text = L"Duskhaven Crown\n\n";
  text += StartedByLauncher() ? L"Started by the launcher (--from-launcher)."
                              : L"Started directly, not by the launcher (no --from-launcher).";
  text += L"\n\nGame folder: " + CurrentFolder() + L"\n\nPress any key or click to close.";
  return text;
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT area;
  GetClientRect(window, &area);
  HBRUSH night = CreateSolidBrush(RGB(18, 20, 32));
  FillRect(dc, &area, night);
  DeleteObject(night);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(232, 196, 120));
  InflateRect(&area, -32, -32);
  const std::wstring text = Message();
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_CENTER | DT_WORDBREAK);
  EndPaint(window, &paint);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_KEYDOWN:
    case WM_LBUTTONUP:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = kClassName;
  if (RegisterClassW(&window_class) == 0) return 1;
  HWND window = CreateWindowExW(0, kClassName, kTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                CW_USEDEFAULT, 640, 360, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, show);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
