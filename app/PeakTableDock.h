#pragma once

#include <QDockWidget>
#include <QString>
#include <QTableWidget>
#include <string>
#include <vector>

#include "fit/PeakReport.h"

class QCloseEvent;
class QKeyEvent;
class QLabel;
class QMenu;
class WilliamsonHallPanel;

// The peak table's grid: Ctrl+C copies every row, with the header line, as
// tab-separated text.
class PeakTableWidget : public QTableWidget {
  Q_OBJECT
 public:
  using QTableWidget::QTableWidget;

  // The header line and the rows, tab-separated, "\n" after each line.
  QString TabSeparatedText() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// The dockable table beside the plot: one row per peak of the report of the
// fit on screen, its statistics and notes below.
class PeakTableDock : public QDockWidget {
  Q_OBJECT
 public:
  explicit PeakTableDock(QWidget* parent = nullptr);

  // Shows report, or an empty table when it is nullptr.
  void ShowReport(const PeakReport* report);
  // After ShowReport: an hkl column when hklByPeak is not empty, and a check
  // box column of the peaks that enter the Williamson–Hall line (both
  // indexed by peak number − 1). Clicking a box emits WilliamsonHallChoice.
  void ShowPeakChoices(const std::vector<std::string>& hklByPeak,
                       const std::vector<bool>& inWilliamsonHallByPeak);
  // The check box column (−1 while there is none).
  int WilliamsonHallColumn() const { return m_whColumn; }

  // The width that shows every column without scrolling.
  int PreferredWidth() const;

  PeakTableWidget* Table() const { return m_table; }
  QLabel* StatisticsLabel() const { return m_statistics; }
  QLabel* NotesLabel() const { return m_notes; }
  // The correlation matrix of the fit's parameters, beside the statistics.
  QTableWidget* CorrelationTable() const { return m_correlations; }
  // The Williamson–Hall result below the table.
  WilliamsonHallPanel* WilliamsonHall() const { return m_williamsonHall; }
  // The peak number shown in row r, or 0.
  int PeakOfRow(int r) const;
  // The row's menu: "remove this peak" for the row's peak (nullptr for no row).
  QMenu* RowMenu(int r, QWidget* parent);

 signals:
  // The user closed the table with its own button.
  void ClosedByUser();
  // The user checked (included) or unchecked a peak's Williamson–Hall box.
  void WilliamsonHallChoice(int peak, bool included);
  // A row's context menu asked to remove its peak k.
  void RemovePeakRequested(int k);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The η / m column, for the shapes that have a shape parameter.
  void ShowShapeParameterColumn(const PeakShape* shape);
  // The matrix of correlations, its strong pairs added to notes.
  void ShowCorrelations(const PeakReport& report, QStringList& notes);
  // The context menu of the row at pos (the table's viewport coordinates).
  void ShowRowMenu(const QPoint& pos);

  PeakTableWidget* m_table;
  QLabel* m_statistics;
  QLabel* m_notes;
  QTableWidget* m_correlations;
  WilliamsonHallPanel* m_williamsonHall;
  int m_whColumn = -1;
};

// A table cell: "value ± uncertainty" with the uncertainty rounded to two
// significant digits and the value to the same decimal place; a value
// without an uncertainty with 6 significant digits; empty when the value is
// unknown or not finite.
QString EstimateText(const Estimate& estimate);
