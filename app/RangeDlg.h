#pragma once

#include "app/TavDialog.h"
#include "view/Host.h"

class QLineEdit;

// The typed display range: four real numbers taken as typed, with no
// ordering test. OK has the initial focus.
class CRangeDlg : public CTavDialog {
  Q_OBJECT
 public:
  // The classic layout, or with modern the fields widened to their numbers.
  explicit CRangeDlg(const RangeValues& preset, QWidget* parent = nullptr, bool modern = false);

  RangeValues m_range;

  QLineEdit* XminEdit() const { return m_xMin; }
  QLineEdit* XmaxEdit() const { return m_xMax; }
  QLineEdit* YminEdit() const { return m_yMin; }
  QLineEdit* YmaxEdit() const { return m_yMax; }

 protected:
  bool Exchange() override;
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* AddEdit(int x, int y, int width, double value, const QString& tip);
  void AddLabel(const QString& text, int x, int y, int width);

  QLineEdit* m_xMin;
  QLineEdit* m_xMax;
  QLineEdit* m_yMin;
  QLineEdit* m_yMax;
};
