#include "app/WilliamsonHallPlot.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/PlotAxes.h"

namespace {

constexpr int kButtonRow = 36;
constexpr QSize kSavedSize(640, 400);

// The span of the points (with error bars) and the line's ends; the intercept
// is shown, so X starts at 0.
Mapping MappingOf(const QRect& frame, const WilliamsonHall& wh) {
  Span x{0.0, 0.0};
  Span y{INFINITY, -INFINITY};
  for (const WilliamsonHallPoint& p : wh.points) {
    x.hi = std::max(x.hi, p.x);
    y.lo = std::min(y.lo, p.y - p.error);
    y.hi = std::max(y.hi, p.y + p.error);
  }
  if (!(x.hi > 0.0)) x.hi = 4.0;
  x.hi *= 1.05;
  if (wh.line) {
    for (const double at : {x.lo, x.hi}) {
      const double v = wh.line->intercept + wh.line->slope * at;
      y.lo = std::min(y.lo, v);
      y.hi = std::max(y.hi, v);
    }
  }
  return Mapping{frame, x, PaddedSpan(y)};
}

void DrawLine(QPainter& painter, const Mapping& m, const StraightLine& line) {
  painter.setPen(QPen(QColor(200, 0, 0), 1));
  painter.setClipRect(m.frame);
  painter.drawLine(QPointF(m.Px(m.x.lo), m.Py(line.intercept + line.slope * m.x.lo)),
                   QPointF(m.Px(m.x.hi), m.Py(line.intercept + line.slope * m.x.hi)));
  painter.setClipping(false);
}

}  // namespace

void DrawWilliamsonHallPlot(QPainter& painter, const QRect& area, const WilliamsonHall& wh) {
  painter.save();
  const Mapping m = MappingOf(PlotFrame(area), wh);
  DrawPlotBox(painter, area, m.frame, QObject::tr("Williamson–Hall: β cos θ (rad)"),
              QObject::tr("4 sin θ"));
  DrawXValueTicks(painter, m);
  DrawYTicks(painter, m);
  if (wh.line) DrawLine(painter, m, *wh.line);
  painter.setPen(QPen(QColor(0, 0, 160), 1));
  painter.setBrush(QColor(0, 0, 160));
  for (const WilliamsonHallPoint& p : wh.points)
    DrawMarkWithErrorBar(painter, m, p.x, p.y, p.error);
  painter.restore();
}

bool SaveWilliamsonHallPlot(const QString& path, const WilliamsonHall& wh, const QSize& size,
                            QString& error) {
  return SavePicture(
      path, QStringLiteral("Williamson–Hall"), size,
      [&wh](QPainter& painter, const QRect& area) { DrawWilliamsonHallPlot(painter, area, wh); },
      error);
}

WilliamsonHallWindow::WilliamsonHallWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("williamsonHallWindow"));
  setWindowTitle(tr("Williamson–Hall プロット"));
  setMinimumSize(420, 300);
  resize(520, 360);
  auto* save = new QPushButton(tr("図を保存..."), this);
  save->setObjectName(QStringLiteral("saveWilliamsonHallPlot"));
  auto* layout = new QVBoxLayout(this);
  layout->addStretch(1);
  layout->addWidget(save, 0, Qt::AlignRight);
  connect(save, &QPushButton::clicked, this, &WilliamsonHallWindow::OnSave);
}

void WilliamsonHallWindow::SetAnalysis(const WilliamsonHall& analysis) {
  m_analysis = analysis;
  update();
}

bool WilliamsonHallWindow::SaveTo(const QString& path, QString& error) const {
  return SaveWilliamsonHallPlot(path, m_analysis, kSavedSize, error);
}

QRect WilliamsonHallWindow::PlotArea() const { return rect().adjusted(0, 0, 0, -kButtonRow); }

void WilliamsonHallWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawWilliamsonHallPlot(painter, PlotArea(), m_analysis);
}

void WilliamsonHallWindow::OnSave() {
  QString filter;
  QString path = QFileDialog::getSaveFileName(this, tr("図を保存"), QString(),
                                              tr("PNG 画像 (*.png);;SVG 画像 (*.svg)"), &filter);
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty())
    path += filter.contains(QStringLiteral("svg")) ? ".svg" : ".png";
  QString error;
  if (!SaveTo(path, error)) {
    QMessageBox::warning(this, windowTitle(), tr("保存できません: %1 (%2)").arg(path, error));
  }
}
