// The one WinHTTP session that serves the update run, the self-update and every download.
#pragma once

#include <string>
#include <utility>

namespace dkl {

class HttpSession {
 public:
  HttpSession() = default;
  explicit HttpSession(void* handle) : handle_(handle) {}
  HttpSession(HttpSession&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  HttpSession& operator=(HttpSession&& other) noexcept;
  HttpSession(const HttpSession&) = delete;
  HttpSession& operator=(const HttpSession&) = delete;
  ~HttpSession();

  // Null when the platform refused to open a session; every transfer then fails.
  void* handle() const { return handle_; }

 private:
  void* handle_ = nullptr;
};

// The session's defaults, which every request inherits. The receive timeout is the only stall
// detector of a download; tests pass shorter ones.
struct SessionTimeouts {
  int resolve_ms = 10000;
  int connect_ms = 10000;
  int send_ms = 30000;
  int receive_ms = 30000;
};

// "DuskcrownLauncher/2.0.1 (Windows <major>.<minor>)"; 0.0 when the version cannot be read.
std::wstring MakeUserAgent();

// Opens a synchronous session with TLS 1.2 or later and the launcher's timeouts. Never fails:
// a session without a handle is a valid result.
HttpSession OpenHttpSession(const std::wstring& user_agent, const SessionTimeouts& timeouts = SessionTimeouts());

}  // namespace dkl
