#pragma once

#include <QDialog>

// The version box, shown by the tool bar's about button.
class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};
