#pragma once

#include <string>
#include <string_view>

namespace quill {

// Full-width GBK characters become their ASCII counterparts before a number is read:
// A3A1–A3FE become 0x21–0x7E, A1A1 a space, A1AB "~", A1EE and A1EF "*".
// Every other byte sequence is copied unchanged; two-byte characters are never split.
std::string FoldFullWidth(std::string_view gbk);

}  // namespace quill
