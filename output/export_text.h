#pragma once

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "storage/edb_database.h"

namespace quill {

// The export file's name inside the chosen directory (UTF-8 file name).
inline constexpr const char* kExportFileName = "数据库文件.xls";

// Every data line has exactly these many fields, whatever the database's field count.
inline constexpr int kExportFieldCount = 6;

// Told the progress position 0 … 100 once per record, before the record is written.
using ExportProgress = std::function<void(int position)>;

// A field as a spreadsheet program reads it: kept byte for byte unless it holds a comma, a
// double quote, CR or LF, which would split or shift the columns; such a field is put in
// double quotes with inner quotes doubled. GBK trail bytes never fall on these four bytes,
// so the scan is safe on GB18030 text.
std::string QuoteExportField(std::string_view text);

// Each name followed by a comma, then CR LF.
std::string ExportHeaderLine(std::span<const std::string> field_names);

// Fields 1 … 6 joined by commas, then CR LF. Field 3 (unit price) is written by the
// single-precision rule, field 5 (stock) as a decimal integer; texts as stored.
std::string ExportDataLine(std::span<const EdbValue> fields);

// trunc((done / total) * 100), each step in double precision: 33, 66, 100 for three.
int ExportProgressPosition(int done, int total);

// The whole file: the header line from the current database's field names, then one data
// line per record in record order. Records marked deleted are left out, so a deleted goods
// never comes back through an export.
std::string BuildExportText(EdbWorkspace& db, const ExportProgress& progress = {});

// The directory joined with the export file name.
std::filesystem::path ExportFilePath(const std::filesystem::path& directory);

}  // namespace quill
