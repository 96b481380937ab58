#include "base/scratch_buffer_win.h"

#include <windows.h>

#include <array>
#include <new>

namespace dkl {
namespace {

constexpr std::size_t kUses = static_cast<std::size_t>(ScratchUse::Download) + 1;

using ThreadBuffers = std::array<void*, kUses>;

void WINAPI ReleaseThreadBuffers(void* value) {
  auto* buffers = static_cast<ThreadBuffers*>(value);
  if (buffers == nullptr) return;
  for (void* buffer : *buffers) {
    if (buffer != nullptr) VirtualFree(buffer, 0, MEM_RELEASE);
  }
  delete buffers;
}

// A fiber-local slot rather than thread_local: MinGW's emulated TLS can free a thread_local's storage
// before its destructor runs at thread exit. The slot's callback runs when each thread ends.
DWORD BuffersSlot() {
  static const DWORD slot = FlsAlloc(ReleaseThreadBuffers);
  return slot;
}

}  // namespace

std::uint8_t* ThreadScratch(ScratchUse use) {
  const DWORD slot = BuffersSlot();
  if (slot == FLS_OUT_OF_INDEXES) return nullptr;
  auto* buffers = static_cast<ThreadBuffers*>(FlsGetValue(slot));
  if (buffers == nullptr) {
    buffers = new (std::nothrow) ThreadBuffers{};
    if (buffers == nullptr || !FlsSetValue(slot, buffers)) {
      delete buffers;
      return nullptr;
    }
  }
  void*& buffer = (*buffers)[static_cast<std::size_t>(use)];
  if (buffer == nullptr) buffer = VirtualAlloc(nullptr, kScratchBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  return static_cast<std::uint8_t*>(buffer);
}

}  // namespace dkl
