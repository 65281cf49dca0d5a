#pragma once

#include <QString>

class QKeyEvent;
class QWidget;

namespace quill {

inline constexpr int kKeyEnter = 13;

// The key code a handler sees: Enter is 13, letters and digits their upper-case character
// codes; other keys their Qt key value.
int KeyCode(const QKeyEvent& event);

// Queues one press and release of a key to a control; it arrives once the window processes
// input.
void PostKeyPress(QWidget* control, int qt_key, const QString& text = {});

}  // namespace quill
