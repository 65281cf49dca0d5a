#include "text/full_width_folding.h"

#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace quill {
namespace {

struct FoldCase {
  const char* name;
  std::string text;
  std::string expected;
};

void PrintTo(const FoldCase& row, std::ostream* out) { *out << row.name; }

class FoldFullWidthTest : public ::testing::TestWithParam<FoldCase> {};

TEST_P(FoldFullWidthTest, Folds) { EXPECT_EQ(FoldFullWidth(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Cases, FoldFullWidthTest,
    ::testing::Values(FoldCase{"Empty", "", ""}, FoldCase{"AsciiUnchanged", "12.5 x", "12.5 x"},
                      FoldCase{"Digits", "\xA3\xB0\xA3\xB9", "09"},         // ０９
                      FoldCase{"PointAndMinus", "\xA3\xAD\xA3\xAE", "-."},  // －．
                      FoldCase{"FirstOfRange", "\xA3\xA1", "!"},            // ！
                      FoldCase{"LastOfRange", "\xA3\xFE", "~"},             // ￣
                      FoldCase{"IdeographicSpace", "\xA1\xA1", " "},
                      FoldCase{"Tilde", "\xA1\xAB", "~"},
                      FoldCase{"Stars", "\xA1\xEE\xA1\xEF", "**"},
                      FoldCase{"OtherSymbolsKept", "\xA1\xAC\xA1\xED", "\xA1\xAC\xA1\xED"},
                      FoldCase{"HanziKept", "\xD4\xAA", "\xD4\xAA"},  // 元
                      // The trail byte of 丂 (81 40) looks like "@" and must not be read alone.
                      FoldCase{"TrailLooksAscii", "\x81\x40\xA3\xB1",
                               "\x81\x40"
                               "1"},
                      // A3 as a trail byte is not the lead of a full-width character.
                      FoldCase{"A3AsTrailByte", "\xB0\xA3\xB1", "\xB0\xA3\xB1"},
                      FoldCase{"FourByteKept",
                               "\x81\x30\x81\x30"
                               "5",
                               "\x81\x30\x81\x30"
                               "5"},
                      FoldCase{"LoneLeadAtEnd", "7\xA3", "7\xA3"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quill
