#include "app/FitConditionDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

CFitConditionDlg::CFitConditionDlg(const FitConditions& preset, QWidget* parent)
    : CTavDialog(parent, tr("ﾀﾞｲｱﾛｸﾞ"), 187, 192),
      m_conditions(preset),
      m_group(new QButtonGroup(this)) {
  auto* label = new QLabel(tr("収束条件＝"), this);
  label->setGeometry(Units().Rect(10, 14, 50, 10));
  m_tolerance = new QLineEdit(DoubleFieldText(preset.tolerance), this);
  m_tolerance->setGeometry(Units().Rect(60, 12, 55, 14));

  auto* box = new QGroupBox(tr("関数の選択"), this);
  box->setGeometry(Units().Rect(7, 36, 112, 100));
  auto* gauss = new QRadioButton(tr("ガウス関数"), this);
  gauss->setGeometry(Units().Rect(20, 52, 85, 12));
  auto* lorentz = new QRadioButton(tr("ローレンツ関数"), this);
  lorentz->setGeometry(Units().Rect(20, 72, 85, 12));
  auto* pseudoVoigt = new QRadioButton(tr("擬フォークト関数"), this);
  pseudoVoigt->setGeometry(Units().Rect(20, 92, 85, 12));
  auto* pearson = new QRadioButton(tr("ピアソンVII関数"), this);
  pearson->setGeometry(Units().Rect(20, 112, 85, 12));
  m_group->addButton(gauss, kGaussian);
  m_group->addButton(lorentz, kLorentzian);
  m_group->addButton(pseudoVoigt, kPseudoVoigt);
  m_group->addButton(pearson, kPearson7);
  // No button is checked for kNoShape (or any other value).
  if (QAbstractButton* chosen = m_group->button(preset.function)) chosen->setChecked(true);

  m_widthFromData = new QCheckBox(tr("初期幅をデータから推定する"), this);
  m_widthFromData->setGeometry(Units().Rect(10, 142, 170, 12));
  m_widthFromData->setChecked(preset.widthFromData);
  m_doublet = new QCheckBox(tr("Kα1/Kα2 の二重線でフィットする"), this);
  m_doublet->setGeometry(Units().Rect(10, 158, 170, 12));
  m_doublet->setChecked(preset.doublet);
  m_stepMessages = new QCheckBox(tr("反復ごとにメッセージを表示する"), this);
  m_stepMessages->setGeometry(Units().Rect(10, 174, 170, 12));
  m_stepMessages->setChecked(preset.stepMessages);
}

bool CFitConditionDlg::Exchange() {
  FitConditions read = m_conditions;
  if (!ReadDoubleInRange(m_tolerance, read.tolerance, limits::kToleranceMin, limits::kToleranceMax))
    return false;
  read.function = m_group->checkedId();  // kNoShape when none is checked
  read.widthFromData = m_widthFromData->isChecked();
  read.doublet = m_doublet->isChecked();
  read.stepMessages = m_stepMessages->isChecked();
  m_conditions = read;
  return true;
}
