// The production shape end to end under Wine: the primary mirror and the website over HTTPS with a
// certificate from the test authority that the project's prefixes trust (tools/test-servers/test-ca),
// the fallback mirror over plain HTTP, every server Debian's nginx. Runs go through dklctl and are read
// back from its outcome, the launcher log and nginx's access logs, which name each request's TLS version.
#include <algorithm>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "base/json_object.h"
#include "base/paths_win.h"
#include "net/news_feed_win.h"
#include "support/child_process_win.h"
#include "support/dklctl_update_win.h"
#include "support/nginx_server_win.h"
#include "support/published_objects.h"
#include "support/temp_dir.h"
#include "support/test_site.h"
#include "update/object_names.h"
#include "update/sync_win.h"

namespace dkl {
namespace {

using testing::ChildProcess;
using testing::ChildResult;
using testing::Content;
using testing::NginxOptions;
using testing::NginxServer;
using testing::ReadFile;
using testing::ServedRequest;
using testing::TempDir;
using testing::TestSite;
using testing::TlsSetup;
using testing::WriteFile;

std::filesystem::path Dklctl() { return ExecutablePath().parent_path() / L"dklctl.exe"; }

std::vector<std::string> SortedTargets(const std::vector<ServedRequest>& served) {
  std::vector<std::string> targets;
  for (const ServedRequest& entry : served) targets.push_back(entry.request.path);
  std::sort(targets.begin(), targets.end());
  return targets;
}

bool OverTls12OrLater(const ServedRequest& entry) { return entry.tls == "TLSv1.2" || entry.tls == "TLSv1.3"; }

NginxOptions Https(TlsSetup tls = {}) { return NginxOptions{.tls = std::move(tls)}; }

class UpdateOverHttpsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fallback_.ok()) << fallback_.log();
    site_.Put("bin/Game.exe", Content(70000));
    site_.Put("data/world.pak", Content(900000), true);
    site_.Put("readme.txt", "welcome to the crown of dusk\n");
  }

  std::vector<std::wstring> UpdateArguments(const std::vector<std::string>& mirrors) const {
    return testing::DklctlUpdateArguments(game_.path(), app_data_.path(), mirrors);
  }

  // dklctl update against `mirrors`, in this test's folders.
  ChildResult Update(const std::vector<std::string>& mirrors) {
    return testing::RunChild(Dklctl(), UpdateArguments(mirrors), game_.path());
  }

  // The kind of the run's outcome ("Ready", "Offline"), or "" when dklctl printed none.
  static std::string Kind(const ChildResult& run) {
    return ParseJsonObject(AsBytes(run.out)).value("kind", std::string());
  }

  // The objects and the manifest a fresh install of this site asks for, sorted.
  std::vector<std::string> EverythingPublished() const {
    std::vector<std::string> targets{"/manifest.json"};
    for (const FileEntry& entry : site_.manifest().files) targets.push_back(site_.ObjectTarget(entry.path));
    std::sort(targets.begin(), targets.end());
    return targets;
  }

  bool InstalledAsPublished() const {
    return ReadFile(game_ / "bin" / "Game.exe") == Content(70000) &&
           ReadFile(game_ / "data" / "world.pak") == Content(900000) &&
           ReadFile(game_ / "readme.txt") == "welcome to the crown of dusk\n";
  }

  std::string LastLogLine() const {
    std::string log = ReadFile(game_ / ".dklauncher" / "launcher.log");
    if (!log.empty() && log.back() == '\n') log.pop_back();
    return log.substr(log.rfind('\n') + 1);
  }

  TempDir site_dir_;
  TempDir game_;
  TempDir app_data_;
  TempDir logs_;
  TestSite site_{site_dir_.path()};
  NginxServer fallback_{site_dir_.path()};
};

class AcceptedPrimaryTest : public UpdateOverHttpsTest, public ::testing::WithParamInterface<const char*> {};

// Under this Wine, WinHTTP offers TLS 1.2 alone even when asked for 1.2 and 1.3, as Windows 10's does;
// a server that offers both is met in 1.2, one that offers 1.2 alone likewise.
TEST_P(AcceptedPrimaryTest, FreshInstallComesWhollyFromTheHttpsPrimary) {
  site_.Publish(4);
  const NginxServer primary(site_dir_.path(), Https({.protocols = GetParam()}));
  ASSERT_TRUE(primary.ok()) << primary.log();

  const ChildResult run = Update({primary.url(""), fallback_.url("")});
  ASSERT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_EQ(Kind(run), "Ready");
  EXPECT_TRUE(InstalledAsPublished());
  const std::vector<ServedRequest> served = primary.served();
  EXPECT_EQ(SortedTargets(served), EverythingPublished());
  EXPECT_TRUE(std::all_of(served.begin(), served.end(), OverTls12OrLater));
  EXPECT_TRUE(fallback_.requests().empty()) << "the fallback stays unused while the primary serves";
}

INSTANTIATE_TEST_SUITE_P(Https, AcceptedPrimaryTest, ::testing::Values("TLSv1.2 TLSv1.3", "TLSv1.2"),
                         [](const ::testing::TestParamInfo<const char*>& tested) {
                           return tested.index == 0 ? std::string("Tls12And13") : std::string("Tls12Only");
                         });

// A primary that sends players on to another https server (a CDN, say) keeps them on https.
TEST_F(UpdateOverHttpsTest, RedirectToAnotherHttpsServerIsFollowed) {
  site_.Publish(4);
  const NginxServer target(site_dir_.path(), Https());
  ASSERT_TRUE(target.ok()) << target.log();
  const NginxServer primary(site_dir_.path(), NginxOptions{.tls = TlsSetup{}, .redirect = target.url("")});
  ASSERT_TRUE(primary.ok()) << primary.log();

  const ChildResult run = Update({primary.url(""), fallback_.url("")});
  ASSERT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_TRUE(InstalledAsPublished());
  const std::vector<ServedRequest> served = target.served();
  EXPECT_EQ(SortedTargets(served), EverythingPublished());
  EXPECT_TRUE(std::all_of(served.begin(), served.end(), OverTls12OrLater));
  EXPECT_EQ(SortedTargets(primary.served()), EverythingPublished()) << "each request was redirected once";
  EXPECT_TRUE(fallback_.requests().empty());
}

TEST_F(UpdateOverHttpsTest, KilledUpdateResumesItsPartFileOverHttps) {
  const NginxServer primary(site_dir_.path(), Https());
  ASSERT_TRUE(primary.ok()) << primary.log();
  site_.Publish(1);
  ASSERT_EQ(Update({primary.url(""), fallback_.url("")}).exit_code, 0);

  const std::string big = Content(3000000);
  site_.Put("data/huge.pak", big);
  const Manifest& manifest = site_.Publish(2);
  const FileEntry& huge = *std::find_if(manifest.files.begin(), manifest.files.end(),
                                        [](const FileEntry& entry) { return entry.path == "data/huge.pak"; });
  const std::filesystem::path part = DownloadArea(game_.path()) / PartFileName(huge);
  const auto part_size = [&] {
    std::error_code missing;
    const std::uintmax_t size = std::filesystem::file_size(part, missing);
    return missing ? 0 : size;
  };
  {
    // The same primary, throttled so that the run is caught in the middle of the download.
    const NginxServer throttled(site_dir_.path(), NginxOptions{.tls = TlsSetup{}, .limit_rate = "512k"});
    ASSERT_TRUE(throttled.ok()) << throttled.log();
    ChildProcess dklctl(Dklctl(), UpdateArguments({throttled.url(""), fallback_.url("")}), game_.path(),
                        logs_ / "stdout.txt", logs_ / "stderr.txt");
    ASSERT_TRUE(dklctl.started());
    for (int i = 0; i < 300 && part_size() < 500000; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    dklctl.Kill();
  }
  const std::uintmax_t resumed_from = part_size();
  ASSERT_GT(resumed_from, 0u);
  ASSERT_LT(resumed_from, big.size());

  const std::size_t before = primary.served().size();
  const ChildResult run = Update({primary.url(""), fallback_.url("")});
  ASSERT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_TRUE(ReadFile(game_ / "data" / "huge.pak") == big);
  const std::vector<ServedRequest> served = primary.served();
  ASSERT_EQ(served.size(), before + 2) << "the manifest and the unfinished object";
  const ServedRequest& resumed = served.back();
  EXPECT_EQ(resumed.request.path, site_.ObjectTarget("data/huge.pak"));
  EXPECT_EQ(resumed.request.range, "bytes=" + std::to_string(resumed_from) + "-");
  EXPECT_EQ(resumed.status, 206);
  EXPECT_TRUE(OverTls12OrLater(resumed)) << resumed.tls;
  EXPECT_TRUE(fallback_.requests().empty());
}

// The website answers in the language asked for, as a real one does: one file per query.
TEST_F(UpdateOverHttpsTest, NewsComeOverHttpsInThePlayersLanguage) {
  const TempDir web;
  WriteFile(web / "api" / "launcher" / "news@lang=en", R"([{"title": "The bridge is open", "url": "/news/1"}])");
  WriteFile(web / "api" / "launcher" / "news@lang=es", R"([{"title": "El puente abrió", "url": "/news/1"}])");
  const NginxServer website(web.path(), Https());
  ASSERT_TRUE(website.ok()) << website.log();
  const HttpSession session = OpenHttpSession(MakeUserAgent());
  const std::string base = website.url("");

  EXPECT_EQ(FetchNews(session, {base}, "en"),
            (std::vector<NewsItem>{{.title = "The bridge is open", .url = base + "/news/1"}}));
  EXPECT_EQ(FetchNews(session, {base}, "es"),
            (std::vector<NewsItem>{{.title = "El puente abri\xC3\xB3", .url = base + "/news/1"}}));
  const std::vector<ServedRequest> served = website.served();
  ASSERT_EQ(served.size(), 2u);
  EXPECT_EQ(served[0].request.path, "/api/launcher/news?lang=en");
  EXPECT_EQ(served[1].request.path, "/api/launcher/news?lang=es");
  EXPECT_TRUE(std::all_of(served.begin(), served.end(), OverTls12OrLater));
}

// A primary mirror that is wrong in one respect; what the launcher must make of it.
struct Refusal {
  const char* name;
  TlsSetup tls;
  bool redirects_to_http;
  const char* message;  // the run's error when this mirror is the only one
};

void PrintTo(const Refusal& refusal, std::ostream* out) { *out << refusal.name; }

class RefusedPrimaryTest : public UpdateOverHttpsTest, public ::testing::WithParamInterface<Refusal> {};

// Each such primary is given up before any byte of its answer counts, and the player's run goes on
// with the plain fallback, which serves everything. With no fallback the run is offline, and the
// launcher log names why. The redirect would lead to a server that serves the site, so a launcher
// that followed it would be seen there.
TEST_P(RefusedPrimaryTest, IsGivenUpForThePlainFallback) {
  site_.Publish(3);
  const NginxServer downgrade_target(site_dir_.path());
  ASSERT_TRUE(downgrade_target.ok()) << downgrade_target.log();
  NginxOptions options = Https(GetParam().tls);
  if (GetParam().redirects_to_http) options.redirect = downgrade_target.url("");
  const NginxServer primary(site_dir_.path(), options);
  ASSERT_TRUE(primary.ok()) << primary.log();

  const ChildResult alone = Update({primary.url("")});
  EXPECT_EQ(alone.exit_code, 2) << alone.out << alone.err;
  nlohmann::json outcome = ParseJsonObject(AsBytes(alone.out));  // a missing error reads as null
  EXPECT_EQ(outcome["kind"], "Offline");
  EXPECT_EQ(outcome["error"]["kind"], "offline");
  EXPECT_EQ(outcome["error"]["message"], GetParam().message);
  EXPECT_TRUE(LastLogLine().ends_with(std::string(" sync failed (offline): ") + GetParam().message))
      << LastLogLine();

  const ChildResult run = Update({primary.url(""), fallback_.url("")});
  ASSERT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_EQ(Kind(run), "Ready");
  EXPECT_TRUE(InstalledAsPublished());
  EXPECT_EQ(SortedTargets(fallback_.served()), EverythingPublished());
  const std::vector<std::string> primary_answered =
      GetParam().redirects_to_http ? std::vector<std::string>{"/manifest.json", "/manifest.json"}
                                   : std::vector<std::string>{};
  EXPECT_EQ(SortedTargets(primary.served()), primary_answered);
  EXPECT_TRUE(downgrade_target.requests().empty());
}

// Wine's WinHTTP ends the send step with 12157 (ERROR_WINHTTP_SECURE_CHANNEL_ERROR) for every
// certificate it refuses and every handshake that finds no common version, and refuses a redirect
// from https to http with 12156 (ERROR_WINHTTP_REDIRECT_FAILED).
INSTANTIATE_TEST_SUITE_P(
    Https, RefusedPrimaryTest,
    ::testing::Values(
        Refusal{"UntrustedAuthority", {.certificate = "stranger.pem"}, false, "send (WinHTTP 12157)"},
        Refusal{"NameMismatch", {.certificate = "wrong-name.pem"}, false, "send (WinHTTP 12157)"},
        Refusal{"Expired", {.certificate = "expired.pem"}, false, "send (WinHTTP 12157)"},
        Refusal{"IntermediateLeftOut", {.certificate = "localhost-leaf.pem"}, false, "send (WinHTTP 12157)"},
        Refusal{"Tls10And11Only", {.protocols = "TLSv1 TLSv1.1"}, false, "send (WinHTTP 12157)"},
        // Beyond this Wine's WinHTTP, as beyond Windows 10's: such a primary shuts those players out.
        Refusal{"Tls13Only", {.protocols = "TLSv1.3"}, false, "send (WinHTTP 12157)"},
        Refusal{"RedirectToHttp", {}, true, "response (WinHTTP 12156)"}),
    [](const ::testing::TestParamInfo<Refusal>& tested) { return std::string(tested.param.name); });

}  // namespace
}  // namespace dkl
