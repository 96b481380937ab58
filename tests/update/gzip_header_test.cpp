#include "update/gzip_header.h"

#include <gtest/gtest.h>

namespace dkl {
namespace {

// A gzip header with `flags` and `fields` after the fixed 10 bytes, then `tail` bytes of DEFLATE data.
Bytes Gzip(std::uint8_t flags, std::initializer_list<std::uint8_t> fields, std::size_t tail = 10) {
  Bytes data = {0x1f, 0x8b, 0x08, flags, 0, 0, 0, 0, 0, 3};
  for (const std::uint8_t byte : fields) data.push_back(byte);
  data.resize(data.size() + tail, 0xaa);
  return data;
}

// Feeds `data` in pieces of `piece` bytes until the walk stops taking them; the bytes it took.
std::size_t Walk(GzipHeaderWalk& walk, ByteView data, std::size_t piece) {
  std::size_t taken = 0;
  for (std::size_t at = 0; at < data.size() && !walk.complete() && !walk.bad(); at += piece) {
    taken += walk.Feed(data.subspan(at, std::min(piece, data.size() - at)));
  }
  return taken;
}

TEST(GzipHeaderWalk, FindsTheStartOfTheDeflateDataInPiecesOfAnySize) {
  const struct {
    const char* name;
    Bytes data;
    std::size_t start;
  } cases[] = {
      {"plain", Gzip(0, {}), 10},
      {"FNAME", Gzip(8, {'a', '.', 'd', 'a', 't', 0}), 16},
      {"FNAME and FHCRC", Gzip(8 | 2, {'x', 0, 0x12, 0x34}), 14},
      {"FEXTRA", Gzip(4, {3, 0, 'a', 'b', 'c'}), 15},
      {"empty FEXTRA", Gzip(4, {0, 0}), 12},
      {"FCOMMENT", Gzip(16, {'h', 'i', 0}), 13},
      {"all fields", Gzip(4 | 8 | 16 | 2, {1, 0, 'e', 'n', 0, 'c', 0, 9, 9}), 19},
      {"reserved flags ignored", Gzip(0xe0, {}), 10},
  };
  for (const auto& c : cases) {
    for (const std::size_t piece : {std::size_t{1}, std::size_t{3}, c.data.size()}) {
      GzipHeaderWalk walk;
      EXPECT_EQ(Walk(walk, c.data, piece), c.start) << c.name << " in pieces of " << piece;
      EXPECT_TRUE(walk.complete()) << c.name;
      EXPECT_EQ(walk.least_length(), c.start) << c.name;
      EXPECT_EQ(walk.Feed(c.data), 0u) << c.name << ": a complete header takes nothing more";
    }
  }
}

TEST(GzipHeaderWalk, RefusesWhatIsNotAGzipHeader) {
  Bytes wrong_magic = Gzip(0, {});
  wrong_magic[1] = 0x8c;
  Bytes wrong_method = Gzip(0, {});
  wrong_method[2] = 0x07;
  for (const Bytes& data : {wrong_magic, wrong_method}) {
    GzipHeaderWalk walk;
    walk.Feed(data);
    EXPECT_TRUE(walk.bad());
    EXPECT_FALSE(walk.complete());
  }
}

// The unpack refuses a header as soon as what it announces cannot fit in the object, before reading on.
TEST(GzipHeaderWalk, KnowsTheLeastLengthBeforeTheHeaderIsComplete) {
  const struct {
    const char* name;
    Bytes data;
    std::uint64_t least;
  } cases[] = {
      {"nothing yet", {}, 10},
      {"half the fixed bytes", {0x1f, 0x8b, 0x08, 8 | 2}, 10},
      {"flags announce a name and a CRC", Gzip(8 | 2, {}, 0), 13},
      {"extra field of 65,535 bytes announced", Gzip(4 | 16, {0xff, 0xff}, 0), 12 + 65535 + 1},
      {"name of 100 bytes so far", Gzip(8 | 2, {}, 100), 10 + 100 + 1 + 2},
  };
  for (const auto& c : cases) {
    GzipHeaderWalk walk;
    walk.Feed(c.data);
    EXPECT_FALSE(walk.complete()) << c.name;
    EXPECT_FALSE(walk.bad()) << c.name;
    EXPECT_EQ(walk.least_length(), c.least) << c.name;
  }
}

}  // namespace
}  // namespace dkl
