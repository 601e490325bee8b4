#pragma once

#include <optional>
#include <string>

#include "view/Host.h"

class PlotWidget;
class QWidget;

// The view's platform in the GUI: repaints and the rubber band go to the plot
// widget, dialogs and message boxes are real Qt windows over the main window.
class QtHost : public Host {
 public:
  explicit QtHost(PlotWidget& plot);

  void Repaint() override;
  void DrawOverlay(const std::function<void(Canvas&)>& draw) override;
  bool FileTypeDialog(int& type) override;
  bool OpenFileDialog(std::string& path) override;
  bool ColumnDialog(ColumnSettings& settings) override;
  bool RangeDialog(RangeValues& range) override;
  bool FitConditionDialog(FitConditions& conditions) override;
  bool SaveFileDialog(std::string& path) override;
  void MessageBox(const std::string& text, MessageIcon icon) override;

  // Answers given ahead, each used once instead of showing its dialog: an
  // open from the command line needs no dialog.
  std::optional<int> presetFileType;
  std::optional<std::string> presetOpenPath;
  // The column dialog answered OK with its preset values.
  bool presetColumnsAsShown = false;

  // With a source set, every dialog and message box is answered by it instead
  // of a window (scripted tests); repaints still go to the widget.
  void SetDialogSource(Host* source) { m_source = source; }

 private:
  QWidget* DialogParent() const;

  PlotWidget& m_plot;
  Host* m_source = nullptr;
};
