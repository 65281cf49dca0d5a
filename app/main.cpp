#include <QApplication>

#include "app/start_up.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return quill::RunQuillbin();
}
