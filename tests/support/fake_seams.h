#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include <QDateTime>
#include <QString>
#include <QTemporaryDir>

#include "support/qt_print.h"
#include "toolkit/seams.h"

namespace quill::testing {

// Records every message box and answers from a queue; OK once the queue is empty.
class FakeMessageBoxes final : public MessageBoxes {
 public:
  struct Shown {
    QString text;
    MessageStyle style;
    QString caption;
  };

  int Show(const QString& text, MessageStyle style, const QString& caption) override;
  void AnswerNext(int answer) { answers_.push_back(answer); }
  // Runs while the box "is open", before it answers.
  void OnShow(std::function<void(const Shown&)> hook) { hook_ = std::move(hook); }

  const std::vector<Shown>& All() const { return shown_; }
  int Count() const { return static_cast<int>(shown_.size()); }
  const Shown& Last() const { return shown_.back(); }
  void Clear() { shown_.clear(); }

 private:
  std::vector<Shown> shown_;
  std::deque<int> answers_;
  std::function<void(const Shown&)> hook_;
};

class FakeShell final : public DesktopShell {
 public:
  void Open(const QString& target) override { opened.push_back(target); }
  std::vector<QString> opened;
};

class FakeFolderPicker final : public FolderPicker {
 public:
  std::optional<QString> Pick(const QString& prompt, const QString& start_directory) override;
  // The answer of the next Pick only; later picks cancel unless set again.
  void AnswerNext(std::optional<QString> folder) { next_ = std::move(folder); }

  struct Asked {
    QString prompt;
    QString start_directory;
  };
  std::vector<Asked> asked;

 private:
  std::optional<QString> next_;
};

class FixedClock final : public Clock {
 public:
  QDateTime Now() override { return now; }
  QDateTime now = QDateTime(QDate(2016, 3, 5), QTime(10, 30, 0));
};

// Fakes for every seam, installed for the life of the object: a fresh empty run directory
// with a Desktop folder beside it, a server address nobody listens on.
class FakeSeams {
 public:
  FakeSeams();
  ~FakeSeams();
  FakeSeams(const FakeSeams&) = delete;
  FakeSeams& operator=(const FakeSeams&) = delete;

  QString RunDir() const { return run_dir_.path(); }
  std::filesystem::path RunFile(const QString& name) const;
  QString DesktopDir() const;
  void SetServerAddress(const QString& address);
  void Reinstall();

  FakeMessageBoxes messages;
  FakeShell shell;
  FakeFolderPicker folder_picker;
  FixedClock clock;

 private:
  QTemporaryDir run_dir_;
  QTemporaryDir desktop_dir_;
  QString server_address_ = QStringLiteral("http://127.0.0.1:9");
};

}  // namespace quill::testing
