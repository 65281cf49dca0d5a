#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace quill {

// The program's own header banner and window icon, drawn rather than carried as files.
QPixmap DrawHeaderBanner(QSize size);
QIcon DrawProgramIcon();

}  // namespace quill
