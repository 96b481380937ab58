// A site file being written under a temporary name and moved into place only when complete. It is
// not flushed here: the publisher flushes the whole site once before it replaces the manifest.
#pragma once

#include <string>

#include "base/bytes.h"
#include "base/status.h"
#include "publish/posix_file.h"

namespace dkl::publish {

// Removes its temporary file unless it was moved into place.
class PendingFile {
 public:
  explicit PendingFile(std::string target);
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  ~PendingFile();

  Status Create();
  Status Write(ByteView data);
  Status Close();
  // Moves the closed file onto the target, which must not exist yet.
  Status Commit();

 private:
  std::string target_;
  std::string temporary_;
  UniqueFd fd_;
  bool created_ = false;
};

}  // namespace dkl::publish
