// Which command a completed click stands for, decided from the clicked region and the window's
// state; the Win32 shell carries the command out.
#pragma once

#include <cstddef>

#include "ui/frame_regions.h"
#include "ui/hit_region.h"

namespace dkl {

enum class CommandKind {
  Nothing,         // only the repaint that follows every click
  SetLanguage,     // `english` says which; the news are fetched again in it
  OpenSettings,    // reload the edit copy, then show the settings page
  ShowMain,        // leave the settings page without saving
  Minimize,
  Close,
  OpenNewsItem,    // `news_index` 0 to 2
  VerifyFiles,     // a run that hashes every file
  OpenWebsite,     // the website's home page
  OpenCommunity,   // the community invite link
  Retry,           // a quick run again after a failed one
  LaunchGame,
  ApplyAdvice,
  DismissAdvice,
  BrowseFolder,
  EditDisplay,     // a settings control: change the edit copy by the region's id and direction
  Save,
};

struct Command {
  CommandKind kind = CommandKind::Nothing;
  bool english = false;
  std::size_t news_index = 0;

  bool operator==(const Command&) const = default;
};

struct CommandContext {
  Page page = Page::Main;
  bool english = false;
  bool busy = false;
  bool retry_mode = false;
};

// The language pill of the current language and "Verify files" during a run do nothing.
Command CommandFor(const HitRegion& clicked, const CommandContext& context);

}  // namespace dkl
