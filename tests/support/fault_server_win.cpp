#include "support/fault_server_win.h"

#include <algorithm>
#include <cctype>

namespace dkl::testing {
namespace {

// Every wait wakes this often to notice that the server stops, so no connection can hold up the destructor.
constexpr long kPollMicroseconds = 20000;
constexpr std::size_t kMaxHeadBytes = 16 * 1024;
constexpr std::size_t kMaxRequestBodyBytes = 1024 * 1024;

std::string Lowercase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

std::string_view Trim(std::string_view text) {
  const auto space = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && space(text.front())) text.remove_prefix(1);
  while (!text.empty() && space(text.back())) text.remove_suffix(1);
  return text;
}

struct RequestHead {
  std::string method;
  std::string target;
  std::string range;
  std::size_t body_length = 0;
  bool client_closes = false;  // the client asked for, or its HTTP version implies, one request only
};

bool ParseRequestLine(std::string_view line, RequestHead& head, std::string& version) {
  const std::size_t first = line.find(' ');
  const std::size_t second = first == std::string_view::npos ? first : line.find(' ', first + 1);
  if (second == std::string_view::npos || line.find(' ', second + 1) != std::string_view::npos) return false;
  head.method = std::string(line.substr(0, first));
  head.target = std::string(line.substr(first + 1, second - first - 1));
  version = std::string(line.substr(second + 1));
  return !head.method.empty() && !head.target.empty() && (version == "HTTP/1.1" || version == "HTTP/1.0");
}

bool ParseLength(std::string_view text, std::size_t& length) {
  if (text.empty() || text.size() > 9 ||
      !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; })) {
    return false;
  }
  length = std::stoul(std::string(text));
  return length <= kMaxRequestBodyBytes;
}

// The head without its terminating empty line; nullopt for anything this server will not guess at.
std::optional<RequestHead> ParseHead(std::string_view text) {
  RequestHead head;
  std::string version;
  std::string connection;
  std::size_t line_start = 0;
  bool first_line = true;
  while (line_start <= text.size()) {
    std::size_t line_end = text.find("\r\n", line_start);
    if (line_end == std::string_view::npos) line_end = text.size();
    const std::string_view line = text.substr(line_start, line_end - line_start);
    line_start = line_end + 2;
    if (first_line) {
      if (!ParseRequestLine(line, head, version)) return std::nullopt;
      first_line = false;
      continue;
    }
    const std::size_t colon = line.find(':');
    if (colon == 0 || colon == std::string_view::npos || Trim(line.substr(0, colon)).size() != colon) {
      return std::nullopt;
    }
    const std::string name = Lowercase(line.substr(0, colon));
    const std::string_view value = Trim(line.substr(colon + 1));
    if (name == "range") head.range = std::string(value);
    if (name == "connection") connection = Lowercase(value);
    if (name == "content-length" && !ParseLength(value, head.body_length)) return std::nullopt;
    if (name == "transfer-encoding") return std::nullopt;
  }
  head.client_closes = version == "HTTP/1.0" ? connection.find("keep-alive") == std::string::npos
                                             : connection.find("close") != std::string::npos;
  return head;
}

std::string_view Reason(int status) {
  switch (status) {
    case 200: return "OK";
    case 206: return "Partial Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 303: return "See Other";
    case 307: return "Temporary Redirect";
    case 308: return "Permanent Redirect";
    case 400: return "Bad Request";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 416: return "Range Not Satisfiable";
    case 431: return "Request Header Fields Too Large";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status";
  }
}

bool SendAll(SOCKET socket, std::string_view bytes) {
  while (!bytes.empty()) {
    const int chunk = static_cast<int>(std::min<std::size_t>(bytes.size(), 64 * 1024));
    const int sent = send(socket, bytes.data(), chunk, 0);
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

void SendError(SOCKET socket, int status) {
  SendAll(socket, "HTTP/1.1 " + std::to_string(status) + " " + std::string(Reason(status)) +
                      "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
}

}  // namespace

FaultServer::FaultServer() {
  if (!winsock_.ok()) return;
  UniqueSocket listener(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  sockaddr_in address = LoopbackAddress(0);
  int length = sizeof(address);
  if (!listener || bind(listener.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
      listen(listener.get(), SOMAXCONN) != 0 ||
      getsockname(listener.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    return;
  }
  port_ = ntohs(address.sin_port);
  listener_ = std::move(listener);
  acceptor_ = std::thread(&FaultServer::AcceptConnections, this);
}

FaultServer::~FaultServer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  stopped_.notify_all();
  if (acceptor_.joinable()) acceptor_.join();
  for (std::thread& connection : connections_) connection.join();
}

std::string FaultServer::url(std::string_view path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

void FaultServer::Route(std::string path, FaultResponse response) {
  std::lock_guard lock(mutex_);
  routes_[std::move(path)] = std::move(response);
}

std::vector<SeenRequest> FaultServer::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

FaultResponse FaultServer::ResponseFor(const std::string& path) const {
  std::lock_guard lock(mutex_);
  const auto route = routes_.find(path);
  if (route != routes_.end()) return route->second;
  FaultResponse missing;
  missing.status = 404;
  missing.body = "not found\n";
  return missing;
}

bool FaultServer::WaitReadable(SOCKET socket) const {
  while (!stopping_) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket, &readable);
    timeval wait{0, kPollMicroseconds};
    const int ready = select(0, &readable, nullptr, nullptr, &wait);
    if (ready < 0) return false;
    if (ready > 0) return true;
  }
  return false;
}

bool FaultServer::ReceiveMore(SOCKET socket, std::string& buffer) const {
  if (!WaitReadable(socket)) return false;
  char chunk[4096];
  const int received = recv(socket, chunk, sizeof(chunk), 0);
  if (received <= 0) return false;
  buffer.append(chunk, static_cast<std::size_t>(received));
  return true;
}

void FaultServer::HoldUntilStopped() {
  std::unique_lock lock(mutex_);
  stopped_.wait(lock, [this] { return stopping_.load(); });
}

void FaultServer::AcceptConnections() {
  while (WaitReadable(listener_.get())) {
    UniqueSocket connection(accept(listener_.get(), nullptr, nullptr));
    if (connection) connections_.emplace_back(&FaultServer::Serve, this, std::move(connection));
  }
}

void FaultServer::Serve(UniqueSocket connection) {
  std::string buffer;
  while (true) {
    // Clients may send empty lines before a request line.
    const std::size_t start = buffer.find_first_not_of("\r\n");
    buffer.erase(0, start == std::string::npos ? buffer.size() : start);
    const std::size_t head_end = buffer.find("\r\n\r\n");
    if (head_end == std::string::npos ? buffer.size() > kMaxHeadBytes : head_end > kMaxHeadBytes) {
      SendError(connection.get(), 431);
      break;
    }
    if (head_end == std::string::npos) {
      if (!ReceiveMore(connection.get(), buffer)) break;
      continue;
    }
    const std::optional<RequestHead> head = ParseHead(std::string_view(buffer).substr(0, head_end));
    buffer.erase(0, head_end + 4);
    if (!head) {
      SendError(connection.get(), 400);
      break;
    }
    {
      std::lock_guard lock(mutex_);
      requests_.push_back({head->method, head->target, head->range});
    }
    // Request bodies are read past, never used.
    bool received = true;
    while (received && buffer.size() < head->body_length) received = ReceiveMore(connection.get(), buffer);
    if (!received) break;
    buffer.erase(0, head->body_length);
    if (!Answer(connection.get(), head->method, head->target, head->client_closes)) break;
  }
  // A graceful end, so that the client reads every byte sent before it learns of the close.
  shutdown(connection.get(), SD_SEND);
}

bool FaultServer::Answer(SOCKET connection, const std::string& method, const std::string& path,
                         bool client_closes) {
  const FaultResponse response = ResponseFor(path);
  const bool close_delimited = response.omit_content_length;
  std::string bytes = "HTTP/1.1 " + std::to_string(response.status) + " " + std::string(Reason(response.status)) +
                      "\r\nContent-Type: application/octet-stream\r\n";
  if (!close_delimited) {
    bytes += "Content-Length: " + response.content_length.value_or(std::to_string(response.body.size())) + "\r\n";
  }
  if (!response.location.empty()) bytes += "Location: " + response.location + "\r\n";
  if (client_closes || close_delimited) bytes += "Connection: close\r\n";
  bytes += "\r\n";
  if (method != "HEAD") {
    bytes.append(response.body, 0, std::min({response.body.size(), response.stall_after, response.cut_after}));
  }
  if (!SendAll(connection, bytes)) return false;
  if (response.stall_after != std::string::npos) {
    HoldUntilStopped();
    return false;
  }
  return !client_closes && !close_delimited && !response.content_length && response.cut_after == std::string::npos;
}

}  // namespace dkl::testing
