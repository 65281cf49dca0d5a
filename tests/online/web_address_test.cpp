#include "online/web_address.h"

#include <gtest/gtest.h>

#include "support/row_name.h"

namespace quill {
namespace {

struct AddressCase {
  const char* name;
  const char* base;
  const char* path;
  const char* expected;
};

class ServerUrlTest : public ::testing::TestWithParam<AddressCase> {};

TEST_P(ServerUrlTest, JoinsBaseAndPath) {
  const AddressCase& c = GetParam();
  EXPECT_EQ(ServerUrl(QString::fromUtf8(c.base), QString::fromUtf8(c.path)).toString(),
            QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ServerUrlTest,
    ::testing::Values(
        AddressCase{"plain", "http://h.example", "/soft/lianwang.txt",
                    "http://h.example/soft/lianwang.txt"},
        AddressCase{"port", "http://127.0.0.1:8080", "/soft/quillbin10/1.0.txt",
                    "http://127.0.0.1:8080/soft/quillbin10/1.0.txt"},
        AddressCase{"backslashes", "http://h.example", "/soft\\quillbin10\\guanggao.gif",
                    "http://h.example/soft/quillbin10/guanggao.gif"},
        AddressCase{"base with slash", "http://h.example/", "/gbook/", "http://h.example/gbook/"},
        AddressCase{"base with folder", "http://h.example/mirror", "/html/soft/94.html",
                    "http://h.example/mirror/html/soft/94.html"},
        AddressCase{"query", "http://h.example", "/?QUILLBIN1.0", "http://h.example/?QUILLBIN1.0"},
        AddressCase{"round brackets", "http://h.example", "/soft/quillbin10/1.0-1.1.exe",
                    "http://h.example/soft/quillbin10/1.0-1.1.exe"}),
    [](const auto& info) { return quill::test::RowName(info); });

struct LinkCase {
  const char* name;
  const char* text;
  bool opens;
};

class WebAddressTest : public ::testing::TestWithParam<LinkCase> {};

TEST_P(WebAddressTest, OnlyHttpAndHttpsWithAHostOpen) {
  EXPECT_EQ(IsWebAddress(QString::fromUtf8(GetParam().text)), GetParam().opens);
}

INSTANTIATE_TEST_SUITE_P(
    Links, WebAddressTest,
    ::testing::Values(LinkCase{"http", "http://www.example.com/ad.html", true},
                      LinkCase{"https", "https://example.com/", true},
                      LinkCase{"upper-case scheme", "HTTP://EXAMPLE.COM/x", true},
                      LinkCase{"with port and query", "http://127.0.0.1:8080/?a=1&b=2", true},
                      LinkCase{"trailing line break", "http://example.com/\r\n", true},
                      LinkCase{"surrounding spaces", "  http://example.com/  ", true},
                      LinkCase{"empty", "", false}, LinkCase{"only spaces", "   ", false},
                      LinkCase{"windows program", "C:\\Windows\\System32\\calc.exe", false},
                      LinkCase{"unix program", "/usr/bin/xterm", false},
                      LinkCase{"relative file", "erp(1).exe", false},
                      LinkCase{"file scheme", "file:///etc/passwd", false},
                      LinkCase{"ftp", "ftp://example.com/x", false},
                      LinkCase{"javascript", "javascript:alert(1)", false},
                      LinkCase{"mailto", "mailto:a@example.com", false},
                      LinkCase{"custom handler", "ms-settings:network", false},
                      LinkCase{"no host", "http:///etc/passwd", false},
                      LinkCase{"scheme only", "http:", false},
                      LinkCase{"no scheme", "www.example.com", false},
                      LinkCase{"space inside", "http://example.com/a b", false},
                      LinkCase{"line break inside", "http://example.com/\nfile:///etc/passwd",
                               false},
                      LinkCase{"look-alike scheme", "httpx://example.com", false},
                      LinkCase{"scheme after spaces inside", "http ://example.com", false}),
    [](const auto& info) { return quill::test::RowName(info); });

}  // namespace
}  // namespace quill
