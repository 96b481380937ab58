#include "net/fetch_to_memory_win.h"

#include <windows.h>
#include <winhttp.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "net/http_request_win.h"

namespace dkl {
namespace {

constexpr DWORD kReadChunkBytes = 65536;

Status TooLarge() { return MakeStatus(StatusKind::Manifest, "too large"); }

// The Content-Length read like strtoll: leading white space and a sign allowed, a text that does
// not start with a number reads as 0. Empty when the header is missing, which is no error.
std::optional<long long> DeclaredLength(HINTERNET request) {
  wchar_t text[32] = {};  // 64 bytes
  DWORD size = sizeof(text) - sizeof(wchar_t);
  if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_CONTENT_LENGTH, WINHTTP_HEADER_NAME_BY_INDEX, text, &size,
                           WINHTTP_NO_HEADER_INDEX)) {
    return std::nullopt;
  }
  return std::wcstoll(text, nullptr, 10);
}

Status ReadBody(HINTERNET request, std::uint64_t max_bytes, std::optional<long long> declared, Bytes& body) {
  const auto chunk = std::make_unique<std::uint8_t[]>(kReadChunkBytes);
  while (true) {
    DWORD read = 0;
    if (!WinHttpReadData(request, chunk.get(), kReadChunkBytes, &read)) return WinHttpFailure("read", GetLastError());
    if (read == 0) break;
    // Checked on every chunk: a server that sends no length, or a false one, cannot push past the cap.
    if (body.size() + read > max_bytes) return TooLarge();
    body.insert(body.end(), chunk.get(), chunk.get() + read);
  }
  // WinHTTP can end a body early as if it were complete when the server closes the connection;
  // a document cut short is a failed transfer, not a smaller document.
  if (declared && *declared > 0 && body.size() < static_cast<std::uint64_t>(*declared)) {
    return MakeStatus(StatusKind::Network, "short body");
  }
  return OkStatus();
}

}  // namespace

Status FetchToMemory(const HttpSession& session, std::string_view url, std::uint64_t max_bytes, Bytes& body,
                     std::uint32_t body_timeout_ms) {
  body.clear();
  if (session.handle() == nullptr) return MakeStatus(StatusKind::Network, "no WinHTTP session");
  UrlParts parts;
  if (!CrackHttpUrl(url, parts)) return MakeStatus(StatusKind::Network, "bad url");

  RequestHandles handles;
  std::uint32_t status_code = 0;
  if (Status opened = OpenGetRequest(session.handle(), parts, 0, handles, status_code); !opened.ok()) return opened;

  // The head has arrived under the session's timeouts; from here the caller's timeout governs.
  const int timeout = static_cast<int>(body_timeout_ms);
  WinHttpSetTimeouts(handles.request, timeout, timeout, timeout, timeout);

  if (status_code < 200 || status_code > 299) {
    return MakeStatus(StatusKind::Network, "HTTP " + std::to_string(status_code));
  }
  const std::optional<long long> declared = DeclaredLength(handles.request);
  if (declared && static_cast<std::uint64_t>(*declared) > max_bytes) return TooLarge();
  return ReadBody(handles.request, max_bytes, declared, body);
}

}  // namespace dkl
