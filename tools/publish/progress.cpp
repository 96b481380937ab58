#include "publish/progress.h"

#include <array>
#include <cstdio>

namespace dkl::publish {

std::string FormatBytes(std::uint64_t bytes) {
  static constexpr std::array<const char*, 5> kUnits = {"B", "KiB", "MiB", "GiB", "TiB"};
  if (bytes < 1024) return std::to_string(bytes) + " B";
  double amount = static_cast<double>(bytes);
  std::size_t unit = 0;
  while (amount >= 1024 && unit + 1 < kUnits.size()) {
    amount /= 1024;
    ++unit;
  }
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%.1f %s", amount, kUnits[unit]);
  return text.data();
}

}  // namespace dkl::publish
