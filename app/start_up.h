#pragma once

namespace quill {

// The program after the toolkit's initialisation (a QApplication exists): loads the skin,
// shows MainWindow and runs the message loop until MainWindow goes away. Gives the exit code,
// 0 once MainWindow is closed in any way.
int RunQuillbin();

}  // namespace quill
