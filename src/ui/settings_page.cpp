#include "ui/settings_page.h"

#include <cstddef>
#include <cstdio>
#include <string>

#include "gfx/graphics_advice.h"

namespace dkl {

UiString ModeValueText(WindowMode mode) {
  switch (mode) {
    case WindowMode::Borderless: return UiString::ModeBorderless;
    case WindowMode::Fullscreen: return UiString::ModeFullscreen;
    default: return UiString::ModeWindow;
  }
}

UiString AspectValueText(bool fullscreen_stretch) {
  return fullscreen_stretch ? UiString::Stretch : UiString::KeepAspect;
}

UiLabel ResolutionValue(const DisplaySettings& display) {
  char text[48];
  std::snprintf(text, sizeof text, "%u \u00D7 %u", static_cast<unsigned>(display.width),
                static_cast<unsigned>(display.height));
  return LiteralLabel(text);
}

UiLabel FpsLimitValue(std::uint32_t fps_limit) {
  if (fps_limit == 0) return TextLabel(UiString::Unlimited);
  return LiteralLabel(std::to_string(fps_limit));
}

SettingsHints HintsFor(AdviceLevel level, const DisplaySettings& display) {
  const DisplaySettings recommended = RecommendedSettings(level, display);
  SettingsHints hints;
  if (recommended.ambientLighting != display.ambientLighting) hints.ambient_lighting = recommended.ambientLighting;
  hints.body_auras_off = recommended.bodyAuras != display.bodyAuras;
  if (recommended.detailLevel != display.detailLevel) hints.detail_level = recommended.detailLevel;
  return hints;
}

GraphicsCardLine GraphicsCardLineFor(const GraphicsReport& report) {
  GraphicsCardLine line;
  if (report.adapters.empty()) return line;
  const std::size_t index =
      report.chosen_adapter && *report.chosen_adapter < report.adapters.size() ? *report.chosen_adapter : 0;
  line.name = report.adapters[index].name;
  line.driver_version = report.adapters[index].driver_version;
  if (report.level == AdviceLevel::Old) line.suffix = UiString::AdviceOld;
  if (report.level == AdviceLevel::Modest) line.suffix = UiString::AdviceModest;
  return line;
}

SaveFollowUp AfterSave(const Status& saved, bool folder_changed) {
  if (!saved.ok()) return {saved.kind, false, false};
  return {std::nullopt, true, folder_changed};
}

}  // namespace dkl
