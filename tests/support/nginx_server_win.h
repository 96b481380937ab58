// nginx serving a folder on a loopback port for as long as the object lives. It runs on the
// Linux side through tools/test-servers/serve-static, so the tests meet a real web server: keep-alive,
// sendfile, and 206 answers to Range requests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "support/loopback_win.h"
#include "support/seen_request.h"
#include "support/temp_dir.h"

namespace dkl::testing {

class NginxServer {
 public:
  // Returns once the server accepts connections, or after a few seconds with ok() false. A `port`
  // of 0 picks a free one; a fixed port serves a program that has its servers built in.
  explicit NginxServer(const std::filesystem::path& root, std::uint16_t port = 0);
  NginxServer(const NginxServer&) = delete;
  NginxServer& operator=(const NginxServer&) = delete;
  // Returns once the port refuses connections again (bounded).
  ~NginxServer();

  bool ok() const { return ok_; }
  std::uint16_t port() const { return port_; }
  // "http://127.0.0.1:PORT" followed by `path`, which starts with a slash.
  std::string url(std::string_view path) const;
  // Why the server could not be launched, else what serve-static and nginx reported on starting:
  // the reason to show when ok() is false.
  std::string log() const;
  // Every request answered so far, in the order nginx logged them.
  std::vector<SeenRequest> requests() const;

 private:
  bool Start(const std::filesystem::path& root);
  void Stop();
  bool Fail(std::string reason);

  WinsockSession winsock_;
  TempDir state_;  // nginx.conf, pid, error log, temp folders and the scripts' reports
  std::string unix_state_;
  std::uint16_t port_ = 0;
  bool launched_ = false;
  bool ok_ = false;
  std::string failure_;  // why the server could not even be launched
};

}  // namespace dkl::testing
