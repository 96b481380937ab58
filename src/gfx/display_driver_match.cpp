#include "gfx/display_driver_match.h"

#include <algorithm>

namespace dkl {
namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace

void AssignDriverVersion(std::vector<GraphicsAdapter>& adapters, std::string_view description,
                         std::string_view driver_version) {
  if (description.empty() || driver_version.empty()) return;
  for (GraphicsAdapter& adapter : adapters) {
    if (adapter.driver_version.empty() && EqualsIgnoringAsciiCase(adapter.name, description)) {
      adapter.driver_version = driver_version;
    }
  }
}

}  // namespace dkl
