#pragma once

#include "app/TavDialog.h"

class QButtonGroup;

// The file-type choice of the open command: 0 X-Y data, 1 Rigaku data,
// -1 when no button is chosen (the state the dialog starts in).
class CFileTypeDlg : public CTavDialog {
  Q_OBJECT
 public:
  explicit CFileTypeDlg(QWidget* parent = nullptr);

  int m_type = -1;

  QButtonGroup* Buttons() const { return m_group; }

 protected:
  bool Exchange() override;
  void showEvent(QShowEvent* event) override;

 private:
  QButtonGroup* m_group;
};
