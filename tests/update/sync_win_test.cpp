// Planning and running whole syncs against real folders, nginx and the fault server.
#include "update/sync_win.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>

#include "base/file_stat_win.h"
#include "base/text_win.h"
#include "support/fault_server_win.h"
#include "support/nginx_server_win.h"
#include "support/published_objects.h"
#include "support/temp_dir.h"
#include "update/object_names.h"

namespace dkl {
namespace {

using testing::Content;
using testing::FaultResponse;
using testing::FaultServer;
using testing::GzipAround;
using testing::GzipFixedHeader;
using testing::HexOf;
using testing::NginxServer;
using testing::PublishGzipObject;
using testing::PublishObject;
using testing::ReadFile;
using testing::SeenRequest;
using testing::TempDir;
using testing::WriteFile;

std::vector<std::string> PathsOf(const std::vector<FileEntry>& entries) {
  std::vector<std::string> paths;
  for (const FileEntry& entry : entries) paths.push_back(entry.path);
  return paths;
}

TEST(PlanningWorkerCount, FollowsTheMachineUpToEight) {
  const struct {
    unsigned reported, workers;
  } cases[] = {{16, 8}, {8, 8}, {2, 2}, {1, 1}, {0, 4}};
  for (const auto& c : cases) EXPECT_EQ(PlanningWorkerCount(c.reported), c.workers) << c.reported;
}

class PlanSyncTest : public ::testing::Test {
 protected:
  FileEntry Listed(const std::string& path, const std::string& content) {
    return FileEntry{path, HexOf(content), content.size(), std::nullopt};
  }

  // The file as it is on disk now, claimed to hold `sha256`.
  Known RememberedAs(const std::string& path, const std::string& sha256) {
    FileStat stat;
    EXPECT_TRUE(StatFile(game_ / Utf8ToWide(path), stat));
    return Known{stat.size, MtimeFromFileTime(stat.last_write_ticks), sha256};
  }

  TempDir game_;
  InstallState state_;
  UpdateProgress progress_;
};

TEST_F(PlanSyncTest, PlansWhatIsMissingOrDifferentAndRenewsTheFilesMap) {
  WriteFile(game_ / "same.txt", "same content");
  WriteFile(game_ / "data" / "changed.txt", "edited content!");
  WriteFile(game_ / "short.txt", "cut");
  const std::vector<FileEntry> files{Listed("same.txt", "same content"), Listed("data/changed.txt", "shipped content"),
                                     Listed("short.txt", "cut short"), Listed("missing.txt", "never there")};
  state_.files["unlisted.txt"] = Known{1, 2, HexOf("x")};
  progress_.bytes_done = 99;
  progress_.bytes_total = 99;

  const std::vector<FileEntry> planned = PlanSync(game_.path(), files, state_, false, progress_);

  EXPECT_EQ(PathsOf(planned), (std::vector<std::string>{"data/changed.txt", "short.txt", "missing.txt"}));
  ASSERT_EQ(state_.files.size(), 3u);
  EXPECT_EQ(state_.files.at("same.txt").sha256, files[0].sha256);
  EXPECT_EQ(state_.files.at("data/changed.txt").sha256, HexOf("edited content!"));
  EXPECT_EQ(state_.files.at("short.txt").sha256, "");  // another size is never read
  EXPECT_EQ(progress_.files_total.load(), 4u);
  EXPECT_EQ(progress_.files_done.load(), 4u);
  EXPECT_EQ(progress_.bytes_done.load(), 0u);
  EXPECT_EQ(progress_.bytes_total.load(), 0u);
}

TEST_F(PlanSyncTest, QuickCheckTrustsARememberedFileOnlyUnderItsExactPath) {
  WriteFile(game_ / "a.bin", "damaged bytes");
  WriteFile(game_ / "b.bin", "damaged bytes");
  const std::vector<FileEntry> files{Listed("a.bin", "shipped bytes"), Listed("b.bin", "shipped bytes")};
  state_.files["a.bin"] = RememberedAs("a.bin", files[0].sha256);
  state_.files["B.bin"] = RememberedAs("b.bin", files[1].sha256);

  InstallState quick = state_;
  EXPECT_EQ(PathsOf(PlanSync(game_.path(), files, quick, false, progress_)), std::vector<std::string>{"b.bin"});
  EXPECT_EQ(quick.files.at("a.bin").sha256, files[0].sha256);

  InstallState full = state_;
  EXPECT_EQ(PathsOf(PlanSync(game_.path(), files, full, true, progress_)),
            (std::vector<std::string>{"a.bin", "b.bin"}));
  EXPECT_EQ(full.files.at("a.bin").sha256, HexOf("damaged bytes"));
}

TEST_F(PlanSyncTest, ManyFilesAreAllExamined) {
  std::vector<FileEntry> files;
  for (int i = 0; i < 300; ++i) {
    const std::string content = "file " + std::to_string(i);
    if (i % 3 != 0) WriteFile(game_ / ("f" + std::to_string(i)), content);
    files.push_back(Listed("f" + std::to_string(i), content));
  }
  const std::vector<FileEntry> planned = PlanSync(game_.path(), files, state_, true, progress_);
  EXPECT_EQ(planned.size(), 100u);
  EXPECT_EQ(state_.files.size(), 200u);
  EXPECT_EQ(progress_.files_done.load(), 300u);
}

class RunSyncTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(nginx_.ok()) << nginx_.log();
    ASSERT_TRUE(faults_.ok());
  }

  Status Run(const std::vector<std::string>& mirrors, const std::vector<FileEntry>& planned,
             const BeforeFirstPlacement& before_first_placement = {}) {
    const PlacedFileCallback record = [this](const FileEntry& entry, const Known& known) {
      std::lock_guard hold(placed_lock_);
      placed_[entry.path] = known;
    };
    return RunSync(session_, mirrors, game_.path(), planned, progress_, before_first_placement, record,
                   [](std::chrono::milliseconds) {});
  }

  std::size_t RequestsFor(const std::vector<SeenRequest>& requests, const std::string& target) {
    std::size_t count = 0;
    for (const SeenRequest& request : requests) count += request.path == target;
    return count;
  }

  TempDir site_;
  TempDir game_;
  NginxServer nginx_{site_.path()};
  FaultServer faults_;
  HttpSession session_ = OpenHttpSession(MakeUserAgent());
  UpdateProgress progress_;
  std::mutex placed_lock_;
  std::map<std::string, Known> placed_;
};

TEST_F(RunSyncTest, FreshInstallFetchesEachContentOnceAndPlacesEveryPath) {
  const std::string shared = Content(200000);
  const std::string packed = Content(2 * 1048576 + 3);
  const std::vector<FileEntry> planned{
      PublishObject(site_.path(), "readme.txt", Content(1000), false),
      PublishObject(site_.path(), "data/shared.pak", shared, false),
      PublishObject(site_.path(), "bin/Game_x64_win.exe", packed, true),
      PublishObject(site_.path(), "backup/shared.pak", shared, false),
      PublishObject(site_.path(), "empty.cfg", "", false),
  };

  const Status status = Run({nginx_.url("")}, planned);
  ASSERT_TRUE(status.ok()) << status.message;

  EXPECT_EQ(ReadFile(game_ / "readme.txt"), Content(1000));
  EXPECT_TRUE(ReadFile(game_ / "data" / "shared.pak") == shared);
  EXPECT_TRUE(ReadFile(game_ / "backup" / "shared.pak") == shared);
  EXPECT_TRUE(ReadFile(game_ / "bin" / "Game_x64_win.exe") == packed);
  ASSERT_TRUE(std::filesystem::exists(game_ / "empty.cfg"));
  EXPECT_EQ(std::filesystem::file_size(game_ / "empty.cfg"), 0u);

  ASSERT_EQ(placed_.size(), 5u);
  for (const FileEntry& entry : planned) {
    EXPECT_EQ(placed_[entry.path].sha256, entry.sha256) << entry.path;
    EXPECT_EQ(placed_[entry.path].size, entry.size) << entry.path;
  }
  EXPECT_EQ(RequestsFor(nginx_.requests(), ObjectUrl("", planned[1].sha256, false)), 1u);
  EXPECT_EQ(progress_.files_total.load(), 5u);
  EXPECT_EQ(progress_.files_done.load(), 5u);
  EXPECT_EQ(progress_.bytes_total.load(), 1000 + shared.size() + *planned[2].gz);
  EXPECT_EQ(progress_.bytes_done.load(), progress_.bytes_total.load());
  EXPECT_FALSE(std::filesystem::exists(DownloadArea(game_.path())));
}

// A header longer than the unpack's first read of 64 KiB: it reads on until the header is complete.
TEST_F(RunSyncTest, GzipHeadersBeyondTheFirstReadInstall) {
  const struct {
    const char* path;
    std::string header;
  } objects[] = {
      {"data/extra.pak", GzipFixedHeader(4) + "\xff\xff" + std::string(65535, 'x')},  // ends at 65,547
      {"data/name.pak", GzipFixedHeader(8 | 2) + std::string(65525, 'n') + '\0' + "\x12\x34"},  // ends at 65,538
  };
  std::vector<FileEntry> planned;
  for (const auto& object : objects) {
    const std::string content = Content(300000) + object.path;
    planned.push_back(PublishGzipObject(site_.path(), object.path, content, GzipAround(object.header, content)));
  }

  const Status status = Run({nginx_.url("")}, planned);
  ASSERT_TRUE(status.ok()) << status.message;
  for (const auto& object : objects) {
    EXPECT_TRUE(ReadFile(game_ / object.path) == Content(300000) + object.path) << object.path;
  }
  EXPECT_FALSE(std::filesystem::exists(DownloadArea(game_.path())));
}

TEST_F(RunSyncTest, FailureHalfWayKeepsPlacedFilesAndResumesThePartNextTime) {
  const std::string big = Content(600000);
  const FileEntry good = PublishObject(site_.path(), "good.txt", Content(3000), false);
  const FileEntry cut = PublishObject(site_.path(), "data/big.pak", big, false);
  faults_.Route(ObjectUrl("", good.sha256, false), FaultResponse{.body = Content(3000)});
  faults_.Route(ObjectUrl("", cut.sha256, false), FaultResponse{.body = big, .cut_after = 250000});

  const Status failed = Run({faults_.url("")}, {good, cut});
  EXPECT_EQ(failed.kind, StatusKind::Network) << failed.message;
  EXPECT_EQ(ReadFile(game_ / "good.txt"), Content(3000));
  EXPECT_EQ(placed_.count("good.txt"), 1u);
  EXPECT_EQ(placed_.count("data/big.pak"), 0u);
  const std::filesystem::path part = DownloadArea(game_.path()) / PartFileName(cut);
  ASSERT_TRUE(std::filesystem::exists(part));
  const std::uint64_t kept = std::filesystem::file_size(part);
  EXPECT_GT(kept, 0u);

  InstallState state;
  for (const auto& [path, known] : placed_) state.files[path] = known;
  const std::vector<FileEntry> again = PlanSync(game_.path(), {good, cut}, state, false, progress_);
  ASSERT_EQ(PathsOf(again), std::vector<std::string>{"data/big.pak"});

  const Status resumed = Run({nginx_.url("")}, again);
  ASSERT_TRUE(resumed.ok()) << resumed.message;
  EXPECT_TRUE(ReadFile(game_ / "data" / "big.pak") == big);
  EXPECT_EQ(nginx_.requests(), (std::vector<SeenRequest>{{"GET", ObjectUrl("", cut.sha256, false),
                                                          "bytes=" + std::to_string(kept) + "-"}}));
  EXPECT_FALSE(std::filesystem::exists(DownloadArea(game_.path())));
}

TEST_F(RunSyncTest, AnObjectNoMirrorServesFailsTheRunAndKeepsTheDownloadArea) {
  const FileEntry missing = PublishObject(site_.path(), "a.txt", Content(10), false);
  const Status status = Run({faults_.url("")}, {missing});
  EXPECT_EQ(status.kind, StatusKind::Network);
  EXPECT_EQ(faults_.requests().size(), 3u);
  EXPECT_TRUE(placed_.empty());
  EXPECT_TRUE(std::filesystem::exists(DownloadArea(game_.path())));
}

TEST_F(RunSyncTest, PreparationRunsOnceBeforeTheFirstGameFileIsReplacedAndOnlyThen) {
  std::vector<FileEntry> planned;
  for (int i = 0; i < 10; ++i) {
    planned.push_back(PublishObject(site_.path(), "f" + std::to_string(i), Content(20000 + i), false));
  }
  std::atomic<int> calls{0};
  std::atomic<bool> nothing_placed_before{true};
  const BeforeFirstPlacement prepare = [&] {
    ++calls;
    for (const FileEntry& entry : planned) {
      if (std::filesystem::exists(game_ / entry.path)) nothing_placed_before = false;
    }
    return OkStatus();
  };
  ASSERT_TRUE(Run({nginx_.url("")}, planned, prepare).ok());
  EXPECT_EQ(calls.load(), 1);
  EXPECT_TRUE(nothing_placed_before.load());
  EXPECT_EQ(placed_.size(), planned.size());

  const FileEntry missing = PublishObject(site_.path(), "missing.txt", Content(10), false);
  EXPECT_EQ(Run({faults_.url("")}, {missing}, prepare).kind, StatusKind::Network);
  EXPECT_EQ(calls.load(), 1) << "a sync that never gets to replace a file never prepares for it";
}

TEST_F(RunSyncTest, FailedPreparationEndsTheSyncWithNothingReplaced) {
  WriteFile(game_ / "a.txt", "old");
  const std::vector<FileEntry> planned{PublishObject(site_.path(), "a.txt", "new", false),
                                       PublishObject(site_.path(), "b.txt", Content(5000), false)};
  const Status status = Run({nginx_.url("")}, planned,
                            [] { return MakeStatus(StatusKind::DiskFull, "write state.json.tmp (error 112)"); });
  EXPECT_EQ(status.kind, StatusKind::DiskFull);
  EXPECT_EQ(status.message, "write state.json.tmp (error 112)");
  EXPECT_EQ(ReadFile(game_ / "a.txt"), "old");
  EXPECT_FALSE(std::filesystem::exists(game_ / "b.txt"));
  EXPECT_TRUE(placed_.empty());
}

TEST_F(RunSyncTest, ADownloadAreaThatCannotBeCreatedIsAnIoFailure) {
  WriteFile(game_ / ".dklauncher", "a file where the folder belongs");
  const Status status = Run({nginx_.url("")}, {PublishObject(site_.path(), "a.txt", "a", false)});
  EXPECT_EQ(status.kind, StatusKind::Io);
  EXPECT_EQ(status.message, "create " + WideToUtf8(DownloadArea(game_.path()).wstring()));
  EXPECT_TRUE(nginx_.requests().empty());
}

}  // namespace
}  // namespace dkl
