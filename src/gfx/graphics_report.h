// What start-up learned about the machine's graphics adapters.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dkl {

enum class AdviceLevel : int { None = 0 };

struct GraphicsAdapter {
  std::string name;
  std::uint32_t vendor_id = 0;
  std::uint32_t device_id = 0;
  std::string driver_version;  // empty when the registry names no driver for it
  std::uint64_t video_memory_mib = 0;
  bool software = false;
};

struct GraphicsReport {
  std::vector<GraphicsAdapter> adapters;
  AdviceLevel level = AdviceLevel::None;
  std::vector<std::string> findings;  // one text per adapter that raised a concern
  std::optional<std::size_t> chosen_adapter;  // index into adapters
};

}  // namespace dkl
