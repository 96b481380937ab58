#include "ui/display_cyclers.h"

#include <cstddef>

namespace dkl {
namespace {

// The step after `index` in `direction`, wrapping over `count` steps.
std::size_t Step(std::size_t index, int direction, std::size_t count) {
  return static_cast<std::size_t>((static_cast<long long>(index) + direction + static_cast<long long>(count)) %
                                  static_cast<long long>(count));
}

std::int32_t StepOfThree(std::int32_t value, int direction) { return (value + direction + 3) % 3; }

}  // namespace

void CycleResolution(DisplaySettings& display, int direction) {
  std::size_t next = 0;
  for (std::size_t i = 0; i < kResolutionSteps.size(); ++i) {
    if (kResolutionSteps[i].width == display.width) {
      if (kResolutionSteps[i].height == display.height) next = Step(i, direction, kResolutionSteps.size());
      break;
    }
  }
  display.width = kResolutionSteps[next].width;
  display.height = kResolutionSteps[next].height;
}

void CycleFpsLimit(DisplaySettings& display, int direction) {
  for (std::size_t i = 0; i < kFpsLimitSteps.size(); ++i) {
    if (kFpsLimitSteps[i] == display.fpsLimit) {
      display.fpsLimit = kFpsLimitSteps[Step(i, direction, kFpsLimitSteps.size())];
      return;
    }
  }
  display.fpsLimit = kFpsLimitSteps[0];
}

void CycleWindowMode(DisplaySettings& display, int direction) {
  display.mode = static_cast<WindowMode>(StepOfThree(static_cast<std::int32_t>(display.mode), direction));
}

void CycleDetailLevel(DisplaySettings& display, int direction) {
  display.detailLevel = StepOfThree(display.detailLevel, direction);
}

bool ApplyDisplayCommand(ActionId id, int direction, DisplaySettings& display) {
  switch (id) {
    case ActionId::ModeCycler: CycleWindowMode(display, direction); return true;
    case ActionId::ResolutionCycler: CycleResolution(display, direction); return true;
    case ActionId::AspectCycler: display.fullscreenStretch = !display.fullscreenStretch; return true;
    case ActionId::FpsCycler: CycleFpsLimit(display, direction); return true;
    case ActionId::VSync: display.vsync = !display.vsync; return true;
    case ActionId::CaptureMouse: display.captureMouse = !display.captureMouse; return true;
    case ActionId::AmbientLighting: display.ambientLighting = !display.ambientLighting; return true;
    case ActionId::BodyAuras: display.bodyAuras = !display.bodyAuras; return true;
    case ActionId::DetailCycler: CycleDetailLevel(display, direction); return true;
    default: return false;
  }
}

}  // namespace dkl
