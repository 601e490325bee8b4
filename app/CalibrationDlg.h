#pragma once

#include <QDialog>

class CTavView;
class CalibrationPlot;
class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

// The instrument's calibration: the set of a standard's fitted peaks as a
// table (add the fit on screen, remove, clear), the resolution function's
// fit and its result, the plot of FWHM against 2θ with the curve and its
// band, the instrument file (save, load) and its use by Scherrer and
// Williamson–Hall. Every button runs the calibration command of the same
// name at once; refusals are the commands' messages.
class CCalibrationDlg : public QDialog {
  Q_OBJECT
 public:
  CCalibrationDlg(CTavView& view, QWidget* parent = nullptr);

  QTableWidget* SetTable() const { return m_table; }
  QPushButton* AddButton() const { return m_add; }
  QPushButton* RemoveButton() const { return m_remove; }
  QPushButton* ClearButton() const { return m_clear; }
  QPushButton* FitButton() const { return m_fit; }
  QPushButton* SaveButton() const { return m_save; }
  QPushButton* LoadButton() const { return m_load; }
  QCheckBox* UseCheck() const { return m_use; }
  QLabel* ResultLabel() const { return m_result; }
  CalibrationPlot* Plot() const { return m_plot; }

 private:
  // Shows the session's calibration: the table, the result, the plot.
  void Refresh();
  void ShowSet();
  void RemoveSelected();
  void Save();
  void Load();
  // Runs a command, then shows what it left and repaints the view.
  template <typename Command>
  void Run(Command command);

  CTavView& m_view;
  QTableWidget* m_table;
  QPushButton* m_add;
  QPushButton* m_remove;
  QPushButton* m_clear;
  QPushButton* m_fit;
  QPushButton* m_save;
  QPushButton* m_load;
  QCheckBox* m_use;
  QLabel* m_result;
  QLabel* m_file;
  CalibrationPlot* m_plot;
};
