#include "text/split_text.h"

#include "text/gbk_scan.h"

namespace quill {

std::vector<std::string_view> SplitTextViews(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> pieces;
  if (text.empty()) return pieces;
  if (separator.empty()) {
    pieces.push_back(text);
    return pieces;
  }
  const char first = separator.front();
  std::size_t piece_start = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (text[pos] == first && text.compare(pos, separator.size(), separator) == 0) {
      pieces.push_back(text.substr(piece_start, pos - piece_start));
      pos += separator.size();
      piece_start = pos;
    } else {
      pos += GbkCharLength(text, pos);
    }
  }
  if (piece_start < text.size()) pieces.push_back(text.substr(piece_start));
  return pieces;
}

std::vector<std::string> SplitText(std::string_view text, std::string_view separator) {
  const std::vector<std::string_view> views = SplitTextViews(text, separator);
  return std::vector<std::string>(views.begin(), views.end());
}

}  // namespace quill
