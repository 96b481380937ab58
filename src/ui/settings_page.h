// The settings page apart from drawing: the copy being edited, the values its controls show, the
// recommendation hints, the graphics-card line, and what a Save leads to.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "base/status.h"
#include "gfx/display_settings.h"
#include "gfx/graphics_report.h"
#include "ui/ui_label.h"

namespace dkl {

// Edited by the page's controls and "Browse"; nothing is stored until Save hands it on.
struct SettingsEdit {
  std::filesystem::path folder;
  DisplaySettings display;
};

// "Borderless window", "Fullscreen", and "Window" for anything else.
UiString ModeValueText(WindowMode mode);
// "Stretch" or "Keep 4:3".
UiString AspectValueText(bool fullscreen_stretch);
// "1024 × 768".
UiLabel ResolutionValue(const DisplaySettings& display);
// "Unlimited" for 0, otherwise the number.
UiLabel FpsLimitValue(std::uint32_t fps_limit);

// The recommended value of each option, present only where it differs from the edit copy. Auras are
// only ever recommended off.
struct SettingsHints {
  std::optional<bool> ambient_lighting;
  bool body_auras_off = false;
  std::optional<std::int32_t> detail_level;

  bool operator==(const SettingsHints&) const = default;
};

SettingsHints HintsFor(AdviceLevel level, const DisplaySettings& display);

// The card the advice is about (the chosen adapter, else the first); absent when none was detected.
struct GraphicsCardLine {
  std::optional<std::string> name;  // UTF-8
  std::string driver_version;
  std::optional<UiString> suffix;  // "Old" or "Modest"

  bool operator==(const GraphicsCardLine&) const = default;
};

GraphicsCardLine GraphicsCardLineFor(const GraphicsReport& report);

// What the window does after the controller answered a Save.
struct SaveFollowUp {
  std::optional<StatusKind> message;  // failure: the page stays open and shows this kind's message
  bool close_page = false;            // success: back to the main page, with the advice asked again
  bool start_run = false;             // success with a new folder: check it against the manifest at once

  bool operator==(const SaveFollowUp&) const = default;
};

SaveFollowUp AfterSave(const Status& saved, bool folder_changed);

}  // namespace dkl
