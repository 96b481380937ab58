#include "publish/pending_file.h"

#include <unistd.h>

#include <cerrno>

namespace dkl::publish {

PendingFile::PendingFile(std::string target) : target_(std::move(target)), temporary_(TemporaryName(target_)) {}

PendingFile::~PendingFile() {
  fd_ = UniqueFd();
  if (created_) unlink(temporary_.c_str());
}

Status PendingFile::Create() {
  unlink(temporary_.c_str());  // left by an earlier run that had this process id
  Status status = CreateExclusive(temporary_, 0644, fd_);
  created_ = status.ok();
  return status;
}

Status PendingFile::Write(ByteView data) { return WriteAll(fd_.get(), data, temporary_); }

Status PendingFile::Close() {
  return close(fd_.release()) == 0 ? OkStatus() : ErrnoStatus(errno, "close " + temporary_);
}

Status PendingFile::Commit() {
  Status status = RenameNoReplace(temporary_, target_);
  if (status.ok()) created_ = false;
  return status;
}

}  // namespace dkl::publish
