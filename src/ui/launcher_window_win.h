// The launcher's one window: a fixed 960 × 600 popup painted entirely by the program, its message
// loop, and the threads that report to it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "core/sync_outcome.h"
#include "net/news_board.h"
#include "ui/font_set_win.h"
#include "ui/hit_region.h"
#include "ui/resources_win.h"
#include "ui/window_class.h"
#include "ui/window_commands.h"
#include "ui/window_state.h"

namespace dkl {

struct AppContext;

class LauncherWindow {
 public:
  LauncherWindow(HINSTANCE instance, AppContext& context);
  LauncherWindow(const LauncherWindow&) = delete;
  LauncherWindow& operator=(const LauncherWindow&) = delete;

 private:
  friend int RunLauncherWindow(LauncherWindow& window, bool& restart);

  int Run(bool& restart);
  bool Create();
  void JoinEverything();
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);

  void StartRun(bool verify);
  void StartProbe();
  void StartNewsFetch();
  void OnProgressTick();
  void OnRunEnded();
  void Paint();
  void Repaint();
  LiveReading ReadLive();

  // Input and commands.
  LRESULT OnHitTest(LPARAM lparam);
  bool OnSetCursor(LPARAM lparam);
  void OnMouseMove(LPARAM lparam);
  void OnButtonUp(LPARAM lparam);
  void Dispatch(const HitRegion& clicked);
  void Carry(const Command& command, const HitRegion& clicked);
  void SetLanguage(bool english);
  void OpenNewsItem(std::size_t index);
  void LaunchGame();
  void ApplyAdvice();
  void BrowseGameFolder();
  void LoadSettingsCopy();
  void SaveSettings();

  HINSTANCE instance_;
  AppContext& context_;
  HWND window_ = nullptr;
  std::unique_ptr<FontSet> fonts_;
  GdipImage background_;
  GdipImage emblem_;
  HCURSOR arrow_cursor_ = nullptr;
  HCURSOR hand_cursor_ = nullptr;
  WindowState state_;
  std::vector<HitRegion> regions_;  // the frame on screen, rebuilt by every paint
  std::mutex outcome_lock_;
  SyncOutcome pending_outcome_;  // written by the update worker's completion callback
  NewsBoard news_;               // replaced by each news thread
  std::vector<std::thread> threads_;  // every probe and news thread, joined when the window closes
};

// The whole life of the window on the calling (main) thread. Returns 1 when GDI+ or the window
// cannot start, else the exit code of the message loop; `restart` is set when a self-update asks for
// the new launcher to be started after the window has closed.
int RunLauncherWindow(LauncherWindow& window, bool& restart);

}  // namespace dkl
