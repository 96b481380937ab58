#include "update/gzip_header.h"

#include <algorithm>
#include <cstring>

namespace dkl {
namespace {

constexpr std::uint8_t kFlagHeaderCrc = 2;
constexpr std::uint8_t kFlagExtra = 4;
constexpr std::uint8_t kFlagName = 8;
constexpr std::uint8_t kFlagComment = 16;

}  // namespace

std::size_t GzipHeaderWalk::Feed(ByteView bytes) {
  std::size_t taken = 0;
  while (taken < bytes.size() && !complete() && !bad()) {
    const ByteView rest = bytes.subspan(taken);
    switch (stage_) {
      case Stage::Fixed: taken += TakeFixed(rest); break;
      case Stage::ExtraLength: taken += TakeExtraLength(rest); break;
      case Stage::Extra:
      case Stage::HeaderCrc: taken += Skip(rest); break;
      case Stage::Name:
      case Stage::Comment: taken += SkipText(rest); break;
      case Stage::Done:
      case Stage::Bad: break;
    }
  }
  taken_ += taken;
  return taken;
}

std::uint64_t GzipHeaderWalk::least_length() const {
  std::uint64_t least = taken_;
  switch (stage_) {
    case Stage::Fixed:
    case Stage::ExtraLength:
    case Stage::Extra:
    case Stage::HeaderCrc: least += stage_left_; break;
    case Stage::Name:
    case Stage::Comment: least += 1; break;
    case Stage::Done:
    case Stage::Bad: return least;
  }
  // Fields announced after the current one need at least their fixed bytes or closing zero.
  const bool before_extra = stage_ == Stage::Fixed;
  const bool before_name = before_extra || stage_ == Stage::ExtraLength || stage_ == Stage::Extra;
  const bool before_comment = before_name || stage_ == Stage::Name;
  const bool before_crc = before_comment || stage_ == Stage::Comment;
  if (before_extra && (flags_ & kFlagExtra)) least += 2;
  if (before_name && (flags_ & kFlagName)) least += 1;
  if (before_comment && (flags_ & kFlagComment)) least += 1;
  if (before_crc && (flags_ & kFlagHeaderCrc)) least += 2;
  return least;
}

std::size_t GzipHeaderWalk::TakeFixed(ByteView bytes) {
  const std::size_t take = std::min<std::size_t>(stage_left_, bytes.size());
  std::memcpy(fixed_ + (sizeof fixed_ - stage_left_), bytes.data(), take);
  stage_left_ -= static_cast<std::uint32_t>(take);
  if (stage_left_ > 0) return take;
  if (fixed_[0] != 0x1f || fixed_[1] != 0x8b || fixed_[2] != 0x08) {
    stage_ = Stage::Bad;
    return take;
  }
  flags_ = fixed_[3];
  EnterAfter(Stage::Fixed);
  return take;
}

// The extra field's two length bytes arrive in the fixed buffer's first two places, which the walk
// no longer needs once it has the flags.
std::size_t GzipHeaderWalk::TakeExtraLength(ByteView bytes) {
  const std::size_t take = std::min<std::size_t>(stage_left_, bytes.size());
  std::memcpy(fixed_ + (2 - stage_left_), bytes.data(), take);
  stage_left_ -= static_cast<std::uint32_t>(take);
  if (stage_left_ > 0) return take;
  const std::uint32_t extra_length = std::uint32_t{fixed_[0]} | (std::uint32_t{fixed_[1]} << 8);
  if (extra_length == 0) {
    EnterAfter(Stage::Extra);
  } else {
    stage_ = Stage::Extra;
    stage_left_ = extra_length;
  }
  return take;
}

std::size_t GzipHeaderWalk::Skip(ByteView bytes) {
  const std::size_t take = std::min<std::size_t>(stage_left_, bytes.size());
  stage_left_ -= static_cast<std::uint32_t>(take);
  if (stage_left_ == 0) EnterAfter(stage_);
  return take;
}

std::size_t GzipHeaderWalk::SkipText(ByteView bytes) {
  const auto* zero = static_cast<const std::uint8_t*>(std::memchr(bytes.data(), 0, bytes.size()));
  if (zero == nullptr) return bytes.size();
  EnterAfter(stage_);
  return static_cast<std::size_t>(zero - bytes.data()) + 1;
}

void GzipHeaderWalk::EnterAfter(Stage after) {
  const struct {
    Stage stage;
    std::uint8_t flag;
    std::uint32_t bytes;
  } fields[] = {
      {Stage::ExtraLength, kFlagExtra, 2},
      {Stage::Name, kFlagName, 0},
      {Stage::Comment, kFlagComment, 0},
      {Stage::HeaderCrc, kFlagHeaderCrc, 2},
  };
  // The extra field's content follows its length and shares its flag, so it is entered by the length.
  const Stage from = after == Stage::Extra ? Stage::ExtraLength : after;
  for (const auto& field : fields) {
    if (field.stage <= from || !(flags_ & field.flag)) continue;
    stage_ = field.stage;
    stage_left_ = field.bytes;
    return;
  }
  stage_ = Stage::Done;
  stage_left_ = 0;
}

}  // namespace dkl
