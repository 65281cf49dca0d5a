#pragma once

#include <ostream>

#include <QString>
#include <QStringList>

// Readable GoogleTest failure messages for Qt texts.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* out) {
  *out << '{';
  for (qsizetype i = 0; i < texts.size(); ++i) {
    if (i) *out << ", ";
    PrintTo(texts[i], out);
  }
  *out << '}';
}
