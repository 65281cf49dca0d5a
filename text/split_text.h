#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quill {

// Splits a GBK text at a separator that is only ever matched at a character boundary
// (a byte of 0x80 or above starts a two-byte character taken as a whole).
// An empty text gives no pieces; an empty separator gives the whole text; a trailing empty
// piece is dropped ("a;b;" → a, b), inner and leading empty pieces are kept.
std::vector<std::string> SplitText(std::string_view text, std::string_view separator);

// The same pieces as views into `text`, for readers of large texts that copy only what they
// keep.
std::vector<std::string_view> SplitTextViews(std::string_view text, std::string_view separator);

}  // namespace quill
