#include "support/fake_seams.h"

namespace quill::testing {

int FakeMessageBoxes::Show(const QString& text, MessageStyle style, const QString& caption) {
  shown_.push_back(Shown{text, style, caption});
  if (hook_) hook_(shown_.back());
  if (answers_.empty()) return kMessageOk;
  const int answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::optional<QString> FakeFolderPicker::Pick(const QString& prompt,
                                              const QString& start_directory) {
  asked.push_back(Asked{prompt, start_directory});
  std::optional<QString> answer = std::move(next_);
  next_.reset();
  return answer;
}

FakeSeams::FakeSeams() { Reinstall(); }

FakeSeams::~FakeSeams() { InstallSeams(SeamSet{}); }

std::filesystem::path FakeSeams::RunFile(const QString& name) const { return RunPath(name); }

QString FakeSeams::DesktopDir() const { return desktop_dir_.path(); }

void FakeSeams::SetServerAddress(const QString& address) {
  server_address_ = address;
  Reinstall();
}

void FakeSeams::Reinstall() {
  SeamSet set;
  set.message_boxes = &messages;
  set.shell = &shell;
  set.folder_picker = &folder_picker;
  set.clock = &clock;
  set.run_directory = run_dir_.path();
  set.server_address = server_address_;
  set.desktop_directory = desktop_dir_.path();
  InstallSeams(set);
}

}  // namespace quill::testing
