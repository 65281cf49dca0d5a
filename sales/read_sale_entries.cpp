#include "sales/read_sale_entries.h"

#include <string>

#include "sales/day_file_system.h"
#include "text/split_text.h"

namespace quill {

std::vector<SaleEntry> ParseSaleEntries(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  const std::vector<std::string_view> lines = SplitTextViews(text, kSaleLineEnd);
  std::vector<SaleEntry> entries;
  entries.reserve(lines.size());
  std::vector<std::string_view> pieces;
  for (const std::string_view line : lines) {
    pieces = SplitTextViews(line, kSaleFieldEnd);
    if (pieces.empty()) continue;
    pieces.resize(5);
    entries.push_back(SaleEntry{std::string(pieces[0]), std::string(pieces[1]),
                                std::string(pieces[2]), std::string(pieces[3]),
                                std::string(pieces[4])});
  }
  return entries;
}

SaleEntriesRead ReadSaleEntriesChecked(const std::filesystem::path& path) {
  SaleEntriesRead result;
  std::string bytes;
  result.error = ReadWholeFile(DefaultDayFileSystem(), path.string(), bytes);
  if (result.error == std::errc::no_such_file_or_directory) result.error.clear();
  if (!result.error) result.entries = ParseSaleEntries(bytes);
  return result;
}

std::vector<SaleEntry> ReadSaleEntries(const std::filesystem::path& path) {
  return ReadSaleEntriesChecked(path).entries;
}

}  // namespace quill
