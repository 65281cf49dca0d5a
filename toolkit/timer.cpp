#include "toolkit/timer.h"

namespace quill {

Timer::Timer(QObject* parent, const QString& name, int period_ms) : QObject(parent) {
  setObjectName(name);
  connect(&timer_, &QTimer::timeout, this, &Timer::Tick);
  SetPeriod(period_ms);
}

void Timer::SetPeriod(int period_ms) {
  period_ = period_ms > 0 ? period_ms : 0;
  if (period_ == 0) {
    timer_.stop();
  } else {
    timer_.start(period_);
  }
}

}  // namespace quill
