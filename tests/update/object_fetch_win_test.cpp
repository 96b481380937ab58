// Objects from mirrors to proved finished files, against nginx and the fault server.
#include "update/object_fetch_win.h"

#include <gtest/gtest.h>

#include "support/fault_server_win.h"
#include "support/loopback_win.h"
#include "support/nginx_server_win.h"
#include "support/published_objects.h"
#include "support/temp_dir.h"
#include "update/object_names.h"
#include "update/unpack_part_win.h"

namespace dkl {
namespace {

using testing::Content;
using testing::FaultResponse;
using testing::FaultServer;
using testing::GzipWithNameAndHeaderCrc;
using testing::HexOf;
using testing::NginxServer;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

class ObjectFetchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(nginx_.ok()) << nginx_.log();
    ASSERT_TRUE(faults_.ok());
  }

  FileEntry Publish(const std::string& path, const std::string& content, bool gz) {
    return testing::PublishObject(site_.path(), path, content, gz);
  }

  Status Fetch(const std::vector<std::string>& mirrors, const FileEntry& entry) {
    MirrorRanking ranking(mirrors);
    return Fetch(ranking, entry);
  }

  Status Fetch(MirrorRanking& ranking, const FileEntry& entry, const AttemptPause& between = {}) {
    return FetchObject(session_, ranking, entry, area_.path(), progress_, finished_,
                       [&](std::chrono::milliseconds pause) {
                         pauses_.push_back(pause.count());
                         if (between) between(pause);
                       });
  }

  std::size_t ObjectRequests(const std::vector<testing::SeenRequest>& requests, const FileEntry& entry) {
    std::size_t count = 0;
    for (const testing::SeenRequest& request : requests) count += request.path == ObjectUrl("", entry.sha256, false);
    return count;
  }

  TempDir site_;
  TempDir area_;
  NginxServer nginx_{site_.path()};
  FaultServer faults_;
  HttpSession session_ = OpenHttpSession(MakeUserAgent());
  UpdateProgress progress_;
  std::filesystem::path finished_;
  std::vector<long long> pauses_;
};

TEST_F(ObjectFetchTest, PlainAndGzipObjectsArriveProved) {
  const std::string content = Content(3 * 1048576 + 5);
  for (const bool gz : {false, true}) {
    progress_.bytes_done = 0;
    const FileEntry entry = Publish(gz ? "data/packed.dat" : "data/plain.dat", content, gz);
    const Status status = Fetch({nginx_.url("")}, entry);
    ASSERT_TRUE(status.ok()) << status.message;
    EXPECT_EQ(finished_, area_ / (entry.sha256 + (gz ? ".gz.ok" : ".ok")));
    EXPECT_TRUE(ReadFile(finished_) == content);
    EXPECT_FALSE(std::filesystem::exists(area_ / PartFileName(entry)));
    EXPECT_EQ(progress_.bytes_done.load(), DownloadLength(entry));
    EXPECT_TRUE(pauses_.empty());
  }
}

TEST_F(ObjectFetchTest, CompletePartFromAnEarlierRunIsUnpackedWithoutARequest) {
  const std::string content = Content(5000);
  const FileEntry entry{"a.txt", HexOf(content), content.size(), std::nullopt};
  WriteFile(area_ / PartFileName(entry), content);
  ASSERT_TRUE(Fetch({faults_.url("")}, entry).ok());
  EXPECT_TRUE(faults_.requests().empty());
  EXPECT_EQ(ReadFile(finished_), content);
}

TEST_F(ObjectFetchTest, EmptyEntryBecomesAnEmptyFinishedFileWithoutARequest) {
  const FileEntry entry{"empty.cfg", HexOf(""), 0, std::nullopt};
  ASSERT_TRUE(Fetch({faults_.url("")}, entry).ok());
  EXPECT_TRUE(std::filesystem::exists(finished_));
  EXPECT_EQ(std::filesystem::file_size(finished_), 0u);
  EXPECT_TRUE(faults_.requests().empty());
}

TEST_F(ObjectFetchTest, OneDamagedMirrorIsTriedThreeTimesWithGrowingPauses) {
  const std::string content = Content(4000);
  const FileEntry entry{"bin/Game.exe", HexOf(content), content.size(), std::nullopt};
  faults_.Route(ObjectUrl("", entry.sha256, false), FaultResponse{.body = Content(3999) + "!"});
  const Status status = Fetch({faults_.url("")}, entry);
  EXPECT_EQ(status.kind, StatusKind::Corrupt);
  EXPECT_EQ(status.message, "bin/Game.exe");
  EXPECT_EQ(faults_.requests().size(), 3u);
  EXPECT_EQ(pauses_, (std::vector<long long>{400, 800}));
  EXPECT_FALSE(std::filesystem::exists(area_ / FinishedFileName(entry)));
}

TEST_F(ObjectFetchTest, UnreachableFirstMirrorGivesWayToTheSecond) {
  const FileEntry entry = Publish("data/b.dat", Content(700000), false);
  const std::string down = "http://127.0.0.1:" + std::to_string(testing::FreeLoopbackPort());
  const Status status = Fetch({down, nginx_.url("")}, entry);
  ASSERT_TRUE(status.ok()) << status.message;
  EXPECT_EQ(pauses_, std::vector<long long>{400});
  EXPECT_EQ(progress_.bytes_done.load(), entry.size);
}

TEST_F(ObjectFetchTest, DownloadCutOffHalfWayResumesOnTheNextMirror) {
  const std::string content = Content(800000);
  const FileEntry entry = Publish("data/c.dat", content, false);
  faults_.Route(ObjectUrl("", entry.sha256, false), FaultResponse{.body = content, .cut_after = 400000});
  const Status status = Fetch({faults_.url(""), nginx_.url("")}, entry);
  ASSERT_TRUE(status.ok()) << status.message;
  EXPECT_EQ(progress_.bytes_done.load(), entry.size) << "the cut attempt's half is counted once";
  EXPECT_EQ(ReadFile(finished_), content);
}

// A mirror that served a good manifest but breaks objects, first in the ranking as the serving one
// is: the object still arrives, and the mirror goes last for every later object of the run.
TEST_F(ObjectFetchTest, MirrorWhoseBytesFailAProofGoesLastAndIsNeverResumed) {
  const std::string content = Content(800000);
  const std::string garbage = Content(900000).substr(100000);
  const struct {
    const char* name;
    FaultResponse broken;
    std::size_t requests_to_good;
  } cases[] = {
      {"half an object of garbage, then closed", {.body = garbage, .cut_after = 400000}, 2},
      {"a whole object of garbage", {.body = garbage}, 1},
      {"garbage longer than the object", {.body = garbage + "!"}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const FileEntry entry = Publish(std::string("data/") + c.name, content, false);
    const FileEntry later = Publish(std::string("data/later ") + c.name, Content(300000), false);
    FaultServer broken;
    ASSERT_TRUE(broken.ok());
    broken.Route(ObjectUrl("", entry.sha256, false), c.broken);
    const std::size_t good_before = nginx_.requests().size();
    pauses_.clear();
    progress_.bytes_done = 0;

    MirrorRanking ranking({broken.url(""), nginx_.url("")});
    const Status status = Fetch(ranking, entry);
    ASSERT_TRUE(status.ok()) << status.message;
    EXPECT_TRUE(ReadFile(finished_) == content);
    EXPECT_EQ(progress_.bytes_done.load(), entry.size);
    EXPECT_EQ(ObjectRequests(broken.requests(), entry), 1u);
    const std::vector<testing::SeenRequest> good = nginx_.requests();
    ASSERT_EQ(good.size() - good_before, c.requests_to_good);
    EXPECT_EQ(good.back().range, "") << "the good mirror's whole object, not the garbage resumed";
    EXPECT_EQ(ranking.Order(), (std::vector<std::string>{nginx_.url(""), broken.url("")}));

    pauses_.clear();
    ASSERT_TRUE(Fetch(ranking, later).ok());
    EXPECT_EQ(broken.requests().size(), 1u) << "a distrusted mirror is asked last";
    EXPECT_TRUE(pauses_.empty());
  }
}

TEST_F(ObjectFetchTest, PartWrittenByAMirrorDistrustedMeanwhileStartsOver) {
  const std::string content = Content(800000);
  const FileEntry entry = Publish("data/d.dat", content, false);
  FaultServer cut;
  ASSERT_TRUE(cut.ok());
  cut.Route(ObjectUrl("", entry.sha256, false), FaultResponse{.body = content, .cut_after = 400000});
  MirrorRanking ranking({cut.url(""), nginx_.url("")});
  // Another worker proves the first mirror wrong while this one waits for its retry.
  const Status status = Fetch(ranking, entry, [&](std::chrono::milliseconds) { ranking.Distrust(cut.url("")); });
  ASSERT_TRUE(status.ok()) << status.message;
  ASSERT_EQ(nginx_.requests().size(), 1u);
  EXPECT_EQ(nginx_.requests()[0].range, "");
  EXPECT_EQ(progress_.bytes_done.load(), entry.size);
}

TEST_F(ObjectFetchTest, EmptyMirrorList) {
  const Status status = Fetch({}, FileEntry{"x", HexOf("x"), 1, std::nullopt});
  EXPECT_EQ(status.kind, StatusKind::Network);
  EXPECT_EQ(status.message, "no mirror");
}

class UnpackPartTest : public ::testing::Test {
 protected:
  Status Unpack(const std::string& part_bytes, const FileEntry& entry) {
    WriteFile(part_, part_bytes);
    return UnpackPart(part_, entry, finished_);
  }

  TempDir area_;
  std::filesystem::path part_ = area_ / "object.part";
  std::filesystem::path finished_ = area_ / "object.ok";
};

TEST_F(UnpackPartTest, ContentThatInflatesPastTheSizeIsRefusedWithThePath) {
  const std::string content = Content(3 * 1048576);
  const std::string gzip = GzipWithNameAndHeaderCrc(content);
  const FileEntry entry{"maps/world.bin", HexOf(content.substr(0, 2000000)), 2000000, gzip.size()};
  const Status status = Unpack(gzip, entry);
  EXPECT_EQ(status.kind, StatusKind::Corrupt);
  EXPECT_EQ(status.message, "maps/world.bin");
  EXPECT_FALSE(std::filesystem::exists(finished_));
  EXPECT_FALSE(std::filesystem::exists(part_));
}

TEST_F(UnpackPartTest, PlainObjectReplacesAStaleFinishedFileAndLeavesNoPart) {
  const std::string content = Content(3 * 1048576 + 5);
  WriteFile(finished_, "left by an interrupted run");
  const Status status = Unpack(content, FileEntry{"data/big.pak", HexOf(content), content.size(), std::nullopt});
  ASSERT_TRUE(status.ok()) << status.message;
  EXPECT_TRUE(ReadFile(finished_) == content);
  EXPECT_FALSE(std::filesystem::exists(part_));
}

TEST_F(UnpackPartTest, DamagedObjectsAreRefusedAndLeaveNothing) {
  const std::string content = Content(100000);
  const std::string gzip = GzipWithNameAndHeaderCrc(content);
  std::string cut = gzip.substr(0, gzip.size() / 2) + std::string(8, '\0');
  std::string garbled = gzip;
  garbled[40] = static_cast<char>(garbled[40] ^ 0xff);
  const struct {
    const char* name;
    std::string part;
    FileEntry entry;
    const char* message;
  } cases[] = {
      {"not gzip", "plain text, no header at all", {"p", HexOf(content), content.size(), 28}, "p: gzip header"},
      {"deflate cut short", cut, {"p", HexOf(content), content.size(), cut.size()}, "p: inflate"},
      {"longer than expected", gzip, {"p", HexOf(content), content.size(), gzip.size() - 1}, "p: unreadable part"},
      {"wrong hash", content, {"p", HexOf("other"), content.size(), std::nullopt}, "p"},
      {"wrong size", content, {"p", HexOf(content), content.size() + 1, std::nullopt}, "p"},
  };
  for (const auto& c : cases) {
    const Status status = Unpack(c.part, c.entry);
    EXPECT_EQ(status.kind, StatusKind::Corrupt) << c.name;
    EXPECT_EQ(status.message, c.message) << c.name;
    EXPECT_FALSE(std::filesystem::exists(finished_)) << c.name;
    EXPECT_FALSE(std::filesystem::exists(part_)) << c.name;
  }
  const Status garbled_status = Unpack(garbled, FileEntry{"p", HexOf(content), content.size(), garbled.size()});
  EXPECT_EQ(garbled_status.kind, StatusKind::Corrupt);
}

}  // namespace
}  // namespace dkl
