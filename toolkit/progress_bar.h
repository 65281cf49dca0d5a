#pragma once

#include <QProgressBar>
#include <QRect>
#include <QString>

namespace quill {

// Range 0–100; positions outside it are clamped.
class ProgressBar : public QProgressBar {
  Q_OBJECT

 public:
  ProgressBar(QWidget* parent, const QString& name, const QRect& geometry);
  int Position() const { return value(); }
  void SetPosition(int position);
};

}  // namespace quill
