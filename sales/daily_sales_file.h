#pragma once

#include <filesystem>
#include <string>

namespace quill {

// A local calendar date, read once from the clock by the caller.
struct CalendarDate {
  int year = 0;
  int month = 0;  // 1–12
  int day = 0;    // 1–31
};

// "2016-03-05.jl": year in plain decimal, month and day with two digits, so names sort in
// date order.
std::string DailySalesFileName(const CalendarDate& date);

// The day's file in the run directory.
std::filesystem::path DailySalesFile(const std::filesystem::path& run_dir,
                                     const CalendarDate& date);

}  // namespace quill
