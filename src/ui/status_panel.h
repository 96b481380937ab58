// What the status panel at the bottom of the main page shows: the status line, the progress figures,
// the bar and the big Play or Retry button, from the live run state and the last adopted outcome.
#pragma once

#include <cstdint>
#include <string>

#include "base/status.h"
#include "core/sync_outcome.h"
#include "ui/ui_text.h"

namespace dkl {

// One paint's reading of the window and of the live run state; each counter read once.
struct StatusPanelInput {
  bool busy = false;
  std::int32_t live_phase = 0;
  std::uint64_t bytes_done = 0;
  std::uint64_t bytes_total = 0;
  std::uint64_t files_done = 0;
  std::uint64_t files_total = 0;
  bool final_received = false;
  SyncOutcome shown_outcome;
  bool has_override = false;  // the window's statusOverride is not empty
  bool has_notice = false;    // the window's notice is not empty
  double speed = 0;           // smoothed bytes per second, 0 without an estimate
};

// Where the status line's text comes from.
struct StatusLine {
  enum class Source { Empty, Override, Notice, Text, StatusMessage };
  Source source = Source::Empty;
  UiString text{};                     // Source::Text
  StatusKind status = StatusKind::Ok;  // Source::StatusMessage: the message for this kind

  bool operator==(const StatusLine&) const = default;
};

// The line under the bar, left side.
struct DetailLine {
  enum class Source { Empty, FileCount, CurrentItem, AllFilesVerified };
  Source source = Source::Empty;
  std::uint64_t done = 0;   // FileCount: the "%u of %u files" arguments
  std::uint64_t total = 0;

  bool operator==(const DetailLine&) const = default;
};

struct ProgressFill {
  enum class Look { None, Ember, Metal };
  Look look = Look::None;
  float width = 0;  // pixels from the bar's left inner edge; 0 with Look::None

  bool operator==(const ProgressFill&) const = default;
};

struct StatusPanel {
  std::int32_t phase = 0;
  bool failed = false;      // the status line is drawn as an error
  bool retry_mode = false;  // the big button retries the update instead of starting the game
  StatusLine line;
  float percent = 0;         // 0 to 100
  std::string percent_text;  // "42%", empty when no percentage is shown
  DetailLine detail;
  std::string transfer_text;  // UTF-8 right-hand text: "12.3 / 456.7 MB · 1.2 MB/s", or empty
  ProgressFill fill;
  bool play_enabled = false;
  bool play_emphasised = false;
};

inline constexpr float kProgressBarInnerWidth = 676;

// First match wins: the override, the notice after a good run, the offline and failure messages of
// an ended run, then the text of the phase (empty for an unknown phase).
StatusLine StatusText(const StatusPanelInput& input);

// The bar's fill for `percent` (at most 100) in `phase`: metal when the update is ready, ember
// otherwise, nothing at 0.5 pixels or less.
ProgressFill ProgressFillFor(float percent, std::int32_t phase);

// The sizes in MB with one decimal, and the speed when there is one.
std::string TransferText(std::uint64_t bytes_done, std::uint64_t bytes_total, double speed);

StatusPanel ComputeStatusPanel(const StatusPanelInput& input);

}  // namespace dkl
