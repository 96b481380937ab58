// A downloaded object turned into its content: the fuzzer chooses the bytes, how the source hands
// them out, the working buffers' size, whether the entry has gz and the size the entry declares.
#include "fuzz/fuzz_target.h"
#include "support/memory_stream.h"
#include "update/object_unpack.h"
#include "update/sha256.h"

namespace dkl::fuzz {
namespace {

using testing::MemorySink;
using testing::MemorySource;

constexpr std::uint64_t kUnbounded = 4294967296;

std::string HashOf(ByteView bytes) {
  Sha256 hash;
  hash.Update(bytes);
  return Sha256Hex(hash.Finish());
}

struct Unpacked {
  Status status;
  Bytes content;
};

struct Setup {
  ByteView object;
  bool gz = true;
  std::size_t piece = 0;
  UnpackBuffers buffers;
};

Unpacked Unpack(const Setup& setup, std::uint64_t size, const std::string& sha256) {
  const FileEntry entry{"fuzz/object.bin", sha256, size,
                        setup.gz ? std::optional<std::uint64_t>(setup.object.size()) : std::nullopt};
  MemorySource source(setup.object, setup.piece);
  MemorySink sink;
  Unpacked unpacked{UnpackObject(source, setup.object.size(), entry, setup.buffers, sink), sink.bytes()};
  // Never more than the entry's size, and success only for the proved content.
  FUZZ_CHECK(unpacked.content.size() <= size);
  if (unpacked.status.ok()) FUZZ_CHECK(unpacked.content.size() == size && HashOf(unpacked.content) == sha256);
  return unpacked;
}

bool IsProofFailure(const Status& status) {
  return status.kind == StatusKind::Corrupt && status.message == "fuzz/object.bin";
}

void UnpackFromMemory(ByteView input) {
  static Bytes input_buffer(1048576);
  static Bytes output_buffer(1048576);
  InputReader reader(input);
  Setup setup;
  setup.gz = (reader.Byte() & 1) == 0;
  setup.piece = static_cast<std::size_t>(reader.Number(2)) + 1;
  const std::size_t buffer_size = static_cast<std::size_t>(reader.Number(2)) + 1;
  setup.buffers = {std::span(input_buffer).first(buffer_size), std::span(output_buffer).first(buffer_size)};
  const std::uint64_t declared = reader.Number(4);
  setup.object = reader.Rest();

  // With room for everything, the content comes out whole, or the object is refused for itself.
  const Unpacked open = Unpack(setup, kUnbounded, std::string(64, '0'));
  if (!IsProofFailure(open.status)) {
    FUZZ_CHECK(!open.status.ok());
    const Unpacked again = Unpack(setup, declared, HashOf(open.content));
    FUZZ_CHECK(!again.status.ok());
    return;
  }
  const std::string sha256 = HashOf(open.content);
  // The entry that names that content gets exactly it; any other declared size is refused.
  const Unpacked exact = Unpack(setup, open.content.size(), sha256);
  FUZZ_CHECK(exact.status.ok() && exact.content == open.content);
  const Unpacked declared_size = Unpack(setup, declared, sha256);
  FUZZ_CHECK(declared_size.status.ok() == (declared == open.content.size()));
}

}  // namespace
}  // namespace dkl::fuzz

DKL_FUZZ_TARGET("object_unpack", dkl::fuzz::UnpackFromMemory)
