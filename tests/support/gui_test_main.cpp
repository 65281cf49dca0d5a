#include <QApplication>

#include <gtest/gtest.h>

#include "toolkit/fonts.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  quill::InstallFontFallbacks();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
