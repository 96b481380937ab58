#include "base/piece_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace dkl {
namespace {

// Serves `content` in pieces, optionally ending early as a file that shrank would.
struct FakeFile {
  std::vector<std::uint8_t> content;
  std::size_t served = 0;
  std::size_t stop_after = SIZE_MAX;
  bool fail = false;
  std::vector<std::uint32_t> requests;

  ReadPiece reader() {
    return [this](std::uint8_t* into, std::uint32_t wanted, std::uint32_t& got) {
      requests.push_back(wanted);
      if (fail) return false;
      const std::size_t left = std::min(content.size(), stop_after) - served;
      got = static_cast<std::uint32_t>(std::min<std::size_t>(left, wanted));
      std::memcpy(into, content.data() + served, got);
      served += got;
      return true;
    };
  }
};

TEST(ReadExactly, ReadsInPiecesOfAtMostOneMebibyte) {
  FakeFile file;
  file.content.resize(2 * kIoPieceBytes + 5);
  for (std::size_t i = 0; i < file.content.size(); ++i) file.content[i] = static_cast<std::uint8_t>(i * 7);
  Bytes out;
  ASSERT_TRUE(ReadExactly(file.content.size(), file.reader(), out));
  EXPECT_EQ(out, file.content);
  EXPECT_EQ(file.requests, (std::vector<std::uint32_t>{kIoPieceBytes, kIoPieceBytes, 5}));
}

TEST(ReadExactly, EmptyFileNeedsNoRead) {
  FakeFile file;
  Bytes out{1, 2, 3};
  EXPECT_TRUE(ReadExactly(0, file.reader(), out));
  EXPECT_TRUE(out.empty());
  EXPECT_TRUE(file.requests.empty());
}

TEST(ReadExactly, FileThatShrinksWhileReadFailsWithEmptyBuffer) {
  FakeFile file;
  file.content.assign(kIoPieceBytes + 100, 0x5a);
  file.stop_after = kIoPieceBytes;  // the second piece finds the end of file
  Bytes out;
  EXPECT_FALSE(ReadExactly(file.content.size(), file.reader(), out));
  EXPECT_TRUE(out.empty());
}

TEST(ReadExactly, FailingReadLeavesBufferEmpty) {
  FakeFile file;
  file.content.assign(10, 1);
  file.fail = true;
  Bytes out;
  EXPECT_FALSE(ReadExactly(10, file.reader(), out));
  EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace dkl
