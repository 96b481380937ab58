#include "update/base64.h"

#include <gtest/gtest.h>

namespace dkl {
namespace {

std::string Decoded(std::string_view text) { return std::string(AsText(DecodeBase64(text))); }

TEST(DecodeBase64, AcceptedForms) {
  const std::pair<const char*, const char*> cases[] = {
      {"", ""},
      {"TWFu", "Man"},
      {"TWE=", "Ma"},
      {"TQ==", "M"},
      {"aGVsbG8gd29ybGQ=", "hello world"},
      {"TWFu\n", "Man"},          // trailing line break, as encoders write it
      {"TWFu\r\n\t ", "Man"},     // any trailing tab, CR, LF and space
      {" \tTWFu", "Man"},         // leading space and tab
      {"+/+/", "\xfb\xff\xbf"},
      {"TR==", "M"},              // the discarded low bits of a padded group are not checked
      {"  \n", ""},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(Decoded(text), expected) << text;
}

TEST(DecodeBase64, RefusedForms) {
  const char* cases[] = {
      "TWF",        // not a multiple of four
      "TWFuTWFu\nTWFu",  // broken into lines
      "\nTWFu",     // a leading line break is not dropped
      "TW\rFu",
      "TWF u",
      "-_-_",       // URL-safe alphabet
      "TWF_",
      "T===",       // '=' in the second position
      "=TWF",
      "TW=u",       // data after '='
      "TQ==TWFu",   // padding before the last group
      "TWE=\x01",
      "TW\xc3\xa9",
  };
  for (const char* text : cases) EXPECT_TRUE(DecodeBase64(text).empty()) << text;
}

TEST(EncodeBase64, RoundTripsEveryTailLength) {
  std::string bytes;
  for (int length = 0; length < 70; ++length) {
    EXPECT_EQ(Decoded(EncodeBase64(AsBytes(bytes))), bytes) << length;
    bytes.push_back(static_cast<char>(length * 37));
  }
  EXPECT_EQ(EncodeBase64(AsBytes("Ma")), "TWE=");
  EXPECT_EQ(EncodeBase64(AsBytes("M")), "TQ==");
}

}  // namespace
}  // namespace dkl
