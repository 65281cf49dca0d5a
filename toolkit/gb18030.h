#pragma once

#include <string>
#include <string_view>

#include <QString>

namespace quill {

// The one bridge between stored GB18030 bytes and the texts the user sees or types.
// Characters outside GBK travel as four-byte GB18030 sequences, so nothing becomes "?".
QString FromGb18030(std::string_view bytes);
std::string ToGb18030(const QString& text);

}  // namespace quill
