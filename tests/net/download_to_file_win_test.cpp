// Resumable downloads over real WinHTTP: nginx for honest Range answers, the fault server for the rest.
#include "net/download_to_file_win.h"

#include <gtest/gtest.h>

#include "support/fault_server_win.h"
#include "support/nginx_server_win.h"
#include "support/temp_dir.h"

namespace dkl {
namespace {

using testing::FaultResponse;
using testing::FaultServer;
using testing::NginxServer;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

std::string ObjectBytes(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131) ^ (i >> 8));
  return bytes;
}

class DownloadToFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(site_ / "objects" / "ab" / "object", object_);
    ASSERT_TRUE(nginx_.ok()) << nginx_.log();
    ASSERT_TRUE(faults_.ok());
  }

  Status Download(const std::string& url, std::uint64_t expected) {
    increments_.clear();
    total_ = 0;
    return DownloadToFile(session_, url, part_, expected, [this](std::uint64_t bytes) { increments_.push_back(bytes); },
                          total_);
  }

  // Compares without printing a megabyte of binary on failure.
  bool PartHolds(const std::string& expected) const {
    const std::string held = ReadFile(part_);
    if (held == expected) return true;
    ADD_FAILURE() << "part file holds " << held.size() << " bytes, expected " << expected.size();
    return false;
  }

  std::uint64_t Sum() const {
    std::uint64_t sum = 0;
    for (const std::uint64_t bytes : increments_) sum += bytes;
    return sum;
  }

  const std::string object_ = ObjectBytes(1000000);
  TempDir site_;
  TempDir work_;
  std::filesystem::path part_ = work_ / "object.part";
  NginxServer nginx_{site_.path()};
  FaultServer faults_;
  // Short timeouts so that a stall shows in a fraction of a second; the launcher's own are 30 s.
  HttpSession session_ = OpenHttpSession(MakeUserAgent(), SessionTimeouts{5000, 5000, 5000, 400});
  std::vector<std::uint64_t> increments_;
  std::uint64_t total_ = 0;
};

TEST_F(DownloadToFileTest, FreshDownloadStartsWithAZeroIncrement) {
  const Status status = Download(nginx_.url("/objects/ab/object"), object_.size());
  ASSERT_TRUE(status.ok()) << status.message;
  EXPECT_TRUE(PartHolds(object_));
  ASSERT_GE(increments_.size(), 2u);
  EXPECT_EQ(increments_.front(), 0u);
  EXPECT_EQ(Sum(), object_.size());
  EXPECT_EQ(total_, object_.size());
}

TEST_F(DownloadToFileTest, PartialFileResumesWith206) {
  WriteFile(part_, object_.substr(0, 1000));
  const Status status = Download(nginx_.url("/objects/ab/object"), object_.size());
  ASSERT_TRUE(status.ok()) << status.message;
  EXPECT_TRUE(PartHolds(object_));
  EXPECT_EQ(increments_.front(), 1000u);
  EXPECT_EQ(total_, object_.size());
}

TEST_F(DownloadToFileTest, ServerIgnoringTheRangeRewritesTheFileFromTheStart) {
  faults_.Route("/object", FaultResponse{.body = object_});
  WriteFile(part_, std::string(1000, 'x'));
  const Status status = Download(faults_.url("/object"), object_.size());
  ASSERT_TRUE(status.ok()) << status.message;
  EXPECT_TRUE(PartHolds(object_));
  EXPECT_EQ(increments_.front(), 0u);
  EXPECT_EQ(faults_.requests().at(0).range, "bytes=1000-");
}

TEST_F(DownloadToFileTest, OversizePartIsDeletedAndTheWholeObjectFetchedWithoutRange) {
  faults_.Route("/object", FaultResponse{.body = object_});
  WriteFile(part_, object_ + "extra");
  ASSERT_TRUE(Download(faults_.url("/object"), object_.size()).ok());
  EXPECT_TRUE(PartHolds(object_));
  EXPECT_EQ(faults_.requests().at(0).range, "");
}

TEST_F(DownloadToFileTest, CompletePartIsCreditedWithoutARequest) {
  WriteFile(part_, object_);
  ASSERT_TRUE(Download(faults_.url("/object"), object_.size()).ok());
  EXPECT_EQ(increments_, std::vector<std::uint64_t>{object_.size()});
  EXPECT_TRUE(faults_.requests().empty());

  std::filesystem::remove(part_);
  ASSERT_TRUE(Download(faults_.url("/empty"), 0).ok());
  EXPECT_FALSE(std::filesystem::exists(part_)) << "an empty object needs nothing on disk";
  EXPECT_TRUE(faults_.requests().empty());
}

TEST_F(DownloadToFileTest, OneByteTooLongIsCorruptAndDeletesThePart) {
  faults_.Route("/long", FaultResponse{.body = object_ + "!"});
  const Status status = Download(faults_.url("/long"), object_.size());
  EXPECT_EQ(status.kind, StatusKind::Corrupt);
  EXPECT_EQ(status.message, "longer than expected");
  EXPECT_FALSE(std::filesystem::exists(part_));
}

TEST_F(DownloadToFileTest, ShortBodyIsReportedAndTheNextCallResumes) {
  faults_.Route("/short", FaultResponse{.body = object_.substr(0, object_.size() - 100)});
  const Status status = Download(faults_.url("/short"), object_.size());
  EXPECT_EQ(status.kind, StatusKind::Network);
  EXPECT_EQ(status.message, "short read 999900/1000000");
  EXPECT_TRUE(PartHolds(object_.substr(0, 999900)));

  ASSERT_TRUE(Download(nginx_.url("/objects/ab/object"), object_.size()).ok());
  EXPECT_EQ(increments_.front(), 999900u);
  EXPECT_TRUE(PartHolds(object_));
}

TEST_F(DownloadToFileTest, StallEndsTheAttemptAndKeepsWhatArrived) {
  // One whole read chunk, so that what arrived does not depend on how the client splits its reads.
  faults_.Route("/stall", FaultResponse{.body = object_, .stall_after = 262144});
  const Status status = Download(faults_.url("/stall"), object_.size());
  EXPECT_EQ(status.kind, StatusKind::Network);
  EXPECT_EQ(status.message, "stalled");
  EXPECT_TRUE(PartHolds(object_.substr(0, 262144)));
  EXPECT_EQ(total_, 262144u);
}

TEST_F(DownloadToFileTest, RefusedAnswersLeaveThePartAlone) {
  faults_.Route("/gone", FaultResponse{.status = 404, .body = "no"});
  faults_.Route("/range", FaultResponse{.status = 416, .body = ""});
  WriteFile(part_, "keep");
  for (const auto& [path, message] : {std::pair{"/gone", "HTTP 404"}, {"/range", "HTTP 416"}}) {
    const Status status = Download(faults_.url(path), 10);
    EXPECT_EQ(status.kind, StatusKind::Network);
    EXPECT_EQ(status.message, message);
    EXPECT_EQ(ReadFile(part_), "keep");
  }
}

TEST_F(DownloadToFileTest, FolderInThePlaceOfThePartFileCannotBeOpened) {
  std::filesystem::create_directories(part_);
  const Status status = Download(nginx_.url("/objects/ab/object"), object_.size());
  EXPECT_NE(status.kind, StatusKind::Ok);
  EXPECT_EQ(status.message.rfind("open part (error ", 0), 0u) << status.message;
  EXPECT_EQ(faults_.requests().size(), 0u);
}

}  // namespace
}  // namespace dkl
