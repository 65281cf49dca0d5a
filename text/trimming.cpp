#include "text/trimming.h"

#include "text/gbk_scan.h"

namespace quill {
namespace {

bool IsSpaceAt(std::string_view text, std::size_t pos, std::size_t length) {
  if (length == 1) return text[pos] == ' ';
  return text[pos] == '\xA1' && text[pos + 1] == '\xA1';  // full-width space
}

}  // namespace

std::string TrimSpaces(std::string_view gbk) {
  // Scanned forwards: GBK cannot be walked backwards safely, a trail byte may look like a
  // lead byte or like ASCII.
  std::size_t begin = gbk.size();
  std::size_t end = 0;
  for (std::size_t pos = 0; pos < gbk.size();) {
    const std::size_t length = GbkCharLength(gbk, pos);
    if (!IsSpaceAt(gbk, pos, length)) {
      if (begin == gbk.size()) begin = pos;
      end = pos + length;
    }
    pos += length;
  }
  if (begin >= end) return {};
  return std::string(gbk.substr(begin, end - begin));
}

std::string NormaliseKeyword(std::string_view gbk) {
  std::string upper(gbk);
  for (std::size_t pos = 0; pos < upper.size();) {
    const std::size_t length = GbkCharLength(upper, pos);
    if (length == 1 && upper[pos] >= 'a' && upper[pos] <= 'z') {
      upper[pos] = static_cast<char>(upper[pos] - 'a' + 'A');
    }
    pos += length;
  }
  return TrimSpaces(upper);
}

}  // namespace quill
