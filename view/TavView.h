#pragma once

#include <array>
#include <string>
#include <vector>

#include "doc/TavDoc.h"

class Canvas;
class Host;

// Virtual-key codes the view reacts to.
namespace keys {
constexpr unsigned kLeft = 0x25;
constexpr unsigned kRight = 0x27;
constexpr unsigned kN = 0x4E;
constexpr unsigned kW = 0x57;
}  // namespace keys

// The plot view: owns every piece of interactive state and every command
// handler. It knows the platform only through Host and draws only on Canvas.
class CTavView {
 public:
  static constexpr int kMaxPeaks = 10;
  // The fixed plot window in device pixels.
  static constexpr int kPlotLeft = 100;
  static constexpr int kPlotRight = 650;
  static constexpr int kPlotTop = 50;
  static constexpr int kPlotBottom = 350;
  static constexpr int kSamples = 551;  // curve samples 0..550

  CTavView(CTavDoc& doc, Host& host);
  CTavView(const CTavView&) = delete;
  CTavView& operator=(const CTavView&) = delete;

  CTavDoc& GetDocument() { return m_doc; }
  const CTavDoc& GetDocument() const { return m_doc; }
  Host& GetHost() { return m_host; }

  // Data <-> pixel conversions of the plot window, truncating toward zero.
  int XToPixel(double x) const;
  int YToPixel(double y) const;
  double PixelToX(int px) const;
  double PixelToY(int py) const;
  // Abscissa of curve sample s = 0..550 across the display range.
  double SampleX(int s) const;
  // The fit window: indices i (1-based, ascending) with m_xMin <= X[i] <= m_xMax.
  std::vector<int> FitWindow() const;

  void Repaint();
  // The range a load sets up: X from the first and last point (smaller end in
  // m_xMin), Y from the document's extremes. Needs m_nData > 0.
  void SetRangeFromDocument();

  // Commands.
  void OnFileOpen();      // ID_FILE_OPEN
  void OnFileSave();      // ID_FILE_SAVE: X-Y list
  void OnFileSaveAs();    // ID_FILE_SAVE_AS: count file
  void OnRangeSet();      // ID_RANGE_SET
  void OnPeakPosition();  // ID_PEAK_POSITION
  void OnRangeReset();    // ID_RANGE_RESET
  void OnRangeInput();    // ID_RANGE_INPUT
  void OnLsqCondition();  // ID_LSQ_CONDITION
  void OnLsqStart();      // ID_LSQ_START
  void OnSaveResult();    // ID_SAVE_RESULT
  void OnBackRemove();    // ID_BACK_REMOVE
  void OnPolarCorrect();  // ID_POLAR_CORRECT

  // Mouse and keys, in client-area device pixels.
  void OnLButtonDown(int x, int y);
  void OnLButtonUp(int x, int y);
  void OnMouseMove(int x, int y);
  void OnLButtonDblClk(int x, int y);
  void OnRButtonDown(int x, int y);
  void OnKeyDown(unsigned key);
  // The double-click's effect at exact data coordinates (scripts use it).
  void AppendPeakAt(double x, double y);

  // Command-update rules.
  bool IsRangeSetChecked() const;
  bool IsPeakPositionChecked() const;
  bool IsLsqStartEnabled() const;
  bool IsSaveResultEnabled() const;

  // The whole picture from the current state; changes nothing.
  void OnDraw(Canvas& dc) const;
  // The background-estimate layer, drawn last by OnDraw while m_bBackShown is 1.
  void DrawBackgroundEstimate(Canvas& dc) const;

  // View state. Peak slots and width factors are indexed 1..10 (slot 0 unused).
  int m_bFitted = 0;
  int m_bPeakMode = 0;
  double m_xMin = 0.0;
  double m_xMax = 0.0;
  double m_yMin = 0.0;
  double m_yMax = 0.0;
  std::array<double, kMaxPeaks + 1> m_height{};
  std::array<double, kMaxPeaks + 1> m_position{};
  std::array<double, kMaxPeaks + 1> m_width{};
  double m_bgA = 0.0;
  double m_bgB = 0.0;
  int m_nPeak = 0;
  int m_curPeak = 0;
  int m_dragState = 2;  // 0 armed, 1 dragging, 2 disarmed
  int m_dragX0 = 0;
  int m_dragY0 = 0;
  std::array<double, kMaxPeaks + 1> m_widthFactor;
  double m_tolerance = 0.001;
  int m_xColumn = 1;
  int m_yColumn = 2;
  int m_skipLines = 0;
  int m_lastLine = 9999;
  std::vector<double> m_binX;
  std::vector<double> m_binY;
  int m_nBin = 0;
  int m_bBackShown = 0;
  int m_bPolarized = 0;
  std::array<double, 4> m_bgCoef{};
  // Whether any estimate has computed m_bgCoef yet (no baseline before that).
  bool m_bgCoefSet = false;
  // Whether a fit has written slot k's width (a peak appended after a fit
  // into a slot never fitted starts from the unfitted width guess).
  std::array<bool, kMaxPeaks + 1> m_widthFitted{};

 private:
  CTavDoc& m_doc;
  Host& m_host;
};
