#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace quill {

// A periodic timer; a period of 0 stops it.
class Timer : public QObject {
  Q_OBJECT

 public:
  Timer(QObject* parent, const QString& name, int period_ms = 0);
  int Period() const { return period_; }
  void SetPeriod(int period_ms);
  bool IsRunning() const { return timer_.isActive(); }

 signals:
  void Tick();

 private:
  QTimer timer_;
  int period_ = 0;
};

}  // namespace quill
