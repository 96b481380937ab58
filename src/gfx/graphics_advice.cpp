#include "gfx/graphics_advice.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <string_view>

namespace dkl {
namespace {

constexpr std::uint32_t kIntelVendorId = 0x8086;

// Generation 7 Intel graphics (Ivy Bridge, Haswell, Bay Trail): known to crash with the options.
constexpr std::array<std::uint32_t, 26> kGeneration7DeviceIds{
    0x0152, 0x0156, 0x015A, 0x0162, 0x0166, 0x016A, 0x0402, 0x0406, 0x040A, 0x0412, 0x0416, 0x041A, 0x041E,
    0x0A06, 0x0A0E, 0x0A16, 0x0A1E, 0x0A26, 0x0A2E, 0x0D22, 0x0D26, 0x0F31, 0x0F32, 0x0F33, 0x0155, 0x0157};

// The number before the first dot; 0 when the version does not start with one.
long long LeadingNumber(std::string_view version) {
  long long number = 0;
  const auto result = std::from_chars(version.data(), version.data() + version.size(), number);
  return result.ec == std::errc() ? number : 0;
}

bool IsGeneration7(std::uint32_t device_id) {
  return std::find(kGeneration7DeviceIds.begin(), kGeneration7DeviceIds.end(), device_id) !=
         kGeneration7DeviceIds.end();
}

class AdviceBuilder {
 public:
  explicit AdviceBuilder(std::size_t count) { advice_.chosen = count; }

  void Raise(std::size_t index, AdviceLevel level, std::string finding) {
    advice_.findings.push_back(std::move(finding));
    if (advice_.level >= level) return;
    advice_.level = level;
    advice_.chosen = index;
  }

  Advice Take() { return std::move(advice_); }

 private:
  Advice advice_;
};

void ApplyMemoryRule(AdviceBuilder& builder, std::size_t index, const GraphicsAdapter& adapter) {
  if (adapter.video_memory_mib > 0 && adapter.video_memory_mib < 1024) {
    builder.Raise(index, AdviceLevel::Modest, adapter.name + ": under 1 GB of video memory");
  }
}

void ApplyIntelRules(AdviceBuilder& builder, std::size_t index, const GraphicsAdapter& adapter) {
  const long long branch = LeadingNumber(adapter.driver_version);
  if (branch >= 1 && branch <= 19) {
    builder.Raise(index, AdviceLevel::Old,
                  adapter.name + ": driver " + adapter.driver_version + " is Intel's 2015 branch for generation 7");
  } else if (IsGeneration7(adapter.device_id)) {
    builder.Raise(index, AdviceLevel::Old, adapter.name + ": generation 7 Intel graphics");
  } else if (adapter.video_memory_mib < 64) {
    builder.Raise(index, AdviceLevel::Modest, adapter.name + ": integrated graphics");
  } else {
    ApplyMemoryRule(builder, index, adapter);
  }
}

}  // namespace

Advice EvaluateAdvice(const std::vector<GraphicsAdapter>& adapters) {
  const bool hardware_exists =
      std::any_of(adapters.begin(), adapters.end(), [](const GraphicsAdapter& adapter) { return !adapter.software; });
  AdviceBuilder builder(adapters.size());
  for (std::size_t index = 0; index < adapters.size(); ++index) {
    const GraphicsAdapter& adapter = adapters[index];
    if (adapter.software) {
      if (!hardware_exists) builder.Raise(index, AdviceLevel::Old, "no graphics card: " + adapter.name);
    } else if (adapter.vendor_id == kIntelVendorId) {
      ApplyIntelRules(builder, index, adapter);
    } else {
      ApplyMemoryRule(builder, index, adapter);
    }
  }
  return builder.Take();
}

DisplaySettings RecommendedSettings(AdviceLevel level, const DisplaySettings& settings) {
  DisplaySettings recommended = settings;
  if (level == AdviceLevel::Old) {
    recommended.ambientLighting = false;
    recommended.bodyAuras = false;
    recommended.detailLevel = std::min(recommended.detailLevel, 1);
  } else if (level == AdviceLevel::Modest) {
    recommended.bodyAuras = false;
  }
  return recommended;
}

bool AdviceWouldChange(AdviceLevel level, const DisplaySettings& settings) {
  return RecommendedSettings(level, settings) != settings;
}

}  // namespace dkl
