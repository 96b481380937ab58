// The clickable areas of one painted frame, and which of them lies under a point.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/ui_label.h"

namespace dkl {

// How the widget kit draws a region. The values are stable.
enum class RegionKind : std::int32_t {
  PrimaryButton = 0,
  SecondaryButton = 1,
  FramedButton = 2,
  IconButton = 3,
  TextPill = 4,
  ClickArea = 5,
};

// The command behind a region. None is never registered; it stands for "no region" in hover and press.
enum class ActionId : std::int32_t {
  None = 0,
  Spanish = 1,
  English = 2,
  SettingsPage = 3,
  Minimize = 4,
  Close = 5,
  NewsFeatured = 6,
  NewsSecond = 7,
  NewsThird = 8,
  VerifyFiles = 9,
  Website = 10,
  Discord = 11,
  Play = 12,
  ApplyAdvice = 13,
  DismissAdvice = 14,
  Browse = 15,
  ModeCycler = 16,
  ResolutionCycler = 17,
  AspectCycler = 18,
  FpsCycler = 19,
  VSync = 20,
  CaptureMouse = 21,
  AmbientLighting = 22,
  BodyAuras = 23,
  DetailCycler = 24,
  Back = 25,
  Save = 26,
};

struct HitRegion {
  ActionId id = ActionId::None;
  RegionKind kind = RegionKind::ClickArea;
  float x = 0;
  float y = 0;
  float width = 0;
  float height = 0;
  UiLabel label;
  bool enabled = false;     // a disabled region is drawn and hovered, never clicked
  bool selected = false;    // the language pill of the current language
  bool emphasised = false;  // a primary button with a resting glow
  std::int32_t cycler = 0;  // 1 on a value cycler; in a clicked copy the direction, -1 or +1

  bool operator==(const HitRegion&) const = default;
};

// Appends a region with selected, emphasised and cycler cleared, for the caller to set before drawing.
HitRegion& AddRegion(std::vector<HitRegion>& regions, ActionId id, RegionKind kind, float x, float y, float width,
                     float height, UiLabel label, bool enabled);

// The first region in list order that contains the point (right and bottom edges excluded), enabled
// or not; null when there is none.
const HitRegion* HitTest(const std::vector<HitRegion>& regions, float x, float y);

}  // namespace dkl
