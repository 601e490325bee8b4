#include "app/FitConditionDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include "app/DialogFont.h"
#include "view/ViewState.h"

CFitConditionDlg::CFitConditionDlg(const FitConditions& preset, QWidget* parent)
    : CTavDialog(parent, tr("ﾀﾞｲｱﾛｸﾞ"), 187, 188 + 20 * static_cast<int>(PeakShapes().size())),
      m_conditions(preset),
      m_group(new QButtonGroup(this)) {
  auto* label = new QLabel(tr("収束条件＝"), this);
  label->setGeometry(Units().Rect(10, 14, 50, 10));
  m_tolerance = new QLineEdit(DoubleFieldText(preset.tolerance), this);
  m_tolerance->setGeometry(Units().Rect(60, 12, 55, 14));
  m_tolerance->setToolTip(tr("χ² の減りがこの割合より小さくなったら収束とみなす（0.00001〜1）"));

  // One choice a shape of the registry, 20 dialog units apart.
  const int shapes = static_cast<int>(PeakShapes().size());
  auto* box = new QGroupBox(tr("関数の選択"), this);
  box->setGeometry(Units().Rect(7, 36, 112, 20 * shapes + 20));
  for (const PeakShape& shape : PeakShapes()) {
    auto* choice = new QRadioButton(QCoreApplication::translate("tav", shape.dialogLabel), this);
    choice->setGeometry(Units().Rect(20, 52 + 20 * shape.function, 85, 12));
    m_group->addButton(choice, shape.function);
    choice->setToolTip(tr("ピークの形"));
  }
  // No button is checked for kNoShape (or any other value).
  if (QAbstractButton* chosen = m_group->button(preset.function)) chosen->setChecked(true);

  const int options = 62 + 20 * shapes;
  m_widthFromData = new QCheckBox(tr("初期幅をデータから推定する"), this);
  m_widthFromData->setGeometry(Units().Rect(10, options, 170, 12));
  m_widthFromData->setChecked(preset.widthFromData);
  m_widthFromData->setToolTip(
      tr("置いたピークの初期幅を、表示範囲の 1/10 でなくデータの半値幅から取る"));
  m_doublet = new QCheckBox(tr("Kα1/Kα2 の二重線でフィットする"), this);
  m_doublet->setGeometry(Units().Rect(10, options + 16, 170, 12));
  m_doublet->setChecked(preset.doublet);
  UseLatinFontForGreek(*m_doublet);
  m_doublet->setToolTip(tr("どのピークも波長 λ1 と λ2 の二本の線としてフィットする"));
  m_stepMessages = new QCheckBox(tr("反復ごとにメッセージを表示する"), this);
  m_stepMessages->setGeometry(Units().Rect(10, options + 32, 170, 12));
  m_stepMessages->setChecked(preset.stepMessages);
  m_stepMessages->setToolTip(tr("外すと、反復ごとのメッセージはステータスバーに出る"));
  auto* weightsLabel = new QLabel(tr("重み"), this);
  weightsLabel->setGeometry(Units().Rect(10, options + 50, 30, 10));
  m_weights = new QComboBox(this);
  m_weights->addItem(tr("単位重み"), static_cast<int>(FitWeights::kUnit));
  m_weights->addItem(tr("計数統計 (σ² = N + 1)"), static_cast<int>(FitWeights::kCounts));
  m_weights->addItem(tr("プロファイルの σ"), static_cast<int>(FitWeights::kSigma));
  m_weights->setCurrentIndex(m_weights->findData(static_cast<int>(preset.weights)));
  m_weights->setGeometry(Units().Rect(40, options + 48, 140, 14));
  UseLatinFontForGreek(*m_weights);
  m_weights->setToolTip(tr("最小二乗法で各点をどう重み付けするか"));
  m_physicalBounds = new QCheckBox(tr("混合型の関数を物理的な範囲に保つ"), this);
  m_physicalBounds->setToolTip(
      tr("擬Voigt・Pearson VII・分割擬Voigt: 高さ ≥ 0、幅 > 0、η は 0〜1、m ≥ 0.6"));
  m_physicalBounds->setGeometry(Units().Rect(10, options + 68, 175, 12));
  m_physicalBounds->setChecked(preset.physicalBounds);
  auto* maxPeaksLabel = new QLabel(tr("ピークの最大数"), this);
  maxPeaksLabel->setGeometry(Units().Rect(10, options + 88, 70, 10));
  m_maxPeaks = new QSpinBox(this);
  m_maxPeaks->setRange(kMaxPeaks, kPeakCapacity);
  m_maxPeaks->setValue(preset.maxPeaks);
  m_maxPeaks->setGeometry(Units().Rect(80, options + 86, 40, 14));
  m_maxPeaks->setToolTip(tr("ピーク表に置けるピークの数（10〜200）"));
  auto* orderLabel = new QLabel(tr("バックグラウンドの次数"), this);
  orderLabel->setGeometry(Units().Rect(10, options + 108, 70, 10));
  m_backgroundOrder = new QSpinBox(this);
  m_backgroundOrder->setRange(kMinBackgroundOrder, kMaxBackgroundOrder);
  m_backgroundOrder->setValue(preset.backgroundOrder);
  m_backgroundOrder->setToolTip(
      tr("1: 直線 A·x + B。それ以外: フィット範囲のチェビシェフ多項式 c0…cN"));
  m_backgroundOrder->setGeometry(Units().Rect(80, options + 106, 40, 14));
}

bool CFitConditionDlg::Exchange() {
  FitConditions read = m_conditions;
  if (!ReadDoubleInRange(m_tolerance, read.tolerance, limits::kToleranceMin, limits::kToleranceMax))
    return false;
  read.function = m_group->checkedId();  // kNoShape when none is checked
  read.widthFromData = m_widthFromData->isChecked();
  read.doublet = m_doublet->isChecked();
  read.stepMessages = m_stepMessages->isChecked();
  read.weights = static_cast<FitWeights>(m_weights->currentData().toInt());
  read.physicalBounds = m_physicalBounds->isChecked();
  read.maxPeaks = m_maxPeaks->value();
  read.backgroundOrder = m_backgroundOrder->value();
  m_conditions = read;
  return true;
}
