#include "app/SeriesPlot.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "app/PlotAxes.h"

namespace {

Span ValueSpan(const SeriesPlotData& data) {
  Span span{INFINITY, -INFINITY};
  for (const SeriesPoint& p : data.points) {
    span.lo = std::min(span.lo, p.value - p.error);
    span.hi = std::max(span.hi, p.value + p.error);
  }
  return PaddedSpan(span);
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
  // Half a file index, or more on a wider axis (minutes, temperatures), so
  // that the first and last error bars stay off the frame.
  const double pad = std::max(0.5, 0.04 * (span.hi - span.lo));
  return {span.lo - pad, span.hi + pad};
}

void DrawXTicks(QPainter& painter, const Mapping& m) {
  const double step = std::max(1.0, std::round(TickStep(m.x)));
  for (double v = std::ceil(m.x.lo / step) * step; v <= m.x.hi; v += step) {
    const double px = m.Px(v);
    painter.drawLine(QPointF(px, m.frame.bottom()), QPointF(px, m.frame.bottom() + kTickLength));
    painter.drawText(QRectF(px - 40, m.frame.bottom() + kTickLength, 80, kFontPixels + 4),
                     Qt::AlignHCenter | Qt::AlignTop, QString::number(v, 'g', 10));
  }
}

void DrawPoints(QPainter& painter, const Mapping& m, const SeriesPlotData& data) {
  painter.setPen(QPen(QColor(0, 0, 160), 1));
  painter.setBrush(QColor(0, 0, 160));
  for (const SeriesPoint& p : data.points)
    DrawMarkWithErrorBar(painter, m, p.index, p.value, p.error);
}

}  // namespace

void DrawSeriesPlot(QPainter& painter, const QRect& area, const SeriesPlotData& data) {
  painter.save();
  const Mapping m{PlotFrame(area), IndexSpan(data), ValueSpan(data)};
  DrawPlotBox(painter, area, m.frame, data.title,
              data.xTitle.isEmpty() ? QObject::tr("ファイル番号 (index)") : data.xTitle);
  if (!data.points.empty()) {
    DrawXTicks(painter, m);
    DrawYTicks(painter, m);
    DrawPoints(painter, m, data);
  }
  painter.restore();
}

bool SaveSeriesPlot(const QString& path, const SeriesPlotData& data, const QSize& size,
                    QString& error) {
  return SavePicture(
      path, data.title, size,
      [&data](QPainter& painter, const QRect& area) { DrawSeriesPlot(painter, area, data); },
      error);
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
