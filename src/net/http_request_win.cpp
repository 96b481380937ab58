#include "net/http_request_win.h"

#include <windows.h>
#include <winhttp.h>

#include <cstdio>
#include <cwchar>

#include "base/text_win.h"

namespace dkl {
namespace {

constexpr DWORD kOpenRequestFlags = WINHTTP_FLAG_REFRESH;

// Redirects are followed by WinHTTP itself: never from https down to http, and at most three.
void SetRedirectPolicy(HINTERNET request) {
  DWORD policy = WINHTTP_OPTION_REDIRECT_POLICY_DISALLOW_HTTPS_TO_HTTP;
  WinHttpSetOption(request, WINHTTP_OPTION_REDIRECT_POLICY, &policy, sizeof(policy));
  DWORD max_redirects = 3;
  WinHttpSetOption(request, WINHTTP_OPTION_MAX_HTTP_AUTOMATIC_REDIRECTS, &max_redirects, sizeof(max_redirects));
}

bool SendRequest(HINTERNET request, std::uint64_t offset) {
  if (offset == 0) return WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0);
  wchar_t range[64];
  std::swprintf(range, 64, L"Range: bytes=%llu-\r\n", static_cast<unsigned long long>(offset));
  return WinHttpSendRequest(request, range, static_cast<DWORD>(-1), WINHTTP_NO_REQUEST_DATA, 0, 0, 0);
}

}  // namespace

void RequestHandles::Close() {
  if (request != nullptr) WinHttpCloseHandle(request);
  if (connection != nullptr) WinHttpCloseHandle(connection);
  request = nullptr;
  connection = nullptr;
}

bool CrackHttpUrl(std::string_view url, UrlParts& parts) {
  const std::wstring wide = Utf8ToWide(url);
  if (wide.empty()) return false;
  URL_COMPONENTS components{};
  components.dwStructSize = sizeof(components);
  // Non-zero lengths with null pointers ask for positions inside `wide`.
  components.dwSchemeLength = static_cast<DWORD>(-1);
  components.dwHostNameLength = static_cast<DWORD>(-1);
  components.dwUrlPathLength = static_cast<DWORD>(-1);
  components.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (!WinHttpCrackUrl(wide.c_str(), static_cast<DWORD>(wide.size()), 0, &components)) return false;
  if (components.nScheme != INTERNET_SCHEME_HTTP && components.nScheme != INTERNET_SCHEME_HTTPS) return false;

  parts.secure = components.nScheme == INTERNET_SCHEME_HTTPS;
  parts.host.assign(components.lpszHostName ? components.lpszHostName : L"", components.dwHostNameLength);
  parts.port = components.nPort;
  parts.path.assign(components.lpszUrlPath ? components.lpszUrlPath : L"", components.dwUrlPathLength);
  if (components.lpszExtraInfo) parts.path.append(components.lpszExtraInfo, components.dwExtraInfoLength);
  if (parts.path.empty()) parts.path = L"/";
  return !parts.host.empty();
}

Status OpenGetRequest(void* session, const UrlParts& parts, std::uint64_t offset, RequestHandles& handles,
                      std::uint32_t& status_code) {
  handles.connection = WinHttpConnect(session, parts.host.c_str(), parts.port, 0);
  if (handles.connection == nullptr) return WinHttpFailure("connect", GetLastError());

  const DWORD flags = kOpenRequestFlags | (parts.secure ? WINHTTP_FLAG_SECURE : 0);
  handles.request = WinHttpOpenRequest(handles.connection, L"GET", parts.path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                       WINHTTP_DEFAULT_ACCEPT_TYPES, flags);
  if (handles.request == nullptr) return WinHttpFailure("open request", GetLastError());
  SetRedirectPolicy(handles.request);

  if (!SendRequest(handles.request, offset)) return WinHttpFailure("send", GetLastError());
  if (!WinHttpReceiveResponse(handles.request, nullptr)) return WinHttpFailure("response", GetLastError());

  status_code = 0;
  DWORD code = 0;
  DWORD size = sizeof(code);
  if (!WinHttpQueryHeaders(handles.request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                           WINHTTP_HEADER_NAME_BY_INDEX, &code, &size, WINHTTP_NO_HEADER_INDEX)) {
    return WinHttpFailure("status", GetLastError());
  }
  status_code = code;
  return OkStatus();
}

Status WinHttpFailure(std::string_view step, unsigned long error) {
  char message[96];
  std::snprintf(message, sizeof(message), "%.*s (WinHTTP %lu)", static_cast<int>(step.size()), step.data(), error);
  return MakeStatus(StatusKind::Network, message);
}

}  // namespace dkl
