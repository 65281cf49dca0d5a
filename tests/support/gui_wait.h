#pragma once

#include <functional>
#include <memory>

#include <QApplication>
#include <QString>
#include <QTest>
#include <QWidget>

#include "support/qt_print.h"

namespace quill {
class Window;
}

namespace quill::testing {

inline constexpr int kWaitMs = 5000;

// Processes events until the condition holds or the time is up; true when it holds.
bool WaitUntil(const std::function<bool()>& condition, int timeout_ms = kWaitMs);

// Shows a window and waits for its first activation to have run.
bool ShowAndActivate(Window& window);

// The visible top-level widget with this objectName, nullptr if none.
QWidget* FindTopLevel(const QString& object_name);

// Acts inside a modal window once it shows: polls with a single-shot timer for a visible
// top-level widget with this objectName (the active modal widget first) and runs the action
// on it. Call before the action that opens the window. The returned flag says whether the
// action ran.
std::shared_ptr<bool> WhenShown(const QString& object_name,
                                std::function<void(QWidget&)> action,
                                int timeout_ms = kWaitMs);

template <class T>
std::shared_ptr<bool> WhenModalShown(const QString& object_name, std::function<void(T&)> action,
                                     int timeout_ms = kWaitMs) {
  return WhenShown(
      object_name,
      [action = std::move(action)](QWidget& w) {
        if (T* typed = dynamic_cast<T*>(&w)) action(*typed);
      },
      timeout_ms);
}

}  // namespace quill::testing
