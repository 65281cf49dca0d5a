#include "text/full_width_folding.h"

#include "text/gbk_scan.h"

namespace quill {

std::string FoldFullWidth(std::string_view gbk) {
  std::string folded;
  folded.reserve(gbk.size());
  for (std::size_t pos = 0; pos < gbk.size();) {
    const std::size_t length = GbkCharLength(gbk, pos);
    if (length == 1) {
      folded.push_back(gbk[pos]);
      pos += 1;
      continue;
    }
    const auto lead = static_cast<unsigned char>(gbk[pos]);
    const auto trail = static_cast<unsigned char>(gbk[pos + 1]);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      folded.push_back(static_cast<char>(trail - 0x80));
    } else if (lead == 0xA1 && trail == 0xA1) {
      folded.push_back(' ');
    } else if (lead == 0xA1 && trail == 0xAB) {
      folded.push_back('~');
    } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
      folded.push_back('*');
    } else {
      folded.append(gbk.substr(pos, 2));
    }
    pos += 2;
  }
  return folded;
}

}  // namespace quill
