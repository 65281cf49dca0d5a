#include "editor/gb18030_byte_limit.h"

#include "toolkit/gb18030.h"

namespace quill {

Gb18030ByteLimit::Gb18030ByteLimit(std::size_t max_bytes, QObject* parent)
    : QValidator(parent), max_bytes_(max_bytes) {}

QValidator::State Gb18030ByteLimit::validate(QString& input, int&) const {
  return ToGb18030(input).size() <= max_bytes_ ? Acceptable : Invalid;
}

}  // namespace quill
