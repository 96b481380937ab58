// The entries of the window's bilingual text table that the window logic names. The values are the
// table's indexes, so a label resolves to the current language by indexing the table with them.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace dkl {

enum class TextId : int {
  VerifyFiles = 14,
  Website = 15,
  Play = 16,
  Retry = 17,
  Browse = 20,
  ModeWindow = 23,
  ModeBorderless = 24,
  ModeFullscreen = 25,
  AspectKeep = 27,
  AspectStretch = 28,
  FpsUnlimited = 30,
  Back = 33,
  Save = 34,
  LookingForUpdates = 36,
  CheckingFiles = 37,
  VerifyingEveryFile = 38,
  DownloadingUpdate = 39,
  UpdatingLauncher = 40,
  AllSet = 41,
  ServerUnreachable = 42,
  UpdateFailed = 43,
  ServerUnreachablePlayable = 44,
  FilesOfTotal = 45,
  AllFilesVerified = 46,
  CardOld = 69,
  CardModest = 70,
  ApplyRecommended = 73,
  NotNow = 74,
};

// A text the window shows: an entry of the text table in the current language, or a literal that is
// the same in both languages (UTF-8: "EN", "Discord", "1024 × 768", …). Both empty: nothing.
struct UiLabel {
  std::optional<TextId> text;
  std::string literal;

  bool operator==(const UiLabel&) const = default;
};

inline UiLabel TextLabel(TextId id) { return {id, {}}; }
inline UiLabel LiteralLabel(std::string text) { return {std::nullopt, std::move(text)}; }

}  // namespace dkl
