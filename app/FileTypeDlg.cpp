#include "app/FileTypeDlg.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>

CFileTypeDlg::CFileTypeDlg(QWidget* parent)
    : CTavDialog(parent, tr("ﾀﾞｲｱﾛｸﾞ"), 187, 91), m_group(new QButtonGroup(this)) {
  auto* box = new QGroupBox(tr("ファイルタイプの選択"), this);
  box->setGeometry(Units().Rect(7, 7, 112, 73));
  auto* xy = new QRadioButton(QStringLiteral("X-Y data"), this);
  xy->setGeometry(Units().Rect(20, 22, 80, 12));
  auto* rigaku = new QRadioButton(QStringLiteral("Rigaku data"), this);
  rigaku->setGeometry(Units().Rect(20, 40, 80, 12));
  m_group->addButton(xy, static_cast<int>(FileType::Xy));
  m_group->addButton(rigaku, static_cast<int>(FileType::Rigaku));
  // Any format the program reads, detected by the file's contents.
  auto* detect = new QRadioButton(tr("自動判別"), this);
  detect->setGeometry(Units().Rect(20, 58, 80, 12));
  m_group->addButton(detect, static_cast<int>(FileType::Auto));
  xy->setToolTip(tr("列に並んだ X と強度のテキストファイル"));
  rigaku->setToolTip(tr("リガクの RINT ASCII ファイル"));
  detect->setToolTip(tr("読めるどの形式も、ファイルの内容から判別して読む"));
}

void CFileTypeDlg::showEvent(QShowEvent* event) {
  // An exclusive group can only show "none chosen" by dropping exclusivity.
  m_group->setExclusive(false);
  for (QAbstractButton* button : m_group->buttons())
    button->setChecked(m_group->id(button) == static_cast<int>(m_type));
  m_group->setExclusive(true);
  CTavDialog::showEvent(event);
}

bool CFileTypeDlg::Exchange() {
  m_type = static_cast<FileType>(m_group->checkedId());  // -1, None, when none is checked
  return true;
}
