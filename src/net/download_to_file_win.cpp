#include "net/download_to_file_win.h"

#include <windows.h>
#include <winhttp.h>

#include <string>

#include "base/file_stat_win.h"
#include "base/scratch_buffer_win.h"
#include "base/status_win.h"
#include "base/unique_handle_win.h"
#include "net/http_request_win.h"

namespace dkl {
namespace {

constexpr DWORD kReadChunkBytes = 262144;
constexpr DWORD kWsaTimedOut = 10060;

// The part file's size, or 0 when there is none (a folder in its place counts as none).
std::uint64_t ExistingSize(const std::filesystem::path& part_file) {
  FileStat stat;
  return StatFile(part_file, stat) && !stat.directory ? stat.size : 0;
}

// A 206 continues the part file; any other 2xx carries the whole object, so it starts over.
UniqueHandle OpenPartFile(const std::filesystem::path& part_file, bool resume) {
  return UniqueHandle(CreateFileW(part_file.c_str(), resume ? FILE_APPEND_DATA : GENERIC_WRITE, 0, nullptr,
                                  resume ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

class Reporter {
 public:
  Reporter(const ProgressCallback& progress, std::uint64_t& running_total)
      : progress_(progress), running_total_(running_total) {}
  void Add(std::uint64_t bytes) {
    progress_(bytes);
    running_total_ += bytes;
  }

 private:
  const ProgressCallback& progress_;
  std::uint64_t& running_total_;
};

Status ReadFailure(DWORD error) {
  // Windows reports a receive timeout as ERROR_WINHTTP_TIMEOUT; Wine passes on the socket's WSAETIMEDOUT.
  if (error == ERROR_WINHTTP_TIMEOUT || error == kWsaTimedOut) return MakeStatus(StatusKind::Network, "stalled");
  return WinHttpFailure("read", error);
}

}  // namespace

Status DownloadToFile(const HttpSession& session, std::string_view url, const std::filesystem::path& part_file,
                      std::uint64_t expected_bytes, const ProgressCallback& progress, std::uint64_t& running_total) {
  if (session.handle() == nullptr) return MakeStatus(StatusKind::Network, "no WinHTTP session");
  UrlParts parts;
  if (!CrackHttpUrl(url, parts)) return MakeStatus(StatusKind::Network, "bad url");

  Reporter reporter(progress, running_total);
  std::uint64_t offset = ExistingSize(part_file);
  if (offset > expected_bytes) {
    DeleteFileW(part_file.c_str());
    offset = 0;
  }
  if (offset == expected_bytes) {
    reporter.Add(offset);
    return OkStatus();
  }

  RequestHandles handles;
  std::uint32_t status_code = 0;
  if (Status opened = OpenGetRequest(session.handle(), parts, offset, handles, status_code); !opened.ok()) {
    return opened;
  }
  if (status_code < 200 || status_code > 299) {
    return MakeStatus(StatusKind::Network, "HTTP " + std::to_string(status_code));
  }
  std::uint8_t* const chunk = ThreadScratch(ScratchUse::Download);
  if (chunk == nullptr) return MakeStatus(StatusKind::Io, "no memory");
  const bool resume = status_code == 206;
  if (!resume) offset = 0;
  UniqueHandle file = OpenPartFile(part_file, resume);
  if (!file) return LastErrorStatus("open part");
  reporter.Add(offset);

  Status failure;
  while (true) {
    DWORD read = 0;
    if (!WinHttpReadData(handles.request, chunk, kReadChunkBytes, &read)) {
      failure = ReadFailure(GetLastError());
      break;
    }
    if (read == 0) break;
    offset += read;
    if (offset > expected_bytes) {
      file.reset();
      DeleteFileW(part_file.c_str());
      return MakeStatus(StatusKind::Corrupt, "longer than expected");
    }
    DWORD written = 0;
    if (!WriteFile(file.get(), chunk, read, &written, nullptr) || written != read) {
      failure = LastErrorStatus("write part");
      break;
    }
    reporter.Add(written);
  }
  FlushFileBuffers(file.get());
  file.reset();

  if (!failure.ok()) return failure;
  if (offset != expected_bytes) {
    return MakeStatus(StatusKind::Network,
                      "short read " + std::to_string(offset) + "/" + std::to_string(expected_bytes));
  }
  return OkStatus();
}

}  // namespace dkl
