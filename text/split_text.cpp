#include "text/split_text.h"

#include "text/gbk_scan.h"

namespace quill {

std::vector<std::string> SplitText(std::string_view text, std::string_view separator) {
  std::vector<std::string> pieces;
  if (text.empty()) return pieces;
  if (separator.empty()) {
    pieces.emplace_back(text);
    return pieces;
  }
  std::size_t piece_start = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (text.compare(pos, separator.size(), separator) == 0) {
      pieces.emplace_back(text.substr(piece_start, pos - piece_start));
      pos += separator.size();
      piece_start = pos;
    } else {
      pos += GbkCharLength(text, pos);
    }
  }
  if (piece_start < text.size()) pieces.emplace_back(text.substr(piece_start));
  return pieces;
}

}  // namespace quill
