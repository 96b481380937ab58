// Byte sources and sinks in memory, for running the unpack without files.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "base/byte_stream.h"

namespace dkl::testing {

// Hands out `bytes` in pieces of at most `piece` bytes, as a file or socket may.
class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(ByteView bytes, std::size_t piece = SIZE_MAX)
      : bytes_(bytes), piece_(std::max<std::size_t>(piece, 1)) {}

  std::size_t Read(std::span<std::uint8_t> into) override {
    const std::size_t size = std::min({into.size(), piece_, bytes_.size()});
    if (size > 0) std::memcpy(into.data(), bytes_.data(), size);
    bytes_ = bytes_.subspan(size);
    return size;
  }

 private:
  ByteView bytes_;
  std::size_t piece_;
};

// Keeps everything written to it.
class MemorySink final : public ByteSink {
 public:
  Status Write(ByteView bytes) override {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return OkStatus();
  }

  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

}  // namespace dkl::testing
