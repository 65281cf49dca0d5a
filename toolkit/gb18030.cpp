#include "toolkit/gb18030.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace quill {

QString FromGb18030(std::string_view bytes) {
  if (bytes.empty()) return {};
  QStringDecoder decoder("GB18030");
  QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  // A character cut off at the end would stay inside the decoder waiting for more input;
  // a line feed, which can continue no character, flushes it as a replacement character.
  QString rest = decoder.decode(QByteArrayView("\n", 1));
  rest.chop(1);
  text += rest;
  return text;
}

std::string ToGb18030(const QString& text) {
  if (text.isEmpty()) return {};
  QStringEncoder encoder("GB18030");
  const QByteArray bytes = encoder.encode(text);
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace quill
