#include "toolkit/wait_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace quill {

WaitCursor::WaitCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
WaitCursor::~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }

}  // namespace quill
