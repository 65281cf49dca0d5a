#include "text/split_text.h"

#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quill {
namespace {

using Pieces = std::vector<std::string>;

struct SplitCase {
  const char* name;
  std::string text;
  std::string separator;
  Pieces expected;
};

void PrintTo(const SplitCase& row, std::ostream* out) { *out << row.name; }

class SplitTextTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTextTest, Splits) {
  EXPECT_EQ(SplitText(GetParam().text, GetParam().separator), GetParam().expected);
}

TEST_P(SplitTextTest, ViewsGiveTheSamePiecesInsideTheText) {
  const std::string& text = GetParam().text;
  const std::vector<std::string_view> views = SplitTextViews(text, GetParam().separator);
  EXPECT_EQ(Pieces(views.begin(), views.end()), GetParam().expected);
  for (const std::string_view view : views) {
    EXPECT_TRUE(view.data() >= text.data() &&
                view.data() + view.size() <= text.data() + text.size());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitTextTest,
    ::testing::Values(
        SplitCase{"EmptyTextGivesNothing", "", ";", {}},
        SplitCase{"EmptySeparatorGivesWhole", "a;b", "", {"a;b"}},
        SplitCase{"TrailingEmptyDropped", "a;b;", ";", {"a", "b"}},
        SplitCase{"LeadingEmptyKept", ";b", ";", {"", "b"}},
        SplitCase{"InnerEmptyKept", "a;;b", ";", {"a", "", "b"}},
        SplitCase{"SeparatorOnly", ";", ";", {""}}, SplitCase{"NoSeparator", "abc", ";", {"abc"}},
        SplitCase{"MultiByteSeparator", "xqwerdesfdyqwerdesfd", "qwerdesfd", {"x", "y"}},
        SplitCase{"CrLf", "a\r\n\r\nb\r\n", "\r\n", {"a", "", "b"}},
        SplitCase{"LastLineWithoutCrLf", "a\r\nb", "\r\n", {"a", "b"}},
        // 亐 is 81 61 and 丂 is 81 40: their trail bytes look like "a" and "@".
        SplitCase{"TrailByteIsNotSeparator",
                  "\x81\x61"
                  "b"
                  "\x81\x61",
                  "a",
                  {"\x81\x61"
                   "b"
                   "\x81\x61"}},
        SplitCase{"SeparatorAfterTwoByteCharacter", "\x81\x40@x", "@", {"\x81\x40", "x"}},
        SplitCase{"SeparatorStraddlingCharacter",
                  "\x81"
                  "qwerdesfd",
                  "qwerdesfd",
                  {"\x81"
                   "qwerdesfd"}},
        SplitCase{"TwoByteSeparator",
                  "a\xA3\xBB"
                  "b",
                  "\xA3\xBB",
                  {"a", "b"}},  // ；
        SplitCase{"TwoByteSeparatorMisaligned", "\xB0\xA3\xBB", "\xA3\xBB", {"\xB0\xA3\xBB"}},
        SplitCase{"LoneLeadAtEnd", "a;\xB0", ";", {"a", "\xB0"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quill
