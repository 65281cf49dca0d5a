#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "sales/sale_entry.h"

namespace quill {

// The entries of a day's text, in order. Empty lines give none; a line with fewer than five
// fields leaves the rest empty, fields after the fifth are ignored; the text ends at the first
// zero byte.
std::vector<SaleEntry> ParseSaleEntries(std::string_view text);

struct SaleEntriesRead {
  std::vector<SaleEntry> entries;
  std::error_code error;  // set when the file exists but could not be read
};

// A missing file is a day without sales, not an error.
SaleEntriesRead ReadSaleEntriesChecked(const std::filesystem::path& path);

// As above, with an unreadable file read as a day without sales.
std::vector<SaleEntry> ReadSaleEntries(const std::filesystem::path& path);

}  // namespace quill
