#pragma once

#include <cstddef>
#include <string_view>

namespace quill {

// Length in bytes of the GBK character that starts at `pos`: a byte of 0x80 or above starts
// a two-byte character (the pair is kept even for the four-byte GB18030 forms, whose halves
// also pair up this way); a lead byte at the very end stands alone.
inline std::size_t GbkCharLength(std::string_view text, std::size_t pos) {
  return static_cast<unsigned char>(text[pos]) >= 0x80 && pos + 1 < text.size() ? 2 : 1;
}

}  // namespace quill
