#pragma once

namespace quill {

// Shows the wait cursor for its lifetime; nested guards restore in order.
class WaitCursor {
 public:
  WaitCursor();
  ~WaitCursor();
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace quill
