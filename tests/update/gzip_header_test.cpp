#include "update/gzip_header.h"

#include <gtest/gtest.h>

namespace dkl {
namespace {

// A gzip header with `flags` and `fields` after the fixed 10 bytes, then `tail` more bytes.
Bytes Gzip(std::uint8_t flags, std::initializer_list<std::uint8_t> fields, std::size_t tail = 10) {
  Bytes data = {0x1f, 0x8b, 0x08, flags, 0, 0, 0, 0, 0, 3};
  for (const std::uint8_t byte : fields) data.push_back(byte);
  data.resize(data.size() + tail, 0xaa);
  return data;
}

TEST(ParseGzipHeader, FindsTheStartOfTheDeflateData) {
  const struct {
    const char* name;
    Bytes data;
    std::size_t start;
  } cases[] = {
      {"plain", Gzip(0, {}), 10},
      {"FNAME", Gzip(8, {'a', '.', 'd', 'a', 't', 0}), 16},
      {"FNAME and FHCRC", Gzip(8 | 2, {'x', 0, 0x12, 0x34}), 14},
      {"FEXTRA", Gzip(4, {3, 0, 'a', 'b', 'c'}), 15},
      {"FCOMMENT", Gzip(16, {'h', 'i', 0}), 13},
      {"all fields", Gzip(4 | 8 | 16 | 2, {1, 0, 'e', 'n', 0, 'c', 0, 9, 9}), 19},
      {"reserved flags ignored", Gzip(0xe0, {}), 10},
      {"exactly eight bytes after", Gzip(0, {}, 8), 10},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseGzipHeader(c.data), c.start) << c.name;
}

TEST(ParseGzipHeader, RefusesWhatIsNotAGzipHeader) {
  Bytes wrong_magic = Gzip(0, {});
  wrong_magic[1] = 0x8c;
  Bytes wrong_method = Gzip(0, {});
  wrong_method[2] = 0x07;
  const struct {
    const char* name;
    Bytes data;
  } cases[] = {
      {"empty", {}},
      {"17 bytes", Gzip(0, {}, 7)},
      {"wrong magic", wrong_magic},
      {"not deflate", wrong_method},
      {"name without end", Gzip(8, {'a', 'b'}, 0)},
      {"extra longer than the data", Gzip(4, {0xff, 0xff}, 20)},
      {"trailer missing", Gzip(8, {'n', 'a', 'm', 'e', 0}, 7)},
  };
  for (const auto& c : cases) EXPECT_FALSE(ParseGzipHeader(c.data).has_value()) << c.name;
}

TEST(ParseGzipHeaderPrefix, AsksForMoreUntilTheWholeHeaderIsThere) {
  const struct {
    const char* name;
    Bytes data;
    std::size_t start;
  } cases[] = {
      {"FNAME", Gzip(8, {'l', 'o', 'n', 'g', 'n', 'a', 'm', 'e', 0}), 19},
      {"FEXTRA", Gzip(4, {6, 0, 'e', 'x', 't', 'r', 'a', '!'}), 18},
      {"FHCRC after FNAME", Gzip(8 | 2, {'n', 0, 0x12, 0x34}), 14},
  };
  for (const auto& c : cases) {
    std::size_t start = 0;
    for (std::size_t size = 0; size < c.start; ++size) {
      EXPECT_EQ(ParseGzipHeaderPrefix(ByteView(c.data).first(size), c.data.size(), start), GzipHeaderResult::NeedMore)
          << c.name << " with " << size << " bytes";
    }
    EXPECT_EQ(ParseGzipHeaderPrefix(ByteView(c.data).first(c.start), c.data.size(), start), GzipHeaderResult::Ok)
        << c.name;
    EXPECT_EQ(start, c.start) << c.name;
  }
}

}  // namespace
}  // namespace dkl
