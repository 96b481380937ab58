#include "update/file_hash_win.h"

#include <windows.h>

#include <memory>

#include "base/unique_handle_win.h"

namespace dkl {
namespace {

constexpr DWORD kChunkBytes = 1048576;

struct VirtualFreeDeleter {
  void operator()(void* memory) const { VirtualFree(memory, 0, MEM_RELEASE); }
};

}  // namespace

bool FeedFile(const std::filesystem::path& path, Sha256& hash) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return false;
  // Page-aligned: reads into a buffer slightly off a page boundary are markedly slower.
  const std::unique_ptr<void, VirtualFreeDeleter> buffer(
      VirtualAlloc(nullptr, kChunkBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  if (!buffer) return false;
  auto* const bytes = static_cast<std::uint8_t*>(buffer.get());
  while (true) {
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes, kChunkBytes, &read, nullptr)) return false;
    if (read == 0) return true;
    hash.Update(ByteView(bytes, read));
  }
}

std::string HashFile(const std::filesystem::path& path) {
  Sha256 hash;
  return FeedFile(path, hash) ? Sha256Hex(hash.Finish()) : std::string();
}

}  // namespace dkl
