// The commands of the application context that the window calls, and the update worker.
#include <system_error>

#include "base/launcher_log_win.h"
#include "base/paths_win.h"
#include "base/text_win.h"
#include "core/app_context_win.h"
#include "core/launcher_settings_win.h"
#include "core/update_run_win.h"
#include "gfx/display_settings_win.h"
#include "gfx/graphics_advice.h"

namespace dkl {
namespace {

bool AdviceIsOffered(AdviceLevel level) { return level == AdviceLevel::Modest || level == AdviceLevel::Old; }

// Two spellings of one folder ("C:\Games\..\Games\Crown", "c:\games\crown") count as the same.
bool SameFolder(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ignored;
  return std::filesystem::weakly_canonical(a, ignored) == std::filesystem::weakly_canonical(b, ignored);
}

}  // namespace

Status AppContext::start_update(bool verify, UpdateCallback on_done) {
  if (state.busy.exchange(true)) return MakeStatus(StatusKind::Busy, "already updating");
  state.playable.exchange(false);
  join_worker();
  try {
    state.worker = std::thread([this, verify, on_done = std::move(on_done)] {
      const SyncOutcome outcome = RunUpdate(*this, verify);
      state.busy.exchange(false);
      on_done(outcome);
    });
  } catch (const std::system_error&) {
    // No run is in progress, so nothing may keep the launcher believing one is.
    state.busy.exchange(false);
    return MakeStatus(StatusKind::Io, "start update worker");
  }
  return OkStatus();
}

void AppContext::join_worker() {
  if (state.worker.joinable()) state.worker.join();
}

Status AppContext::save_settings() {
  std::lock_guard hold(settings_lock);
  return SaveLauncherSettings(settings, app_data_dir);
}

Status AppContext::set_game_folder(const std::filesystem::path& folder, const DisplaySettings& display,
                                   bool& changed) {
  changed = false;
  if (state.busy.load()) return MakeStatus(StatusKind::Busy, "updating");
  if (!folder.is_absolute()) return MakeStatus(StatusKind::Invalid, "game folder must be absolute");
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return MakeStatus(StatusKind::Denied, "create game folder");

  const bool differs = !SameFolder(folder, game_folder());
  {
    std::lock_guard hold(settings_lock);
    const std::optional<std::string> previous = settings.game_dir;
    if (folder.native() == DefaultGameFolder().native()) {
      settings.game_dir.reset();
    } else {
      settings.game_dir = WideToUtf8(folder.native());
    }
    if (Status saved = SaveLauncherSettings(settings, app_data_dir); !saved.ok()) {
      // Nothing was stored, so the folder in use stays the one the rest of the state describes.
      settings.game_dir = previous;
      return saved;
    }
  }
  changed = differs;
  // The stored choice now names the new folder: the game there is unchecked until a run proves it.
  if (changed) state.playable.exchange(false);
  return SaveDisplaySettings(folder, display);
}

DisplaySettings AppContext::load_display_settings() const { return LoadDisplaySettings(game_folder()); }

bool AppContext::graphics_notice_needed() const {
  if (!AdviceIsOffered(graphics.level)) return false;
  {
    std::lock_guard hold(settings_lock);
    if (!settings.gpu_notice_dismissed.empty() && settings.gpu_notice_dismissed == GraphicsSignature(graphics)) {
      return false;
    }
  }
  return AdviceWouldChange(graphics.level, load_display_settings());
}

Status AppContext::apply_graphics_advice() {
  if (state.busy.load()) return MakeStatus(StatusKind::Busy, "updating");
  const std::filesystem::path folder = game_folder();
  const DisplaySettings advised = RecommendedSettings(graphics.level, LoadDisplaySettings(folder));
  if (Status saved = SaveDisplaySettings(folder, advised); !saved.ok()) return saved;
  AppendLauncherLog(folder, "gpu advice applied: " + GraphicsSignature(graphics));
  return OkStatus();
}

void AppContext::dismiss_graphics_notice() {
  {
    std::lock_guard hold(settings_lock);
    settings.gpu_notice_dismissed = GraphicsSignature(graphics);
  }
  save_settings();
}

Status AppContext::set_language(const std::string& lang) {
  if (lang != "en" && lang != "es") return MakeStatus(StatusKind::Invalid, "lang");
  {
    std::lock_guard hold(settings_lock);
    settings.lang = lang;
  }
  save_settings();
  return OkStatus();
}

}  // namespace dkl
