#pragma once

#include <cstddef>

#include <QValidator>

namespace quill {

// Refuses any edit, typed or pasted, that would make the text longer than a number of
// GB18030 bytes, so a text box never holds more than its stored field keeps.
class Gb18030ByteLimit : public QValidator {
  Q_OBJECT

 public:
  Gb18030ByteLimit(std::size_t max_bytes, QObject* parent);

  State validate(QString& input, int& position) const override;

 private:
  std::size_t max_bytes_;
};

}  // namespace quill
