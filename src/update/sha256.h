// Streaming SHA-256 (FIPS 180-4): the one hash of files, objects and the launcher itself.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/bytes.h"

namespace dkl {

using Sha256Digest = std::array<std::uint8_t, 32>;

// Folds `blocks` consecutive 64-byte blocks starting at `data` into `state`.
using Sha256Compress = void (*)(std::uint32_t* state, const std::uint8_t* data, std::size_t blocks);

class Sha256 {
 public:
  // Uses the CPU's SHA instructions when it has them, chosen once per process.
  Sha256();
  // Always the plain code, so that tests and the benchmark can measure both on one machine.
  static Sha256 Portable();

  void Update(ByteView data);
  // The digest of everything fed since the start; the hash then starts over.
  Sha256Digest Finish();

 private:
  explicit Sha256(Sha256Compress compress);
  void Reset();

  Sha256Compress compress_;
  std::array<std::uint32_t, 8> state_{};
  std::array<std::uint8_t, 64> block_{};
  std::size_t buffered_ = 0;
  std::uint64_t length_ = 0;
};

// True when Sha256() uses the CPU's SHA instructions.
bool Sha256UsesShaExtensions();

// 64 lowercase hex digits, most significant digit of each byte first.
std::string Sha256Hex(const Sha256Digest& digest);

}  // namespace dkl
