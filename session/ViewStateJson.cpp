#include "session/ViewStateJson.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>

#include "session/ReportJson.h"

namespace {

constexpr std::array<const char*, 3> kDragStates = {"armed", "dragging", "disarmed"};
constexpr std::array<const char*, 2> kBackgroundKinds = {"cubic", "snip"};
constexpr std::array<const char*, 3> kWeights = {"unit", "counts", "sigma"};
constexpr std::array<const char*, 3> kScales = {"linear", "sqrt", "log"};
constexpr std::array<const char*, 2> kStyles = {"classic", "modern"};

// The last slot of the peak table holding anything but a fresh table's
// values (slots after it are stored as nothing).
int LastUsedSlot(const PeakTable& t) {
  const PeakTable fresh;
  for (int k = kPeakCapacity; k >= 1; --k) {
    const auto i = static_cast<std::size_t>(k);
    if (t.m_height[i] != fresh.m_height[i] || t.m_position[i] != fresh.m_position[i] ||
        t.m_width[i] != fresh.m_width[i] || t.m_widthFactor[i] != fresh.m_widthFactor[i] ||
        t.m_widthFitted[i] || t.m_widthFromData[i] || t.m_shapeParam[i] != 0.0 ||
        t.m_widthRight[i] != 0.0 || t.m_shapeParamRight[i] != 0.0 ||
        t.m_shapeParamShape[i] != kNoShape)
      return k;
  }
  return 0;
}

template <class Array>
Json SlotsJson(const Array& values, int last) {
  Json list = Json::array();
  for (int k = 1; k <= last; ++k) list.push_back(values[static_cast<std::size_t>(k)]);
  return list;
}

template <class Array>
Json NumberSlotsJson(const Array& values, int last) {
  Json list = Json::array();
  for (int k = 1; k <= last; ++k) list.push_back(NumberJson(values[static_cast<std::size_t>(k)]));
  return list;
}

Json PeakTableJson(const PeakTable& t) {
  const int last = LastUsedSlot(t);
  Json table{{"count", t.m_nPeak},
             {"current", t.m_curPeak},
             {"fitted", t.m_bFitted},
             {"height", NumberSlotsJson(t.m_height, last)},
             {"position", NumberSlotsJson(t.m_position, last)},
             {"width", NumberSlotsJson(t.m_width, last)},
             {"width_factor", NumberSlotsJson(t.m_widthFactor, last)},
             {"width_fitted", SlotsJson(t.m_widthFitted, last)},
             {"width_from_data", SlotsJson(t.m_widthFromData, last)},
             {"shape_param", NumberSlotsJson(t.m_shapeParam, last)},
             {"width_right", NumberSlotsJson(t.m_widthRight, last)},
             {"shape_param_right", NumberSlotsJson(t.m_shapeParamRight, last)},
             {"shape_param_shape", SlotsJson(t.m_shapeParamShape, last)},
             {"background_slope", NumberJson(t.m_bgA)},
             {"background_intercept", NumberJson(t.m_bgB)}};
  // The window of the last fit (a series of another order drawn before the
  // next fit spans it), and a fitted series, only where there are.
  if (t.m_bgWindowMax > t.m_bgWindowMin) {
    table["background_window"] =
        Json::array({NumberJson(t.m_bgWindowMin), NumberJson(t.m_bgWindowMax)});
  }
  if (t.m_bgOrder != kLineBackgroundOrder) {
    table["background_order"] = t.m_bgOrder;
    table["background_terms"] = NumbersJson(
        std::vector<double>(t.m_bgTerms.begin(), t.m_bgTerms.begin() + t.m_bgOrder + 1));
  }
  return table;
}

// The order of a background series: 0..6 but not the line's 1, which has no
// series.
int SeriesOrderOf(const Field& f) {
  const int order = f.Int(kMinBackgroundOrder, kMaxBackgroundOrder);
  if (order == kLineBackgroundOrder) f.OutOfRange("0, 2..6");
  return order;
}

// Each slot array holds the same number of slots, from slot 1.
template <class Array, class Read>
void ReadSlots(const Field& list, std::size_t slots, Array& values, Read read) {
  if (list.Size(kPeakCapacity) != slots) list.OutOfRange(std::to_string(slots));
  for (std::size_t i = 0; i < slots; ++i) values[i + 1] = read(list.At(i));
}

PeakTable PeakTableOf(const Field& f, int maxPeaks) {
  PeakTable t;
  t.m_nPeak = f["count"].Int(0, maxPeaks);
  t.m_curPeak = f["current"].Int(0, kPeakCapacity);
  t.m_bFitted = f["fitted"].Int(0, 1);
  const std::size_t slots = f["height"].Size(kPeakCapacity);
  if (slots < static_cast<std::size_t>(t.m_nPeak)) f["height"].OutOfRange("≥ count");
  const auto finite = [](const Field& v) { return v.Finite(); };
  const auto boolean = [](const Field& v) { return v.Bool(); };
  ReadSlots(f["height"], slots, t.m_height, finite);
  ReadSlots(f["position"], slots, t.m_position, finite);
  ReadSlots(f["width"], slots, t.m_width, finite);
  ReadSlots(f["width_factor"], slots, t.m_widthFactor, finite);
  ReadSlots(f["width_fitted"], slots, t.m_widthFitted, boolean);
  ReadSlots(f["width_from_data"], slots, t.m_widthFromData, boolean);
  ReadSlots(f["shape_param"], slots, t.m_shapeParam, finite);
  ReadSlots(f["width_right"], slots, t.m_widthRight, finite);
  ReadSlots(f["shape_param_right"], slots, t.m_shapeParamRight, finite);
  ReadSlots(f["shape_param_shape"], slots, t.m_shapeParamShape, [](const Field& v) {
    const int shape = v.Int(kNoShape, kShapeCount - 1);
    return shape;
  });
  t.m_bgA = f["background_slope"].Finite();
  t.m_bgB = f["background_intercept"].Finite();
  if (f.Has("background_window")) {
    const Field window = f["background_window"];
    if (window.Size(2) != 2) window.OutOfRange("2");
    t.m_bgWindowMin = window.At(0).Finite();
    t.m_bgWindowMax = window.At(1).Finite();
    if (!(t.m_bgWindowMin < t.m_bgWindowMax)) window.OutOfRange("x_min < x_max");
  }
  if (f.Has("background_order")) {
    t.m_bgOrder = SeriesOrderOf(f["background_order"]);
    const Field terms = f["background_terms"];
    const auto count = static_cast<std::size_t>(t.m_bgOrder + 1);
    if (terms.Size(kMaxBackgroundTerms) != count) terms.OutOfRange(std::to_string(count));
    for (std::size_t k = 0; k < count; ++k) t.m_bgTerms[k] = terms.At(k).Finite();
  }
  return t;
}

Json ConstraintJson(const ParameterConstraint& c) {
  return Json{{"fixed", c.fixed}, {"lower", NumberJson(c.lower)}, {"upper", NumberJson(c.upper)}};
}

ParameterConstraint ConstraintOf(const Field& f) {
  ParameterConstraint c;
  c.fixed = f["fixed"].Bool();
  c.lower = f["lower"].Real();
  c.upper = f["upper"].Real();
  if (std::isnan(c.lower) || std::isnan(c.upper) || c.lower > c.upper) f["lower"].Wrong();
  return c;
}

Json ConstraintsJson(const FitConstraints& c) {
  Json peaks = Json::array();
  for (std::size_t slot = 0; slot < c.peaks.size(); ++slot) {
    for (std::size_t m = 0; m < c.peaks[slot].size(); ++m) {
      if (c.peaks[slot][m].Free()) continue;
      Json entry = ConstraintJson(c.peaks[slot][m]);
      entry["peak"] = slot;
      entry["parameter"] = m;
      peaks.push_back(entry);
    }
  }
  Json background = Json::array();
  for (const ParameterConstraint& term : c.background) background.push_back(ConstraintJson(term));
  return Json{{"share_width", c.shareWidth},
              {"share_shape", c.shareShape},
              {"physical_bounds", c.physicalBounds},
              {"peaks", peaks},
              {"background", background}};
}

FitConstraints ConstraintsOf(const Field& f) {
  FitConstraints c;
  c.shareWidth = f["share_width"].Bool();
  c.shareShape = f["share_shape"].Bool();
  c.physicalBounds = f["physical_bounds"].Bool();
  const Field peaks = f["peaks"];
  const std::size_t n = peaks.Size(std::size_t{kPeakCapacity} * kMaxPeakParameters);
  for (std::size_t i = 0; i < n; ++i) {
    const Field entry = peaks.At(i);
    const int slot = entry["peak"].Int(1, kPeakCapacity);
    const int m = entry["parameter"].Int(0, kMaxPeakParameters - 1);
    c.Peak(slot, m) = ConstraintOf(entry);
  }
  const Field background = f["background"];
  if (background.Size(kMaxBackgroundTerms) != kMaxBackgroundTerms)
    background.OutOfRange(std::to_string(kMaxBackgroundTerms));
  for (std::size_t b = 0; b < kMaxBackgroundTerms; ++b)
    c.background[b] = ConstraintOf(background.At(b));
  return c;
}

Json FitProblemJson(const FitProblem& p) {
  const FitOptions& o = p.options;
  Json problem{{"shape", ShapeNameJson(p.shape)},
               {"tolerance", NumberJson(p.tolerance)},
               {"width_from_data", o.m_widthFromData},
               {"doublet", o.m_doublet},
               {"doublet_ratio", OptionalJson(o.m_doubletRatio)},
               {"step_messages", o.m_stepMessages},
               {"weights", EnumJson(p.weights, kWeights)},
               {"max_peaks", p.maxPeaks},
               {"constraints", ConstraintsJson(p.constraints)}};
  if (p.backgroundOrder != kLineBackgroundOrder) problem["background_order"] = p.backgroundOrder;
  if (o.m_detailedMessage) problem["detailed_message"] = true;
  return problem;
}

FitProblem FitProblemOf(const Field& f) {
  FitProblem p;
  p.shape = ShapeNumberOf(f, "shape");
  p.tolerance = f["tolerance"].Finite();
  if (!(p.tolerance > 0)) f["tolerance"].OutOfRange("> 0");
  p.options.m_widthFromData = f["width_from_data"].Bool();
  p.options.m_doublet = f["doublet"].Bool();
  p.options.m_doubletRatio = f["doublet_ratio"].OptionalFinite();
  p.options.m_stepMessages = f["step_messages"].Bool();
  p.weights = EnumOf<FitWeights>(f["weights"], kWeights);
  p.maxPeaks = f["max_peaks"].Int(kMaxPeaks, kPeakCapacity);
  p.constraints = ConstraintsOf(f["constraints"]);
  if (f.Has("background_order"))
    p.backgroundOrder = f["background_order"].Int(kMinBackgroundOrder, kMaxBackgroundOrder);
  if (f.Has("detailed_message")) p.options.m_detailedMessage = f["detailed_message"].Bool();
  return p;
}

Json BackgroundLayerJson(const BackgroundLayer& b) {
  Json coefficients = Json::array();
  for (const double c : b.m_bgCoef) coefficients.push_back(NumberJson(c));
  return Json{{"shown", b.m_bBackShown},
              {"kind", EnumJson(b.m_kind, kBackgroundKinds)},
              {"bin_x", NumbersJson(b.m_binX)},
              {"bin_y", NumbersJson(b.m_binY)},
              {"coefficients", coefficients},
              {"coefficients_set", b.m_bgCoefSet},
              {"span_min", NumberJson(b.m_spanMin)},
              {"span_max", NumberJson(b.m_spanMax)},
              {"points_fingerprint", DigestJson(b.m_pointsFingerprint)},
              {"snip_x", NumbersJson(b.m_snipX)},
              {"snip_y", NumbersJson(b.m_snipY)}};
}

BackgroundLayer BackgroundLayerOf(const Field& f) {
  constexpr std::size_t kMaxValues = std::size_t{1} << 28;
  BackgroundLayer b;
  b.m_bBackShown = f["shown"].Int(0, 1);
  b.m_kind = EnumOf<BackgroundKind>(f["kind"], kBackgroundKinds);
  b.m_binX = f["bin_x"].Reals(kMaxValues);
  b.m_binY = f["bin_y"].Reals(kMaxValues);
  if (b.m_binX.size() != b.m_binY.size()) f["bin_y"].OutOfRange(std::to_string(b.m_binX.size()));
  const Field coefficients = f["coefficients"];
  if (coefficients.Size(bgfit::kCoefficients) != bgfit::kCoefficients)
    coefficients.OutOfRange(std::to_string(bgfit::kCoefficients));
  for (std::size_t i = 0; i < bgfit::kCoefficients; ++i) b.m_bgCoef[i] = coefficients.At(i).Real();
  b.m_bgCoefSet = f["coefficients_set"].Bool();
  b.m_spanMin = f["span_min"].Real();
  b.m_spanMax = f["span_max"].Real();
  b.m_pointsFingerprint = f["points_fingerprint"].Digest();
  b.m_snipX = f["snip_x"].Reals(kMaxValues);
  b.m_snipY = f["snip_y"].Reals(kMaxValues);
  if (b.m_snipX.size() != b.m_snipY.size())
    f["snip_y"].OutOfRange(std::to_string(b.m_snipX.size()));
  return b;
}

}  // namespace

Json WavelengthsJson(const Wavelengths& w) {
  return Json{{"lambda1", OptionalJson(w.lambda1)},
              {"lambda2", OptionalJson(w.lambda2)},
              {"ratio", OptionalJson(w.alpha2Ratio)}};
}

Wavelengths WavelengthsOf(const Field& f) {
  Wavelengths w;
  w.lambda1 = f["lambda1"].OptionalFinite();
  w.lambda2 = f["lambda2"].OptionalFinite();
  w.alpha2Ratio = f["ratio"].OptionalFinite();
  return w;
}

Json ViewStateJson(const ViewState& s) {
  return Json{{"range",
               {{"x_min", NumberJson(s.range.m_xMin)},
                {"x_max", NumberJson(s.range.m_xMax)},
                {"y_min", NumberJson(s.range.m_yMin)},
                {"y_max", NumberJson(s.range.m_yMax)}}},
              {"modes",
               {{"peak_mode", s.modes.m_bPeakMode},
                {"drag_state", EnumJson(s.modes.m_dragState, kDragStates)},
                {"drag_x0", s.modes.m_dragX0},
                {"drag_y0", s.modes.m_dragY0}}},
              {"reading",
               {{"x_column", s.reading.m_xColumn},
                {"y_column", s.reading.m_yColumn},
                {"skip_lines", s.reading.m_skipLines},
                {"last_line", s.reading.m_lastLine}}},
              {"polarized", s.m_bPolarized},
              {"scherrer",
               {{"k", NumberJson(s.scherrer.m_k)},
                {"instrumental_fwhm", NumberJson(s.scherrer.m_instrumentalFwhm)}}},
              {"default_wavelengths",
               s.defaultWavelengths ? WavelengthsJson(*s.defaultWavelengths) : Json(nullptr)},
              {"fit", FitProblemJson(s.fit)},
              {"peaks", PeakTableJson(s.peaks)},
              {"background_estimate", BackgroundLayerJson(s.background)},
              {"report", s.report ? ReportJson(*s.report) : Json(nullptr)},
              {"calibration", CalibrationJson(s.calibration)}};
}

ViewState ViewStateOf(const Field& f) {
  ViewState s;
  const Field range = f["range"];
  s.range.m_xMin = range["x_min"].Finite();
  s.range.m_xMax = range["x_max"].Finite();
  s.range.m_yMin = range["y_min"].Finite();
  s.range.m_yMax = range["y_max"].Finite();
  const Field modes = f["modes"];
  s.modes.m_bPeakMode = modes["peak_mode"].Int(0, 1);
  s.modes.m_dragState = EnumOf<DragState>(modes["drag_state"], kDragStates);
  s.modes.m_dragX0 = modes["drag_x0"].Int(-1000000, 1000000);
  s.modes.m_dragY0 = modes["drag_y0"].Int(-1000000, 1000000);
  const Field reading = f["reading"];
  s.reading.m_xColumn = reading["x_column"].Int(1, INT_MAX);
  s.reading.m_yColumn = reading["y_column"].Int(1, INT_MAX);
  s.reading.m_skipLines = reading["skip_lines"].Int(0, INT_MAX);
  s.reading.m_lastLine = reading["last_line"].Int(0, INT_MAX);
  s.m_bPolarized = f["polarized"].Int(0, 1);
  s.scherrer.m_k = f["scherrer"]["k"].Finite();
  s.scherrer.m_instrumentalFwhm = f["scherrer"]["instrumental_fwhm"].Finite();
  if (f.Has("default_wavelengths")) s.defaultWavelengths = WavelengthsOf(f["default_wavelengths"]);
  s.fit = FitProblemOf(f["fit"]);
  s.peaks = PeakTableOf(f["peaks"], s.fit.maxPeaks);
  s.background = BackgroundLayerOf(f["background_estimate"]);
  if (f.Has("report")) s.report = ReportOf(f["report"]);
  s.calibration = CalibrationOf(f["calibration"]);
  return s;
}

Json PlotOptionsJson(const PlotOptions& p) {
  Json json{{"scale", EnumJson(p.scale, kScales)},
            {"ticks", p.ticks},
            {"grid", p.grid},
            {"residuals", p.residuals},
            {"clip", p.clip},
            {"width", p.size.width},
            {"height", p.size.height}};
  // The modern view's options only when not at their defaults: a classic
  // session's file stays as it was.
  if (p.style != PlotStyle::kClassic) json["style"] = EnumJson(p.style, kStyles);
  if (p.titles) json["titles"] = true;
  if (p.legend) json["legend"] = true;
  return json;
}

PlotOptions PlotOptionsOf(const Field& f) {
  PlotOptions p;
  p.scale = EnumOf<IntensityScale>(f["scale"], kScales);
  p.ticks = f["ticks"].Bool();
  p.grid = f["grid"].Bool();
  p.residuals = f["residuals"].Bool();
  p.clip = f["clip"].Bool();
  p.size.width = f["width"].Int(0, 100000);
  p.size.height = f["height"].Int(0, 100000);
  if (f.Has("style")) p.style = EnumOf<PlotStyle>(f["style"], kStyles);
  if (f.Has("titles")) p.titles = f["titles"].Bool();
  if (f.Has("legend")) p.legend = f["legend"].Bool();
  return p;
}
