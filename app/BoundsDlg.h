#pragma once

#include "app/TavDialog.h"

class QLineEdit;

// The range a parameter must stay in: a lower and an upper bound, either
// left empty for none (±∞). Refuses a lower bound above the upper one.
class CBoundsDlg : public CTavDialog {
  Q_OBJECT
 public:
  CBoundsDlg(const QString& parameter, double lower, double upper, QWidget* parent = nullptr);

  double m_lower;
  double m_upper;

  QLineEdit* LowerEdit() const { return m_lowerEdit; }
  QLineEdit* UpperEdit() const { return m_upperEdit; }

 protected:
  bool Exchange() override;

 private:
  // An empty field reads as unbounded, at the given infinity.
  bool ReadBound(QLineEdit* edit, double unbounded, double& value);

  QLineEdit* m_lowerEdit;
  QLineEdit* m_upperEdit;
};
