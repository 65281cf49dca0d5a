#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "storage/edb_database.h"

namespace quill {

// The record-database file. All integers are little-endian.
//
//   0     header, 112 bytes
//           0  magic "WEDB"             4  version, unsigned, at most 0x00010000
//           8  date-time stamp (double, days since 1899-12-30)
//           16 record count (signed, deleted records included)
//           20 next record identifier (signed, above 0)
//           24 record length (signed, includes the 4-byte record header)
//           28 84 reserved zero bytes
//   112   field count, 4 bytes
//   116   one descriptor of 72 bytes per field, in field order
//           0  name, 20 bytes, zero-terminated within its first 17
//           20 type code (EdbType)      24 offset of the value in the record
//           28 width of text fields, 0 otherwise
//           32 40 reserved zero bytes
//   116 + 72 * field count
//         the records, record length bytes each, in record-number order; the file ends after
//         the last one. A record starts with a 4-byte signed header whose absolute value is
//         the record's identifier (its bookmark), negative when the record is marked deleted;
//         the field values follow at their descriptor offsets.
inline constexpr std::size_t kEdbHeaderSize = 112;
inline constexpr std::size_t kEdbFieldCountOffset = 112;
inline constexpr std::size_t kEdbDescriptorsOffset = 116;
inline constexpr std::size_t kEdbDescriptorSize = 72;
inline constexpr std::size_t kEdbRecordHeaderSize = 4;
inline constexpr std::size_t kEdbFieldNameSize = 20;
inline constexpr std::size_t kEdbFieldNameMaxLength = 16;

inline constexpr std::size_t kEdbVersionOffset = 4;
inline constexpr std::size_t kEdbStampOffset = 8;
inline constexpr std::size_t kEdbRecordCountOffset = 16;
inline constexpr std::size_t kEdbNextIdOffset = 20;
inline constexpr std::size_t kEdbRecordLengthOffset = 24;

inline constexpr std::uint32_t kEdbMaxVersion = 0x00010000;

// Sanity bounds: a header beyond them is damage, not a database anyone wrote.
inline constexpr std::int32_t kEdbMaxFieldCount = 1024;
inline constexpr std::int32_t kEdbMaxRecordLength = 1 << 20;

enum class EdbType : std::int32_t {
  kByte = 1,
  kShort = 2,
  kInteger = 3,
  kLong = 4,
  kFloat = 5,
  kDouble = 6,
  kLogical = 7,
  kDateTime = 8,
  kRoutine = 9,
  kByteSet = 11,
  kMemo = 12,
  kText = 10,
};

struct EdbField {
  std::string name;  // GBK bytes
  EdbType type = EdbType::kText;
  std::int32_t offset = 0;  // within the record
  std::int32_t size = 0;    // bytes the value occupies (the width for text)
};

struct EdbHeader {
  std::uint32_t version = 0;
  std::int32_t record_count = 0;
  std::int32_t next_id = 0;
  std::int32_t record_length = 0;
};

struct EdbLayout {
  EdbHeader header;
  std::vector<EdbField> fields;
  std::uint64_t records_offset = 0;  // where record 1 starts
  std::uint64_t RecordOffset(std::int64_t index) const {
    return records_offset +
           static_cast<std::uint64_t>(index) * static_cast<std::uint64_t>(header.record_length);
  }
  std::uint64_t RecordsEnd() const { return RecordOffset(header.record_count); }
};

// Little-endian access to raw bytes.
std::int32_t LoadInt32(const std::byte* at);
std::uint32_t LoadUint32(const std::byte* at);
void StoreInt32(std::byte* at, std::int32_t value);

// The header alone; nullopt when it is not a record-database header.
std::optional<EdbHeader> DecodeEdbHeader(std::span<const std::byte> bytes);

// Header and descriptors of a whole file image, every bound checked against the image size;
// nullopt when the image does not have the layout.
std::optional<EdbLayout> ParseEdbLayout(std::span<const std::byte> file);

// Field values inside one record's bytes.
EdbValue DecodeEdbField(const EdbField& field, const std::byte* record);
void EncodeEdbField(const EdbField& field, const EdbValue& value, std::byte* record);

}  // namespace quill
