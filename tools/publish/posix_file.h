// Thin POSIX file helpers for the publisher: every failure becomes a Status naming the file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/bytes.h"
#include "base/status.h"

namespace dkl::publish {

class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd();

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int release();

 private:
  int fd_ = -1;
};

// Kind denied for permission errors, disk_full for a full disk or quota, io for the rest;
// the message is `what` followed by ": " and the system's text.
Status ErrnoStatus(int error, std::string_view what);

// The 1 MiB buffer each thread streams files through.
Bytes& ChunkBuffer();

Status OpenForReading(const std::string& path, UniqueFd& fd);
// Creates a new file (never an existing one) for writing with `mode`, before the umask.
Status CreateExclusive(const std::string& path, unsigned mode, UniqueFd& fd);

// Fills `buffer` as far as the file allows; `got` below the buffer's size means the end was reached.
Status ReadFully(int fd, std::uint8_t* buffer, std::size_t size, std::size_t& got, const std::string& path);
Status WriteAll(int fd, ByteView data, const std::string& path);

// Everything in the file when it holds at most `limit` bytes; kind io naming the size otherwise.
Status ReadWholeFile(const std::string& path, std::size_t limit, Bytes& content);

// A name beside `path` for writing it before it is renamed into place: hidden, and unique to the process.
std::string TemporaryName(const std::string& path);

// Moves `from` onto `to` only when nothing is there yet (kind io when something is).
Status RenameNoReplace(const std::string& from, const std::string& to);

// `content` under `path`, never half-written: a temporary sibling, flushed to disk, renamed over
// the target, and the folder flushed so that the rename itself survives a crash.
Status WriteFileDurably(const std::string& path, ByteView content);

}  // namespace dkl::publish
