#pragma once

#include <QListWidget>
#include <QRect>
#include <QString>

namespace quill {

// The names of the plain files of one directory that match a pattern, sorted ascending;
// folders and hidden files are left out. At most one name is selected.
class FileBox : public QListWidget {
  Q_OBJECT

 public:
  FileBox(QWidget* parent, const QString& name, const QRect& geometry, const QString& pattern);

  QString Directory() const { return directory_; }
  // Re-lists at once; the previously selected name is selected again when it is still listed,
  // silently (no SelectionChanged), and otherwise nothing is selected.
  void SetDirectory(const QString& directory);
  QString Pattern() const { return pattern_; }
  void SetPattern(const QString& pattern);
  QString SelectedName() const;  // empty for none
  QStringList Names() const;

 signals:
  void SelectionChanged();

 private:
  void Relist();

  QString directory_;
  QString pattern_;
};

}  // namespace quill
