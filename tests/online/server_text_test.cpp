#include "online/server_text.h"

#include <gtest/gtest.h>

#include "support/row_name.h"

namespace quill {
namespace {

struct ZeroCase {
  const char* name;
  QByteArray body;
  QByteArray text;
};

class TextUpToZeroTest : public ::testing::TestWithParam<ZeroCase> {};

TEST_P(TextUpToZeroTest, EndsAtTheFirstZeroByte) {
  EXPECT_EQ(TextUpToZero(GetParam().body), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Bodies, TextUpToZeroTest,
                         ::testing::Values(ZeroCase{"empty", "", ""},
                                           ZeroCase{"no zero", "123", "123"},
                                           ZeroCase{"zero after", QByteArray("123\0abc", 7), "123"},
                                           ZeroCase{"zero first",
                                                    QByteArray("\0"
                                                               "123",
                                                               4),
                                                    ""},
                                           ZeroCase{"line break kept", "123\r\n", "123\r\n"}),
                         [](const auto& info) { return quill::test::RowName(info); });

struct ConversionCase {
  const char* name;
  QByteArray utf8;
  std::string gb18030;
};

class Utf8ToGb18030Test : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(Utf8ToGb18030Test, ConvertsOrGivesEmpty) {
  EXPECT_EQ(Utf8ToGb18030(GetParam().utf8), GetParam().gb18030);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Utf8ToGb18030Test,
    ::testing::Values(
        ConversionCase{"empty", "", ""}, ConversionCase{"ascii", "0", "0"},
        ConversionCase{"ascii with line break", "0\r\n", "0\r\n"},
        ConversionCase{"chinese", "\xE6\x96\xB0\xE7\x89\x88", "\xD0\xC2\xB0\xE6"},  // 新版
        ConversionCase{"outside gbk", "\xF0\x9F\x98\x80", "\x94\x39\xFC\x36"},      // U+1F600
        ConversionCase{"byte-order mark dropped",
                       "\xEF\xBB\xBF"
                       "0",
                       "0"},
        ConversionCase{"stops at zero", QByteArray("0\0tail", 6), "0"},
        ConversionCase{"invalid lead byte",
                       "\xFF"
                       "0",
                       ""},
        ConversionCase{"invalid at the end", "0\xC3", ""},
        ConversionCase{"overlong encoding", "\xC0\xB0", ""},
        ConversionCase{"gbk bytes are not utf-8", "\xD0\xC2\xB0\xE6", ""},
        ConversionCase{"encoded surrogate", "\xED\xA0\x80", ""}),
    [](const auto& info) { return quill::test::RowName(info); });

}  // namespace
}  // namespace quill
