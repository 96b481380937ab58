// SHA-256 of files as the manifest names contents: 64 lowercase hex digits.
#pragma once

#include <sodium.h>

#include <cstdint>
#include <string>

#include "base/bytes.h"
#include "base/status.h"

namespace dkl::publish {

class Sha256 {
 public:
  Sha256();
  void Update(ByteView bytes);
  std::string FinishHex();

 private:
  crypto_hash_sha256_state state_;
};

struct FileDigest {
  std::string sha256;
  std::uint64_t size = 0;
};

// Streams an open file from where it stands to its end through the thread's 1 MiB buffer, adding
// the bytes to `sha` and their count to `size`.
Status HashOpenFile(int fd, const std::string& path, Sha256& sha, std::uint64_t& size);

Status HashFile(const std::string& path, FileDigest& digest);

}  // namespace dkl::publish
