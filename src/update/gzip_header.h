// The gzip wrapper around a compressed object: where its DEFLATE data starts.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/bytes.h"

namespace dkl {

// Walks a gzip header as its bytes arrive and keeps none of them, so that a mirror's name or comment
// field of any length costs no memory. The header CRC, time and OS bytes are not examined.
class GzipHeaderWalk {
 public:
  // Takes header bytes from the front of `bytes` and returns how many it took: all of them until the
  // header is complete, then the header's last bytes only; none once it is complete or bad.
  std::size_t Feed(ByteView bytes);

  bool complete() const { return stage_ == Stage::Done; }
  bool bad() const { return stage_ == Stage::Bad; }

  // The header's length as far as the bytes so far tell: what was taken, plus what the fields already
  // announced still need. Never falls, and is the header's length once it is complete.
  std::uint64_t least_length() const;

 private:
  enum class Stage { Fixed, ExtraLength, Extra, Name, Comment, HeaderCrc, Done, Bad };

  std::size_t TakeFixed(ByteView bytes);
  std::size_t TakeExtraLength(ByteView bytes);
  std::size_t Skip(ByteView bytes);
  std::size_t SkipText(ByteView bytes);
  // Enters the first stage after `after` whose field the flags announce, with the bytes it needs.
  void EnterAfter(Stage after);

  Stage stage_ = Stage::Fixed;
  std::uint8_t flags_ = 0;
  std::uint8_t fixed_[10] = {};
  std::uint64_t taken_ = 0;
  std::uint32_t stage_left_ = 10;  // bytes a stage of known length still needs
};

}  // namespace dkl
