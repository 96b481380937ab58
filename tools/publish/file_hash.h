// SHA-256 of files as the manifest names contents: 64 lowercase hex digits.
#pragma once

#include <sodium.h>

#include <cstdint>
#include <functional>
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

// Sees every piece of a file's content as it is hashed, for work done in the same read.
using ContentObserver = std::function<void(ByteView)>;

// Streams an open file from where it stands to its end through the thread's 1 MiB buffer, adding
// the bytes to `sha` and their count to `size`, and showing them to `observer` when there is one.
Status HashOpenFile(int fd, const std::string& path, Sha256& sha, std::uint64_t& size,
                    const ContentObserver& observer = {});

Status HashFile(const std::string& path, FileDigest& digest, const ContentObserver& observer = {});

}  // namespace dkl::publish
