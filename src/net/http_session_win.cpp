#include "net/http_session_win.h"

#include <windows.h>
#include <winhttp.h>

#include <cwchar>

#include "core/version.h"

namespace dkl {
namespace {

constexpr DWORD kTls12And13 = 0x2800;  // WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2 | _TLS1_3
constexpr DWORD kTls12 = 0x800;

struct OsVersion {
  unsigned long major = 0;
  unsigned long minor = 0;
};

// GetVersionEx lies to unmanifested programs; ntdll's RtlGetVersion does not.
OsVersion ReadOsVersion() {
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (ntdll == nullptr) return {};
  const auto rtl_get_version =
      reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
  if (rtl_get_version == nullptr) return {};
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (rtl_get_version(&info) != 0) return {};
  return {info.dwMajorVersion, info.dwMinorVersion};
}

}  // namespace

HttpSession& HttpSession::operator=(HttpSession&& other) noexcept {
  if (this != &other) {
    if (handle_ != nullptr) WinHttpCloseHandle(handle_);
    handle_ = std::exchange(other.handle_, nullptr);
  }
  return *this;
}

HttpSession::~HttpSession() {
  if (handle_ != nullptr) WinHttpCloseHandle(handle_);
}

std::wstring MakeUserAgent() {
  const OsVersion version = ReadOsVersion();
  wchar_t buffer[96];
  const int length = std::swprintf(buffer, 96, L"DuskcrownLauncher/%hs (Windows %lu.%lu)", LauncherVersion,
                                   version.major, version.minor);
  return length < 0 ? std::wstring() : std::wstring(buffer, static_cast<std::size_t>(length));
}

HttpSession OpenHttpSession(const std::wstring& user_agent, const SessionTimeouts& timeouts) {
  HINTERNET session = WinHttpOpen(user_agent.c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                  WINHTTP_NO_PROXY_BYPASS, 0);
  if (session == nullptr) return HttpSession();
  DWORD protocols = kTls12And13;
  if (!WinHttpSetOption(session, WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof(protocols))) {
    protocols = kTls12;
    WinHttpSetOption(session, WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof(protocols));
  }
  WinHttpSetTimeouts(session, timeouts.resolve_ms, timeouts.connect_ms, timeouts.send_ms, timeouts.receive_ms);
  return HttpSession(session);
}

}  // namespace dkl
