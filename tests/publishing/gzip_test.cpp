#include "publishing/gzip.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

namespace dkl {
namespace {

Bytes Inflate(const Bytes& gzip) {
  z_stream stream{};
  inflateInit2(&stream, 15 + 16);
  Bytes content(1 << 20);
  stream.next_in = const_cast<Bytef*>(gzip.data());
  stream.avail_in = static_cast<uInt>(gzip.size());
  stream.next_out = content.data();
  stream.avail_out = static_cast<uInt>(content.size());
  const int result = inflate(&stream, Z_FINISH);
  content.resize(result == Z_STREAM_END && stream.avail_in == 0 ? stream.total_out : 0);
  inflateEnd(&stream);
  return content;
}

Bytes Sample() {
  Bytes data;
  for (int i = 0; i < 300000; ++i) data.push_back(static_cast<std::uint8_t>("dusk haven "[i % 11] + i / 4096 % 3));
  return data;
}

TEST(GzipCompress, IsAReproducibleGzipFileOfTheContent) {
  for (const Bytes& data : {Bytes{}, Bytes{'x'}, Sample()}) {
    Bytes compressed;
    ASSERT_TRUE(publishing::GzipCompress(data, compressed).ok());
    EXPECT_EQ(Inflate(compressed), data);
    ASSERT_GE(compressed.size(), 18u);
    EXPECT_EQ(compressed[0], 0x1f);
    EXPECT_EQ(compressed[1], 0x8b);
    EXPECT_EQ(compressed[3], 0) << "no name, comment or extra field";
    EXPECT_EQ(Bytes(compressed.begin() + 4, compressed.begin() + 8), Bytes(4, 0)) << "modification time 0";
    Bytes again;
    ASSERT_TRUE(publishing::GzipCompress(data, again).ok());
    EXPECT_EQ(again, compressed);
  }
}

TEST(GzipEncoder, GivesTheSameBytesWhateverPiecesItIsFed) {
  const Bytes data = Sample();
  Bytes whole;
  ASSERT_TRUE(publishing::GzipCompress(data, whole).ok());
  publishing::GzipEncoder encoder;
  for (const std::size_t piece : {std::size_t{1}, std::size_t{4096}, std::size_t{100000}}) {
    ASSERT_TRUE(encoder.Start().ok());
    Bytes pieces;
    for (std::size_t at = 0; at < data.size(); at += piece) {
      ASSERT_TRUE(encoder.Feed(ByteView(data).subspan(at, std::min(piece, data.size() - at)), pieces).ok());
    }
    ASSERT_TRUE(encoder.Finish(pieces).ok());
    EXPECT_EQ(pieces, whole) << piece;
  }
}

}  // namespace
}  // namespace dkl
