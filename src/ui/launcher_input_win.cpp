// The window's pointer and click handling, and the commands behind its regions.
#include <windows.h>
#include <shellapi.h>

#include <dkl/build_settings.h>

#include "base/text_win.h"
#include "core/app_context_win.h"
#include "ui/display_cyclers.h"
#include "ui/folder_picker_win.h"
#include "ui/launcher_window_win.h"
#include "ui/settings_page.h"
#include "ui/ui_text.h"

namespace dkl {
namespace {

float MouseX(LPARAM lparam) { return static_cast<short>(LOWORD(lparam)); }
float MouseY(LPARAM lparam) { return static_cast<short>(HIWORD(lparam)); }

POINT ClientPoint(HWND window, POINT screen) {
  ScreenToClient(window, &screen);
  return screen;
}

void OpenCommunityInvite() {
  const std::wstring link = Utf8ToWide(kCommunityInviteUrl);
  ShellExecuteW(nullptr, L"open", link.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

LRESULT LauncherWindow::OnHitTest(LPARAM lparam) {
  // The point comes in screen coordinates, signed: a second monitor may lie left of or above the first.
  const POINT point = ClientPoint(window_, {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))});
  return IsCaptionArea(regions_, static_cast<float>(point.x), static_cast<float>(point.y)) ? HTCAPTION : HTCLIENT;
}

bool LauncherWindow::OnSetCursor(LPARAM lparam) {
  if (LOWORD(lparam) != HTCLIENT) return false;
  POINT screen{};
  GetCursorPos(&screen);
  const POINT point = ClientPoint(window_, screen);
  const bool hand = ShowsHandCursor(regions_, static_cast<float>(point.x), static_cast<float>(point.y));
  SetCursor(hand ? hand_cursor_ : arrow_cursor_);
  return true;
}

void LauncherWindow::OnMouseMove(LPARAM lparam) {
  if (PointerMoved(state_.pointer, regions_, MouseX(lparam), MouseY(lparam))) Repaint();
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof(track);
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = window_;
  TrackMouseEvent(&track);
}

void LauncherWindow::OnButtonUp(LPARAM lparam) {
  ReleaseCapture();
  const std::optional<HitRegion> clicked = PointerReleased(state_.pointer, regions_, MouseX(lparam), MouseY(lparam));
  if (clicked) Dispatch(*clicked);
}

void LauncherWindow::Dispatch(const HitRegion& clicked) {
  const CommandContext here{state_.page, state_.english, context_.state.busy.load(), state_.retry_mode};
  Carry(CommandFor(clicked, here), clicked);
  Repaint();
}

void LauncherWindow::Carry(const Command& command, const HitRegion& clicked) {
  switch (command.kind) {
    case CommandKind::Nothing: break;
    case CommandKind::SetLanguage: SetLanguage(command.english); break;
    case CommandKind::OpenSettings:
      LoadSettingsCopy();
      state_.page = Page::Settings;
      break;
    case CommandKind::ShowMain: state_.page = Page::Main; break;
    case CommandKind::Minimize: ShowWindow(window_, SW_MINIMIZE); break;
    case CommandKind::Close: PostMessageW(window_, WM_CLOSE, 0, 0); break;
    case CommandKind::OpenNewsItem: OpenNewsItem(command.news_index); break;
    case CommandKind::VerifyFiles: StartRun(true); break;
    case CommandKind::OpenWebsite: context_.open_link(""); break;
    case CommandKind::OpenCommunity: OpenCommunityInvite(); break;
    case CommandKind::Retry: StartRun(false); break;
    case CommandKind::LaunchGame: LaunchGame(); break;
    case CommandKind::ApplyAdvice: ApplyAdvice(); break;
    case CommandKind::DismissAdvice:
      context_.dismiss_graphics_notice();
      state_.advice_visible = false;
      break;
    case CommandKind::BrowseFolder: BrowseGameFolder(); break;
    case CommandKind::EditDisplay: ApplyDisplayCommand(clicked.id, clicked.cycler, state_.display); break;
    case CommandKind::Save: SaveSettings(); break;
  }
}

void LauncherWindow::SetLanguage(bool english) {
  state_.english = english;
  // A failed save of the choice is not worth a message: the window already speaks the language.
  context_.set_language(english ? "en" : "es");
  StartNewsFetch();
}

void LauncherWindow::OpenNewsItem(std::size_t index) {
  const std::vector<NewsItem> news = news_.Copy();
  if (index < news.size() && !news[index].url.empty()) context_.open_link(news[index].url);
}

void LauncherWindow::LaunchGame() {
  const Status launched = context_.launch_game();
  if (!launched.ok()) {
    state_.status_override = MessageForStatus(state_.english, launched.kind);
    return;
  }
  // The game runs on its own; the launcher's work is done.
  PostMessageW(window_, WM_CLOSE, 0, 0);
}

void LauncherWindow::ApplyAdvice() {
  const Status applied = context_.apply_graphics_advice();
  if (!applied.ok()) {
    state_.status_override = MessageForStatus(state_.english, applied.kind);
    return;
  }
  state_.advice_visible = false;
  state_.notice = TextFor(state_.english, UiString::RecommendedApplied);
}

void LauncherWindow::BrowseGameFolder() {
  const std::optional<std::filesystem::path> chosen =
      PickFolder(window_, std::wstring(TextFor(state_.english, UiString::GameFolder)), state_.folder_text);
  if (chosen) state_.folder_text = chosen->native();
}

void LauncherWindow::LoadSettingsCopy() {
  state_.folder_text = context_.game_folder().native();
  state_.display = context_.load_display_settings();
  state_.settings_message.clear();
}

void LauncherWindow::SaveSettings() {
  bool changed = false;
  const Status saved = context_.set_game_folder(std::filesystem::path(state_.folder_text), state_.display, changed);
  const SaveFollowUp next = AfterSave(saved, changed);
  if (next.message) {
    state_.settings_message = MessageForStatus(state_.english, *next.message);
    return;
  }
  state_.advice_visible = context_.graphics_notice_needed();
  state_.page = Page::Main;
  Repaint();
  // A new folder is compared with the manifest and brought up to date at once.
  if (next.start_run) StartRun(false);
}

}  // namespace dkl
