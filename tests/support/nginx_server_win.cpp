#include "support/nginx_server_win.h"

#include <windows.h>

#include <chrono>
#include <iomanip>
#include <optional>
#include <sstream>
#include <thread>

#include "base/text_win.h"
#include "support/unix_shell_win.h"

namespace dkl::testing {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kStartLimit = std::chrono::milliseconds(5000);
constexpr auto kStopLimit = std::chrono::milliseconds(5000);
constexpr auto kPollInterval = std::chrono::milliseconds(10);

// The test authority's folder; scripts/bootstrap makes it with tools/test-servers/test-ca.
std::string TestCaFile(const std::string& name) { return std::string(DKL_SOURCE_DIR) + "/build/test-ca/" + name; }

// Runs serve-static with `arguments`, its output in `name`.log and its exit code in `name`.done.
bool LaunchServeStatic(const std::string& unix_state, const std::string& arguments, const std::string& name) {
  const std::string script = std::string(DKL_SOURCE_DIR) + "/tools/test-servers/serve-static";
  const std::string report = unix_state + "/" + name;
  return LaunchShell("PATH=/usr/sbin:/usr/bin:/bin " + ShellWord(script) + " " + arguments + " </dev/null >" +
                     ShellWord(report + ".log") + " 2>&1; echo $? >" + ShellWord(report + ".done"));
}

}  // namespace

NginxServer::NginxServer(const std::filesystem::path& root, std::uint16_t port)
    : NginxServer(root, NginxOptions{.port = port}) {}

NginxServer::NginxServer(const std::filesystem::path& root, const NginxOptions& options)
    : options_(options), port_(options.port) {
  ok_ = winsock_.ok() ? Start(root) : Fail("Winsock did not start");
}

NginxServer::~NginxServer() { Stop(); }

bool NginxServer::Start(const std::filesystem::path& root) {
  const std::optional<std::string> unix_root = UnixPath(std::filesystem::absolute(root));
  const std::optional<std::string> unix_state = UnixPath(state_.path());
  if (!unix_root || !unix_state) return Fail("no Unix path for " + WideToUtf8(root.native()));
  if (port_ == 0) port_ = FreeLoopbackPort();
  if (port_ == 0) return Fail("no free loopback port");
  if (AcceptsConnections(port_)) return Fail("port " + std::to_string(port_) + " is taken");
  unix_state_ = *unix_state;
  launched_ = LaunchServeStatic(unix_state_,
                                OptionArguments() + ShellWord(*unix_root) + " " + std::to_string(port_) + " " +
                                    ShellWord(unix_state_),
                                "start");
  if (!launched_) return Fail("cannot start /bin/sh");
  // serve-static returns once nginx listens and has written its pid file.
  return WaitForExitCode(state_ / "start.done", kStartLimit) == 0 && AcceptsConnections(port_);
}

std::string NginxServer::OptionArguments() const {
  std::string arguments;
  if (options_.tls) {
    arguments += "--tls " + ShellWord(TestCaFile(options_.tls->certificate)) + " " +
                 ShellWord(TestCaFile("server.key")) + " --tls-protocols " + ShellWord(options_.tls->protocols) + " ";
  }
  if (!options_.limit_rate.empty()) arguments += "--limit-rate " + ShellWord(options_.limit_rate) + " ";
  if (!options_.redirect.empty()) arguments += "--redirect " + ShellWord(options_.redirect) + " ";
  return arguments;
}

void NginxServer::Stop() {
  if (!launched_) return;
  // A start still running would write the pid file after stop looked for it.
  WaitForExitCode(state_ / "start.done", kStartLimit);
  if (!LaunchServeStatic(unix_state_, "stop " + ShellWord(unix_state_), "stop")) return;
  WaitForExitCode(state_ / "stop.done", kStopLimit);
  const auto deadline = Clock::now() + kStopLimit;
  while (AcceptsConnections(port_) && Clock::now() < deadline) std::this_thread::sleep_for(kPollInterval);
}

std::string NginxServer::url(std::string_view path) const {
  return (options_.tls ? "https://localhost:" : "http://127.0.0.1:") + std::to_string(port_) + std::string(path);
}

bool NginxServer::Fail(std::string reason) {
  failure_ = std::move(reason);
  return false;
}

std::vector<ServedRequest> NginxServer::served() const {
  // Lines read: METHOD TARGET STATUS "RANGE" TLS, with "-" for no Range header and for plain http.
  std::vector<ServedRequest> served;
  std::istringstream lines(ReadFile(state_ / "access.log"));
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    ServedRequest entry;
    fields >> entry.request.method >> entry.request.path >> entry.status >> std::quoted(entry.request.range) >>
        entry.tls;
    if (entry.request.range == "-") entry.request.range.clear();
    if (entry.tls == "-") entry.tls.clear();
    served.push_back(std::move(entry));
  }
  return served;
}

std::vector<SeenRequest> NginxServer::requests() const {
  std::vector<SeenRequest> seen;
  for (ServedRequest& entry : served()) seen.push_back(std::move(entry.request));
  return seen;
}

std::string NginxServer::log() const { return failure_.empty() ? ReadFile(state_ / "start.log") : failure_; }

}  // namespace dkl::testing
