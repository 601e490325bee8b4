#pragma once

#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "series/SeriesXAxis.h"

class QComboBox;
class QLineEdit;

// What the series plot puts on X: the file index, the order of the file
// names, a number in the file name found by a pattern typed beside it, or
// the time since the first scan began, from the files' headers.
class SeriesXChooser : public QWidget {
  Q_OBJECT
 public:
  explicit SeriesXChooser(QWidget* parent);

  QComboBox* Choice() const { return m_choice; }
  QLineEdit* Pattern() const { return m_pattern; }
  // The X of each file (in the series' order); false with the reason when
  // the pattern is no regular expression.
  bool Values(const std::vector<SeriesXFile>& files, std::vector<double>& values,
              QString& error) const;
  // The X axis's title.
  QString Title() const;

 signals:
  void Changed();

 private:
  QComboBox* m_choice;
  QLineEdit* m_pattern;
};
