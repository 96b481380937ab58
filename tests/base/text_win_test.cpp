#include "base/text_win.h"

#include <gtest/gtest.h>

namespace dkl {
namespace {

TEST(TextConversion, EmptyStaysEmpty) {
  EXPECT_EQ(Utf8ToWide(""), L"");
  EXPECT_EQ(WideToUtf8(L""), "");
}

TEST(TextConversion, RoundTripsNonAscii) {
  const std::string utf8 = "Duskhaven Crown \xc3\xb1 \xe2\x82\xac \xf0\x9f\x97\xa1";  // ñ € and a dagger
  const std::wstring wide = Utf8ToWide(utf8);
  EXPECT_EQ(wide, L"Duskhaven Crown \u00f1 \u20ac \U0001F5E1");
  EXPECT_EQ(WideToUtf8(wide), utf8);
}

TEST(TextConversion, InvalidInputBecomesReplacementCharacter) {
  EXPECT_EQ(Utf8ToWide("a\xff" "b"), L"a\uFFFDb");
  const wchar_t unpaired[] = {L'a', static_cast<wchar_t>(0xD800), L'b', 0};
  EXPECT_EQ(WideToUtf8(unpaired), "a\xef\xbf\xbd" "b");
}

TEST(TextConversion, EmbeddedNulIsKept) {
  EXPECT_EQ(Utf8ToWide(std::string_view("a\0b", 3)), std::wstring(L"a\0b", 3));
}

}  // namespace
}  // namespace dkl
