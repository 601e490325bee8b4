#pragma once

#include "app/TavDialog.h"
#include "profile/FileType.h"

class QButtonGroup;

// The file-type choice of the open command: X-Y or Rigaku data, or the
// format detected by content; None when no button is chosen (the state the
// dialog starts in).
class CFileTypeDlg : public CTavDialog {
  Q_OBJECT
 public:
  explicit CFileTypeDlg(QWidget* parent = nullptr);

  FileType m_type = FileType::None;

  QButtonGroup* Buttons() const { return m_group; }

 protected:
  bool Exchange() override;
  void showEvent(QShowEvent* event) override;

 private:
  QButtonGroup* m_group;
};
