#include "toolkit/edit_box.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QWidget>

#include <gtest/gtest.h>

#include "support/gui_wait.h"

namespace quill {
namespace {

using testing::WaitUntil;

// Types a text key by key; characters without a key of their own arrive as key text.
void Type(QWidget* w, const QString& text) {
  for (QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(w, static_cast<char>(c.unicode()));
    } else {
      QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
      QTest::sendKeyEvent(QTest::Release, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

// A window with the box under test and a second box to move the focus to.
class EditBoxTest : public ::testing::Test {
 protected:
  EditBox* Make(InputMode mode) {
    box_ = new EditBox(&window_, u"编辑框1"_qs, QRect(10, 10, 200, 24), mode);
    other_ = new EditBox(&window_, u"编辑框2"_qs, QRect(10, 50, 200, 24));
    window_.resize(300, 120);
    window_.show();
    window_.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
    return box_;
  }

  void Focus(QWidget* w) {
    w->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(WaitUntil([w] { return w->hasFocus(); }));
  }

  QWidget window_;
  EditBox* box_ = nullptr;
  EditBox* other_ = nullptr;
};

struct TypedCase {
  const char* name;
  InputMode mode;
  const char* typed;
  QString expected;
};

class TypedFilterTest : public EditBoxTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedFilterTest, KeepsOnlyTheCharactersTheModeAllows) {
  const TypedCase& c = GetParam();
  EditBox* box = Make(c.mode);
  Focus(box);
  Type(box, QString::fromUtf8(c.typed));
  EXPECT_EQ(box->Text(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, TypedFilterTest,
    ::testing::Values(
        TypedCase{"free_takes_all", InputMode::kFree, "a1-.元 x", u"a1-.元 x"_qs},
        TypedCase{"read_only_takes_none", InputMode::kReadOnly, "abc12", u""_qs},
        TypedCase{"decimal_digits_minus_point", InputMode::kDecimalNumber, "-12.5元x,3",
                  u"-12.53"_qs},
        TypedCase{"decimal_drops_full_width", InputMode::kDecimalNumber, "１2", u"2"_qs},
        TypedCase{"integer_drops_point", InputMode::kIntegerText, "-3.7e5", u"-375"_qs},
        TypedCase{"short_integer_five_at_most", InputMode::kShortInteger, "1234567", u"12345"_qs},
        TypedCase{"short_integer_drops_letters", InputMode::kShortInteger, "9a9b", u"99"_qs}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditBoxTest, BackspaceStillWorksInNumericModes) {
  EditBox* box = Make(InputMode::kDecimalNumber);
  Focus(box);
  Type(box, u"123"_qs);
  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_EQ(box->Text(), u"12"_qs);
}

TEST_F(EditBoxTest, ProgramSetAndPastedTextsAreNotFiltered) {
  EditBox* box = Make(InputMode::kShortInteger);
  box->SetText(u"12.5 元 and more"_qs);
  EXPECT_EQ(box->Text(), u"12.5 元 and more"_qs);
  box->SetText(QString());
  Focus(box);
  QGuiApplication::clipboard()->setText(u"abc 1234567"_qs);
  if (QGuiApplication::clipboard()->text() != u"abc 1234567"_qs) {
    GTEST_SKIP() << "no clipboard on this platform";
  }
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(box->Text(), u"abc 1234567"_qs);
}

TEST_F(EditBoxTest, TextChangedOnceForEveryChange) {
  EditBox* box = Make(InputMode::kFree);
  QSignalSpy changed(box, &EditBox::TextChanged);
  box->SetText(u"a"_qs);
  EXPECT_EQ(changed.count(), 1);
  box->SetText(u"a"_qs);  // the same text still counts as set
  EXPECT_EQ(changed.count(), 2);
  Focus(box);
  box->end(false);
  QTest::keyClick(box, Qt::Key_B);
  EXPECT_EQ(changed.count(), 3);
  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_EQ(changed.count(), 4);
}

struct RewriteCase {
  const char* name;
  InputMode mode;
  QString typed_or_set;
  QString after_focus_loss;
  int text_changed_on_loss;
};

class FocusLossRewriteTest : public EditBoxTest,
                             public ::testing::WithParamInterface<RewriteCase> {};

TEST_P(FocusLossRewriteTest, RewritesOnceAndOnlyWhenDifferent) {
  const RewriteCase& c = GetParam();
  EditBox* box = Make(c.mode);
  box->SetText(c.typed_or_set);
  Focus(box);
  QSignalSpy changed(box, &EditBox::TextChanged);
  QSignalSpy lost(box, &EditBox::LostFocus);
  Focus(other_);
  EXPECT_EQ(box->Text(), c.after_focus_loss);
  EXPECT_EQ(changed.count(), c.text_changed_on_loss);
  EXPECT_EQ(lost.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, FocusLossRewriteTest,
    ::testing::Values(
        RewriteCase{"decimal_money_text", InputMode::kDecimalNumber, u"12.5 元"_qs, u"12.5"_qs, 1},
        RewriteCase{"decimal_six_digits", InputMode::kDecimalNumber, u"12.345678"_qs,
                    u"12.3457"_qs, 1},
        RewriteCase{"decimal_leading_zeros", InputMode::kDecimalNumber, u"007"_qs, u"7"_qs, 1},
        RewriteCase{"decimal_zero_empties", InputMode::kDecimalNumber, u"0.00"_qs, u""_qs, 1},
        RewriteCase{"decimal_already_normal", InputMode::kDecimalNumber, u"25"_qs, u"25"_qs, 0},
        RewriteCase{"decimal_exponent", InputMode::kDecimalNumber, u"1234567"_qs,
                    u"1.23457e+006"_qs, 1},
        RewriteCase{"short_clamps_high", InputMode::kShortInteger, u"99999"_qs, u"32767"_qs, 1},
        RewriteCase{"short_clamps_low", InputMode::kShortInteger, u"-99999"_qs, u"-32768"_qs, 1},
        RewriteCase{"short_leading_zeros", InputMode::kShortInteger, u"007"_qs, u"7"_qs, 1},
        RewriteCase{"short_empty_stays", InputMode::kShortInteger, u""_qs, u""_qs, 0},
        RewriteCase{"short_zero_empties", InputMode::kShortInteger, u"0"_qs, u""_qs, 1},
        RewriteCase{"integer_text_untouched", InputMode::kIntegerText, u"007"_qs, u"007"_qs, 0},
        RewriteCase{"free_untouched", InputMode::kFree, u" 0 "_qs, u" 0 "_qs, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct SpinCase {
  const char* name;
  QString from;
  bool up;
  QString to;
};

class SpinnerTest : public EditBoxTest, public ::testing::WithParamInterface<SpinCase> {};

TEST_P(SpinnerTest, WrapsWithinItsRange) {
  const SpinCase& c = GetParam();
  EditBox* box = Make(InputMode::kShortInteger);
  Spinner* spinner = box->AttachSpinner(18, 1, 100);
  box->SetText(c.from);
  QSignalSpy changed(box, &EditBox::TextChanged);
  QTest::mouseClick(c.up ? spinner->UpButton() : spinner->DownButton(), Qt::LeftButton);
  EXPECT_EQ(box->Text(), c.to);
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(box->selectedText(), c.to);
  EXPECT_TRUE(WaitUntil([box] { return box->hasFocus(); }));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, SpinnerTest,
    ::testing::Values(SpinCase{"up_from_1", u"1"_qs, true, u"2"_qs},
                      SpinCase{"up_from_100_wraps", u"100"_qs, true, u"1"_qs},
                      SpinCase{"down_from_1_wraps", u"1"_qs, false, u"100"_qs},
                      SpinCase{"down_from_2", u"2"_qs, false, u"1"_qs},
                      SpinCase{"up_from_empty", u""_qs, true, u"1"_qs},
                      SpinCase{"down_from_empty", u""_qs, false, u"100"_qs},
                      SpinCase{"up_from_typed_250", u"250"_qs, true, u"1"_qs},
                      SpinCase{"down_from_negative", u"-5"_qs, false, u"100"_qs}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditBoxTest, SpinnerSitsRightOfTheBoxAsHighAsIt) {
  EditBox* box = Make(InputMode::kShortInteger);
  box->setGeometry(93, 148, 219, 24);
  Spinner* spinner = box->AttachSpinner(18, 1, 100);
  EXPECT_EQ(spinner->geometry(), QRect(312, 148, 18, 24));
  EXPECT_EQ(spinner->UpButton()->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(box->AttachSpinner(18, 1, 100), spinner);  // attaching again adds no second one
}

TEST_F(EditBoxTest, BackgroundColourIsKept) {
  EditBox* box = Make(InputMode::kShortInteger);
  box->SetBackground(QColor(255, 0, 0));
  EXPECT_EQ(box->Background(), QColor(255, 0, 0));
  box->SetBackground(Qt::white);
  EXPECT_EQ(box->Background(), QColor(Qt::white));
}

TEST_F(EditBoxTest, FocusEventsAreRaised) {
  EditBox* box = Make(InputMode::kFree);
  Focus(other_);
  QSignalSpy got(box, &EditBox::GotFocus);
  QSignalSpy lost(box, &EditBox::LostFocus);
  Focus(box);
  EXPECT_EQ(got.count(), 1);
  Focus(other_);
  EXPECT_EQ(lost.count(), 1);
}

}  // namespace
}  // namespace quill
