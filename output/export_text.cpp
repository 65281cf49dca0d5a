#include "output/export_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <variant>

#include "storage/goods_database.h"
#include "text/number_formatting.h"

namespace quill {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Stored numbers travel as double; a value beyond the 64-bit range cannot come from a 32-bit
// field, but clamping keeps the conversion defined for any file.
std::int64_t ToInteger(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 9.2e18) return INT64_MAX;
  if (value <= -9.2e18) return INT64_MIN;
  return static_cast<std::int64_t>(value);
}

void AppendQuoted(std::string& out, std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += text;
    return;
  }
  out += '"';
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void AppendField(std::string& out, const EdbValue& value, int field) {
  if (const auto* text = std::get_if<std::string>(&value)) {
    AppendQuoted(out, *text);
    return;
  }
  const double number = std::get<double>(value);
  switch (field) {
    case kUnitPrice:
      out += FloatToText(static_cast<float>(number));
      break;
    case kStock:
      out += IntegerToText(ToInteger(number));
      break;
    default:
      out += DoubleToText(number);
      break;
  }
}

void AppendDataLine(std::string& out, std::span<const EdbValue> fields) {
  for (int field = 1; field <= kExportFieldCount; ++field) {
    if (field > 1) out += ',';
    if (field <= static_cast<int>(fields.size())) AppendField(out, fields[field - 1], field);
  }
  out += kLineEnd;
}

}  // namespace

std::string QuoteExportField(std::string_view text) {
  std::string quoted;
  AppendQuoted(quoted, text);
  return quoted;
}

std::string ExportHeaderLine(std::span<const std::string> field_names) {
  std::string line;
  for (const std::string& name : field_names) {
    AppendQuoted(line, name);
    line += ',';
  }
  line += kLineEnd;
  return line;
}

std::string ExportDataLine(std::span<const EdbValue> fields) {
  std::string line;
  AppendDataLine(line, fields);
  return line;
}

int ExportProgressPosition(int done, int total) {
  if (total <= 0) return 0;
  const double quotient = static_cast<double>(done) / static_cast<double>(total);
  return static_cast<int>(std::trunc(quotient * 100.0));
}

std::string BuildExportText(EdbWorkspace& db, const ExportProgress& progress) {
  const int field_count = db.FieldCount();
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(field_count));
  for (int field = 1; field <= field_count; ++field) names.push_back(db.FieldName(field));
  std::string text = ExportHeaderLine(names);

  // A database with fewer fields than a data line leaves the missing ones empty instead of
  // reading a field that does not exist.
  const int readable = std::min(field_count, kExportFieldCount);
  std::vector<EdbValue> values(kExportFieldCount, EdbValue(std::string()));
  // The count is read once: asking the engine again per record costs a file status call
  // each time, and only another program could change it during the loop.
  const int count = db.RecordCount();
  if (count > 0) text.reserve(text.size() + static_cast<std::size_t>(count) * 48);
  for (int record = 1; record <= count; ++record) {
    db.GoTo(record);
    if (progress) progress(ExportProgressPosition(record, count));
    const EdbDatabase* current = db.Current();
    if (current == nullptr || current->IsDeleted()) continue;
    for (int field = 1; field <= readable; ++field) values[field - 1] = db.Read(field);
    AppendDataLine(text, values);
  }
  return text;
}

std::filesystem::path ExportFilePath(const std::filesystem::path& directory) {
  return directory / std::filesystem::path(kExportFileName);
}

}  // namespace quill
