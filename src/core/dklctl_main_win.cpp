// dklctl: what the launcher does, without a window, for support staff and QA ("verify this
// installation", "is the game server up", "what does the launcher see of this machine").
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <dkl/build_settings.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "base/paths_win.h"
#include "base/text_win.h"
#include "core/app_context_win.h"
#include "core/ctl_command_line.h"
#include "core/ctl_progress.h"
#include "core/ctl_reports.h"
#include "core/update_run_win.h"
#include "gfx/graphics_detect_win.h"
#include "net/news_feed_win.h"
#include "net/server_probe_win.h"

namespace dkl {
namespace {

// Often enough that a plain log sees every phase, even the short ones.
constexpr std::chrono::milliseconds kProgressInterval{20};
constexpr std::chrono::milliseconds kConsoleInterval{100};
constexpr std::chrono::milliseconds kPlainLineInterval{1000};

void WriteText(std::FILE* stream, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

// On a console the progress line is rewritten in place, ten times a second; into a file or pipe
// it becomes plain lines: one per phase change and at most one a second in between.
class ProgressPrinter {
 public:
  ProgressPrinter() {
    DWORD mode = 0;
    console_ = GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
  }

  // `last` shows the final state even when it came sooner than the interval.
  void Show(const ProgressSnapshot& snapshot, bool last) {
    const auto now = std::chrono::steady_clock::now();
    const bool phase_changed = !shown_ || snapshot.phase != shown_->phase;
    const bool changed = !shown_ || snapshot != *shown_;
    const bool due = now - shown_at_ >= (console_ ? kConsoleInterval : kPlainLineInterval);
    if (!phase_changed && !(changed && (due || last))) return;
    const std::string line = FormatProgressLine(snapshot);
    if (console_) {
      const std::string padding(line.size() < width_ ? width_ - line.size() : 0, ' ');
      width_ = line.size();
      WriteText(stderr, "\r" + line + padding);
    } else {
      WriteText(stderr, line + "\n");
    }
    shown_ = snapshot;
    shown_at_ = now;
  }

  void Finish() {
    if (console_) WriteText(stderr, "\n");
  }

 private:
  bool console_ = false;
  std::size_t width_ = 0;
  std::optional<ProgressSnapshot> shown_;
  std::chrono::steady_clock::time_point shown_at_{};
};

int ExitCodeFor(const SyncOutcome& outcome) {
  switch (outcome.kind) {
    case UpdatePhase::Ready: return kCtlExitReady;
    case UpdatePhase::Offline: return kCtlExitOffline;
    case UpdatePhase::SelfUpdating: return kCtlExitSelfUpdated;
    default: return kCtlExitFailed;
  }
}

// --folder made absolute; a path Windows cannot complete is used as given and fails at its first use.
std::optional<std::filesystem::path> FolderOverride(const CtlCommand& command) {
  if (!command.folder) return std::nullopt;
  const std::filesystem::path given = Utf8ToWide(*command.folder);
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(given, error);
  return error ? given : full;
}

int Update(const CtlCommand& command) {
  AppContext context(command.app_data ? std::filesystem::path(Utf8ToWide(*command.app_data)) : AppDataFolder(),
                     FolderOverride(command));
  if (!command.mirrors.empty()) context.mirrors = command.mirrors;
  // dklctl never replaces itself: a newer launcher goes over the one it serves.
  context.launcher_exe = ExecutablePath().parent_path() / L"DuskcrownLauncher.exe";

  std::future<SyncOutcome> run =
      std::async(std::launch::async, [&] { return RunUpdate(context, command.verify); });
  ProgressPrinter printer;
  printer.Show(TakeSnapshot(context.state.progress), false);
  while (run.wait_for(kProgressInterval) != std::future_status::ready) {
    printer.Show(TakeSnapshot(context.state.progress), false);
  }
  const SyncOutcome outcome = run.get();
  printer.Show(TakeSnapshot(context.state.progress), true);
  printer.Finish();
  WriteText(stdout, SyncOutcomeJson(outcome) + "\n");
  return ExitCodeFor(outcome);
}

int Probe() {
  const ServerStatus status = ProbeServer();
  WriteText(stdout, ServerStatusJson(status) + "\n");
  return status.online ? kCtlExitReady : kCtlExitOffline;
}

int News(const CtlCommand& command) {
  const std::vector<std::string> websites =
      command.websites.empty() ? std::vector<std::string>{kWebsiteBaseUrl} : command.websites;
  const HttpSession session = OpenHttpSession(MakeUserAgent());
  WriteText(stdout, NewsJson(FetchNews(session, websites, command.lang)) + "\n");
  return kCtlExitReady;
}

int Graphics() {
  WriteText(stdout, GraphicsJson(DetectGraphics()) + "\n");
  return kCtlExitReady;
}

int Main(int argc, wchar_t** argv) {
  // Lines end in LF alone, as the JSON and the progress lines are read by scripts on any system.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(WideToUtf8(argv[i]));
  CtlCommand command;
  if (Status status = ParseCtlCommandLine(arguments, command); !status.ok()) {
    WriteText(stderr, "dklctl: " + status.message + "\n\n" + kCtlUsage);
    return kCtlExitUsage;
  }
  if (command.help) {
    WriteText(stdout, kCtlUsage);
    return kCtlExitReady;
  }
  if (command.verb == "probe") return Probe();
  if (command.verb == "news") return News(command);
  if (command.verb == "gpu") return Graphics();
  return Update(command);
}

}  // namespace
}  // namespace dkl

int wmain(int argc, wchar_t** argv) { return dkl::Main(argc, argv); }
