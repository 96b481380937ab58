// How the update worker, the probe and the news threads report to the window: a private message,
// posted without waiting.
#pragma once

#include <cstdint>
#include <functional>

namespace dkl {

// WM_APP + 1, no parameters: an update run has ended and its outcome waits for the window.
inline constexpr std::uint32_t WM_APP_PROGRESS = 0x8001;
// WM_APP + 2: wParam 1 when the game server answered, else 0; lParam its latency in ms, or -1.
inline constexpr std::uint32_t WM_APP_SERVER = 0x8002;
// WM_APP + 3, no parameters: the news list has been replaced.
inline constexpr std::uint32_t WM_APP_NEWS = 0x8003;

// The window's PostMessageW in the launcher, a collector in tests. Must not wait for the receiver.
using PostMessageFn = std::function<void(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam)>;

}  // namespace dkl
