// Where bytes come from and where they go, apart from what holds them: a part file, a finished
// file, memory in tests and fuzz targets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "base/bytes.h"
#include "base/status.h"

namespace dkl {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Fills the front of `into` with the next bytes and returns how many: at least one while bytes
  // remain, possibly fewer than asked; 0 at the end or when reading failed.
  virtual std::size_t Read(std::span<std::uint8_t> into) = 0;
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Takes all of `bytes` or fails with the reason.
  virtual Status Write(ByteView bytes) = 0;
};

// Takes everything and keeps nothing: for proving content that stays where it is.
class DiscardingSink final : public ByteSink {
 public:
  Status Write(ByteView) override { return OkStatus(); }
};

}  // namespace dkl
