// Splitting URLs and opening one GET request up to its status code: the only callers of WinHTTP's
// request functions.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/status.h"

namespace dkl {

struct UrlParts {
  bool secure = false;
  std::wstring host;
  std::uint16_t port = 0;  // as written, or the scheme's default
  std::wstring path;       // path followed by the query; "/" when both are empty
};

// Owns the two handles of one request; closes the request handle, then the connection handle.
class RequestHandles {
 public:
  RequestHandles() = default;
  RequestHandles(const RequestHandles&) = delete;
  RequestHandles& operator=(const RequestHandles&) = delete;
  ~RequestHandles() { Close(); }

  void Close();

  void* connection = nullptr;
  void* request = nullptr;
};

// Only http and https URLs with a host split.
bool CrackHttpUrl(std::string_view url, UrlParts& parts);

// Connects, sends a GET (with "Range: bytes=<offset>-" when offset > 0) and waits for the status
// code, which it does not judge. Failures are kind network with the failing step's word.
Status OpenGetRequest(void* session, const UrlParts& parts, std::uint64_t offset, RequestHandles& handles,
                      std::uint32_t& status_code);

// "<step> (WinHTTP <error>)", kind network.
Status WinHttpFailure(std::string_view step, unsigned long error);

}  // namespace dkl
