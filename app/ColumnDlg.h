#pragma once

#include "app/TavDialog.h"
#include "view/Host.h"

class QLineEdit;

// The reading settings of an X-Y open; each field is an integer checked
// against its range when OK is pressed.
class CColumnDlg : public CTavDialog {
  Q_OBJECT
 public:
  explicit CColumnDlg(const ColumnSettings& preset, QWidget* parent = nullptr);

  ColumnSettings m_settings;

  QLineEdit* XColumnEdit() const { return m_x; }
  QLineEdit* YColumnEdit() const { return m_y; }
  QLineEdit* SkipEdit() const { return m_skip; }
  QLineEdit* LastLineEdit() const { return m_last; }

 protected:
  bool Exchange() override;

 private:
  QLineEdit* AddField(const QString& label, int row, int value);

  QLineEdit* m_x;
  QLineEdit* m_y;
  QLineEdit* m_skip;
  QLineEdit* m_last;
};
