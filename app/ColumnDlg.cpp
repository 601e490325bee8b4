#include "app/ColumnDlg.h"

#include <QLabel>
#include <QLineEdit>

CColumnDlg::CColumnDlg(const ColumnSettings& preset, QWidget* parent)
    : CTavDialog(parent, tr("ﾀﾞｲｱﾛｸﾞ"), 187, 109), m_settings(preset) {
  m_x = AddField(tr("Xデータ："), 0, preset.xColumn);
  m_y = AddField(tr("Yデータ："), 1, preset.yColumn);
  m_skip = AddField(tr("読み飛ばし："), 2, preset.skipLines);
  m_last = AddField(tr("最終行："), 3, preset.lastLine);
  m_x->setToolTip(tr("X（2θ）を読む列の番号"));
  m_y->setToolTip(tr("強度を読む列の番号"));
  m_skip->setToolTip(tr("ファイルの先頭で読み飛ばす行数（見出しの行など）"));
  m_last->setToolTip(tr("読み込む最後の行の番号"));
}

QLineEdit* CColumnDlg::AddField(const QString& label, int row, int value) {
  const int top = 14 + row * 22;
  auto* text = new QLabel(label, this);
  text->setGeometry(Units().Rect(12, top + 3, 55, 8));
  auto* edit = new QLineEdit(QString::number(value), this);
  edit->setGeometry(Units().Rect(70, top, 45, 14));
  return edit;
}

bool CColumnDlg::Exchange() {
  ColumnSettings read = m_settings;
  using namespace limits;
  if (!ReadIntInRange(m_x, read.xColumn, kColumnMin, kColumnMax)) return false;
  if (!ReadIntInRange(m_y, read.yColumn, kColumnMin, kColumnMax)) return false;
  if (!ReadIntInRange(m_skip, read.skipLines, kSkipLinesMin, kSkipLinesMax)) return false;
  if (!ReadIntInRange(m_last, read.lastLine, kLastLineMin, kLastLineMax)) return false;
  m_settings = read;
  return true;
}
