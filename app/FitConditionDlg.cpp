#include "app/FitConditionDlg.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

CFitConditionDlg::CFitConditionDlg(const FitConditions& preset, QWidget* parent)
    : CTavDialog(parent, QStringLiteral("ﾀﾞｲｱﾛｸﾞ"), 187, 107),
      m_conditions(preset),
      m_group(new QButtonGroup(this)) {
  auto* label = new QLabel(QStringLiteral("収束条件＝"), this);
  label->setGeometry(Units().Rect(10, 14, 50, 10));
  m_tolerance = new QLineEdit(DoubleFieldText(preset.tolerance), this);
  m_tolerance->setGeometry(Units().Rect(60, 12, 55, 14));

  auto* box = new QGroupBox(QStringLiteral("関数の選択"), this);
  box->setGeometry(Units().Rect(7, 36, 112, 60));
  auto* gauss = new QRadioButton(QStringLiteral("ガウス関数"), this);
  gauss->setGeometry(Units().Rect(20, 52, 85, 12));
  auto* lorentz = new QRadioButton(QStringLiteral("ローレンツ関数"), this);
  lorentz->setGeometry(Units().Rect(20, 72, 85, 12));
  m_group->addButton(gauss, kGaussian);
  m_group->addButton(lorentz, kLorentzian);
  // Neither button is checked for kNoShape (or any other value).
  if (preset.function == kGaussian) gauss->setChecked(true);
  if (preset.function == kLorentzian) lorentz->setChecked(true);
}

bool CFitConditionDlg::Exchange() {
  FitConditions read = m_conditions;
  if (!ReadDoubleInRange(m_tolerance, read.tolerance, limits::kToleranceMin, limits::kToleranceMax))
    return false;
  read.function = m_group->checkedId();  // kNoShape when neither is checked
  m_conditions = read;
  return true;
}
