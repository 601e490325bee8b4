#include "app/RangeDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CRangeDlg::CRangeDlg(const RangeValues& preset, QWidget* parent)
    : CTavDialog(parent, tr("ﾀﾞｲｱﾛｸﾞ"), 185, 141), m_range(preset) {
  PlaceButtons(Units().Rect(39, 105, 50, 14), Units().Rect(100, 105, 50, 14));
  m_xMin = AddEdit(80, 18, preset.xMin, tr("表示する X の下限"));
  m_xMax = AddEdit(80, 38, preset.xMax, tr("表示する X の上限"));
  m_yMin = AddEdit(80, 59, preset.yMin, tr("表示する強度の下限"));
  m_yMax = AddEdit(80, 78, preset.yMax, tr("表示する強度の上限"));
  AddLabel(QStringLiteral("Xmin="), 40, 22, 20);
  AddLabel(QStringLiteral("Xmax="), 40, 43, 20);
  AddLabel(QStringLiteral("Ymin="), 40, 63, 20);
  AddLabel(QStringLiteral("Ymax="), 40, 85, 20);
  // Template order is the tab order: OK, cancel, then the four fields.
  setTabOrder(OkButton(), CancelButton());
  setTabOrder(CancelButton(), m_xMin);
  setTabOrder(m_xMin, m_xMax);
  setTabOrder(m_xMax, m_yMin);
  setTabOrder(m_yMin, m_yMax);
}

// The fields are wide enough for the 15 significant digits they show.
QLineEdit* CRangeDlg::AddEdit(int x, int y, double value, const QString& tip) {
  auto* edit = new QLineEdit(DoubleFieldText(value), this);
  edit->setGeometry(Units().Rect(x, y, 95, 14));
  edit->setToolTip(tip);
  edit->setCursorPosition(0);
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
