#include "cli/StateJson.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <sstream>

#include "fit/PeakModel.h"
#include "view/PeakParameters.h"
#include "view/TavView.h"

namespace {

std::string Number(double v) {
  if (std::isnan(v)) return "\"nan\"";
  if (std::isinf(v)) return v > 0 ? "\"inf\"" : "\"-inf\"";
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}

template <class Array>
std::string Slots(const Array& values, std::size_t first, std::size_t last) {
  std::string out = "[";
  for (std::size_t i = first; i <= last; ++i) {
    if (i != first) out += ", ";
    out += Number(values[i]);
  }
  return out + "]";
}

// A value that may be unknown: null when it is.
std::string Optional(const std::optional<double>& v) { return v ? Number(*v) : "null"; }

const char* Bool(bool b) { return b ? "true" : "false"; }

std::string Bound(double v) { return std::isinf(v) ? "null" : Number(v); }

std::string ConstraintEntry(const std::string& peak, const std::string& name,
                            const ParameterConstraint& c) {
  return "{\"peak\": " + peak + ", \"name\": \"" + name + "\", \"fixed\": " + Bool(c.fixed) +
         ", \"lower\": " + Bound(c.lower) + ", \"upper\": " + Bound(c.upper) + "}";
}

// The fit problem's constraints and peak capacity, written only when any
// differs from the defaults (so that a session without them keeps its
// state line as it has always been).
std::string Constraints(const FitProblem& problem, int peaks) {
  const FitConstraints& c = problem.constraints;
  const FitConstraints none;
  if (c.None() && c.physicalBounds == none.physicalBounds && problem.maxPeaks == kMaxPeaks)
    return "";
  const PeakShape* shape = FindPeakShape(problem.shape);
  std::string entries;
  const auto add = [&entries](const std::string& entry) {
    entries += (entries.empty() ? "" : ", ") + entry;
  };
  for (int k = 1; k <= peaks && shape != nullptr; ++k) {
    for (int m = 0; m < shape->parametersPerPeak; ++m) {
      const ParameterConstraint& p = c.Peak(k, m);
      if (!p.Free()) add(ConstraintEntry(std::to_string(k), shape->parameterNames[m], p));
    }
  }
  for (int b = 0; b < BackgroundTermCount(problem.backgroundOrder); ++b) {
    if (!c.background[b].Free()) {
      add(ConstraintEntry("\"background\"", BackgroundTermName(problem.backgroundOrder, b),
                          c.background[b]));
    }
  }
  return std::string(", \"constraints\": {\"max_peaks\": ") + std::to_string(problem.maxPeaks) +
         ", \"share_width\": " + Bool(c.shareWidth) + ", \"share_shape\": " + Bool(c.shareShape) +
         ", \"bounds_default\": " + Bool(c.physicalBounds) + ", \"parameters\": [" + entries + "]}";
}

// The options of the modern view and the detailed fit message, each only
// when it is not at its default (the classic state prints as it always has).
std::string PresentationOptions(const CTavView& view) {
  const PlotOptions& plot = view.Plot();
  std::string out;
  if (plot.style == PlotStyle::kModern) out += ", \"style\": \"modern\"";
  if (plot.titles) out += ", \"titles\": true";
  if (plot.legend) out += ", \"legend\": true";
  if (view.Options().m_detailedMessage) out += ", \"fit_message\": \"detailed\"";
  return out;
}

// A background of another order than the line's: its order, the window of
// its series and its terms as the plot draws them; nothing for the line (so
// that the state line stays as it has always been).
std::string BackgroundSeries(const CTavView& view) {
  if (view.BackgroundOrder() == kLineBackgroundOrder) return "";
  const BackgroundBasis basis = BackgroundBasisOf(view);
  std::vector<double> a(static_cast<std::size_t>(ParameterCount(view)) + 1, 0.0);
  FillFittedParameters(view, a.data(), basis);
  const std::size_t first = a.size() - static_cast<std::size_t>(basis.Terms());
  return ", \"background\": {\"order\": " + std::to_string(basis.order) + ", \"window\": [" +
         Number(basis.lo) + ", " + Number(basis.hi) +
         "], \"terms\": " + Slots(a, first, a.size() - 1) + "}";
}

}  // namespace

std::string StateJson(const CTavView& view) {
  const CTavDoc& doc = view.GetDocument();
  const DisplayRange& r = view.Range();
  const InputModes& m = view.Modes();
  const PeakTable& t = view.Peaks();
  const ReadingSettings& reading = view.Reading();
  const BackgroundLayer& b = view.Background();
  const auto k = static_cast<std::size_t>(view.Problem().maxPeaks);
  std::ostringstream s;
  s << "{\"doc\": {\"m_nData\": " << doc.m_nData << ", \"m_start\": " << Number(doc.m_start)
    << ", \"m_step\": " << Number(doc.m_step) << ", \"m_stop\": " << Number(doc.m_stop)
    << ", \"m_yMin\": " << Number(doc.m_yMin) << ", \"m_yMax\": " << Number(doc.m_yMax)
    << ", \"wavelength1\": " << Optional(doc.m_wavelengths.lambda1)
    << ", \"wavelength2\": " << Optional(doc.m_wavelengths.lambda2)
    << ", \"ratio\": " << Optional(doc.m_wavelengths.alpha2Ratio) << "}";
  s << ", \"view\": {\"m_xMin\": " << Number(r.m_xMin) << ", \"m_xMax\": " << Number(r.m_xMax)
    << ", \"m_yMin\": " << Number(r.m_yMin) << ", \"m_yMax\": " << Number(r.m_yMax)
    << ", \"m_bPeakMode\": " << m.m_bPeakMode
    << ", \"m_dragState\": " << static_cast<int>(m.m_dragState) << ", \"m_nPeak\": " << t.m_nPeak
    << ", \"m_curPeak\": " << t.m_curPeak << ", \"m_bFitted\": " << t.m_bFitted
    << ", \"m_height\": " << Slots(t.m_height, 1, k)
    << ", \"m_position\": " << Slots(t.m_position, 1, k)
    << ", \"m_width\": " << Slots(t.m_width, 1, k)
    << ", \"m_widthFactor\": " << Slots(t.m_widthFactor, 1, k) << ", \"m_bgA\": " << Number(t.m_bgA)
    << ", \"m_bgB\": " << Number(t.m_bgB) << ", \"m_tolerance\": " << Number(view.Tolerance())
    << ", \"m_skipLines\": " << reading.m_skipLines << ", \"m_lastLine\": " << reading.m_lastLine
    << ", \"m_bBackShown\": " << b.m_bBackShown << ", \"m_nBin\": " << b.NBin()
    << ", \"m_bgCoef\": " << Slots(b.m_bgCoef, 0, 3) << ", \"m_bPolarized\": " << view.Polarized()
    << ", \"m_shapeParam\": " << Slots(t.m_shapeParam, 1, k)
    << ", \"doublet\": " << Bool(view.Options().m_doublet) << Constraints(view.Problem(), t.m_nPeak)
    << BackgroundSeries(view) << PresentationOptions(view) << "}";
  s << ", \"g_function\": " << view.Problem().shape;
  s << ", \"ui\": {\"rangeSetChecked\": " << Bool(view.IsRangeSetChecked())
    << ", \"peakPositionChecked\": " << Bool(view.IsPeakPositionChecked())
    << ", \"lsqStartEnabled\": " << Bool(view.IsLsqStartEnabled())
    << ", \"saveResultEnabled\": " << Bool(view.IsSaveResultEnabled()) << "}}";
  return s.str();
}
