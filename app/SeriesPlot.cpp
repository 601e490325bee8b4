#include "app/SeriesPlot.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "profile/AtomicFile.h"

namespace {

constexpr int kLeftMargin = 80;
constexpr int kRightMargin = 20;
constexpr int kTopMargin = 30;
constexpr int kBottomMargin = 45;
constexpr int kTickLength = 5;
constexpr int kMarkRadius = 3;
constexpr int kCapHalfWidth = 4;
constexpr int kFontPixels = 12;

struct Span {
  double lo = 0.0;
  double hi = 1.0;
};

// A step of 1, 2 or 5 times a power of ten giving about five ticks.
double TickStep(const Span& span) {
  const double raw = (span.hi - span.lo) / 5.0;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0}) {
    if (raw <= factor * power) return factor * power;
  }
  return 10.0 * power;
}

Span ValueSpan(const SeriesPlotData& data) {
  Span span{INFINITY, -INFINITY};
  for (const SeriesPoint& p : data.points) {
    span.lo = std::min(span.lo, p.value - p.error);
    span.hi = std::max(span.hi, p.value + p.error);
  }
  if (!(span.hi > span.lo)) {
    const double middle = std::isfinite(span.lo) ? span.lo : 0.0;
    const double half = middle == 0.0 ? 1.0 : std::fabs(middle) * 0.01;
    return {middle - half, middle + half};
  }
  const double pad = (span.hi - span.lo) * 0.05;
  return {span.lo - pad, span.hi + pad};
}

Span IndexSpan(const SeriesPlotData& data) {
  Span span{0.0, 1.0};
  if (data.points.empty()) return span;
  span.lo = data.points.front().index;
  span.hi = data.points.front().index;
  for (const SeriesPoint& p : data.points) {
    span.lo = std::min(span.lo, p.index);
    span.hi = std::max(span.hi, p.index);
  }
  return {span.lo - 0.5, span.hi + 0.5};
}

// Maps data to pixels of the frame.
struct Mapping {
  QRect frame;
  Span x;
  Span y;

  double Px(double v) const { return frame.left() + (v - x.lo) / (x.hi - x.lo) * frame.width(); }
  double Py(double v) const { return frame.bottom() - (v - y.lo) / (y.hi - y.lo) * frame.height(); }
};

void DrawXTicks(QPainter& painter, const Mapping& m) {
  const double step = std::max(1.0, std::round(TickStep(m.x)));
  for (double v = std::ceil(m.x.lo / step) * step; v <= m.x.hi; v += step) {
    const double px = m.Px(v);
    painter.drawLine(QPointF(px, m.frame.bottom()), QPointF(px, m.frame.bottom() + kTickLength));
    painter.drawText(QRectF(px - 40, m.frame.bottom() + kTickLength, 80, kFontPixels + 4),
                     Qt::AlignHCenter | Qt::AlignTop, QString::number(v, 'g', 10));
  }
}

void DrawYTicks(QPainter& painter, const Mapping& m) {
  const double step = TickStep(m.y);
  for (double v = std::ceil(m.y.lo / step) * step; v <= m.y.hi; v += step) {
    const double py = m.Py(v);
    const double shown = std::fabs(v) < step * 1e-9 ? 0.0 : v;
    painter.drawLine(QPointF(m.frame.left() - kTickLength, py), QPointF(m.frame.left(), py));
    painter.drawText(QRectF(0, py - kFontPixels, m.frame.left() - kTickLength - 3, 2 * kFontPixels),
                     Qt::AlignRight | Qt::AlignVCenter, QString::number(shown, 'g', 8));
  }
}

void DrawPoints(QPainter& painter, const Mapping& m, const SeriesPlotData& data) {
  painter.setPen(QPen(QColor(0, 0, 160), 1));
  painter.setBrush(QColor(0, 0, 160));
  for (const SeriesPoint& p : data.points) {
    const double px = m.Px(p.index);
    if (p.error > 0.0) {
      const double top = m.Py(p.value + p.error);
      const double bottom = m.Py(p.value - p.error);
      painter.drawLine(QPointF(px, top), QPointF(px, bottom));
      painter.drawLine(QPointF(px - kCapHalfWidth, top), QPointF(px + kCapHalfWidth, top));
      painter.drawLine(QPointF(px - kCapHalfWidth, bottom), QPointF(px + kCapHalfWidth, bottom));
    }
    painter.drawEllipse(QPointF(px, m.Py(p.value)), kMarkRadius, kMarkRadius);
  }
}

QString WriteBytes(const QString& path, const QByteArray& bytes) {
  std::string error;
  if (WriteFileReplacing(QFile::encodeName(path).toStdString(), bytes.toStdString(), error)) {
    return QString();
  }
  return QString::fromStdString(error);
}

}  // namespace

void DrawSeriesPlot(QPainter& painter, const QRect& area, const SeriesPlotData& data) {
  painter.save();
  painter.fillRect(area, Qt::white);
  QFont font = painter.font();
  font.setPixelSize(kFontPixels);
  painter.setFont(font);
  const Mapping m{area.adjusted(kLeftMargin, kTopMargin, -kRightMargin, -kBottomMargin),
                  IndexSpan(data), ValueSpan(data)};
  painter.setPen(QPen(Qt::black, 1));
  painter.drawRect(m.frame);
  painter.drawText(QRect(area.left(), area.top() + 5, area.width(), kFontPixels + 6),
                   Qt::AlignHCenter, data.title);
  painter.drawText(
      QRect(m.frame.left(), area.bottom() - kFontPixels - 6, m.frame.width(), kFontPixels + 4),
      Qt::AlignHCenter, QObject::tr("ファイル番号 (index)"));
  if (!data.points.empty()) {
    DrawXTicks(painter, m);
    DrawYTicks(painter, m);
    DrawPoints(painter, m, data);
  }
  painter.restore();
}

bool SaveSeriesPlot(const QString& path, const SeriesPlotData& data, const QSize& size,
                    QString& error) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const QRect area(QPoint(0, 0), size);
  if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(area);
    svg.setTitle(data.title);
    QPainter painter(&svg);
    DrawSeriesPlot(painter, area, data);
  } else {
    QImage image(size, QImage::Format_RGB32);
    {
      QPainter painter(&image);
      DrawSeriesPlot(painter, area, data);
    }
    if (!image.save(&buffer, "PNG")) {
      error = QObject::tr("PNG を作れません");
      return false;
    }
  }
  buffer.close();
  error = WriteBytes(path, bytes);
  return error.isEmpty();
}

SeriesPlot::SeriesPlot(QWidget* parent) : QWidget(parent) { setMinimumSize(420, 260); }

void SeriesPlot::SetData(SeriesPlotData data) {
  m_data = std::move(data);
  update();
}

void SeriesPlot::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawSeriesPlot(painter, rect(), m_data);
}
