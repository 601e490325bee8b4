#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "fit/PeakReport.h"
#include "fit/WilliamsonHall.h"

class QComboBox;
class QLabel;
class QPushButton;
class WilliamsonHallWindow;

// The Williamson–Hall result below the peak table: the breadth to use (FWHM
// or integral breadth), the crystallite size and microstrain with their
// uncertainties, the line's reduced χ², the notes, and a button that shows
// the plot. Shown while the report has two or more peaks.
class WilliamsonHallPanel : public QWidget {
  Q_OBJECT
 public:
  explicit WilliamsonHallPanel(QWidget* parent = nullptr);

  // The analysis of report (nullptr: none) with the settings it was made with.
  void ShowReport(const PeakReport* report, const ReportSettings& settings);
  // How the line is made from a report (by default every peak enters it).
  using Analyser =
      std::function<WilliamsonHall(const PeakReport&, const ReportSettings&, BreadthMeasure)>;
  void SetAnalyser(Analyser analyser) { m_analyser = std::move(analyser); }

  const WilliamsonHall& Analysis() const { return m_analysis; }
  QComboBox* BreadthChoice() const { return m_breadth; }
  QLabel* ResultLabel() const { return m_result; }
  QPushButton* PlotButton() const { return m_plotButton; }
  // The plot window, once the button has opened it.
  WilliamsonHallWindow* PlotWindow() const { return m_window; }

 private:
  void Analyse();
  void ShowPlot();

  QComboBox* m_breadth;
  QLabel* m_result;
  QLabel* m_notes;
  QPushButton* m_plotButton;
  WilliamsonHallWindow* m_window = nullptr;
  std::optional<PeakReport> m_report;
  ReportSettings m_settings;
  WilliamsonHall m_analysis;
  Analyser m_analyser = AnalyseWilliamsonHall;
};
