#include "app/PlotAxes.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QMarginsF>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>

#include "profile/AtomicFile.h"

namespace {

constexpr int kLeftMargin = 80;
constexpr int kRightMargin = 20;
constexpr int kTopMargin = 30;
constexpr int kBottomMargin = 45;
constexpr int kMarkRadius = 3;
constexpr int kCapHalfWidth = 4;

QString WriteBytes(const QString& path, const QByteArray& bytes) {
  std::string error;
  if (WriteFileReplacing(QFile::encodeName(path).toStdString(), bytes.toStdString(), error)) {
    return QString();
  }
  return QString::fromStdString(error);
}

}  // namespace

Span PaddedSpan(Span span) {
  if (!(span.hi > span.lo)) {
    const double middle = std::isfinite(span.lo) ? span.lo : 0.0;
    const double half = middle == 0.0 ? 1.0 : std::fabs(middle) * 0.01;
    return {middle - half, middle + half};
  }
  const double pad = (span.hi - span.lo) * 0.05;
  return {span.lo - pad, span.hi + pad};
}

QRect PlotFrame(const QRect& area) {
  return area.adjusted(kLeftMargin, kTopMargin, -kRightMargin, -kBottomMargin);
}

void DrawPlotBox(QPainter& painter, const QRect& area, const QRect& frame, const QString& title,
                 const QString& xLabel) {
  painter.fillRect(area, Qt::white);
  QFont font = painter.font();
  font.setPixelSize(kFontPixels);
  painter.setFont(font);
  painter.setPen(QPen(Qt::black, 1));
  painter.drawRect(frame);
  painter.drawText(QRect(area.left(), area.top() + 5, area.width(), kFontPixels + 6),
                   Qt::AlignHCenter, title);
  painter.drawText(
      QRect(frame.left(), area.bottom() - kFontPixels - 6, frame.width(), kFontPixels + 4),
      Qt::AlignHCenter, xLabel);
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

void DrawXValueTicks(QPainter& painter, const Mapping& m) {
  const double step = TickStep(m.x);
  for (double v = std::ceil(m.x.lo / step) * step; v <= m.x.hi; v += step) {
    const double px = m.Px(v);
    const double shown = std::fabs(v) < step * 1e-9 ? 0.0 : v;
    painter.drawLine(QPointF(px, m.frame.bottom()), QPointF(px, m.frame.bottom() + kTickLength));
    painter.drawText(QRectF(px - 40, m.frame.bottom() + kTickLength, 80, kFontPixels + 4),
                     Qt::AlignHCenter | Qt::AlignTop, QString::number(shown, 'g', 8));
  }
}

double TickStep(const Span& span) {
  const double raw = (span.hi - span.lo) / 5.0;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0}) {
    if (raw <= factor * power) return factor * power;
  }
  return 10.0 * power;
}

void DrawMarkWithErrorBar(QPainter& painter, const Mapping& m, double x, double y, double error) {
  const double px = m.Px(x);
  if (error > 0.0) {
    const double top = m.Py(y + error);
    const double bottom = m.Py(y - error);
    painter.drawLine(QPointF(px, top), QPointF(px, bottom));
    painter.drawLine(QPointF(px - kCapHalfWidth, top), QPointF(px + kCapHalfWidth, top));
    painter.drawLine(QPointF(px - kCapHalfWidth, bottom), QPointF(px + kCapHalfWidth, bottom));
  }
  painter.drawEllipse(QPointF(px, m.Py(y)), kMarkRadius, kMarkRadius);
}

bool SavePicture(const QString& path, const QString& title, const QSize& size,
                 const std::function<void(QPainter&, const QRect&)>& draw, QString& error) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const QRect area(QPoint(0, 0), size);
  if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(area);
    svg.setTitle(title);
    QPainter painter(&svg);
    draw(painter, area);
  } else if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
    // A page of size points, one point a pixel of the picture.
    QPdfWriter pdf(&buffer);
    pdf.setResolution(72);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
    pdf.setTitle(title);
    QPainter painter(&pdf);
    draw(painter, area);
  } else {
    QImage image(size, QImage::Format_RGB32);
    {
      QPainter painter(&image);
      draw(painter, area);
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
