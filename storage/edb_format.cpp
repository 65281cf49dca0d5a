#include "storage/edb_format.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace quill {
namespace {

constexpr char kMagic[4] = {'W', 'E', 'D', 'B'};

std::uint64_t LoadUint64(const std::byte* at) {
  std::uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = (value << 8) | std::to_integer<std::uint64_t>(at[i]);
  return value;
}

void StoreUint64(std::byte* at, std::uint64_t value) {
  for (int i = 0; i < 8; ++i) at[i] = static_cast<std::byte>(value >> (8 * i));
}

void StoreUint32(std::byte* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::byte>(value >> (8 * i));
}

// Bytes a value of the type occupies; 0 for an unknown code. Text takes its width.
std::int32_t FixedSize(std::int32_t code) {
  switch (code) {
    case 1:
    case 7:
      return 1;
    case 2:
      return 2;
    case 3:
    case 5:
    case 9:
    case 11:
    case 12:
      return 4;
    case 4:
    case 6:
    case 8:
      return 8;
    default:
      return 0;
  }
}

// Saturating conversion: out-of-range values clamp, NaN becomes 0, fractions are cut toward
// zero as a C cast would.
template <typename Int>
Int SaturateTo(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLow = static_cast<double>(std::numeric_limits<Int>::min());
  // max + 1 is a power of two, exact as a double; anything at or above it does not fit.
  constexpr double kHighExclusive = static_cast<double>(std::numeric_limits<Int>::max()) + 1.0;
  if (value <= kLow) return std::numeric_limits<Int>::min();
  if (value >= kHighExclusive) return std::numeric_limits<Int>::max();
  return static_cast<Int>(value);
}

double TextToNumber(const std::string& text) {
  std::size_t begin = 0;
  while (begin < text.size() && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  if (begin < text.size() && text[begin] == '+') ++begin;
  double value = 0;
  auto result = std::from_chars(text.data() + begin, text.data() + text.size(), value);
  if (result.ec != std::errc()) return 0;
  return value;
}

std::string NumberToText(double value) {
  char buffer[64];
  auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 13);
  return std::string(buffer, result.ptr);
}

double AsNumber(const EdbValue& value) {
  if (const double* number = std::get_if<double>(&value)) return *number;
  return TextToNumber(std::get<std::string>(value));
}

}  // namespace

std::int32_t LoadInt32(const std::byte* at) { return static_cast<std::int32_t>(LoadUint32(at)); }

std::uint32_t LoadUint32(const std::byte* at) {
  return std::to_integer<std::uint32_t>(at[0]) | std::to_integer<std::uint32_t>(at[1]) << 8 |
         std::to_integer<std::uint32_t>(at[2]) << 16 | std::to_integer<std::uint32_t>(at[3]) << 24;
}

void StoreInt32(std::byte* at, std::int32_t value) {
  StoreUint32(at, static_cast<std::uint32_t>(value));
}

std::optional<EdbHeader> DecodeEdbHeader(std::span<const std::byte> bytes) {
  if (bytes.size() < kEdbHeaderSize) return std::nullopt;
  if (std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) return std::nullopt;
  EdbHeader header;
  header.version = LoadUint32(bytes.data() + kEdbVersionOffset);
  header.record_count = LoadInt32(bytes.data() + kEdbRecordCountOffset);
  header.next_id = LoadInt32(bytes.data() + kEdbNextIdOffset);
  header.record_length = LoadInt32(bytes.data() + kEdbRecordLengthOffset);
  if (header.version > kEdbMaxVersion) return std::nullopt;
  if (header.record_count < 0 || header.next_id <= 0) return std::nullopt;
  if (header.record_length < static_cast<std::int32_t>(kEdbRecordHeaderSize) ||
      header.record_length > kEdbMaxRecordLength) {
    return std::nullopt;
  }
  return header;
}

std::optional<EdbLayout> ParseEdbLayout(std::span<const std::byte> file) {
  std::optional<EdbHeader> header = DecodeEdbHeader(file);
  if (!header || file.size() < kEdbDescriptorsOffset) return std::nullopt;
  const std::int32_t field_count = LoadInt32(file.data() + kEdbFieldCountOffset);
  if (field_count < 1 || field_count > kEdbMaxFieldCount) return std::nullopt;
  EdbLayout layout;
  layout.header = *header;
  layout.records_offset =
      kEdbDescriptorsOffset + kEdbDescriptorSize * static_cast<std::uint64_t>(field_count);
  if (file.size() < layout.records_offset) return std::nullopt;
  // The count must fit in the bytes that are there; division avoids any overflow.
  const std::uint64_t record_bytes = file.size() - layout.records_offset;
  if (static_cast<std::uint64_t>(header->record_count) >
      record_bytes / static_cast<std::uint64_t>(header->record_length)) {
    return std::nullopt;
  }
  layout.fields.reserve(static_cast<std::size_t>(field_count));
  for (std::int32_t i = 0; i < field_count; ++i) {
    const std::byte* at =
        file.data() + kEdbDescriptorsOffset + kEdbDescriptorSize * static_cast<std::size_t>(i);
    EdbField field;
    const void* zero = std::memchr(at, 0, kEdbFieldNameMaxLength + 1);
    if (zero == nullptr) return std::nullopt;
    field.name.assign(reinterpret_cast<const char*>(at), static_cast<const std::byte*>(zero) - at);
    const std::int32_t code = LoadInt32(at + 20);
    field.offset = LoadInt32(at + 24);
    const std::int32_t width = LoadInt32(at + 28);
    if (code == static_cast<std::int32_t>(EdbType::kText)) {
      if (width < 1 || width > header->record_length) return std::nullopt;
      field.size = width;
    } else {
      field.size = FixedSize(code);
      if (field.size == 0) return std::nullopt;
    }
    field.type = static_cast<EdbType>(code);
    if (field.offset < static_cast<std::int32_t>(kEdbRecordHeaderSize) ||
        field.offset > header->record_length - field.size) {
      return std::nullopt;
    }
    layout.fields.push_back(std::move(field));
  }
  return layout;
}

EdbValue DecodeEdbField(const EdbField& field, const std::byte* record) {
  const std::byte* at = record + field.offset;
  switch (field.type) {
    case EdbType::kText: {
      const void* zero = std::memchr(at, 0, static_cast<std::size_t>(field.size));
      const std::size_t length =
          zero ? static_cast<std::size_t>(static_cast<const std::byte*>(zero) - at)
               : static_cast<std::size_t>(field.size);
      return std::string(reinterpret_cast<const char*>(at), length);
    }
    case EdbType::kByte:
      return static_cast<double>(std::to_integer<std::uint8_t>(at[0]));
    case EdbType::kLogical:
      return at[0] != std::byte{0} ? 1.0 : 0.0;
    case EdbType::kShort:
      return static_cast<double>(static_cast<std::int16_t>(
          std::to_integer<std::uint16_t>(at[0]) | std::to_integer<std::uint16_t>(at[1]) << 8));
    case EdbType::kFloat:
      return static_cast<double>(std::bit_cast<float>(LoadUint32(at)));
    case EdbType::kLong:
      return static_cast<double>(static_cast<std::int64_t>(LoadUint64(at)));
    case EdbType::kDouble:
    case EdbType::kDateTime:
      return std::bit_cast<double>(LoadUint64(at));
    case EdbType::kInteger:
    case EdbType::kRoutine:
    case EdbType::kByteSet:
    case EdbType::kMemo:
      return static_cast<double>(LoadInt32(at));
  }
  return 0.0;
}

void EncodeEdbField(const EdbField& field, const EdbValue& value, std::byte* record) {
  std::byte* at = record + field.offset;
  if (field.type == EdbType::kText) {
    const std::string text = std::holds_alternative<std::string>(value)
                                 ? std::get<std::string>(value)
                                 : NumberToText(std::get<double>(value));
    const std::size_t width = static_cast<std::size_t>(field.size);
    const std::size_t length = text.size() < width ? text.size() : width;
    std::memcpy(at, text.data(), length);
    std::memset(at + length, 0, width - length);
    return;
  }
  const double number = AsNumber(value);
  switch (field.type) {
    case EdbType::kByte:
      at[0] = static_cast<std::byte>(SaturateTo<std::uint8_t>(number));
      return;
    case EdbType::kLogical:
      at[0] = std::byte{number != 0 && !std::isnan(number) ? std::uint8_t{1} : std::uint8_t{0}};
      return;
    case EdbType::kShort: {
      const auto bits = static_cast<std::uint16_t>(SaturateTo<std::int16_t>(number));
      at[0] = static_cast<std::byte>(bits);
      at[1] = static_cast<std::byte>(bits >> 8);
      return;
    }
    case EdbType::kFloat: {
      constexpr double kMax = std::numeric_limits<float>::max();
      const double clamped = std::isnan(number) || std::isinf(number) ? number
                             : number > kMax                          ? kMax
                             : number < -kMax                         ? -kMax
                                                                      : number;
      StoreUint32(at, std::bit_cast<std::uint32_t>(static_cast<float>(clamped)));
      return;
    }
    case EdbType::kLong:
      StoreUint64(at, static_cast<std::uint64_t>(SaturateTo<std::int64_t>(number)));
      return;
    case EdbType::kDouble:
    case EdbType::kDateTime:
      StoreUint64(at, std::bit_cast<std::uint64_t>(number));
      return;
    case EdbType::kInteger:
    case EdbType::kRoutine:
    case EdbType::kByteSet:
    case EdbType::kMemo:
      StoreInt32(at, SaturateTo<std::int32_t>(number));
      return;
    case EdbType::kText:
      return;
  }
}

}  // namespace quill
