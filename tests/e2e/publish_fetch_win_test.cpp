// The launcher's side of a release: nginx serves a site that dkl-publish wrote, and FetchManifest
// must return exactly what was published. Run by tests/e2e/publish-and-fetch, which publishes first.
#include <cstdlib>
#include <map>

#include <gtest/gtest.h>

#include "net/http_session_win.h"
#include "support/nginx_server_win.h"
#include "update/manifest_fetch_win.h"

namespace dkl {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : value;
}

// Host paths appear under drive Z:.
std::filesystem::path FromUnixPath(const std::string& unix_path) {
  std::wstring path = L"Z:" + std::filesystem::path(unix_path).native();
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

// Every regular file under `game`, by manifest path, with its size.
std::map<std::string, std::uint64_t> FilesOf(const std::filesystem::path& game) {
  std::map<std::string, std::uint64_t> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(game)) {
    if (!entry.is_regular_file()) continue;
    files[std::filesystem::relative(entry.path(), game).generic_string()] = entry.file_size();
  }
  return files;
}

TEST(EndToEnd, FetchManifestReturnsWhatWasPublished) {
  const std::string site = Environment("DKL_E2E_SITE");
  const std::string game = Environment("DKL_E2E_GAME");
  ASSERT_FALSE(site.empty() || game.empty()) << "run through tests/e2e/publish-and-fetch";

  testing::NginxServer server(FromUnixPath(site));
  ASSERT_TRUE(server.ok()) << server.log();
  const HttpSession session = OpenHttpSession(MakeUserAgent());
  const std::vector<std::string> mirrors = {"http://127.0.0.1:1/unreachable", server.url("")};
  Manifest manifest;
  std::string serving;
  const Status status = FetchManifest(session, mirrors, manifest, serving);
  ASSERT_TRUE(status.ok()) << status.message;

  EXPECT_EQ(serving, mirrors[1]);
  EXPECT_EQ(std::to_string(manifest.serial), Environment("DKL_E2E_SERIAL"));
  EXPECT_EQ(manifest.client_version, Environment("DKL_E2E_CLIENT_VERSION"));
  EXPECT_EQ(manifest.game_exe, "bin/Game.exe");
  std::map<std::string, std::uint64_t> listed;
  std::size_t compressed = 0;
  for (const FileEntry& file : manifest.files) {
    listed[file.path] = file.size;
    if (file.gz) ++compressed;
  }
  EXPECT_EQ(listed, FilesOf(FromUnixPath(game)));
  EXPECT_GT(compressed, 0u) << "the generated game has compressible files";
}

}  // namespace
}  // namespace dkl
