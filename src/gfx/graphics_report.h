// What start-up learned about the machine's graphics adapters, and how worried the launcher is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dkl {

// The values are stable: they order the levels of concern.
enum class AdviceLevel : int {
  None = 0,    // no adapter found
  Fine = 1,    // nothing to advise
  Modest = 2,  // light card: turn auras off
  Old = 3,     // old or unsuitable card: turn lighting and auras off
};

struct GraphicsAdapter {
  std::string name;  // UTF-8, as the adapter describes itself
  std::uint32_t vendor_id = 0;
  std::uint32_t device_id = 0;
  std::string driver_version;  // empty when the registry names no driver for it
  std::uint64_t video_memory_mib = 0;  // dedicated video memory
  bool software = false;  // a software rasteriser such as the basic render driver
};

// Built once at start-up and never changed afterwards, so it is read without a lock.
struct GraphicsReport {
  std::vector<GraphicsAdapter> adapters;
  AdviceLevel level = AdviceLevel::None;
  std::vector<std::string> findings;  // one text per adapter that raised a concern
  std::optional<std::size_t> chosen_adapter;  // index into adapters: the one the advice is about
};

// The report for `adapters` with the advice rules applied; level None when the list is empty.
GraphicsReport MakeGraphicsReport(std::vector<GraphicsAdapter> adapters);

// The chosen adapter's name, "|" and its driver version; empty when no adapter was chosen.
std::string GraphicsSignature(const GraphicsReport& report);

}  // namespace dkl
