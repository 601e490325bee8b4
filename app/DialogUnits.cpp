#include "app/DialogUnits.h"

#include <QFontMetrics>

namespace {

// The average width of the 52 Latin letters, rounded, as the platform takes it.
int AverageCharWidth(const QFontMetrics& metrics) {
  const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  m_baseX = AverageCharWidth(metrics);
  m_baseY = metrics.height();
}

int DialogUnits::X(int dlu) const { return (dlu * m_baseX + 2) / 4; }

int DialogUnits::Y(int dlu) const { return (dlu * m_baseY + 4) / 8; }

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
  return QRect(X(x), Y(y), X(width), Y(height));
}
