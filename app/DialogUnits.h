#pragma once

#include <QFont>
#include <QRect>

// Dialog units, as dialog templates measure: a horizontal unit is a quarter
// of the font's average character width, a vertical unit an eighth of its
// height.
class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);

  int X(int dlu) const;
  int Y(int dlu) const;
  QRect Rect(int x, int y, int width, int height) const;

 private:
  int m_baseX;
  int m_baseY;
};
