#pragma once

#include <QDialog>

class QSpinBox;

// The width and height in pixels of an exported plot.
class CExportSizeDlg : public QDialog {
  Q_OBJECT
 public:
  CExportSizeDlg(int width, int height, QWidget* parent);

  int Width() const;
  int Height() const;
  QSpinBox* WidthBox() const { return m_width; }
  QSpinBox* HeightBox() const { return m_height; }

 private:
  QSpinBox* m_width;
  QSpinBox* m_height;
};
