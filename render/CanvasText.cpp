#include "render/CanvasText.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <map>
#include <utility>

namespace {

constexpr int kTextPixelSize = 12;
constexpr std::size_t kMaxCachedTexts = 256;

// A Japanese-capable font where one is installed, else the default family.
QFont MakeCanvasFont() {
  QFont font;
  const QStringList installed = QFontDatabase::families();
  for (const char* family :
       {"IPAGothic", "IPAPGothic", "Noto Sans CJK JP", "VL Gothic", "TakaoGothic"}) {
    if (installed.contains(QString::fromLatin1(family))) {
      font.setFamily(QString::fromLatin1(family));
      break;
    }
  }
  font.setPixelSize(kTextPixelSize);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

const QFont& CanvasFont() {
  static const QFont font = MakeCanvasFont();
  return font;
}

// The canvas font with a Latin family first, where one is installed: the
// Japanese fonts draw Greek letters full-width ("2 θ").
QFont MakeGreekFont() {
  QFont font = CanvasFont();
  const QStringList installed = QFontDatabase::families();
  for (const char* family : {"DejaVu Sans", "Noto Sans", "Liberation Sans"}) {
    if (installed.contains(QString::fromLatin1(family))) {
      font.setFamilies({QString::fromLatin1(family), CanvasFont().family()});
      break;
    }
  }
  return font;
}

bool HasGreek(const QString& text) {
  return std::any_of(text.begin(), text.end(),
                     [](QChar c) { return c.unicode() >= 0x0370 && c.unicode() <= 0x03FF; });
}

// The font of a text: the canvas font, or for a text with Greek letters (no
// text of the classic picture has any) the one that draws them narrow.
const QFont& FontFor(const QString& text) {
  static const QFont greek = MakeGreekFont();
  return HasGreek(text) ? greek : CanvasFont();
}

QSize TextCellSize(const QPainter& painter, const QString& text) {
  const QFontMetrics metrics(FontFor(text), painter.device());
  return QSize(metrics.horizontalAdvance(text), metrics.height());
}

// Draws the text's cell with its top-left corner at (x, y).
void DrawTextCell(QPainter& painter, int x, int y, const QString& text, Color color) {
  const QFontMetrics metrics(FontFor(text), painter.device());
  painter.fillRect(QRect(QPoint(x, y), TextCellSize(painter, text)), Qt::white);
  painter.setFont(FontFor(text));
  painter.setPen(ToQColor(color));
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.drawText(x, y + metrics.ascent(), text);
}

}  // namespace

QColor ToQColor(Color color) {
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

void DrawCanvasText(QPainter& painter, int x, int y, const std::string& text, Color color) {
  painter.save();
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  DrawTextCell(painter, x, y, QString::fromStdString(text), color);
  painter.restore();
}

QSize CanvasTextCellSize(const QPainter& painter, const std::string& text) {
  return TextCellSize(painter, QString::fromStdString(text));
}

const QImage& CanvasTextImage(const std::string& text, Color color) {
  static std::map<std::pair<std::string, Color>, QImage> cache;
  const auto key = std::make_pair(text, color);
  if (const auto it = cache.find(key); it != cache.end()) return it->second;
  if (cache.size() >= kMaxCachedTexts) cache.clear();

  const QString qtext = QString::fromStdString(text);
  const QFontMetrics metrics(FontFor(qtext));
  QImage image(std::max(1, metrics.horizontalAdvance(qtext)), std::max(1, metrics.height()),
               QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    DrawTextCell(painter, 0, 0, qtext, color);
  }
  return cache.emplace(key, std::move(image)).first->second;
}
