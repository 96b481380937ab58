// The gzip header of a downloaded object, given in growing prefixes as the unpack reads it.
#include "fuzz/fuzz_target.h"
#include "update/gzip_header.h"

namespace dkl::fuzz {
namespace {

void ParsePrefix(ByteView input) {
  InputReader reader(input);
  const std::size_t prefix_size = reader.Number(2);
  const std::uint64_t unseen = reader.Byte();  // the object is this much longer than the bytes here
  const ByteView data = reader.Rest();
  const ByteView prefix = data.first(std::min(prefix_size, data.size()));
  const std::uint64_t total = data.size() + unseen;

  std::size_t start = 0;
  const GzipHeaderResult result = ParseGzipHeaderPrefix(prefix, total, start);
  // The data start lies within the bytes given and leaves room for the trailer.
  if (result == GzipHeaderResult::Ok) FUZZ_CHECK(start <= prefix.size() && start + 8 <= total);
  if (result == GzipHeaderResult::NeedMore) FUZZ_CHECK(prefix.size() < total);

  // More bytes never change a verdict that was already reached.
  std::size_t full_start = 0;
  const GzipHeaderResult full = ParseGzipHeaderPrefix(data, total, full_start);
  if (result != GzipHeaderResult::NeedMore) FUZZ_CHECK(full == result);
  if (result == GzipHeaderResult::Ok) FUZZ_CHECK(full_start == start);

  // The whole file in memory agrees with the prefix parser given all of it.
  std::size_t whole_start = 0;
  const std::optional<std::size_t> whole = ParseGzipHeader(data);
  FUZZ_CHECK(whole.has_value() == (ParseGzipHeaderPrefix(data, data.size(), whole_start) == GzipHeaderResult::Ok));
  if (whole) FUZZ_CHECK(*whole == whole_start && *whole + 8 <= data.size());
}

}  // namespace
}  // namespace dkl::fuzz

DKL_FUZZ_TARGET("gzip_header", dkl::fuzz::ParsePrefix)
