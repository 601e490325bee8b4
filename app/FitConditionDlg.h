#pragma once

#include "app/TavDialog.h"
#include "view/Host.h"

class QButtonGroup;
class QLineEdit;

// The fit conditions: the convergence tolerance and the peak shape,
// kGaussian, kLorentzian, or kNoShape when neither is chosen.
class CFitConditionDlg : public CTavDialog {
  Q_OBJECT
 public:
  explicit CFitConditionDlg(const FitConditions& preset, QWidget* parent = nullptr);

  FitConditions m_conditions;

  QLineEdit* ToleranceEdit() const { return m_tolerance; }
  QButtonGroup* Buttons() const { return m_group; }

 protected:
  bool Exchange() override;

 private:
  QLineEdit* m_tolerance;
  QButtonGroup* m_group;
};
