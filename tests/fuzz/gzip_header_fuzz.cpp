// The gzip header of a downloaded object, walked in pieces of the fuzzer's choosing as reads bring it.
#include "fuzz/fuzz_target.h"
#include "update/gzip_header.h"

namespace dkl::fuzz {
namespace {

struct Walked {
  std::size_t taken = 0;
  bool complete = false;
  bool bad = false;
  std::uint64_t least = 0;
};

Walked WalkInPieces(ByteView data, std::size_t piece) {
  GzipHeaderWalk walk;
  Walked walked;
  for (std::size_t at = 0; at < data.size(); at += piece) {
    const ByteView bytes = data.subspan(at, std::min(piece, data.size() - at));
    const std::uint64_t least_before = walk.least_length();
    const std::size_t taken = walk.Feed(bytes);
    // Every byte is taken until the header is complete or bad; the least length never falls.
    FUZZ_CHECK(taken <= bytes.size());
    FUZZ_CHECK(taken == bytes.size() || walk.complete() || walk.bad());
    FUZZ_CHECK(walk.least_length() >= least_before);
    walked.taken += taken;
  }
  walked.complete = walk.complete();
  walked.bad = walk.bad();
  walked.least = walk.least_length();
  return walked;
}

void WalkHeader(ByteView input) {
  InputReader reader(input);
  const std::size_t piece = static_cast<std::size_t>(reader.Number(2)) + 1;
  reader.Byte();  // kept so that earlier seeds keep their meaning
  const ByteView data = reader.Rest();

  const Walked whole = WalkInPieces(data, data.size() + 1);
  const Walked pieces = WalkInPieces(data, piece);
  // How the bytes arrive never changes the verdict or where the DEFLATE data starts.
  FUZZ_CHECK(whole.complete == pieces.complete && whole.bad == pieces.bad);
  FUZZ_CHECK(whole.taken == pieces.taken && whole.least == pieces.least);
  FUZZ_CHECK(!(whole.complete && whole.bad));
  if (whole.complete) FUZZ_CHECK(whole.least == whole.taken && whole.taken >= 10);
  if (!whole.complete && !whole.bad) FUZZ_CHECK(whole.taken == data.size() && whole.least > data.size());
}

}  // namespace
}  // namespace dkl::fuzz

DKL_FUZZ_TARGET("gzip_header", dkl::fuzz::WalkHeader)
