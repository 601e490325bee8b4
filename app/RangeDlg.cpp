#include "app/RangeDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CRangeDlg::CRangeDlg(const RangeValues& preset, QWidget* parent)
    : CTavDialog(parent, tr("ﾀﾞｲｱﾛｸﾞ"), 165, 141), m_range(preset) {
  PlaceButtons(Units().Rect(29, 105, 50, 14), Units().Rect(90, 105, 50, 14));
  m_xMin = AddEdit(90, 18, preset.xMin);
  m_xMax = AddEdit(90, 38, preset.xMax);
  m_yMin = AddEdit(90, 59, preset.yMin);
  m_yMax = AddEdit(90, 78, preset.yMax);
  AddLabel(QStringLiteral("Xmin="), 50, 22, 19);
  AddLabel(QStringLiteral("Xmax="), 50, 43, 20);
  AddLabel(QStringLiteral("Ymin"), 50, 63, 15);
  AddLabel(QStringLiteral("Ymax="), 50, 85, 20);
  // Template order is the tab order: OK, cancel, then the four fields.
  setTabOrder(OkButton(), CancelButton());
  setTabOrder(CancelButton(), m_xMin);
  setTabOrder(m_xMin, m_xMax);
  setTabOrder(m_xMax, m_yMin);
  setTabOrder(m_yMin, m_yMax);
}

QLineEdit* CRangeDlg::AddEdit(int x, int y, double value) {
  auto* edit = new QLineEdit(DoubleFieldText(value), this);
  edit->setGeometry(Units().Rect(x, y, 40, 14));
  return edit;
}

void CRangeDlg::AddLabel(const QString& text, int x, int y, int width) {
  auto* label = new QLabel(text, this);
  // The template's label widths are tight for a fallback font: let them grow.
  label->setGeometry(Units().Rect(x, y, width, 8).adjusted(0, -2, Units().X(12), 2));
}

void CRangeDlg::showEvent(QShowEvent* event) {
  CTavDialog::showEvent(event);
  OkButton()->setFocus();
}

bool CRangeDlg::Exchange() {
  RangeValues read = m_range;
  if (!ReadDouble(m_xMin, read.xMin)) return false;
  if (!ReadDouble(m_xMax, read.xMax)) return false;
  if (!ReadDouble(m_yMin, read.yMin)) return false;
  if (!ReadDouble(m_yMax, read.yMax)) return false;
  m_range = read;
  return true;
}
