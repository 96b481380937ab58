#include "base/file_read_win.h"

#include <windows.h>

#include "base/piece_reader.h"
#include "base/unique_handle_win.h"

namespace dkl {

bool ReadWholeFile(const std::filesystem::path& path, std::uint64_t max_bytes, Bytes& out) {
  out.clear();
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      static_cast<std::uint64_t>(size.QuadPart) > max_bytes) {
    return false;
  }
  const ReadPiece read_file = [&file](std::uint8_t* into, std::uint32_t wanted, std::uint32_t& got) {
    DWORD read = 0;
    const bool ok = ReadFile(file.get(), into, wanted, &read, nullptr) != 0;
    got = read;
    return ok;
  };
  return ReadExactly(static_cast<std::uint64_t>(size.QuadPart), read_file, out);
}

}  // namespace dkl
