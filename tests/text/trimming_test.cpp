#include "text/trimming.h"

#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace quill {
namespace {

struct TrimCase {
  const char* name;
  std::string text;
  std::string expected;
};

void PrintTo(const TrimCase& row, std::ostream* out) { *out << row.name; }

class TrimSpacesTest : public ::testing::TestWithParam<TrimCase> {};

TEST_P(TrimSpacesTest, Trims) { EXPECT_EQ(TrimSpaces(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Cases, TrimSpacesTest,
    ::testing::Values(TrimCase{"Empty", "", ""}, TrimCase{"OnlySpaces", "  \xA1\xA1 ", ""},
                      TrimCase{"AsciiSpaces", "  pen  ", "pen"},
                      TrimCase{"FullWidthSpaces", "\xA1\xA1\xB8\xD6\xB1\xCA\xA1\xA1",
                               "\xB8\xD6\xB1\xCA"},
                      TrimCase{"MixedSpaces", " \xA1\xA1 a b \xA1\xA1 ", "a b"},
                      TrimCase{"TabsStay", "\tpen\t", "\tpen\t"},
                      // 丂 is 81 40: neither byte may be taken for a space or trimmed apart.
                      TrimCase{"TrailByteNotSpace", "\x81\x20", "\x81\x20"},
                      // "A1 A1 A1": the last two bytes look like a full-width space but the pair
                      // that is really there is A1 A1 then a lone A1.
                      TrimCase{"MisalignedFullWidthSpace", "x\xA1\xA1\xA1", "x\xA1\xA1\xA1"},
                      TrimCase{"CharacterEndingInA1", "\xB0\xA1\xA1\xA1", "\xB0\xA1"}),  // 啊　
    [](const auto& info) { return std::string(info.param.name); });

TEST(NormaliseKeyword, UpperCasesAsciiAndTrims) {
  EXPECT_EQ(NormaliseKeyword("  g100 "), "G100");
  EXPECT_EQ(NormaliseKeyword("\xA1\xA1"
                             "abcXYZ"
                             "\xA1\xA1"),
            "ABCXYZ");
  // The trail byte of 亐 (81 61) looks like "a" and stays.
  EXPECT_EQ(NormaliseKeyword("\x81\x61"
                             "a"),
            "\x81\x61"
            "A");
  EXPECT_EQ(NormaliseKeyword(""), "");
}

}  // namespace
}  // namespace quill
