#include "publish/posix_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace dkl::publish {
namespace {

constexpr std::size_t kChunkBytes = 1 << 20;

std::string ParentFolder(const std::string& path) {
  const std::string parent = std::filesystem::path(path).parent_path().string();
  return parent.empty() ? "." : parent;
}

}  // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) close(fd_);
    fd_ = other.release();
  }
  return *this;
}

UniqueFd::~UniqueFd() {
  if (fd_ >= 0) close(fd_);
}

int UniqueFd::release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

Status ErrnoStatus(int error, std::string_view what) {
  StatusKind kind = StatusKind::Io;
  if (error == EACCES || error == EPERM || error == EROFS) kind = StatusKind::Denied;
  if (error == ENOSPC || error == EDQUOT) kind = StatusKind::DiskFull;
  std::string message(what);
  message += ": ";
  message += std::strerror(error);
  return MakeStatus(kind, std::move(message));
}

Bytes& ChunkBuffer() {
  thread_local Bytes buffer(kChunkBytes);
  return buffer;
}

Status OpenForReading(const std::string& path, UniqueFd& fd) {
  fd = UniqueFd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
  return fd.valid() ? OkStatus() : ErrnoStatus(errno, "open " + path);
}

Status CreateExclusive(const std::string& path, unsigned mode, UniqueFd& fd) {
  fd = UniqueFd(open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode)));
  return fd.valid() ? OkStatus() : ErrnoStatus(errno, "create " + path);
}

Status ReadFully(int fd, std::uint8_t* buffer, std::size_t size, std::size_t& got, const std::string& path) {
  got = 0;
  while (got < size) {
    const ssize_t count = read(fd, buffer + got, size - got);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return ErrnoStatus(errno, "read " + path);
    if (count == 0) break;
    got += static_cast<std::size_t>(count);
  }
  return OkStatus();
}

Status WriteAll(int fd, ByteView data, const std::string& path) {
  while (!data.empty()) {
    const ssize_t count = write(fd, data.data(), data.size());
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return ErrnoStatus(errno, "write " + path);
    data = data.subspan(static_cast<std::size_t>(count));
  }
  return OkStatus();
}

Status ReadWholeFile(const std::string& path, std::size_t limit, Bytes& content) {
  UniqueFd fd;
  Status status = OpenForReading(path, fd);
  if (!status.ok()) return status;
  struct stat info {};
  if (fstat(fd.get(), &info) != 0) return ErrnoStatus(errno, "stat " + path);
  if (!S_ISREG(info.st_mode)) return MakeStatus(StatusKind::Io, path + " is not a regular file");
  if (static_cast<std::uint64_t>(info.st_size) > limit) {
    return MakeStatus(StatusKind::Io, path + " is larger than " + std::to_string(limit) + " bytes");
  }
  // One byte more than the size seen, to notice a file that grew in the meantime.
  content.resize(static_cast<std::size_t>(info.st_size) + 1);
  std::size_t got = 0;
  status = ReadFully(fd.get(), content.data(), content.size(), got, path);
  if (!status.ok()) return status;
  if (got != static_cast<std::size_t>(info.st_size)) {
    return MakeStatus(StatusKind::Io, path + " changed while it was read");
  }
  content.resize(got);
  return OkStatus();
}

std::string TemporaryName(const std::string& path) {
  const std::filesystem::path target(path);
  const std::string name = "." + target.filename().string() + "." + std::to_string(getpid()) + ".tmp";
  return (target.parent_path() / name).string();
}

Status RenameNoReplace(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return OkStatus();
  if (errno == EEXIST) return MakeStatus(StatusKind::Io, to + " appeared while publishing");
  // Some file systems cannot refuse to replace; the caller has checked that nothing is there.
  if ((errno == EINVAL || errno == ENOSYS) && rename(from.c_str(), to.c_str()) == 0) return OkStatus();
  return ErrnoStatus(errno, "rename " + from);
}

Status WriteFileDurably(const std::string& path, ByteView content) {
  const std::string temporary = TemporaryName(path);
  UniqueFd fd;
  unlink(temporary.c_str());
  Status status = CreateExclusive(temporary, 0644, fd);
  if (!status.ok()) return status;
  status = WriteAll(fd.get(), content, temporary);
  if (status.ok() && fsync(fd.get()) != 0) status = ErrnoStatus(errno, "flush " + temporary);
  if (status.ok() && close(fd.release()) != 0) status = ErrnoStatus(errno, "close " + temporary);
  if (status.ok() && rename(temporary.c_str(), path.c_str()) != 0) status = ErrnoStatus(errno, "rename " + temporary);
  if (!status.ok()) {
    unlink(temporary.c_str());
    return status;
  }
  const UniqueFd folder(open(ParentFolder(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!folder.valid() || fsync(folder.get()) != 0) return ErrnoStatus(errno, "flush the folder of " + path);
  return OkStatus();
}

}  // namespace dkl::publish
