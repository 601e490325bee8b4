#pragma once

#include <QString>
#include <QWidget>
#include <vector>

class QPainter;

// One column of a series against the file index (or another X of the file).
struct SeriesPoint {
  double index = 0.0;  // X
  double value = 0.0;
  double error = 0.0;  // 0: no error bar
};

struct SeriesPlotData {
  QString title;   // the column's name, the Y axis's label
  QString xTitle;  // what X is; empty: the file index
  std::vector<SeriesPoint> points;
};

// Draws the points with their error bars, axes, ticks and labels into area.
void DrawSeriesPlot(QPainter& painter, const QRect& area, const SeriesPlotData& data);

// Saves the plot, size pixels, as SVG when path ends in ".svg", as PDF when
// it ends in ".pdf" and as PNG otherwise, through a temporary file as every save does; false with
// the reason in error.
bool SaveSeriesPlot(const QString& path, const SeriesPlotData& data, const QSize& size,
                    QString& error);

// The plot on screen.
class SeriesPlot : public QWidget {
  Q_OBJECT
 public:
  explicit SeriesPlot(QWidget* parent);
  void SetData(SeriesPlotData data);
  const SeriesPlotData& Data() const { return m_data; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  SeriesPlotData m_data;
};
