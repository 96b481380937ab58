// Page-aligned read and write buffers that live as long as their thread. Mapping a fresh buffer for
// every file costs a page fault per page under Wine, which dominated checks of many small files.
#pragma once

#include <cstddef>
#include <cstdint>

namespace dkl {

inline constexpr std::size_t kScratchBytes = 1048576;

// One buffer per use, so that an operation holding one may call another that needs a second.
enum class ScratchUse : std::size_t { Hash, PartInput, PartOutput, Download };

// kScratchBytes of the calling thread's buffer for `use`; null when no memory could be mapped.
// The contents are whatever the thread's last user left there.
std::uint8_t* ThreadScratch(ScratchUse use);

}  // namespace dkl
