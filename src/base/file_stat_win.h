#pragma once

#include <cstdint>
#include <filesystem>

namespace dkl {

struct FileStat {
  std::uint64_t size = 0;
  std::uint64_t last_write_ticks = 0;  // FILETIME: 100 ns ticks since 1601
  bool directory = false;
};

// One attribute query; false when it fails, with the reason left in GetLastError.
bool StatFile(const std::filesystem::path& path, FileStat& stat);

}  // namespace dkl
