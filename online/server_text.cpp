#include "online/server_text.h"

#include <QStringDecoder>

#include "toolkit/gb18030.h"

namespace quill {

QByteArray TextUpToZero(const QByteArray& body) {
  const qsizetype zero = body.indexOf('\0');
  return zero < 0 ? body : body.left(zero);
}

std::string Utf8ToGb18030(const QByteArray& utf8) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
  const QString text = decoder.decode(utf8);
  if (decoder.hasError()) return {};
  const std::string converted = ToGb18030(text);
  return converted.substr(0, converted.find('\0'));
}

}  // namespace quill
