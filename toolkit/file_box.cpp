#include "toolkit/file_box.h"

#include <algorithm>

#include <QDir>
#include <QSignalBlocker>

#include "toolkit/control.h"

namespace quill {

FileBox::FileBox(QWidget* parent, const QString& name, const QRect& geometry,
                 const QString& pattern)
    : QListWidget(nullptr), pattern_(pattern) {
  PlaceControl(this, parent, name, geometry);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSortingEnabled(false);
  connect(this, &QListWidget::itemSelectionChanged, this, &FileBox::SelectionChanged);
}

void FileBox::SetDirectory(const QString& directory) {
  directory_ = directory;
  Relist();
}

void FileBox::SetPattern(const QString& pattern) {
  pattern_ = pattern;
  Relist();
}

QString FileBox::SelectedName() const {
  const QList<QListWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? QString() : selected.front()->text();
}

QStringList FileBox::Names() const {
  QStringList names;
  for (int i = 0; i < count(); ++i) names.append(item(i)->text());
  return names;
}

void FileBox::Relist() {
  const QString previous = SelectedName();
  const QSignalBlocker quiet(this);
  clear();
  if (directory_.isEmpty()) return;
  QDir dir(directory_);
  QStringList names =
      dir.entryList(QStringList{pattern_}, QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
  std::sort(names.begin(), names.end());
  addItems(names);
  if (previous.isEmpty()) return;
  const qsizetype at = names.indexOf(previous);
  if (at >= 0) {
    setCurrentRow(static_cast<int>(at), QItemSelectionModel::ClearAndSelect);
  }
}

}  // namespace quill
