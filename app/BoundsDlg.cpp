#include "app/BoundsDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <cmath>
#include <limits>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A finite bound as a field shows it; an infinite one as an empty field.
QString BoundText(double value) { return std::isinf(value) ? QString() : DoubleFieldText(value); }

}  // namespace

CBoundsDlg::CBoundsDlg(const QString& parameter, double lower, double upper, QWidget* parent)
    : CTavDialog(parent, tr("範囲を設定"), 180, 76), m_lower(lower), m_upper(upper) {
  auto* what = new QLabel(parameter, this);
  what->setGeometry(Units().Rect(7, 8, 110, 10));
  auto* lowerLabel = new QLabel(tr("下限"), this);
  lowerLabel->setGeometry(Units().Rect(7, 26, 30, 10));
  m_lowerEdit = new QLineEdit(BoundText(lower), this);
  m_lowerEdit->setGeometry(Units().Rect(40, 24, 75, 14));
  m_lowerEdit->setToolTip(tr("パラメータがとれる最小の値（空欄は制限なし）"));
  auto* upperLabel = new QLabel(tr("上限"), this);
  upperLabel->setGeometry(Units().Rect(7, 44, 30, 10));
  m_upperEdit = new QLineEdit(BoundText(upper), this);
  m_upperEdit->setGeometry(Units().Rect(40, 42, 75, 14));
  m_upperEdit->setToolTip(tr("パラメータがとれる最大の値（空欄は制限なし）"));
  auto* note = new QLabel(tr("空欄は制限なし"), this);
  note->setGeometry(Units().Rect(7, 60, 160, 10));
}

bool CBoundsDlg::ReadBound(QLineEdit* edit, double unbounded, double& value) {
  if (edit->text().trimmed().isEmpty()) {
    value = unbounded;
    return true;
  }
  return ReadDouble(edit, value);
}

bool CBoundsDlg::Exchange() {
  double lower = 0.0;
  double upper = 0.0;
  if (!ReadBound(m_lowerEdit, -kInfinity, lower)) return false;
  if (!ReadBound(m_upperEdit, kInfinity, upper)) return false;
  if (lower > upper) {
    Refuse(m_upperEdit, tr("上限は下限以上にしてください。"));
    return false;
  }
  m_lower = lower;
  m_upper = upper;
  return true;
}
