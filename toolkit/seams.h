#pragma once

#include <filesystem>
#include <optional>

#include <QDateTime>
#include <QString>

namespace quill {

enum class MessageStyle { kOk, kOkWarning, kOkInformation, kOkCancelQuestion };

// Results of ShowMessage.
inline constexpr int kMessageOk = 0;
inline constexpr int kMessageCancel = 1;

// The outside world as the windows see it. Production installs nothing and gets the real
// desktop; tests install fakes (tests/support/fake_seams.h) once per test.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Task-modal, no owner window; 0 for OK, 1 for Cancel.
  virtual int Show(const QString& text, MessageStyle style, const QString& caption) = 0;
};

class DesktopShell {
 public:
  virtual ~DesktopShell() = default;
  // A web address opens in the browser, a file path starts or opens the file.
  virtual void Open(const QString& target) = 0;
};

class FolderPicker {
 public:
  virtual ~FolderPicker() = default;
  // nullopt when the user cancels or picks something without a file-system path.
  virtual std::optional<QString> Pick(const QString& prompt, const QString& start_directory) = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual QDateTime Now() = 0;
};

// What InstallSeams replaces; members left empty keep (or go back to) the real desktop.
struct SeamSet {
  MessageBoxes* message_boxes = nullptr;
  DesktopShell* shell = nullptr;
  FolderPicker* folder_picker = nullptr;
  Clock* clock = nullptr;
  std::optional<QString> run_directory;      // default: the executable's directory
  std::optional<QString> server_address;     // default: QUILL_SERVER_URL
  std::optional<QString> desktop_directory;  // default: the user's desktop
};
void InstallSeams(const SeamSet& seams);

int ShowMessage(const QString& text, MessageStyle style = MessageStyle::kOk,
                const QString& caption = u"信息："_qs);
void OpenWithShell(const QString& target);
std::optional<QString> PickFolder(const QString& prompt, const QString& start_directory);
QDateTime Now();

// Without a trailing separator.
QString RunDirectory();
// The run directory joined with a file name (UTF-8 names on Linux).
std::filesystem::path RunPath(const QString& file_name);
std::filesystem::path ToPath(const QString& path);
QString FromPath(const std::filesystem::path& path);

// Base address of the maker's web server, without a trailing "/".
QString ServerAddress();
// Without a trailing separator.
QString DesktopDirectory();

}  // namespace quill
