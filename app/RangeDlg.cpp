#include "app/RangeDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CRangeDlg::CRangeDlg(const RangeValues& preset, QWidget* parent, bool modern)
    : CTavDialog(parent, tr("ﾀﾞｲｱﾛｸﾞ"), modern ? 185 : 165, 141), m_range(preset) {
  if (modern) {
    // Fields wide enough for the 15 significant digits they show, and the
    // labels alike.
    PlaceButtons(Units().Rect(39, 105, 50, 14), Units().Rect(100, 105, 50, 14));
    m_xMin = AddEdit(80, 18, 95, preset.xMin, tr("表示する X の下限"));
    m_xMax = AddEdit(80, 38, 95, preset.xMax, tr("表示する X の上限"));
    m_yMin = AddEdit(80, 59, 95, preset.yMin, tr("表示する強度の下限"));
    m_yMax = AddEdit(80, 78, 95, preset.yMax, tr("表示する強度の上限"));
    for (QLineEdit* edit : {m_xMin, m_xMax, m_yMin, m_yMax}) edit->setCursorPosition(0);
    AddLabel(QStringLiteral("Xmin="), 40, 22, 20);
    AddLabel(QStringLiteral("Xmax="), 40, 43, 20);
    AddLabel(QStringLiteral("Ymin="), 40, 63, 20);
    AddLabel(QStringLiteral("Ymax="), 40, 85, 20);
  } else {
    PlaceButtons(Units().Rect(29, 105, 50, 14), Units().Rect(90, 105, 50, 14));
    m_xMin = AddEdit(90, 18, 40, preset.xMin, tr("表示する X の下限"));
    m_xMax = AddEdit(90, 38, 40, preset.xMax, tr("表示する X の上限"));
    m_yMin = AddEdit(90, 59, 40, preset.yMin, tr("表示する強度の下限"));
    m_yMax = AddEdit(90, 78, 40, preset.yMax, tr("表示する強度の上限"));
    AddLabel(QStringLiteral("Xmin="), 50, 22, 19);
    AddLabel(QStringLiteral("Xmax="), 50, 43, 20);
    AddLabel(QStringLiteral("Ymin"), 50, 63, 15);
    AddLabel(QStringLiteral("Ymax="), 50, 85, 20);
  }
  // Template order is the tab order: OK, cancel, then the four fields.
  setTabOrder(OkButton(), CancelButton());
  setTabOrder(CancelButton(), m_xMin);
  setTabOrder(m_xMin, m_xMax);
  setTabOrder(m_xMax, m_yMin);
  setTabOrder(m_yMin, m_yMax);
}

QLineEdit* CRangeDlg::AddEdit(int x, int y, int width, double value, const QString& tip) {
  auto* edit = new QLineEdit(DoubleFieldText(value), this);
  edit->setGeometry(Units().Rect(x, y, width, 14));
  edit->setToolTip(tip);
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
