#include "toolkit/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace quill {
namespace {

// Looked up once: listing the font families is not cheap and they do not change while the
// program runs.
const QStringList& CjkFallbacks() {
  static const QStringList present = [] {
    const QStringList wanted = {
      QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans SC"),
      QStringLiteral("Source Han Sans SC"), QStringLiteral("WenQuanYi Micro Hei"),
      QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Serif CJK SC"),
      QStringLiteral("AR PL UMing CN")};
    QStringList found;
    const QStringList families = QFontDatabase::families();
    for (const QString& family : wanted) {
      if (families.contains(family)) found.append(family);
    }
    return found;
  }();
  return present;
}

}  // namespace

void InstallFontFallbacks() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  const QStringList& fallbacks = CjkFallbacks();
  if (fallbacks.isEmpty()) return;
  const QStringList families = QFontDatabase::families();
  for (const QString& face : {QString::fromUtf16(kFormFace), QStringLiteral("兰亭超细黑简体"),
                              QStringLiteral("宋体"), QStringLiteral("Microsoft YaHei")}) {
    if (!families.contains(face)) QFont::insertSubstitutions(face, fallbacks);
  }
}

QFont FormFont(const QString& face, int pixel_size, bool bold, bool italic, bool underline) {
  InstallFontFallbacks();
  QFont font(face);
  QStringList families{face};
  families.append(CjkFallbacks());
  font.setFamilies(families);
  font.setPixelSize(pixel_size);
  font.setBold(bold);
  font.setItalic(italic);
  font.setUnderline(underline);
  return font;
}

}  // namespace quill
