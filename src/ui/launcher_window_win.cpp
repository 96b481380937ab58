#include "ui/launcher_window_win.h"

#include <functional>
#include <string>
#include <system_error>
#include <utility>

#include "base/text_win.h"
#include "core/app_context_win.h"
#include "net/news_feed_win.h"
#include "net/server_probe_win.h"
#include "net/task_messages.h"
#include "ui/back_buffer_win.h"
#include "ui/gdiplus_win.h"
#include "ui/resource_ids.h"

namespace dkl {
namespace {

constexpr UINT_PTR kProgressTick = 1;
constexpr UINT kProgressTickMs = 100;
constexpr UINT_PTR kProbeTick = 2;
constexpr UINT kProbeTickMs = 30000;
constexpr DWORD kWindowStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;

// Background threads report by posting; a window that has gone by then simply loses the message.
PostMessageFn PostTo(HWND target) {
  return [target](std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
    PostMessageW(target, message, static_cast<WPARAM>(wparam), static_cast<LPARAM>(lparam));
  };
}

bool RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(DKL_IDI_LAUNCHER));
  window_class.hIconSm = window_class.hIcon;
  window_class.lpszClassName = kLauncherWindowClass;
  return RegisterClassExW(&window_class) != 0;
}

// Centred on the primary monitor's work area; a work area smaller than the window gives a negative
// offset, so the window reaches past its left or top edge.
POINT CentredOrigin() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return {work.left + (work.right - work.left - kWindowWidth) / 2,
          work.top + (work.bottom - work.top - kWindowHeight) / 2};
}

}  // namespace

LauncherWindow::LauncherWindow(HINSTANCE instance, AppContext& context) : instance_(instance), context_(context) {}

int RunLauncherWindow(LauncherWindow& window, bool& restart) { return window.Run(restart); }

int LauncherWindow::Run(bool& restart) {
  ULONG_PTR gdiplus = 0;
  const Gdiplus::GdiplusStartupInput startup;
  if (Gdiplus::GdiplusStartup(&gdiplus, &startup, nullptr) != Gdiplus::Ok) {
    MessageBoxW(nullptr, L"GDI+ could not start.", L"Duskhaven Crown", MB_ICONERROR);
    return 1;
  }
  fonts_ = LoadFontSet();
  background_ = LoadImageResource(DKL_IDR_BACKGROUND);
  emblem_ = LoadImageResource(DKL_IDR_EMBLEM);
  arrow_cursor_ = LoadCursorW(nullptr, IDC_ARROW);
  hand_cursor_ = LoadCursorW(nullptr, IDC_HAND);

  int exit_code = 1;
  if (Create()) {
    {
      std::lock_guard hold(context_.settings_lock);
      state_.english = EnglishFromSetting(context_.settings.lang);
    }
    LoadSettingsCopy();
    state_.advice_visible = context_.graphics_notice_needed();
    StartRun(false);
    StartNewsFetch();
    StartProbe();
    SetTimer(window_, kProbeTick, kProbeTickMs, nullptr);
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);

    MSG message{};
    BOOL got = 0;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    exit_code = got == 0 ? static_cast<int>(message.wParam) : 0;
    // Nothing cancels a run: a window closed during a download waits here until the run has ended.
    JoinEverything();
    restart = state_.restart_after_close;
  }
  background_.reset();
  emblem_.reset();
  fonts_.reset();
  Gdiplus::GdiplusShutdown(gdiplus);
  return exit_code;
}

bool LauncherWindow::Create() {
  RegisterWindowClass(instance_, &LauncherWindow::Procedure);
  const POINT origin = CentredOrigin();
  return CreateWindowExW(WS_EX_APPWINDOW, kLauncherWindowClass, L"Duskhaven Crown", kWindowStyle, origin.x, origin.y,
                         kWindowWidth, kWindowHeight, nullptr, nullptr, instance_, this) != nullptr;
}

void LauncherWindow::JoinEverything() {
  context_.join_worker();
  for (std::thread& thread : threads_) {
    if (thread.joinable()) thread.join();
  }
}

LRESULT CALLBACK LauncherWindow::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<LauncherWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
  }
  auto* self = reinterpret_cast<LauncherWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self != nullptr ? self->Handle(message, wparam, lparam) : DefWindowProcW(window, message, wparam, lparam);
}

LRESULT LauncherWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;  // the frame covers every pixel
    case WM_CLOSE: DestroyWindow(window_); return 0;
    case WM_DESTROY:
      KillTimer(window_, kProgressTick);
      KillTimer(window_, kProbeTick);
      PostQuitMessage(0);
      return 0;
    case WM_SETCURSOR:
      if (OnSetCursor(lparam)) return TRUE;
      break;
    case WM_NCHITTEST: return OnHitTest(lparam);
    case WM_MOUSEMOVE: OnMouseMove(lparam); return 0;
    case WM_MOUSELEAVE:
      if (PointerLeft(state_.pointer)) Repaint();
      return 0;
    case WM_LBUTTONDOWN:
      PointerPressed(state_.pointer, regions_, static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
      SetCapture(window_);
      return 0;
    case WM_LBUTTONUP: OnButtonUp(lparam); return 0;
    case WM_KEYDOWN:
      if (wparam == VK_ESCAPE && state_.page == Page::Settings) {
        state_.page = Page::Main;
        Repaint();
      }
      return 0;
    case WM_TIMER:
      if (wparam == kProgressTick) OnProgressTick();
      if (wparam == kProbeTick) StartProbe();
      return 0;
    case WM_APP_PROGRESS: OnRunEnded(); return 0;
    case WM_APP_SERVER:
      AdoptServerReport(state_, wparam, lparam);
      Repaint();
      return 0;
    case WM_APP_NEWS: Repaint(); return 0;
    default: break;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

void LauncherWindow::StartRun(bool verify) {
  BeginRun(state_, GetTickCount64());
  const HWND target = window_;
  const Status answer = context_.start_update(verify, [this, target](const SyncOutcome& outcome) {
    {
      std::lock_guard hold(outcome_lock_);
      pending_outcome_ = outcome;
    }
    PostMessageW(target, WM_APP_PROGRESS, 0, 0);
  });
  AdoptStartAnswer(state_, answer);
  SetTimer(window_, kProgressTick, kProgressTickMs, nullptr);
  Repaint();
}

void LauncherWindow::StartProbe() {
  const HWND target = window_;
  try {
    threads_.emplace_back([target] { RunProbeTask(PostTo(target)); });
  } catch (const std::system_error&) {
    // No thread, no probe: the server card keeps its last result until the next tick.
  }
}

void LauncherWindow::StartNewsFetch() {
  NewsQuery query{context_.websites, state_.english ? "en" : "es"};
  const HWND target = window_;
  try {
    threads_.emplace_back([this, query = std::move(query), target] { RunNewsTask(query, news_, PostTo(target)); });
  } catch (const std::system_error&) {
    // No thread, no fetch: the news shown stay as they are.
  }
}

void LauncherWindow::OnProgressTick() {
  UpdateSpeedEstimate(state_.speed, GetTickCount64(), context_.state.progress.bytes_done.load());
  Repaint();
}

void LauncherWindow::OnRunEnded() {
  KillTimer(window_, kProgressTick);
  SyncOutcome outcome;
  {
    std::lock_guard hold(outcome_lock_);
    outcome = pending_outcome_;
  }
  if (AdoptOutcome(state_, outcome)) {
    // The launcher was replaced: close without painting again, start-up starts the new one.
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return;
  }
  state_.advice_visible = context_.graphics_notice_needed();
  Repaint();
}

LiveReading LauncherWindow::ReadLive() {
  UpdateProgress& progress = context_.state.progress;
  LiveReading live;
  live.busy = context_.state.busy.load();
  live.phase = progress.phase.load();
  live.bytes_done = progress.bytes_done.load();
  live.bytes_total = progress.bytes_total.load();
  live.files_done = progress.files_done.load();
  live.files_total = progress.files_total.load();
  std::string item;
  {
    std::lock_guard hold(progress.lock);
    item = progress.current_item;
  }
  live.current_item = Utf8ToWide(item);
  live.news = news_.Copy();
  return live;
}

void LauncherWindow::Paint() {
  const WindowView view = ViewOf(state_, ReadLive(), context_.graphics);
  state_.retry_mode = view.status.retry_mode;
  const PaintAssets assets{fonts_.get(), background_.get(), emblem_.get()};
  regions_ = PaintWindowFrame(window_, assets, view);
}

void LauncherWindow::Repaint() { InvalidateRect(window_, nullptr, FALSE); }

}  // namespace dkl
