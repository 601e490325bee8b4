#pragma once

#include <string>

#include "view/Host.h"

class PlotWidget;
class QString;
class QWidget;

// The view's platform in the GUI: repaints and the rubber band go to the plot
// widget, dialogs and message boxes are real Qt windows over the main window.
// The view reaches it through an AnsweringHost, which takes the answers
// given ahead (an open from the command line) and passes on the rest.
class QtHost : public Host {
 public:
  explicit QtHost(PlotWidget& plot);

  void Repaint() override;
  void DrawOverlay(const std::function<void(Canvas&)>& draw) override;
  bool FileTypeDialog(FileType& type) override;
  bool OpenFileDialog(std::string& path) override;
  bool ColumnDialog(ColumnSettings& settings) override;
  bool ScanDialog(const std::vector<ScanSummary>& scans, int& scan) override;
  bool RangeDialog(RangeValues& range) override;
  bool FitConditionDialog(FitConditions& conditions) override;
  bool SaveFileDialog(std::string& path) override;
  void MessageBox(const std::string& text, MessageIcon icon) override;
  void ReportFailure(const std::string& text) override;
  // Shows text in the main window's status bar at once.
  void StatusMessage(const std::string& text) override;
  void ShowStatus(const QString& text);

  // The file the save dialog chose since ForgetSavedFile, while no failure
  // was reported after it: what a command has just written; "" for none.
  const std::string& SavedFile() const { return m_savedFile; }
  void ForgetSavedFile() { m_savedFile.clear(); }

 private:
  QWidget* DialogParent() const;

  PlotWidget& m_plot;
  std::string m_savedFile;
};
