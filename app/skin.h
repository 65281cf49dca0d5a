#pragma once

class QWidget;

namespace quill {

// The built-in look of every window: a style, a palette and fonts whose faces fall back to an
// installed CJK face. LoadSkin prepares it at start-up; AttachSkin puts it on the process's
// windows when MainWindow is created. Neither needs the other to have run first.
void LoadSkin();
void AttachSkin();
bool SkinAttached();

}  // namespace quill
