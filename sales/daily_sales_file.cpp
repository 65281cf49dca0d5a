#include "sales/daily_sales_file.h"

#include <cstdio>

namespace quill {

std::string DailySalesFileName(const CalendarDate& date) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%d-%02d-%02d.jl", date.year, date.month, date.day);
  return buffer;
}

std::filesystem::path DailySalesFile(const std::filesystem::path& run_dir,
                                     const CalendarDate& date) {
  return run_dir / DailySalesFileName(date);
}

}  // namespace quill
