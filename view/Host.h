#pragma once

#include <functional>
#include <string>
#include <vector>

#include "fit/FitWeights.h"
#include "fit/PeakModel.h"
#include "profile/FileType.h"
#include "profile/ScanList.h"
#include "view/DialogLimits.h"

class Canvas;

// Values exchanged with the column dialog of an X-Y open.
struct ColumnSettings {
  int xColumn = 1;
  int yColumn = 2;
  int skipLines = 0;
  int lastLine = limits::kLastLineMax;
};

// Values exchanged with the range dialog.
struct RangeValues {
  double xMin = 0.0;
  double xMax = 0.0;
  double yMin = 0.0;
  double yMax = 0.0;
};

// Values exchanged with the fit-conditions dialog: the tolerance, the peak
// shape (the registry's number, or kNoShape when none was chosen), and the
// options: starting widths from the data, the Kα1/Kα2 doublet, and a message
// box after every fit step; the mixed shapes' physical bounds and the peaks
// the table takes.
struct FitConditions {
  double tolerance = 0.0;
  int function = kNoShape;
  bool widthFromData = false;
  bool doublet = false;
  bool stepMessages = true;
  FitWeights weights = FitWeights::kUnit;
  bool physicalBounds = true;
  int maxPeaks = 10;
  int backgroundOrder = 1;
};

enum class MessageIcon { None, Exclamation };

// Everything the view needs from the platform. Each dialog is modal: it
// returns true for OK with the values written back, false for cancel with the
// values untouched.
class Host {
 public:
  virtual ~Host() = default;

  // Invalidate, erase and repaint the whole view now.
  virtual void Repaint() = 0;
  // Runs draw on a canvas over the view's client area, outside painting
  // (the rubber band); what it draws stays until the next repaint.
  virtual void DrawOverlay(const std::function<void(Canvas&)>& draw) = 0;

  virtual bool FileTypeDialog(FileType& type) = 0;
  // The file dialogs take the pattern of the files to list ("*.*", "*.dat")
  // in path and give back the chosen file.
  virtual bool OpenFileDialog(std::string& path) = 0;
  virtual bool ColumnDialog(ColumnSettings& settings) = 0;
  virtual bool RangeDialog(RangeValues& range) = 0;
  virtual bool FitConditionDialog(FitConditions& conditions) = 0;
  // The save dialog of every writer, started with the pattern of the files
  // it lists ("*.dat", "*.csv"); its extension is the default one.
  virtual bool SaveFileDialog(std::string& path) = 0;

  // An OK message box with the application's name as caption.
  virtual void MessageBox(const std::string& text, MessageIcon icon = MessageIcon::None) = 0;
  // The message box of a command that could not do what was asked: nothing
  // read, saved or fitted, or data missing from what was read. It looks like
  // any other message box without an icon; a host that keeps count of
  // failures (a script run) tells them apart here.
  virtual void ReportFailure(const std::string& text) { MessageBox(text); }
  // A passing message in the status line, where the host has one.
  virtual void StatusMessage(const std::string& /*text*/) {}
  // Asks which scan of a file with several to read: scan holds the number
  // (from 1) shown first and takes the one chosen. False when cancelled.
  // Hosts without such a dialog read the scan given.
  virtual bool ScanDialog(const std::vector<ScanSummary>& /*scans*/, int& /*scan*/) { return true; }
};
