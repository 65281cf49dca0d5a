#pragma once

#include <string>
#include <string_view>

namespace quill {

// Removes every ASCII space (0x20) and every full-width space (GBK A1 A1) from both ends.
// Tabs and all other characters stay; two-byte characters are never split.
std::string TrimSpaces(std::string_view gbk);

// The search key of a text: ASCII a–z upper-cased (bytes of two-byte characters untouched),
// then TrimSpaces.
std::string NormaliseKeyword(std::string_view gbk);

}  // namespace quill
