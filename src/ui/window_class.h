// The window class of the launcher's one window: registered by the window, and searched for by a
// second launcher process that brings the first one forward.
#pragma once

namespace dkl {

inline constexpr wchar_t kLauncherWindowClass[] = L"DuskcrownLauncherWindow";

}  // namespace dkl
