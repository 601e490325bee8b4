#pragma once

#include <QDialog>
#include <QStringList>

#include "series/SeriesFit.h"

class QListWidget;
class QRadioButton;
class QSpinBox;

// The series fit's dialog: the files, chained or independent, and the number
// of threads of an independent series.
class CSeriesDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CSeriesDlg(QWidget* parent);

  QStringList Files() const;
  SeriesOptions Options() const;
  // Adds files to the list (the "追加..." button's dialog does the same).
  void AddFiles(const QStringList& files);

 private:
  void ChooseFiles();
  void RemoveSelected();
  void UpdateState();

  QListWidget* m_files;
  QRadioButton* m_chained;
  QRadioButton* m_independent;
  QSpinBox* m_jobs;
  QPushButton* m_ok = nullptr;
};
