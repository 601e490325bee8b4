#pragma once

#include <QDockWidget>
#include <QList>
#include <QString>
#include <QTableWidget>
#include <functional>
#include <string>
#include <vector>

#include "fit/FitConstraints.h"
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
  // The cell's menu: fix or free, bound or unbound the parameters of column
  // c of the row's peak, share widths or shapes, sort by position, remove
  // the peak (nullptr for no row).
  QMenu* CellMenu(int r, int c, QWidget* parent);

  // Marks the cells of held (a lock) and bounded parameters, for the
  // constraints of a fit of the given shape; the cell menu acts on them.
  void ShowConstraints(const FitConstraints& constraints, int shape);
  // The fit parameters (the registry's indices) column c shows for the
  // shape: position, height, the width(s) or the η / m column's; none for
  // the derived columns.
  QList<int> ParametersOfColumn(int c) const;
  // Whether the cell at row r and column c shows a lock.
  bool ShowsLock(int r, int c) const;

  // The rows in the order of position (true) or of peak number.
  void SortByPosition(bool sorted);
  bool SortedByPosition() const { return m_sortByPosition; }

  // Asks for a parameter's range (the current one shown, ±∞ for none):
  // false when cancelled. A dialog by default; tests put in their answer.
  using BoundsAsker = std::function<bool(const QString& what, double& lower, double& upper)>;
  void SetBoundsAsker(BoundsAsker asker) { m_askBounds = std::move(asker); }

 signals:
  // The user closed the table with its own button.
  void ClosedByUser();
  // The user checked (included) or unchecked a peak's Williamson–Hall box.
  void WilliamsonHallChoice(int peak, bool included);
  // A row's context menu asked to remove its peak k.
  void RemovePeakRequested(int k);
  // A cell's menu asked to hold (or free) parameters of peak k.
  void FixRequested(int k, const QList<int>& parameters, bool fixed);
  // A cell's menu asked to keep parameters of peak k inside lower..upper
  // (±∞ both for no bounds).
  void BoundsRequested(int k, const QList<int>& parameters, double lower, double upper);
  // The menu asked for one width (width) or one η / m (!width) for all peaks.
  void SharingRequested(bool width, bool shared);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The η / m column, for the shapes that have a shape parameter.
  void ShowShapeParameterColumn(const PeakShape* shape);
  // The matrix of correlations, its strong pairs added to notes.
  void ShowCorrelations(const PeakReport& report, QStringList& notes);
  // The context menu of the cell at pos (the table's viewport coordinates).
  void ShowRowMenu(const QPoint& pos);
  // The menu's items that hold, bound and free the cell's parameters.
  void AddParameterItems(QMenu* menu, int k, int c);
  void AddSharingItems(QMenu* menu);
  // Puts the rows in the order SortedByPosition() asks.
  void ArrangeRows();
  // The constraint of parameter m of peak k.
  const ParameterConstraint& ConstraintOf(int k, int m) const;
  // The lock and the tooltip of one cell.
  void MarkCell(int r, int c);

  PeakTableWidget* m_table;
  QLabel* m_statistics;
  QLabel* m_notes;
  QTableWidget* m_correlations;
  WilliamsonHallPanel* m_williamsonHall;
  int m_whColumn = -1;
  FitConstraints m_constraints;
  int m_shape = -1;
  bool m_sortByPosition = false;
  BoundsAsker m_askBounds;
};

// A table cell: "value ± uncertainty" with the uncertainty rounded to two
// significant digits and the value to the same decimal place; a value
// without an uncertainty with 6 significant digits; empty when the value is
// unknown or not finite.
QString EstimateText(const Estimate& estimate);
