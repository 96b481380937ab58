// nginx serving a folder on a loopback port for as long as the object lives. It runs on the
// Linux side through tools/test-servers/serve-static, so the tests meet a real web server: keep-alive,
// sendfile, 206 answers to Range requests, and TLS with the project's test certificate authority.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/loopback_win.h"
#include "support/seen_request.h"
#include "support/temp_dir.h"

namespace dkl::testing {

// How a server speaks TLS: the certificate file it presents, one of those tools/test-servers/test-ca
// makes in build/test-ca (the authority the project's Wine prefixes trust), and the versions it offers.
struct TlsSetup {
  std::string certificate = "localhost.pem";
  std::string protocols = "TLSv1.2 TLSv1.3";
};

struct NginxOptions {
  std::uint16_t port = 0;          // 0 picks a free one; a fixed port serves a program with servers built in
  std::optional<TlsSetup> tls{};   // https instead of http
  std::string limit_rate{};        // bytes per second per response ("256k"), or "" for no limit
  std::string redirect{};          // when set, every request is answered with 302 to it + the request target
};

// One request as nginx logged it.
struct ServedRequest {
  SeenRequest request{};
  int status = 0;
  std::string tls{};  // the TLS version it arrived over ("TLSv1.2"), "" over plain http
};

class NginxServer {
 public:
  // Returns once the server accepts connections, or after a few seconds with ok() false.
  explicit NginxServer(const std::filesystem::path& root, std::uint16_t port = 0);
  NginxServer(const std::filesystem::path& root, const NginxOptions& options);
  NginxServer(const NginxServer&) = delete;
  NginxServer& operator=(const NginxServer&) = delete;
  // Returns once the port refuses connections again (bounded).
  ~NginxServer();

  bool ok() const { return ok_; }
  std::uint16_t port() const { return port_; }
  // "http://127.0.0.1:PORT", or "https://localhost:PORT" with TLS, followed by `path`, which starts
  // with a slash. Wine matches a certificate's host names but not its IP addresses.
  std::string url(std::string_view path) const;
  // Why the server could not be launched, else what serve-static and nginx reported on starting:
  // the reason to show when ok() is false.
  std::string log() const;
  // Every request answered so far, in the order nginx logged them.
  std::vector<SeenRequest> requests() const;
  std::vector<ServedRequest> served() const;

 private:
  bool Start(const std::filesystem::path& root);
  std::string OptionArguments() const;
  void Stop();
  bool Fail(std::string reason);

  WinsockSession winsock_;
  TempDir state_;  // nginx.conf, pid, error log, temp folders and the scripts' reports
  std::string unix_state_;
  NginxOptions options_;
  std::uint16_t port_ = 0;
  bool launched_ = false;
  bool ok_ = false;
  std::string failure_;  // why the server could not even be launched
};

}  // namespace dkl::testing
