#pragma once

#include <QFont>
#include <QString>

namespace quill {

// The face the forms name for their controls.
inline constexpr char16_t kFormFace[] = u"微软雅黑";

// Maps the faces the forms name to installed CJK faces when they are missing, so that every
// Chinese text renders. Safe to call more than once.
void InstallFontFallbacks();

// A font of a form: face and pixel size, falling back to an installed CJK face.
QFont FormFont(const QString& face, int pixel_size, bool bold = false, bool italic = false,
               bool underline = false);

}  // namespace quill
