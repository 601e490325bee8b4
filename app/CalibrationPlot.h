#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "fit/Caglioti.h"

// The calibration set's FWHM against 2θ (points with ±σ bars) and the
// resolution function's curve with its ±1σ band from the covariance of U, V,
// W, over the calibrated range and the points.
class CalibrationPlot : public QWidget {
  Q_OBJECT
 public:
  explicit CalibrationPlot(QWidget* parent = nullptr);

  void Show(const std::vector<CalibrationPeak>& peaks,
            const std::optional<ResolutionFunction>& function);
  // Draws the plot into a picture of the widget's size (for tests and
  // saving): the same drawing as on screen.
  QImage Picture() const;
  // The plotted 2θ range.
  double MinTwoTheta() const { return m_xMin; }
  double MaxTwoTheta() const { return m_xMax; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Draw(QPainter& painter, const QSize& size) const;
  void FindRanges();

  std::vector<CalibrationPeak> m_peaks;
  std::optional<ResolutionFunction> m_function;
  double m_xMin = 0.0, m_xMax = 1.0, m_yMin = 0.0, m_yMax = 1.0;
};
