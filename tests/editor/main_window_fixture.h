#pragma once

#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>
#include <QString>

#include "app/main_window.h"
#include "support/fake_seams.h"

namespace quill {
class EditBox;
class GoodsEditWindow;
}  // namespace quill

namespace quill::testing {

// Types as a user does: focus on the box, then key by key.
void Type(EditBox& box, const QString& text);

// A fresh MainWindow over the template database in a fresh run directory, shown and
// activated, with every message box answered by the fakes.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs before the main window is built: the database file may be prepared here.
  virtual void PrepareRunDirectory() {}
  // False for a run directory whose database is meant not to open.
  virtual bool DatabaseOpens() const { return true; }

  MainWindow& Main() { return *main_; }
  EdbWorkspace& Db() { return main_->Database(); }
  FakeMessageBoxes& Messages() { return seams_.messages; }
  std::filesystem::path DatabasePath() const;

  // Field of the record with this record number, as UTF-8 text (numbers as the list shows them).
  QString Field(int record, int field);
  // The cells of a list row joined by "|".
  QString RowText(int row);
  int SelectedRow();
  // Which of 按钮5, 按钮2, 按钮3, 按钮4, 按钮6 are enabled, as five 0/1 digits.
  std::string SelectionButtonStates();

  // Clicks a main-window button that opens the goods editor and runs the steps inside the
  // modal window; closes it afterwards if the steps left it open. False when no editor opened.
  bool RunEditor(const QString& button, const std::function<void(GoodsEditWindow&)>& steps);

  FakeSeams seams_;
  std::unique_ptr<MainWindow> main_;
};

}  // namespace quill::testing
