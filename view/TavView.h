#pragma once

#include <vector>

#include "profile/TavDoc.h"
#include "view/PlotGeometry.h"
#include "view/PlotLayout.h"
#include "view/PlotMapping.h"
#include "view/PlotOptions.h"
#include "view/ViewState.h"

class Canvas;
class Host;

// Virtual-key codes the view reacts to.
namespace keys {
constexpr unsigned kLeft = 0x25;
constexpr unsigned kRight = 0x27;
constexpr unsigned kN = 0x4E;
constexpr unsigned kW = 0x57;
}  // namespace keys

// The plot view: the interactive state over the document, its drawing and
// the range and peak interaction. It knows the platform only through Host and
// draws only on Canvas. Its state is read through const accessors; the
// interaction handlers below and the named operations the commands use are
// its only writers.
class CTavView {
 public:
  static constexpr int kMaxPeaks = ::kMaxPeaks;
  static constexpr int kSamples = plot::kSamples;

  CTavView(CTavDoc& doc, Host& host);
  CTavView(const CTavView&) = delete;
  CTavView& operator=(const CTavView&) = delete;

  CTavDoc& GetDocument() { return m_doc; }
  const CTavDoc& GetDocument() const { return m_doc; }
  Host& GetHost() { return m_host; }

  // The state, read-only.
  const DisplayRange& Range() const { return m_state.range; }
  const InputModes& Modes() const { return m_state.modes; }
  const PeakTable& Peaks() const { return m_state.peaks; }
  const ReadingSettings& Reading() const { return m_state.reading; }
  const BackgroundLayer& Background() const { return m_state.background; }
  // The fit problem: shape, tolerance and options.
  const FitProblem& Problem() const { return m_state.fit; }
  double Tolerance() const { return m_state.fit.tolerance; }
  // The order of the background refined with the peaks (1: the line).
  int BackgroundOrder() const { return m_state.fit.backgroundOrder; }
  int Polarized() const { return m_state.m_bPolarized; }
  const ScherrerSettings& Scherrer() const { return m_state.scherrer; }
  const std::optional<Wavelengths>& DefaultWavelengths() const {
    return m_state.defaultWavelengths;
  }
  const FitOptions& Options() const { return m_state.fit.options; }
  const CalibrationState& Calibration() const { return m_state.calibration; }
  // Everything above at once (a series fit takes a copy).
  const ViewState& State() const { return m_state; }
  // The report of the fit on screen, or nullptr.
  const PeakReport* Report() const { return m_state.report ? &*m_state.report : nullptr; }
  // Changes whenever the report is stored or dropped: what shows the report
  // need not look again while it stays the same.
  int ReportRevision() const { return m_reportRevision; }

  // Data <-> pixel conversions of the plot window, truncating toward zero.
  int XToPixel(double x) const;
  int YToPixel(double y) const;
  double PixelToX(int px) const;
  double PixelToY(int py) const;
  // Abscissa of sample s = 0..550 across the display range (the result
  // file's samples, whatever the plot's size).
  double SampleX(int s) const;

  // How the picture is drawn; not part of State().
  const PlotOptions& Plot() const { return m_plotOptions; }
  void SetPlotOptions(const PlotOptions& options);
  // Where the picture's parts lie under the plot options now.
  PlotLayout Layout() const;
  // The conversions of the display range, layout and scale now.
  PlotMapping Mapping() const;
  // Whether the residual strip is shown: asked for, with a fit on screen.
  bool ShowsResiduals() const;
  // The fit window: indices i (1-based, ascending) with m_xMin <= X[i] <= m_xMax.
  std::vector<int> FitWindow() const;

  void Repaint();

  // Range and peak commands.
  void OnRangeSet();      // ID_RANGE_SET
  void OnPeakPosition();  // ID_PEAK_POSITION
  void OnRangeReset();    // ID_RANGE_RESET
  void OnRangeInput();    // ID_RANGE_INPUT

  // Mouse and keys, in client-area device pixels.
  void OnLButtonDown(int x, int y);
  void OnLButtonUp(int x, int y);
  void OnMouseMove(int x, int y);
  void OnLButtonDblClk(int x, int y);
  void OnRButtonDown(int x, int y);
  void OnKeyDown(unsigned key);
  // Wheel zoom about pixel (px, py): each step up shrinks both spans to four
  // fifths around the data point under the pixel (negative steps widen). Pan:
  // the picture follows the pointer by (dx, dy) pixels. Both change only the
  // display range, as the range dialog does, and repaint.
  void ZoomAbout(int px, int py, int steps);
  void PanBy(int dx, int dy);
  // The double-click's effect at exact data coordinates (scripts use it).
  void AppendPeakAt(double x, double y);

  // Command-update rules.
  bool IsRangeSetChecked() const;
  bool IsPeakPositionChecked() const;
  bool IsLsqStartEnabled() const;
  bool IsSaveResultEnabled() const;
  bool IsReportEnabled() const;

  // The whole picture from the current state; changes nothing.
  void OnDraw(Canvas& dc) const;
  // The background-estimate layer, drawn last by OnDraw while m_bBackShown is 1.
  void DrawBackgroundEstimate(Canvas& dc) const;

  // What the commands change, one operation each; none repaints.

  // Takes a copy of another view's State() to fit its peaks in another
  // profile: the peaks (fitted or not), range, conditions and settings; not
  // the report, which belongs to the other view's profile.
  void AdoptState(const ViewState& state);
  // Puts back a state kept by an undo history, report and modes included.
  void RestoreState(const ViewState& state);
  // After an open: Y extremes and the display range from the document (when
  // it holds points), no fit on screen, the rubber band disarmed.
  void TakeLoadedProfile();
  void SetReadingSettings(int skipLines, int lastLine);
  // A new background order drops the report, which describes the old one.
  void SetFitProblem(const FitProblem& problem);
  // A fit has succeeded: its values are on screen from now on.
  void MarkFitted();
  // Heights, positions and widths (and shape parameters) of the peaks from
  // a[1..pn] in the layout of the fit problem's shape (p parameters a peak),
  // the background's terms in the basis it was fitted in from a[pn+1..]
  // (n = m_nPeak).
  void StoreFittedParameters(const std::vector<double>& a, const BackgroundBasis& background = {});
  void StoreReport(PeakReport report);
  void SetScherrer(double k, double instrumentalFwhm);
  void SetDefaultWavelengths(const std::optional<Wavelengths>& wavelengths);
  void SetFitOptions(const FitOptions& options);
  void SetCalibration(CalibrationState calibration);
  // The background estimate's bins, shown from now on.
  void ShowBackgroundBins(std::vector<double> binX, std::vector<double> binY);
  void HideBackgroundEstimate();
  // The baseline estimated from the document's present points.
  void SetBaseline(const bgfit::Coefficients& coef);
  void SetBaselineSpan(double xMin, double xMax);
  // The SNIP baseline (x ascending) estimated from the document's present
  // points over xMin..xMax, shown from now on in place of the cubic's bins
  // and baseline (whose coefficients stay).
  void ShowSnipBaseline(std::vector<double> x, std::vector<double> y, double xMin, double xMax);
  // Removes peak k (1..m_nPeak): the slots above it move down one, the
  // removed peak's values go to the slot the last peak left, the selection
  // stays on the same peak (on the one that took k's place when k was
  // selected), and a report no longer describes the peaks. The peaks left
  // out of the Williamson–Hall line keep their numbers' meaning. Anything
  // else for k changes nothing.
  void RemovePeak(int k);
  // The peak (1..m_nPeak) whose marker is drawn nearest pixel column px,
  // within tolerance pixels; 0 for none.
  int PeakMarkerNear(int px, int tolerance) const;
  // The polarization correction was applied to the document; the Y range
  // follows its new extremes.
  void MarkPolarized();
  // The baseline was subtracted from the document: the estimate no longer
  // describes it and is dropped, and the Y range follows the new extremes.
  void MarkBackgroundSubtracted();

  // A peak the peak search found, placed at (x, y) as a double-click places
  // one but in any mode, its starting width measured in the data. Nothing
  // happens while the table is full.
  void PlaceFoundPeak(double x, double y);

  // Tests only: every field, writable, to set up a state in one step.
  ViewState& StateForTests() { return m_state; }

 private:
  // The range a load sets up: X from the first and last point (smaller end in
  // m_xMin), Y from the document's extremes. Needs m_nData > 0.
  void SetRangeFromDocument();
  // The Y range from the document's extremes (kept without points).
  void FollowYExtremes();
  void DropReport();
  // Appends a peak at (x, y) to a table that has room, selected.
  void PlacePeak(double x, double y, bool widthFromData);

  CTavDoc& m_doc;
  Host& m_host;
  ViewState m_state;
  PlotOptions m_plotOptions;
  int m_reportRevision = 0;
};
