// Which cards struggle with the game's lighting and auras, and what to switch off for them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "gfx/display_settings.h"
#include "gfx/graphics_report.h"

namespace dkl {

struct Advice {
  AdviceLevel level = AdviceLevel::Fine;
  std::vector<std::string> findings;  // one per worrying adapter, in adapter order
  std::size_t chosen = 0;  // the first adapter that reached the final level; the list's length when none
};

// Level Fine at least; the software rasteriser counts only when there is no hardware adapter.
Advice EvaluateAdvice(const std::vector<GraphicsAdapter>& adapters);

// Old: lighting and auras off, detail at most 1. Modest: auras off. Any other level: unchanged.
DisplaySettings RecommendedSettings(AdviceLevel level, const DisplaySettings& settings);

// True when applying the recommendation would change `settings`.
bool AdviceWouldChange(AdviceLevel level, const DisplaySettings& settings);

}  // namespace dkl
