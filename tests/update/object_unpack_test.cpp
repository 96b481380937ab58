// The unpack's byte work, from objects in memory: gzip headers of every shape and length, the inflate
// loop's limits, and each way an object is refused.
#include "update/object_unpack.h"

#include <gtest/gtest.h>

#include "support/memory_stream.h"
#include "support/object_bytes.h"

namespace dkl {
namespace {

using testing::Content;
using testing::GzipAround;
using testing::GzipFixedHeader;
using testing::HexOf;
using testing::MemorySink;
using testing::MemorySource;

constexpr std::size_t kFileReadBytes = 65536;

class ObjectUnpackTest : public ::testing::Test {
 protected:
  // `object` read as a file gives it: whole pieces of what was asked for, up to `piece` bytes each.
  Status Unpack(const std::string& object, const FileEntry& entry, std::size_t piece = kFileReadBytes) {
    MemorySource source(AsBytes(object), piece);
    sink_ = MemorySink();
    return UnpackObject(source, object.size(), entry, {input_, output_}, sink_);
  }

  std::string Written() const { return std::string(AsText(sink_.bytes())); }

  Bytes input_ = Bytes(1048576);
  Bytes output_ = Bytes(1048576);
  MemorySink sink_;
};

FileEntry GzEntry(const std::string& content, const std::string& object) {
  return FileEntry{"data/maps/world.pak", HexOf(content), content.size(), object.size()};
}

// A header field of `length` bytes: a text without its closing zero, or the extra field's content.
std::string Field(std::size_t length) { return std::string(length, 'n'); }

std::string LittleEndian16(std::size_t value) {
  return {static_cast<char>(value & 0xff), static_cast<char>(value >> 8)};
}

TEST_F(ObjectUnpackTest, HeadersThatCrossTheFirstReadInflateWhole) {
  const std::string crc("\x12\x34", 2);
  const struct {
    const char* name;
    std::string header;
  } cases[] = {
      {"FEXTRA of 65,535 bytes, header ends at 65,547", GzipFixedHeader(4) + LittleEndian16(65535) + Field(65535)},
      {"FEXTRA ending exactly at 65,536", GzipFixedHeader(4) + LittleEndian16(65524) + Field(65524)},
      {"FNAME ending at 65,536, then FHCRC", GzipFixedHeader(8 | 2) + Field(65525) + '\0' + crc},
      {"FCOMMENT from byte 10 to 70,000", GzipFixedHeader(16) + Field(69989) + '\0'},
      {"FHCRC on both sides of 65,536", GzipFixedHeader(8 | 2) + Field(65524) + '\0' + crc},
      {"FNAME over several reads", GzipFixedHeader(8) + Field(300000) + '\0'},
      {"every field, the last past 65,536",
       GzipFixedHeader(4 | 8 | 16 | 2) + LittleEndian16(40000) + Field(40000) + "name" + '\0' + Field(30000) + '\0' +
           crc},
  };
  const std::string content = Content(3 * 1048576 + 17);
  for (const auto& c : cases) {
    const std::string object = GzipAround(c.header, content);
    const Status status = Unpack(object, GzEntry(content, object));
    EXPECT_TRUE(status.ok()) << c.name << ": " << status.message;
    EXPECT_TRUE(Written() == content) << c.name;
  }
}

TEST_F(ObjectUnpackTest, AnyPieceSizeGivesTheSameContent) {
  const std::string content = Content(100000);
  const std::string header = GzipFixedHeader(4 | 8) + LittleEndian16(20) + Field(20) + "a.dat" + '\0';
  const std::string object = GzipAround(header, content);
  for (const std::size_t piece : {1, 7, 31, 4096, 1048576}) {
    ASSERT_TRUE(Unpack(object, GzEntry(content, object), piece).ok()) << piece;
    EXPECT_TRUE(Written() == content) << piece;
  }
}

TEST_F(ObjectUnpackTest, PlainContentIsCopiedAndProved) {
  const std::string content = Content(2 * 1048576 + 5);
  ASSERT_TRUE(Unpack(content, FileEntry{"readme.txt", HexOf(content), content.size(), std::nullopt}).ok());
  EXPECT_TRUE(Written() == content);
  ASSERT_TRUE(Unpack("", FileEntry{"empty.cfg", HexOf(""), 0, std::nullopt}).ok());
  EXPECT_TRUE(Written().empty());
}

TEST_F(ObjectUnpackTest, DamagedObjectsAreRefusedWithTheirReason) {
  const std::string content = Content(100000);
  const std::string gzip = GzipAround(GzipFixedHeader(0), content);
  const std::string long_extra = GzipFixedHeader(4) + LittleEndian16(65535);
  const struct {
    const char* name;
    std::string object;
    FileEntry entry;
    const char* message;
  } cases[] = {
      {"not gzip", "plain text, no header at all", {"p", HexOf(content), content.size(), 0}, "p: gzip header"},
      {"header runs past the object's end", long_extra + Field(30000), {"p", HexOf(content), 100, 0}, "p: gzip header"},
      {"name runs to the object's end", GzipFixedHeader(8) + Field(70000), {"p", HexOf(content), 100, 0},
       "p: gzip header"},
      {"deflate cut short", gzip.substr(0, gzip.size() / 2) + std::string(8, '\0'),
       {"p", HexOf(content), content.size(), 0}, "p: inflate"},
      {"inflates past the size", gzip, {"p", HexOf(content.substr(0, 60000)), 60000, 0}, "p"},
      {"inflates short of the size", gzip, {"p", HexOf(content), content.size() + 1, 0}, "p"},
      {"plain with another hash", content, {"p", HexOf("other"), content.size(), std::nullopt}, "p"},
      {"plain longer than the size", content, {"p", HexOf(content), content.size() - 1, std::nullopt}, "p"},
  };
  for (const auto& c : cases) {
    FileEntry entry = c.entry;
    if (entry.gz) entry.gz = c.object.size();  // the table's 0 stands for the object's own length
    const Status status = Unpack(c.object, entry);
    EXPECT_EQ(status.kind, StatusKind::Corrupt) << c.name;
    EXPECT_EQ(status.message, c.message) << c.name;
    EXPECT_LE(sink_.bytes().size(), entry.size) << c.name;
  }
}

TEST_F(ObjectUnpackTest, ASourceThatRunsDryIsAnUnreadablePart) {
  const std::string content = Content(5000);
  for (const bool gz : {false, true}) {
    const std::string object = gz ? GzipAround(GzipFixedHeader(0), content) : content;
    MemorySource source(AsBytes(object).first(object.size() - 100));
    const FileEntry entry{"p", HexOf(content), content.size(), gz ? std::optional(object.size()) : std::nullopt};
    const Status status = UnpackObject(source, object.size(), entry, {input_, output_}, sink_);
    EXPECT_EQ(status.kind, StatusKind::Corrupt) << gz;
    EXPECT_EQ(status.message, "p: unreadable part") << gz;
  }
}

class FailingSink final : public ByteSink {
 public:
  Status Write(ByteView) override { return MakeStatus(StatusKind::DiskFull, "write p (error 112)"); }
};

TEST_F(ObjectUnpackTest, TheSinksFailureIsTheUnpacksAndNoMemoryIsAnIoFailure) {
  const std::string content = Content(5000);
  const std::string object = GzipAround(GzipFixedHeader(0), content);
  MemorySource source(AsBytes(object));
  FailingSink full;
  const Status failed = UnpackObject(source, object.size(), GzEntry(content, object), {input_, output_}, full);
  EXPECT_EQ(failed.kind, StatusKind::DiskFull);
  EXPECT_EQ(failed.message, "write p (error 112)");

  const Status no_memory = UnpackObject(source, object.size(), GzEntry(content, object), {}, sink_);
  EXPECT_EQ(no_memory.kind, StatusKind::Io);
  EXPECT_EQ(no_memory.message, "no memory");
}

}  // namespace
}  // namespace dkl
