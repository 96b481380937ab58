// Pairs a driver the registry lists with the adapters DXGI reported.
#pragma once

#include <string_view>
#include <vector>

#include "gfx/graphics_report.h"

namespace dkl {

// Gives `driver_version` to every adapter still without one whose name equals `description`
// ignoring the case of ASCII letters. Empty texts match nothing. Called in registry order, so
// the first listed driver of a name wins.
void AssignDriverVersion(std::vector<GraphicsAdapter>& adapters, std::string_view description,
                         std::string_view driver_version);

}  // namespace dkl
