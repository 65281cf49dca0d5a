#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QDateTime>
#include <QString>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "support/fake_seams.h"

namespace quill::testing {

// A clock that counts its readings and can act while it is read.
class CountingClock final : public Clock {
 public:
  // Gives the time as it was when read; on_read may move it on for the next reading.
  QDateTime Now() override {
    const QDateTime reading = now;
    ++readings;
    if (on_read) on_read();
    return reading;
  }
  QDateTime now = QDateTime(QDate(2016, 3, 5), QTime(10, 30, 0));
  int readings = 0;
  std::function<void()> on_read;
};

// Fake seams, a counting clock and a main window shown and activated on a fresh goods
// database of the run directory; a new one for every test.
class SalesWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Adds a goods record, reloads the list and selects the new row; gives its row.
  int AddAndSelectGoods(const QString& name, const QString& item_number, double price, int stock);
  // The stock of the goods record with this bookmark as stored in the database.
  int StoredStock(int bookmark);
  std::string DayFileBytes(const QString& name = u"2016-03-05.jl"_qs) const;
  bool DayFileExists(const QString& name = u"2016-03-05.jl"_qs) const;

  FakeSeams seams;
  CountingClock clock;
  std::unique_ptr<MainWindow> main;
};

}  // namespace quill::testing
