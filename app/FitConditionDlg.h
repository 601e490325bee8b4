#pragma once

#include "app/TavDialog.h"
#include "view/Host.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

// The fit conditions: the convergence tolerance, the peak shape
// the registry's number, or kNoShape when none is chosen), the starting widths
// from the data, the Kα1/Kα2 doublet, a message box after every step, the
// weights, the mixed shapes' physical bounds, the peaks the table takes and
// the background's order.
class CFitConditionDlg : public CTavDialog {
  Q_OBJECT
 public:
  explicit CFitConditionDlg(const FitConditions& preset, QWidget* parent = nullptr);

  FitConditions m_conditions;

  QLineEdit* ToleranceEdit() const { return m_tolerance; }
  QButtonGroup* Buttons() const { return m_group; }
  QCheckBox* WidthFromDataBox() const { return m_widthFromData; }
  QCheckBox* DoubletBox() const { return m_doublet; }
  QCheckBox* StepMessagesBox() const { return m_stepMessages; }
  QComboBox* WeightsBox() const { return m_weights; }
  QCheckBox* PhysicalBoundsBox() const { return m_physicalBounds; }
  QSpinBox* MaxPeaksBox() const { return m_maxPeaks; }
  QSpinBox* BackgroundOrderBox() const { return m_backgroundOrder; }

 protected:
  bool Exchange() override;

 private:
  QLineEdit* m_tolerance;
  QButtonGroup* m_group;
  QCheckBox* m_widthFromData;
  QCheckBox* m_doublet;
  QCheckBox* m_stepMessages;
  QComboBox* m_weights;
  QCheckBox* m_physicalBounds;
  QSpinBox* m_maxPeaks;
  QSpinBox* m_backgroundOrder;
};
