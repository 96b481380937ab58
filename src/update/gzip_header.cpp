#include "update/gzip_header.h"

#include <algorithm>

namespace dkl {
namespace {

constexpr std::uint8_t kFlagHeaderCrc = 2;
constexpr std::uint8_t kFlagExtra = 4;
constexpr std::uint8_t kFlagName = 8;
constexpr std::uint8_t kFlagComment = 16;
constexpr std::uint64_t kTrailerBytes = 8;

// Moves `end` past the zero byte that closes a text field.
GzipHeaderResult SkipZeroTerminated(ByteView head, std::uint64_t total_bytes, std::size_t& end) {
  const auto zero = std::find(head.begin() + static_cast<std::ptrdiff_t>(std::min(end, head.size())), head.end(), 0);
  if (zero == head.end()) return head.size() < total_bytes ? GzipHeaderResult::NeedMore : GzipHeaderResult::Bad;
  end = static_cast<std::size_t>(zero - head.begin()) + 1;
  return GzipHeaderResult::Ok;
}

}  // namespace

GzipHeaderResult ParseGzipHeaderPrefix(ByteView head, std::uint64_t total_bytes, std::size_t& data_start) {
  if (total_bytes < 18) return GzipHeaderResult::Bad;
  if (head.size() < 10) return head.size() < total_bytes ? GzipHeaderResult::NeedMore : GzipHeaderResult::Bad;
  if (head[0] != 0x1f || head[1] != 0x8b || head[2] != 0x08) return GzipHeaderResult::Bad;
  const std::uint8_t flags = head[3];
  std::size_t end = 10;
  if (flags & kFlagExtra) {
    if (head.size() < 12) return GzipHeaderResult::NeedMore;
    end = 12 + (std::size_t{head[10]} | (std::size_t{head[11]} << 8));
  }
  for (const std::uint8_t field : {kFlagName, kFlagComment}) {
    if (!(flags & field)) continue;
    if (end >= total_bytes) return GzipHeaderResult::Bad;
    if (const GzipHeaderResult skipped = SkipZeroTerminated(head, total_bytes, end); skipped != GzipHeaderResult::Ok) {
      return skipped;
    }
  }
  if (flags & kFlagHeaderCrc) end += 2;
  if (end + kTrailerBytes > total_bytes) return GzipHeaderResult::Bad;
  // An extra field or the header CRC may end beyond the bytes read so far; the header is complete
  // only once they are all here, and the trailer check above leaves more to read.
  if (end > head.size()) return GzipHeaderResult::NeedMore;
  data_start = end;
  return GzipHeaderResult::Ok;
}

std::optional<std::size_t> ParseGzipHeader(ByteView data) {
  std::size_t start = 0;
  if (ParseGzipHeaderPrefix(data, data.size(), start) != GzipHeaderResult::Ok) return std::nullopt;
  return start;
}

}  // namespace dkl
