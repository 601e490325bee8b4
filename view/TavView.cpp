#include "view/TavView.h"

#include <utility>

#include "fit/PeakModel.h"
#include "view/Host.h"
#include "view/PixelMath.h"

CTavView::CTavView(CTavDoc& doc, Host& host) : m_doc(doc), m_host(host) {}

int CTavView::XToPixel(double x) const { return Mapping().XToPixel(x); }
int CTavView::YToPixel(double y) const { return Mapping().YToPixel(y); }
double CTavView::PixelToX(int px) const { return Mapping().PixelToX(px); }
double CTavView::PixelToY(int py) const { return Mapping().PixelToY(py); }

double CTavView::SampleX(int s) const {
  const DisplayRange& r = m_state.range;
  return (r.m_xMax - r.m_xMin) * s / plot::kWidth + r.m_xMin;
}

PlotLayout CTavView::Layout() const { return LayoutFor(m_plotOptions, ShowsResiduals()); }

PlotMapping CTavView::Mapping() const {
  return PlotMapping(m_state.range, Layout(), m_plotOptions.scale);
}

bool CTavView::ShowsResiduals() const {
  return m_plotOptions.residuals && m_state.peaks.m_bFitted == 1 && m_state.peaks.m_nPeak > 0;
}

void CTavView::SetPlotOptions(const PlotOptions& options) { m_plotOptions = options; }

std::vector<int> CTavView::FitWindow() const {
  const DisplayRange& r = m_state.range;
  std::vector<int> indices;
  for (int i = 1; i <= m_doc.m_nData; ++i) {
    if (r.m_xMin <= m_doc.m_x[i] && m_doc.m_x[i] <= r.m_xMax) indices.push_back(i);
  }
  return indices;
}

void CTavView::Repaint() { m_host.Repaint(); }

void CTavView::SetRangeFromDocument() {
  DisplayRange& r = m_state.range;
  r.m_xMin = m_doc.m_x[1];
  r.m_xMax = m_doc.m_x[m_doc.m_nData];
  if (r.m_xMin > r.m_xMax) std::swap(r.m_xMin, r.m_xMax);
  r.m_yMin = m_doc.m_yMin;
  r.m_yMax = m_doc.m_yMax;
}

void CTavView::TakeLoadedProfile() {
  if (m_doc.m_nData > 0) {
    m_doc.ComputeYExtremes();
    SetRangeFromDocument();
  }
  m_state.peaks.m_bFitted = 0;
  m_state.modes.m_dragState = DragState::Disarmed;
  DropReport();
}

void CTavView::AdoptState(const ViewState& state) {
  const bool hadReport = m_state.report.has_value();
  m_state = state;
  m_state.report.reset();
  if (hadReport || state.report) ++m_reportRevision;
}

void CTavView::RestoreState(const ViewState& state) {
  m_state = state;
  ++m_reportRevision;
}

void CTavView::SetReadingSettings(int skipLines, int lastLine) {
  m_state.reading.m_skipLines = skipLines;
  m_state.reading.m_lastLine = lastLine;
}

void CTavView::SetFitProblem(const FitProblem& problem) {
  if (problem.backgroundOrder != m_state.fit.backgroundOrder) DropReport();
  m_state.fit = problem;
}

void CTavView::MarkFitted() { m_state.peaks.m_bFitted = 1; }

void CTavView::StoreFittedParameters(const std::vector<double>& a,
                                     const BackgroundBasis& background) {
  PeakTable& t = m_state.peaks;
  const int n = t.m_nPeak;
  const int shape = m_state.fit.shape;
  const int per = PeakParameterCount(shape);
  for (int k = 1; k <= n; ++k) {
    const int first = per * (k - 1) + 1;
    t.m_height[k] = a[first + kHeightParameter];
    t.m_position[k] = a[first + kPositionParameter];
    t.m_width[k] = a[first + kWidthParameter];
    t.m_widthFitted[k] = true;
    if (per > kShapeParameter) {
      t.m_shapeParam[k] = a[first + kShapeParameter];
      t.m_shapeParamShape[k] = shape;
    }
    if (per > kRightShapeParameter) {
      t.m_widthRight[k] = a[first + kRightWidthParameter];
      t.m_shapeParamRight[k] = a[first + kRightShapeParameter];
    }
  }
  t.m_bgOrder = background.order;
  t.m_bgWindowMin = background.lo;
  t.m_bgWindowMax = background.hi;
  if (background.IsLine()) {
    t.m_bgA = a[per * n + 1];
    t.m_bgB = a[per * n + 2];
    return;
  }
  t.m_bgTerms.fill(0.0);
  for (int k = 0; k < background.Terms(); ++k)
    t.m_bgTerms[static_cast<std::size_t>(k)] = a[per * n + 1 + k];
  // The line keeps the series' first-degree part, for whatever reads it.
  const std::vector<double> line = ConvertBackground(
      background, a.data() + per * n + 1, BackgroundOver(1, background.lo, background.hi));
  t.m_bgA = line[0];
  t.m_bgB = line[1];
}

void CTavView::StoreReport(PeakReport report) {
  m_state.report = std::move(report);
  ++m_reportRevision;
}

void CTavView::DropReport() {
  if (!m_state.report) return;
  m_state.report.reset();
  ++m_reportRevision;
}

void CTavView::SetScherrer(double k, double instrumentalFwhm) {
  m_state.scherrer.m_k = k;
  m_state.scherrer.m_instrumentalFwhm = instrumentalFwhm;
}

void CTavView::SetDefaultWavelengths(const std::optional<Wavelengths>& wavelengths) {
  m_state.defaultWavelengths = wavelengths;
}
void CTavView::SetFitOptions(const FitOptions& options) { m_state.fit.options = options; }

void CTavView::SetCalibration(CalibrationState calibration) {
  m_state.calibration = std::move(calibration);
}

void CTavView::ShowBackgroundBins(std::vector<double> binX, std::vector<double> binY) {
  BackgroundLayer& b = m_state.background;
  b.m_bBackShown = 1;
  b.m_binX = std::move(binX);
  b.m_binY = std::move(binY);
  b.m_kind = BackgroundKind::kCubic;
  b.m_snipX.clear();
  b.m_snipY.clear();
}

void CTavView::ShowSnipBaseline(std::vector<double> x, std::vector<double> y, double xMin,
                                double xMax) {
  BackgroundLayer& b = m_state.background;
  b.m_bBackShown = 1;
  b.m_kind = BackgroundKind::kSnip;
  b.m_binX.clear();
  b.m_binY.clear();
  b.m_snipX = std::move(x);
  b.m_snipY = std::move(y);
  b.m_spanMin = xMin;
  b.m_spanMax = xMax;
  b.m_pointsFingerprint = m_doc.PointsFingerprint();
}

void CTavView::HideBackgroundEstimate() { m_state.background.m_bBackShown = 0; }

void CTavView::SetBaseline(const bgfit::Coefficients& coef) {
  m_state.background.m_bgCoef = coef;
  m_state.background.m_bgCoefSet = true;
  m_state.background.m_pointsFingerprint = m_doc.PointsFingerprint();
}

void CTavView::SetBaselineSpan(double xMin, double xMax) {
  m_state.background.m_spanMin = xMin;
  m_state.background.m_spanMax = xMax;
}

void CTavView::MarkBackgroundSubtracted() {
  BackgroundLayer& b = m_state.background;
  b.m_bBackShown = 0;
  b.m_bgCoefSet = false;
  b.m_binX.clear();
  b.m_binY.clear();
  b.m_snipX.clear();
  b.m_snipY.clear();
  FollowYExtremes();
}

void CTavView::MarkPolarized() {
  m_state.m_bPolarized = 1;
  FollowYExtremes();
}

void CTavView::FollowYExtremes() {
  // With no spectrum there are no extremes to take: the range stays.
  if (m_doc.m_nData > 0) {
    m_doc.ComputeYExtremes();
    m_state.range.m_yMin = m_doc.m_yMin;
    m_state.range.m_yMax = m_doc.m_yMax;
  }
}
