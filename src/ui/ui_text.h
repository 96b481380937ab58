// The window's bilingual texts: one entry per index in English and Spanish, and the helpers that pick
// and fill them. Portable, so the tables are checked by the host build too.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "base/status.h"

namespace dkl {

// Indexes into both tables; the numbers are fixed, the names only say where each text is used.
enum class UiString : int {
  Language = 0,
  SettingsTitle = 1,
  Minimize = 2,
  Close = 3,
  News = 4,
  NewsEmpty = 5,
  Server = 6,
  Online = 7,
  Offline = 8,
  Latency = 9,
  Checking = 10,
  Version = 11,
  Installed = 12,
  Available = 13,
  VerifyFiles = 14,
  Website = 15,
  Play = 16,
  Retry = 17,
  Settings = 18,
  GameFolder = 19,
  Browse = 20,
  Resolution = 21,
  Mode = 22,
  ModeWindow = 23,
  ModeBorderless = 24,
  ModeFullscreen = 25,
  Fullscreen = 26,
  KeepAspect = 27,
  Stretch = 28,
  FpsLimit = 29,
  Unlimited = 30,
  VSync = 31,
  KeepMouse = 32,
  Back = 33,
  Save = 34,
  LauncherVersionLine = 35,
  PhaseLooking = 36,
  PhaseChecking = 37,
  PhaseVerifying = 38,
  PhaseDownloading = 39,
  PhaseSelfUpdate = 40,
  PhaseReady = 41,
  PhaseOffline = 42,
  PhaseFailed = 43,
  PhaseOfflinePlayable = 44,
  FilesProgress = 45,
  AllFilesVerified = 46,
  StatusOffline = 47,
  StatusSignature = 48,
  StatusRollback = 49,
  StatusManifest = 50,
  StatusCorrupt = 51,
  StatusGameRunning = 52,
  StatusNetwork = 53,
  StatusDiskFull = 54,
  StatusDenied = 55,
  StatusIo = 56,
  StatusBusy = 57,
  StatusInvalid = 58,
  Graphics = 59,
  EnhancedLighting = 60,
  Auras = 61,
  DetailLevel = 62,
  DetailLow = 63,
  DetailMedium = 64,
  DetailHigh = 65,
  Recommended = 66,
  GraphicsCardLine = 67,
  GraphicsCardUnknown = 68,
  AdviceOld = 69,
  AdviceModest = 70,
  AdviceBannerOld = 71,
  AdviceBannerLight = 72,
  ApplyRecommended = 73,
  NotNow = 74,
  RecommendedApplied = 75,
};

inline constexpr int UiStringCount = 76;

// The entry of `index` in English when `english`, in Spanish otherwise; empty outside 0 to 75.
std::wstring_view TextFor(bool english, UiString index);

// The player's message for a failure: kinds 1 to 12 have their own entry, anything else reads
// "The update failed.".
std::wstring_view MessageForStatus(bool english, StatusKind kind);

// "Low" for 0 and below, "Medium" for 1, "High" above.
std::wstring_view DetailLevelName(bool english, int level);

// One value for a template's "%u" or "%s", in order of appearance.
struct FormatArg {
  FormatArg(unsigned value) : is_number(true), number(value) {}
  FormatArg(std::wstring_view value) : text(value) {}
  FormatArg(const wchar_t* value) : text(value) {}
  FormatArg(const std::wstring& value) : text(value) {}

  bool is_number = false;
  unsigned number = 0;
  std::wstring_view text;
};

// The longest text FormatText returns; the window formats into a buffer of 512 wide characters.
inline constexpr std::size_t FormattedTextLimit = 511;

// Fills "%u" (an unsigned number), "%s" (a text) and "%%" in `pattern` from `args`. A directive
// without an argument of its kind is left out; the result is cut at FormattedTextLimit characters.
std::wstring FormatText(std::wstring_view pattern, std::initializer_list<FormatArg> args);

}  // namespace dkl
