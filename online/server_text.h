#pragma once

#include <string>

#include <QByteArray>

namespace quill {

// A body taken as text: it ends at the first zero byte.
QByteArray TextUpToZero(const QByteArray& body);

// UTF-8 bytes as GB18030 text (up to the first zero); an invalid UTF-8 sequence anywhere gives
// the empty text rather than a text with replacement characters. A leading byte-order mark is
// not part of the text.
std::string Utf8ToGb18030(const QByteArray& utf8);

}  // namespace quill
