#include "app/CalibrationPlot.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kMargin = 44;
constexpr int kSamples = 200;
const QColor kBand(180, 200, 240);

bool Finite(double v) { return std::isfinite(v); }

}  // namespace

CalibrationPlot::CalibrationPlot(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("calibrationPlot"));
  setMinimumSize(360, 220);
}

void CalibrationPlot::Show(const std::vector<CalibrationPeak>& peaks,
                           const std::optional<ResolutionFunction>& function) {
  m_peaks = peaks;
  m_function = function;
  FindRanges();
  update();
}

// The points and the calibrated range, with a twentieth of the span around.
void CalibrationPlot::FindRanges() {
  double x0 = INFINITY, x1 = -INFINITY, y1 = 0.0;
  for (const CalibrationPeak& p : m_peaks) {
    x0 = std::min(x0, p.position);
    x1 = std::max(x1, p.position);
    y1 = std::max(y1, p.fwhm + p.fwhmError);
  }
  if (m_function) {
    x0 = std::min(x0, m_function->minTwoTheta);
    x1 = std::max(x1, m_function->maxTwoTheta);
    for (const double x : {m_function->minTwoTheta, m_function->maxTwoTheta}) {
      const double top = m_function->FwhmAt(x) + m_function->FwhmErrorAt(x);
      if (Finite(top)) y1 = std::max(y1, top);
    }
  }
  if (!(x1 > x0)) {
    x0 = Finite(x0) ? x0 - 1.0 : 0.0;
    x1 = Finite(x1) ? x1 + 1.0 : 1.0;
  }
  const double pad = (x1 - x0) / 20.0;
  m_xMin = x0 - pad;
  m_xMax = x1 + pad;
  m_yMin = 0.0;
  m_yMax = y1 > 0.0 ? y1 * 1.1 : 1.0;
}

void CalibrationPlot::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  Draw(painter, size());
}

QImage CalibrationPlot::Picture() const {
  QImage image(size(), QImage::Format_RGB32);
  QPainter painter(&image);
  Draw(painter, size());
  return image;
}

void CalibrationPlot::Draw(QPainter& painter, const QSize& size) const {
  painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
  const QRectF frame(kMargin, 10, size.width() - kMargin - 10,
                     size.height() - 10 - kMargin / 2 - 10);
  const auto px = [&](double x) {
    return frame.left() + (x - m_xMin) / (m_xMax - m_xMin) * frame.width();
  };
  const auto py = [&](double y) {
    return frame.bottom() - (y - m_yMin) / (m_yMax - m_yMin) * frame.height();
  };
  painter.setClipRect(frame);
  if (m_function) {
    // The band, then the curve, over the calibrated range.
    const ResolutionFunction& f = *m_function;
    QPolygonF upper, lower, curve;
    for (int s = 0; s <= kSamples; ++s) {
      const double x = f.minTwoTheta + (f.maxTwoTheta - f.minTwoTheta) * s / kSamples;
      const double y = f.FwhmAt(x), e = f.FwhmErrorAt(x);
      if (!Finite(y)) continue;
      curve << QPointF(px(x), py(y));
      if (Finite(e)) {
        upper << QPointF(px(x), py(y + e));
        lower.prepend(QPointF(px(x), py(std::max(0.0, y - e))));
      }
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBand);
    painter.drawPolygon(upper + lower);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::blue, 1.5));
    painter.drawPolyline(curve);
  }
  painter.setPen(Qt::black);
  for (const CalibrationPeak& p : m_peaks) {
    const QPointF c(px(p.position), py(p.fwhm));
    painter.drawLine(QPointF(c.x(), py(p.fwhm - p.fwhmError)),
                     QPointF(c.x(), py(p.fwhm + p.fwhmError)));
    painter.drawRect(QRectF(c.x() - 2.5, c.y() - 2.5, 5, 5));
  }
  painter.setClipping(false);
  painter.drawRect(frame);
  painter.drawText(QRectF(frame.left(), frame.bottom() + 2, frame.width(), kMargin / 2),
                   Qt::AlignHCenter | Qt::AlignTop,
                   QStringLiteral("2θ (°)   %1 – %2")
                       .arg(QString::number(m_xMin, 'f', 2), QString::number(m_xMax, 'f', 2)));
  painter.save();
  painter.translate(12, frame.center().y());
  painter.rotate(-90);
  painter.drawText(QRectF(-frame.height() / 2, -10, frame.height(), 20), Qt::AlignCenter,
                   tr("半値幅 (°)  0 – %1").arg(QString::number(m_yMax, 'g', 3)));
  painter.restore();
}
