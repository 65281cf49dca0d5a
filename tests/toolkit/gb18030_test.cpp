#include "toolkit/gb18030.h"

#include <string>

#include <gtest/gtest.h>

namespace quill {
namespace {

struct Case {
  const char* name;
  std::string bytes;
  QString text;
};

class Gb18030Test : public ::testing::TestWithParam<Case> {};

TEST_P(Gb18030Test, DecodesAndEncodesBothWays) {
  const Case& c = GetParam();
  EXPECT_EQ(FromGb18030(c.bytes), c.text);
  EXPECT_EQ(ToGb18030(c.text), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Gb18030Test,
    ::testing::Values(
        Case{"empty", "", QString()},
        Case{"ascii", "K001", u"K001"_qs},
        Case{"gbk", "\xB2\xE2\xCA\xD4\xC9\xCC\xC6\xB7", u"测试商品"_qs},  // 测试商品
        Case{"yuan_suffix", "25 \xD4\xAA", u"25 元"_qs},                  // 25 元
        Case{"full_width_space", "\xA1\xA1", u"\u3000"_qs},
        Case{"euro_outside_gbk_two_byte", "\xA2\xE3", u"€"_qs},
        // The first code point of each four-byte range: outside GBK, still round-trips.
        Case{"bmp_four_byte", "\x81\x30\x81\x30", u"\u0080"_qs},
        Case{"supplementary_four_byte", "\x90\x30\x81\x30", QString::fromUcs4(U"\U00010000")}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(Gb18030, NothingBecomesAQuestionMark) {
  const QString mixed = u"价格 ü 𠀀 ☃ 元"_qs;
  const std::string bytes = ToGb18030(mixed);
  EXPECT_EQ(bytes.find('?'), std::string::npos);
  EXPECT_EQ(FromGb18030(bytes), mixed);
}

TEST(Gb18030, BrokenTrailingByteDoesNotSwallowText) {
  // A lead byte at the very end has no partner; the text before it survives.
  const QString text = FromGb18030("AB\xB2");
  EXPECT_TRUE(text.startsWith(u"AB"_qs));
  EXPECT_GE(text.size(), 3);
}

}  // namespace
}  // namespace quill
