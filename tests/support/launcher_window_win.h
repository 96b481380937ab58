// Finding and driving a real launcher window from a test: the window of a given process, the screen
// point of one of its regions, and real X input through xdotool on the display Wine draws on.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "ui/frame_regions.h"
#include "ui/hit_region.h"

namespace dkl::testing {

// The visible launcher window of process `process_id`, polled for until `limit`; null when none came.
HWND WaitForLauncherWindow(DWORD process_id, std::chrono::milliseconds limit = std::chrono::seconds(15));

// The screen point over region `id` of `page` as the frame's layout places it; for a cycler, over
// the half that steps forward. Title bar, status panel and settings page do not move with the state.
POINT RegionPoint(HWND window, ActionId id, Page page);

// Returns once `window` has handled the input that reached it so far and painted the result, so
// that the next input meets the regions of the new frame; false when it did not within seconds.
bool Settle(HWND window);

// Real pointer and keyboard input on the X display, reported through files in `folder`. Each
// returns once the window has settled; false when xdotool failed or the window did not settle.
class XInput {
 public:
  explicit XInput(std::filesystem::path folder) : folder_(std::move(folder)) {}

  // Moves the pointer to `point` and clicks the left button there.
  bool Click(HWND window, POINT point);
  // Gives the X window of `window` the keyboard focus and types `key` (an X key name) into it.
  bool Key(HWND window, const std::string& key);
  // What xdotool said last, for a failure message.
  std::string log() const;

 private:
  bool Run(const std::string& command);

  std::filesystem::path folder_;
  int runs_ = 0;
};

// Polls `done` every 20 ms until it holds or `limit` passes; its last answer.
template <typename Predicate>
bool PollUntil(Predicate done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    Sleep(20);
  }
  return true;
}

}  // namespace dkl::testing
