#include "update/file_hash_win.h"

#include <windows.h>

#include "base/scratch_buffer_win.h"
#include "base/unique_handle_win.h"

namespace dkl {
bool FeedFile(const std::filesystem::path& path, Sha256& hash) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return false;
  // Page-aligned: reads into a buffer slightly off a page boundary are markedly slower.
  std::uint8_t* const bytes = ThreadScratch(ScratchUse::Hash);
  if (bytes == nullptr) return false;
  while (true) {
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes, static_cast<DWORD>(kScratchBytes), &read, nullptr)) return false;
    if (read == 0) return true;
    hash.Update(ByteView(bytes, read));
  }
}

std::string HashFile(const std::filesystem::path& path) {
  Sha256 hash;
  return FeedFile(path, hash) ? Sha256Hex(hash.Finish()) : std::string();
}

}  // namespace dkl
