#include "session/ReportJson.h"

#include <array>
#include <climits>

#include "fit/FitConstraints.h"
#include "view/ViewState.h"

namespace {

constexpr std::array<const char*, 4> kSystems = {"cubic", "tetragonal", "hexagonal",
                                                 "orthorhombic"};
constexpr std::array<const char*, 4> kCentrings = {"P", "I", "F", "C"};
constexpr std::size_t kMaxNotes = 10000;

// An estimate as [value, error], null for either that is unset.
Json EstimateJson(const Estimate& e) {
  return Json::array({OptionalJson(e.value), OptionalJson(e.error)});
}

Estimate EstimateOf(const Field& f) {
  if (f.Size(2) != 2) f.OutOfRange("2");
  return Estimate{f.At(0).OptionalReal(), f.At(1).OptionalReal()};
}

// The background series a report describes: its order, window and terms.
Json BackgroundSeriesJson(const PeakReport& report) {
  Json terms = Json::array();
  for (const Estimate& e : report.backgroundTerms) terms.push_back(EstimateJson(e));
  const BackgroundBasis& b = report.background;
  return Json{{"order", b.order},
              {"window", Json::array({NumberJson(b.lo), NumberJson(b.hi)})},
              {"terms", terms}};
}

void ReadBackgroundSeries(const Field& f, PeakReport& report) {
  const Field order = f["order"];
  report.background.order = order.Int(kMinBackgroundOrder, kMaxBackgroundOrder);
  if (report.background.IsLine()) order.OutOfRange("0, 2..6");
  const Field window = f["window"];
  if (window.Size(2) != 2) window.OutOfRange("2");
  report.background.lo = window.At(0).Finite();
  report.background.hi = window.At(1).Finite();
  const Field terms = f["terms"];
  const auto count = static_cast<std::size_t>(report.background.Terms());
  if (terms.Size(kMaxBackgroundTerms) != count) terms.OutOfRange(std::to_string(count));
  for (std::size_t k = 0; k < count; ++k) report.backgroundTerms.push_back(EstimateOf(terms.At(k)));
}

Json PeakResultJson(const PeakResult& r) {
  return Json{{"peak", r.peak},
              {"shape", r.shape ? Json(r.shape->name) : Json(nullptr)},
              {"height", EstimateJson(r.height)},
              {"position", EstimateJson(r.position)},
              {"width", EstimateJson(r.width)},
              {"fwhm", EstimateJson(r.fwhm)},
              {"area", EstimateJson(r.area)},
              {"integral_breadth", EstimateJson(r.integralBreadth)},
              {"shape_parameter", EstimateJson(r.shapeParameter)},
              {"asymmetry", EstimateJson(r.asymmetry)},
              {"shape_parameter_right", EstimateJson(r.shapeParameterRight)},
              {"d_spacing", EstimateJson(r.dSpacing)},
              {"size_nm", EstimateJson(r.sizeNm)},
              {"fwhm_cos_theta", EstimateJson(r.fwhmCosTheta)},
              {"integral_breadth_cos_theta", EstimateJson(r.integralBreadthCosTheta)}};
}

PeakResult PeakResultOf(const Field& f) {
  PeakResult r;
  r.peak = f["peak"].Int(1, kPeakCapacity);
  r.shape = f.Has("shape") ? ShapeOf(f["shape"]) : nullptr;
  r.height = EstimateOf(f["height"]);
  r.position = EstimateOf(f["position"]);
  r.width = EstimateOf(f["width"]);
  r.fwhm = EstimateOf(f["fwhm"]);
  r.area = EstimateOf(f["area"]);
  r.integralBreadth = EstimateOf(f["integral_breadth"]);
  r.shapeParameter = EstimateOf(f["shape_parameter"]);
  r.asymmetry = EstimateOf(f["asymmetry"]);
  r.shapeParameterRight = EstimateOf(f["shape_parameter_right"]);
  r.dSpacing = EstimateOf(f["d_spacing"]);
  r.sizeNm = EstimateOf(f["size_nm"]);
  r.fwhmCosTheta = EstimateOf(f["fwhm_cos_theta"]);
  r.integralBreadthCosTheta = EstimateOf(f["integral_breadth_cos_theta"]);
  return r;
}

Json StatisticsJson(const FitStatistics& s) {
  return Json{{"npt", s.npt},
              {"npar", s.npar},
              {"chisq", NumberJson(s.chisq)},
              {"reduced_chisq", NumberJson(s.reducedChisq)},
              {"rwp", NumberJson(s.rwp)},
              {"rp", NumberJson(s.rp)},
              {"weights", FitWeightsName(s.weights)},
              {"rexp", NumberJson(s.rexp)},
              {"gof", NumberJson(s.gof)},
              {"converged", s.converged},
              {"steps", s.steps}};
}

FitStatistics StatisticsOf(const Field& f) {
  constexpr std::array<const char*, 3> kWeights = {"unit", "counts", "sigma"};
  FitStatistics s;
  s.npt = f["npt"].Int(0, INT_MAX);
  s.npar = f["npar"].Int(0, INT_MAX);
  s.chisq = f["chisq"].Real();
  s.reducedChisq = f["reduced_chisq"].Real();
  s.rwp = f["rwp"].Real();
  s.rp = f["rp"].Real();
  s.weights = EnumOf<FitWeights>(f["weights"], kWeights);
  s.rexp = f["rexp"].Real();
  s.gof = f["gof"].Real();
  s.converged = f["converged"].Bool();
  s.steps = f["steps"].Int(0, INT_MAX);
  return s;
}

Json CovarianceJson(const ParameterCovariance& c) {
  Json elements = Json::array();
  for (int j = 1; c.Known() && j <= c.Size(); ++j) {
    for (int k = 1; k <= c.Size(); ++k) elements.push_back(NumberJson(c(j, k)));
  }
  return Json{
      {"known", c.Known()}, {"reason", c.Reason()}, {"size", c.Size()}, {"elements", elements}};
}

ParameterCovariance CovarianceOf(const Field& f) {
  // A fit's parameters: the peak capacity's, each with the most a shape has,
  // and a background polynomial's.
  constexpr int kMaxParameters = kPeakCapacity * kMaxPeakParameters + kMaxBackgroundTerms;
  if (!f["known"].Bool()) return ParameterCovariance::Unknown(f["reason"].String());
  const int n = f["size"].Int(0, kMaxParameters);
  const Field elements = f["elements"];
  const auto count = static_cast<std::size_t>(n) * static_cast<std::size_t>(n);
  if (elements.Size(count) != count) elements.OutOfRange(std::to_string(count));
  ParameterCovariance c = ParameterCovariance::Zero(n);
  for (int j = 1; j <= n; ++j) {
    for (int k = j; k <= n; ++k)
      c.Set(j, k, elements.At(static_cast<std::size_t>((j - 1) * n + k - 1)).Real());
  }
  return c;
}

Json CalibrationPeakJson(const CalibrationPeak& p) {
  return Json{{"position", NumberJson(p.position)},
              {"position_error", NumberJson(p.positionError)},
              {"fwhm", NumberJson(p.fwhm)},
              {"fwhm_error", NumberJson(p.fwhmError)},
              {"shape", ShapeNameJson(p.shape)},
              {"shape_parameter", OptionalJson(p.shapeParameter)},
              {"shape_parameter_error", OptionalJson(p.shapeParameterError)}};
}

CalibrationPeak CalibrationPeakOf(const Field& f) {
  CalibrationPeak p;
  p.position = f["position"].Finite();
  p.positionError = f["position_error"].Real();
  p.fwhm = f["fwhm"].Finite();
  p.fwhmError = f["fwhm_error"].Real();
  p.shape = ShapeNumberOf(f, "shape");
  p.shapeParameter = f["shape_parameter"].OptionalReal();
  p.shapeParameterError = f["shape_parameter_error"].OptionalReal();
  return p;
}

template <std::size_t N>
Json MatrixJson(const std::array<std::array<double, N>, N>& m) {
  Json rows = Json::array();
  for (const auto& row : m) {
    Json values = Json::array();
    for (const double v : row) values.push_back(NumberJson(v));
    rows.push_back(values);
  }
  return rows;
}

template <std::size_t N>
std::array<std::array<double, N>, N> MatrixOf(const Field& f) {
  std::array<std::array<double, N>, N> m{};
  if (f.Size(N) != N) f.OutOfRange(std::to_string(N));
  for (std::size_t j = 0; j < N; ++j) {
    const Field row = f.At(j);
    if (row.Size(N) != N) row.OutOfRange(std::to_string(N));
    for (std::size_t k = 0; k < N; ++k) m[j][k] = row.At(k).Real();
  }
  return m;
}

Json ResolutionJson(const ResolutionFunction& r) {
  Json mixing = nullptr;
  if (r.mixing) {
    mixing = Json{{"shape", ShapeNameJson(r.mixing->shape)},
                  {"intercept", NumberJson(r.mixing->intercept)},
                  {"slope", NumberJson(r.mixing->slope)},
                  {"covariance", MatrixJson(r.mixing->covariance)}};
  }
  return Json{{"u", NumberJson(r.u)},
              {"v", NumberJson(r.v)},
              {"w", NumberJson(r.w)},
              {"covariance", MatrixJson(r.covariance)},
              {"min_two_theta", NumberJson(r.minTwoTheta)},
              {"max_two_theta", NumberJson(r.maxTwoTheta)},
              {"mixing", mixing},
              {"peaks", r.peaks},
              {"reduced_chisq", NumberJson(r.reducedChisq)}};
}

ResolutionFunction ResolutionOf(const Field& f) {
  ResolutionFunction r;
  r.u = f["u"].Finite();
  r.v = f["v"].Finite();
  r.w = f["w"].Finite();
  r.covariance = MatrixOf<3>(f["covariance"]);
  r.minTwoTheta = f["min_two_theta"].Finite();
  r.maxTwoTheta = f["max_two_theta"].Finite();
  if (f.Has("mixing")) {
    const Field m = f["mixing"];
    MixingLine line;
    line.shape = ShapeNumberOf(m, "shape");
    line.intercept = m["intercept"].Finite();
    line.slope = m["slope"].Finite();
    line.covariance = MatrixOf<2>(m["covariance"]);
    r.mixing = line;
  }
  r.peaks = f["peaks"].Int(0, INT_MAX);
  r.reducedChisq = f["reduced_chisq"].Real();
  return r;
}

}  // namespace

Json ShapeNameJson(int function) {
  const PeakShape* shape = FindPeakShape(function);
  return shape ? Json(shape->name) : Json(nullptr);
}

const PeakShape* ShapeOf(const Field& f) {
  const std::string name = f.String();
  const PeakShape* shape = FindPeakShapeNamed(name);
  if (shape == nullptr) f.Unknown(name);
  return shape;
}

int ShapeNumberOf(const Field& parent, const char* key) {
  return parent.Has(key) ? ShapeOf(parent[key])->function : kNoShape;
}

Json ReportJson(const PeakReport& report) {
  Json peaks = Json::array();
  for (const PeakResult& r : report.peaks) peaks.push_back(PeakResultJson(r));
  Json held = Json::array();
  for (const bool h : report.held) held.push_back(h);
  Json json{{"shape", ShapeNameJson(report.shape)},
            {"statistics", StatisticsJson(report.statistics)},
            {"covariance", CovarianceJson(report.covariance)},
            {"peaks", peaks},
            {"notes", report.notes},
            {"count_like_data", report.countLikeData},
            {"points_left_out", report.pointsLeftOut},
            {"held", held}};
  if (!report.background.IsLine()) json["background"] = BackgroundSeriesJson(report);
  return json;
}

PeakReport ReportOf(const Field& f) {
  PeakReport report;
  report.shape = ShapeNumberOf(f, "shape");
  report.statistics = StatisticsOf(f["statistics"]);
  report.covariance = CovarianceOf(f["covariance"]);
  const Field peaks = f["peaks"];
  const std::size_t n = peaks.Size(kPeakCapacity);
  for (std::size_t i = 0; i < n; ++i) report.peaks.push_back(PeakResultOf(peaks.At(i)));
  const Field notes = f["notes"];
  const std::size_t notesCount = notes.Size(kMaxNotes);
  for (std::size_t i = 0; i < notesCount; ++i) report.notes.push_back(notes.At(i).String());
  report.countLikeData = f["count_like_data"].Bool();
  report.pointsLeftOut = f["points_left_out"].Int(0, INT_MAX);
  const Field held = f["held"];
  const std::size_t heldCount = held.Size(static_cast<std::size_t>(report.covariance.Size()) + 1);
  for (std::size_t i = 0; i < heldCount; ++i) report.held.push_back(held.At(i).Bool());
  if (f.Has("background")) ReadBackgroundSeries(f["background"], report);
  return report;
}

Json CalibrationJson(const CalibrationState& c) {
  Json peaks = Json::array();
  for (const CalibrationPeak& p : c.peaks) peaks.push_back(CalibrationPeakJson(p));
  Json instrument = nullptr;
  if (c.instrument) {
    instrument = Json{{"resolution", ResolutionJson(c.instrument->resolution)},
                      {"wavelength", OptionalJson(c.instrument->wavelength)},
                      {"standard", c.instrument->standard},
                      {"date", c.instrument->date}};
  }
  Json phase = nullptr;
  if (c.phase) {
    phase = Json{{"system", EnumJson(c.phase->system, kSystems)},
                 {"centring", EnumJson(c.phase->centring, kCentrings)},
                 {"a", NumberJson(c.phase->a)},
                 {"b", NumberJson(c.phase->b)},
                 {"c", NumberJson(c.phase->c)}};
  }
  Json correction = nullptr;
  if (c.correction) {
    correction = Json{{"zero", NumberJson(c.correction->zero)},
                      {"displacement_mm", NumberJson(c.correction->displacementMm)},
                      {"radius_mm", NumberJson(c.correction->radiusMm)}};
  }
  return Json{{"peaks", peaks},
              {"instrument", instrument},
              {"instrument_path", c.instrumentPath},
              {"use_instrument", c.useInstrument},
              {"goniometer_radius_mm", OptionalJson(c.goniometerRadiusMm)},
              {"phase", phase},
              {"correction", correction},
              {"correct_positions", c.correctPositions},
              {"williamson_hall_excluded", c.williamsonHallExcluded},
              {"williamson_hall_included", c.williamsonHallIncluded}};
}

CalibrationState CalibrationOf(const Field& f) {
  constexpr std::size_t kMaxCalibrationPeaks = 100000;
  CalibrationState c;
  const Field peaks = f["peaks"];
  const std::size_t n = peaks.Size(kMaxCalibrationPeaks);
  for (std::size_t i = 0; i < n; ++i) c.peaks.push_back(CalibrationPeakOf(peaks.At(i)));
  if (f.Has("instrument")) {
    const Field i = f["instrument"];
    InstrumentFunction instrument;
    instrument.resolution = ResolutionOf(i["resolution"]);
    instrument.wavelength = i["wavelength"].OptionalFinite();
    instrument.standard = i["standard"].String();
    instrument.date = i["date"].String();
    c.instrument = instrument;
  }
  c.instrumentPath = f["instrument_path"].String();
  c.useInstrument = f["use_instrument"].Bool();
  c.goniometerRadiusMm = f["goniometer_radius_mm"].OptionalFinite();
  if (f.Has("phase")) {
    const Field p = f["phase"];
    UnitCell cell;
    cell.system = EnumOf<CrystalSystem>(p["system"], kSystems);
    cell.centring = EnumOf<Centring>(p["centring"], kCentrings);
    cell.a = p["a"].Finite();
    cell.b = p["b"].Finite();
    cell.c = p["c"].Finite();
    c.phase = cell;
  }
  if (f.Has("correction")) {
    const Field p = f["correction"];
    c.correction = PositionCorrection{p["zero"].Finite(), p["displacement_mm"].Finite(),
                                      p["radius_mm"].Finite()};
  }
  c.correctPositions = f["correct_positions"].Bool();
  c.williamsonHallExcluded = f["williamson_hall_excluded"].Ints(kPeakCapacity, 1, kPeakCapacity);
  c.williamsonHallIncluded = f["williamson_hall_included"].Ints(kPeakCapacity, 1, kPeakCapacity);
  return c;
}
