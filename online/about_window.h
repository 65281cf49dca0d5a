#pragma once

#include <string>

#include "toolkit/window.h"

namespace quill {

// Describes the program, shows the maker's logo and web address, offers the feedback page and
// leads to the update check.
class AboutWindow : public Window {
  Q_OBJECT

 public:
  // `update_information` is handed to the update window it opens.
  AboutWindow(QWidget* parent, std::string& update_information);
};

// The description shown by the about window, line breaks as CR LF.
QString AboutDescription();

}  // namespace quill
