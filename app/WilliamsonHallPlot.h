#pragma once

#include <QString>
#include <QWidget>

#include "fit/WilliamsonHall.h"

class QLabel;
class QPainter;

// The Williamson–Hall plot: β cos θ against 4 sin θ, the peaks as points
// with their uncertainties as error bars, and the fitted line.
void DrawWilliamsonHallPlot(QPainter& painter, const QRect& area, const WilliamsonHall& analysis);

// Saves the plot, size pixels, as SVG when path ends in ".svg" and as PNG
// otherwise; false with the reason in error.
bool SaveWilliamsonHallPlot(const QString& path, const WilliamsonHall& analysis, const QSize& size,
                            QString& error);

// A small window with the plot and a button that saves it.
class WilliamsonHallWindow : public QWidget {
  Q_OBJECT
 public:
  explicit WilliamsonHallWindow(QWidget* parent);
  void SetAnalysis(const WilliamsonHall& analysis);
  const WilliamsonHall& Analysis() const { return m_analysis; }
  // Saves the plot at the size of saved pictures (640 x 400).
  bool SaveTo(const QString& path, QString& error) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void OnSave();
  QRect PlotArea() const;

  WilliamsonHall m_analysis;
};
