#include "publish/file_hash.h"

#include <array>

#include "publish/posix_file.h"
#include "publishing/signing.h"

namespace dkl::publish {

Sha256::Sha256() { crypto_hash_sha256_init(&state_); }

void Sha256::Update(ByteView bytes) { crypto_hash_sha256_update(&state_, bytes.data(), bytes.size()); }

std::string Sha256::FinishHex() {
  std::array<std::uint8_t, crypto_hash_sha256_BYTES> digest{};
  crypto_hash_sha256_final(&state_, digest.data());
  return publishing::ToHex(digest);
}

Status HashOpenFile(int fd, const std::string& path, Sha256& sha, std::uint64_t& size,
                    const ContentObserver& observer) {
  Bytes& buffer = ChunkBuffer();
  std::size_t got = buffer.size();
  while (got == buffer.size()) {
    Status status = ReadFully(fd, buffer.data(), buffer.size(), got, path);
    if (!status.ok()) return status;
    const ByteView piece = ByteView(buffer).first(got);
    sha.Update(piece);
    if (observer) observer(piece);
    size += got;
  }
  return OkStatus();
}

Status HashFile(const std::string& path, FileDigest& digest, const ContentObserver& observer) {
  UniqueFd fd;
  Status status = OpenForReading(path, fd);
  if (!status.ok()) return status;
  Sha256 sha;
  std::uint64_t size = 0;
  status = HashOpenFile(fd.get(), path, sha, size, observer);
  if (!status.ok()) return status;
  digest = {sha.FinishHex(), size};
  return OkStatus();
}

}  // namespace dkl::publish
