#pragma once

#include <QDialog>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "series/SeriesCsv.h"
#include "series/SeriesFit.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class SeriesPlot;
class SeriesXChooser;

// A series fit running on a thread of its own, then its result: a progress
// bar with a cancel button (the files done are kept), the table of the rows
// (file names, numbers to the precision of their uncertainties), and a
// chosen column of one peak plotted with error bars against the file index,
// the order of the file names or a number in the file name; the table saves
// as CSV, the plot as PNG, SVG or PDF. Closing the window
// cancels a series that still runs.
class CSeriesWindow : public QDialog {
  Q_OBJECT
 public:
  CSeriesWindow(SeriesSetup setup, std::vector<std::string> paths, SeriesOptions options,
                QWidget* parent);
  ~CSeriesWindow() override;

  bool IsRunning() const { return m_running; }
  const SeriesResult& Result() const { return m_result; }
  QTableWidget* Table() const { return m_table; }
  QComboBox* ColumnChooser() const { return m_column; }
  QComboBox* PeakChooser() const { return m_peak; }
  SeriesPlot* Plot() const { return m_plot; }
  SeriesXChooser* XChooser() const { return m_x; }
  QPushButton* CancelButton() const { return m_cancelButton; }

  void Cancel();
  bool SaveCsvTo(const QString& path, QString& error) const;
  bool SavePlotTo(const QString& path, QString& error) const;

 signals:
  void Finished();

 private:
  void Start(SeriesSetup setup, std::vector<std::string> paths, SeriesOptions options);
  void ShowProgress(int done, int total, int failed);
  void ShowResult(SeriesResult result, const QString& error);
  void FillTable();
  void FillChoosers();
  void UpdatePlot();
  void AskCsvPath();
  void AskPlotPath();

  std::thread m_thread;
  std::atomic<bool> m_cancel{false};
  bool m_running = false;
  int m_failed = 0;
  SeriesResult m_result;
  SeriesTable m_cells;

  QProgressBar* m_progress;
  QPushButton* m_cancelButton;
  QLabel* m_status;
  QTableWidget* m_table;
  QComboBox* m_column;
  QComboBox* m_peak;
  SeriesXChooser* m_x;
  SeriesPlot* m_plot;
  QPushButton* m_saveCsv;
  QPushButton* m_savePlot;
};
