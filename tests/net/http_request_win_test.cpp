#include "net/http_request_win.h"

#include <gtest/gtest.h>

#include "net/http_session_win.h"

namespace dkl {
namespace {

TEST(CrackHttpUrl, SplitsHttpAndHttpsUrls) {
  const struct {
    const char* url;
    bool secure;
    const wchar_t* host;
    std::uint16_t port;
    const wchar_t* path;
  } cases[] = {
      {"https://updates.example.org", true, L"updates.example.org", 443, L"/"},
      {"https://updates.example.org/updates/manifest.json", true, L"updates.example.org", 443,
       L"/updates/manifest.json"},
      {"http://mirror.example.org:8080/v2/objects/ab/cd?x=1&y=%20", false, L"mirror.example.org", 8080,
       L"/v2/objects/ab/cd?x=1&y=%20"},
      {"http://127.0.0.1:47801/updates", false, L"127.0.0.1", 47801, L"/updates"},
      {"http://localhost/api/launcher/news?lang=es", false, L"localhost", 80, L"/api/launcher/news?lang=es"},
  };
  for (const auto& c : cases) {
    UrlParts parts;
    ASSERT_TRUE(CrackHttpUrl(c.url, parts)) << c.url;
    EXPECT_EQ(parts.secure, c.secure) << c.url;
    EXPECT_EQ(parts.host, c.host) << c.url;
    EXPECT_EQ(parts.port, c.port) << c.url;
    EXPECT_EQ(parts.path, c.path) << c.url;
  }
}

TEST(CrackHttpUrl, RefusesOtherSchemesAndEmptyHosts) {
  for (const char* url : {"", "ftp://example.org/file", "example.org/manifest.json", "file:///C:/x", "http://",
                          "https:///path", "mailto:someone@example.org"}) {
    UrlParts parts;
    EXPECT_FALSE(CrackHttpUrl(url, parts)) << url;
  }
}

TEST(WinHttpFailure, NamesTheStepAndTheError) {
  const Status status = WinHttpFailure("connect", 12029);
  EXPECT_EQ(status.kind, StatusKind::Network);
  EXPECT_EQ(status.message, "connect (WinHTTP 12029)");
}

TEST(HttpSession, UserAgentCarriesVersionsAndTheSessionOpens) {
  // Wine reports Windows 10.0, as Windows 10 and 11 do.
  EXPECT_EQ(MakeUserAgent(), L"DuskcrownLauncher/2.0.1 (Windows 10.0)");
  const HttpSession session = OpenHttpSession(MakeUserAgent());
  EXPECT_NE(session.handle(), nullptr);
}

}  // namespace
}  // namespace dkl
