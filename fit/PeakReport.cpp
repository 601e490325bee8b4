#include "fit/PeakReport.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>

#include "fit/Diffraction.h"
#include "text/Translate.h"
#include "text/UncertainText.h"

namespace {

// The shortest text that reads back as the number, whatever the locale.
std::string NumberForNote(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// A fitted value in a note: to the precision of its uncertainty when that
// is known, else six significant digits.
std::string FittedForNote(const Estimate& estimate, double value) {
  return UncertainText(value, estimate.error);
}

bool IsPositive(double value) { return std::isfinite(value) && value > 0.0; }

// The gradient over a[1..npar] of a quantity of the peak whose parameters
// start at a[first].
std::vector<double> FullGradient(const PeakQuantity& q, int first, int count, int npar) {
  std::vector<double> g(static_cast<std::size_t>(npar) + 1, 0.0);
  for (int i = 0; i < count; ++i) g[first + i] = q.gradient[i];
  return g;
}

// Where one peak's parameters lie in a[] and what the covariance says of them.
struct PeakSlice {
  const double* p;  // p[0] = a[first]
  int first;
  int count;
  int npar;
  const ParameterCovariance& covariance;
  const std::vector<bool>* held = nullptr;

  Estimate Of(const PeakQuantity& q) const {
    Estimate e;
    if (!std::isfinite(q.value)) return e;
    e.value = q.value;
    e.error = covariance.Propagate(FullGradient(q, first, count, npar));
    return e;
  }

  Estimate Parameter(int i) const {
    PeakQuantity q;
    q.value = p[i];
    q.gradient[i] = 1.0;
    Estimate e = Of(q);
    if (IsHeld(i)) e.error.reset();
    return e;
  }

  // Whether the peak's parameter i is held (fixed, or on a bound).
  bool IsHeld(int i) const {
    const std::size_t at = static_cast<std::size_t>(first + i);
    return held != nullptr && at < held->size() && (*held)[at];
  }
};

PeakQuantity IntegralBreadth(const PeakQuantity& area, double height) {
  PeakQuantity q;
  q.value = area.value / height;
  for (int i = 0; i < kMaxPeakParameters; ++i) q.gradient[i] = area.gradient[i] / height;
  q.gradient[kHeightParameter] -= q.value / height;
  return q;
}

PeakQuantity DSpacing(double wavelength, double position) {
  const BraggSpacing s = BraggDSpacing(wavelength, position);
  PeakQuantity q;
  q.value = s.d;
  q.gradient[kPositionParameter] = s.byPosition;
  return q;
}

// The d-spacing of the position less the zero shift and displacement, when
// the settings ask for it.
PeakQuantity CorrectedDSpacing(const ReportSettings& settings, double position) {
  if (!settings.positionCorrection) return DSpacing(*settings.wavelength, position);
  const PositionCorrection& c = *settings.positionCorrection;
  PeakQuantity q = DSpacing(*settings.wavelength, position - c.ShiftAt(position));
  q.gradient[kPositionParameter] *= 1.0 - c.ShiftSlopeAt(position);
  return q;
}

// The instrumental FWHM of a peak at 2θ: the resolution function's there,
// else the single value.
double InstrumentalFwhmAt(const ReportSettings& settings, double position) {
  return settings.resolution ? settings.resolution->FwhmAt(position) : settings.instrumentalFwhm;
}

PeakQuantity Size(const ScherrerInputs& inputs, double position, const PeakQuantity& fwhm) {
  const CrystalliteSize s = ScherrerSize(inputs, position, fwhm.value);
  PeakQuantity q;
  q.value = s.nm;
  for (int i = 0; i < kMaxPeakParameters; ++i) q.gradient[i] = s.byFwhm * fwhm.gradient[i];
  q.gradient[kPositionParameter] += s.byPosition;
  return q;
}

PeakQuantity BreadthCosTheta(double position, const PeakQuantity& breadth, double instrumental,
                             WidthRemoval removal) {
  const BroadeningTerm t = SampleBreadthCosTheta(position, breadth.value, instrumental, removal);
  PeakQuantity q;
  q.value = t.value;
  for (int i = 0; i < kMaxPeakParameters; ++i) q.gradient[i] = t.byBreadth * breadth.gradient[i];
  q.gradient[kPositionParameter] += t.byPosition;
  return q;
}

// What of the settings can be used, with the notes on what cannot.
struct UsableSettings {
  bool q = false;  // X is Q: d-spacings only, from 2π/Q
  bool wavelength = false;
  bool scherrer = false;
  bool instrumental = false;
};

UsableSettings CheckSettings(const ReportSettings& s, std::vector<std::string>& notes) {
  UsableSettings usable;
  if (s.xQuantity == "q") {
    notes.push_back(Translated(QT_TRANSLATE_NOOP(
        "tav", "X が Q のため、面間隔は d = 2π/Q から求め、結晶子径は求めません")));
    usable.q = true;
    return usable;
  }
  if (s.xQuantity != "2theta") {
    notes.push_back(TranslatedFormat(
        QT_TRANSLATE_NOOP("tav", "X が 2θ ではなく %1 のため、面間隔と結晶子径は求められません"),
        {s.xQuantity}));
    return usable;
  }
  usable.instrumental =
      s.resolution || (std::isfinite(s.instrumentalFwhm) && s.instrumentalFwhm >= 0.0);
  if (!s.wavelength) {
    notes.push_back(
        Translated(QT_TRANSLATE_NOOP("tav", "波長が不明のため、面間隔と結晶子径は求められません")));
  } else if (!IsPositive(*s.wavelength)) {
    notes.push_back(TranslatedFormat(
        QT_TRANSLATE_NOOP("tav", "波長 %1 が正の数でないため、面間隔と結晶子径は求められません"),
        {NumberForNote(*s.wavelength)}));
  } else {
    usable.wavelength = true;
  }
  if (!IsPositive(s.scherrerK)) {
    notes.push_back(TranslatedFormat(
        QT_TRANSLATE_NOOP("tav",
                          "Scherrer定数 K = %1 が正の数でないため、結晶子径は求められません"),
        {NumberForNote(s.scherrerK)}));
  }
  if (s.resolution) {
    notes.push_back(TranslatedFormat(
        QT_TRANSLATE_NOOP("tav", "装置の半値幅は装置関数 %1 から各ピークの角度で求めています"),
        {s.resolutionName}));
  } else if (!usable.instrumental) {
    notes.push_back(TranslatedFormat(
        QT_TRANSLATE_NOOP("tav",
                          "装置の半値幅 %1 が負または数値でないため、結晶子径は求められません"),
        {NumberForNote(s.instrumentalFwhm)}));
  }
  usable.scherrer = usable.wavelength && usable.instrumental && IsPositive(s.scherrerK);
  return usable;
}

std::string PeakNote(int k, const std::string& text) {
  return TranslatedFormat(QT_TRANSLATE_NOOP("tav", "ピーク %1: %2"), {std::to_string(k), text});
}

// A peak outside the range the resolution function was calibrated over takes
// its instrumental FWHM from the curve extended; the notes say so.
void NoteOutsideCalibration(const ReportSettings& settings, double position, int k,
                            std::vector<std::string>& notes) {
  if (!settings.resolution) return;
  const ResolutionFunction& f = *settings.resolution;
  if (position >= f.minTwoTheta && position <= f.maxTwoTheta) return;
  notes.push_back(
      PeakNote(k, TranslatedFormat(QT_TRANSLATE_NOOP("tav",
                                                     "装置関数の校正範囲 2θ %1〜%2° の外にあり、"
                                                     "装置の半値幅は外挿した値です"),
                                   {UncertainText(f.minTwoTheta, std::nullopt),
                                    UncertainText(f.maxTwoTheta, std::nullopt)})));
}

// β cos θ of a breadth with the instrumental FWHM at the peak removed. While
// the resolution function is in use, its uncertainty at the peak is added in
// quadrature (the correlation it brings between peaks is neglected).
Estimate SampleBreadthEstimate(const PeakSlice& slice, double position, const PeakQuantity& breadth,
                               const ReportSettings& settings, WidthRemoval removal) {
  const double b = InstrumentalFwhmAt(settings, position);
  Estimate e = slice.Of(BreadthCosTheta(position, breadth, b, removal));
  if (!settings.resolution || !e.value || !e.error) return e;
  const double sigma = settings.resolution->FwhmErrorAt(position);
  const double h = 1e-6 * b;
  const double slope = (SampleBreadthCosTheta(position, breadth.value, b + h, removal).value -
                        SampleBreadthCosTheta(position, breadth.value, b - h, removal).value) /
                       (2.0 * h);
  const double added = slope * sigma;
  if (std::isfinite(added)) e.error = std::hypot(*e.error, added);
  return e;
}

// While the resolution function is in use, a breadth that does not exceed
// the instrumental FWHM still gives β cos θ (≤ 0) where the shape's removal
// allows it, so that the Williamson–Hall line of a nearly unbroadened sample
// is not biased by leaving out its narrowest peaks; there is no size.
bool KeepsBreadthBelowInstrument(const ReportSettings& settings, WidthRemoval removal) {
  return settings.resolution && removal != WidthRemoval::kQuadrature;
}

// The d-spacing 2π/Q in ångström of a peak at Q (per ångström, or per
// nanometre when the unit says so); a note says why it is unknown.
void AddQSpacing(const PeakSlice& slice, const ReportSettings& settings, PeakResult& r,
                 std::vector<std::string>& notes) {
  const double q = slice.p[kPositionParameter];
  if (!(q > 0.0)) {
    notes.push_back(PeakNote(
        r.peak, TranslatedFormat(
                    QT_TRANSLATE_NOOP("tav", "位置 Q = %1 が正でないため、面間隔は求められません"),
                    {NumberForNote(q)})));
    return;
  }
  const double toAngstrom = settings.xUnit == "1/nm" ? 10.0 : 1.0;
  PeakQuantity d;
  d.value = toAngstrom * 2.0 * std::numbers::pi / q;
  d.gradient[kPositionParameter] = -d.value / q;
  r.dSpacing = slice.Of(d);
}

// The d-spacing and the crystallite size, as far as the settings and the
// peak allow; a note says why one is unknown.
void AddBraggAndScherrer(const PeakSlice& slice, const PeakShape& shape, const PeakQuantity& fwhm,
                         const PeakQuantity& integralBreadth, const ReportSettings& settings,
                         const UsableSettings& usable, PeakResult& r,
                         std::vector<std::string>& notes) {
  if (usable.q) {
    AddQSpacing(slice, settings, r, notes);
    return;
  }
  if (!usable.wavelength) return;
  const double position = slice.p[kPositionParameter];
  if (!(position > 0.0 && position < 180.0)) {
    notes.push_back(
        PeakNote(r.peak, TranslatedFormat(QT_TRANSLATE_NOOP("tav",
                                                            "位置 %1 が 2θ 0〜180° の範囲外のため、"
                                                            "面間隔と結晶子径は求められません"),
                                          {NumberForNote(position)})));
    return;
  }
  r.dSpacing = slice.Of(CorrectedDSpacing(settings, position));
  if (!usable.scherrer) return;
  const double instrumental = InstrumentalFwhmAt(settings, position);
  NoteOutsideCalibration(settings, position, r.peak, notes);
  if (!(instrumental < fwhm.value)) {
    notes.push_back(PeakNote(
        r.peak, TranslatedFormat(QT_TRANSLATE_NOOP("tav",
                                                   "装置の半値幅 %1 が観測された半値幅 %2 "
                                                   "以上のため、結晶子径は求められません"),
                                 {NumberForNote(instrumental), NumberForNote(fwhm.value)})));
    if (KeepsBreadthBelowInstrument(settings, shape.removal)) {
      r.fwhmCosTheta = SampleBreadthEstimate(slice, position, fwhm, settings, shape.removal);
      r.integralBreadthCosTheta =
          SampleBreadthEstimate(slice, position, integralBreadth, settings, shape.removal);
    }
    return;
  }
  const ScherrerInputs inputs{settings.scherrerK, *settings.wavelength, instrumental,
                              shape.removal};
  r.sizeNm = slice.Of(Size(inputs, position, fwhm));
  r.fwhmCosTheta = SampleBreadthEstimate(slice, position, fwhm, settings, shape.removal);
  if (instrumental < integralBreadth.value ||
      KeepsBreadthBelowInstrument(settings, shape.removal)) {
    r.integralBreadthCosTheta =
        SampleBreadthEstimate(slice, position, integralBreadth, settings, shape.removal);
  }
}

void NoteWidthNotPositive(const Estimate& width, int k, std::vector<std::string>& notes) {
  const double w = width.value.value_or(std::numeric_limits<double>::quiet_NaN());
  if (w > 0.0) return;
  notes.push_back(PeakNote(
      k,
      TranslatedFormat(
          QT_TRANSLATE_NOOP("tav", "幅 %1 が正の数ではありません（制限せずそのまま示しています）"),
          {FittedForNote(width, w)})));
}

void NoteShapeParameterOutside(const Estimate& parameter, const PeakShape& shape, int k,
                               std::vector<std::string>& notes) {
  const double q = parameter.value.value_or(std::numeric_limits<double>::quiet_NaN());
  if (q >= shape.parameterMin && q <= shape.parameterMax) return;
  const std::string name = Translated(shape.parameterName);
  if (std::isinf(shape.parameterMax)) {
    notes.push_back(PeakNote(
        k, TranslatedFormat(
               QT_TRANSLATE_NOOP("tav", "%1 %2 が %3 未満です（制限せずそのまま示しています）"),
               {name, FittedForNote(parameter, q), NumberForNote(shape.parameterMin)})));
  } else {
    notes.push_back(PeakNote(
        k,
        TranslatedFormat(QT_TRANSLATE_NOOP(
                             "tav", "%1 %2 が %3〜%4 の範囲外です（制限せずそのまま示しています）"),
                         {name, FittedForNote(parameter, q), NumberForNote(shape.parameterMin),
                          NumberForNote(shape.parameterMax)})));
  }
}

// Warnings on parameters of a mixed shape outside their meaningful range;
// the values themselves stay as the fit left them.
void NoteOutOfRange(const PeakSlice& slice, const PeakShape& shape, int k,
                    std::vector<std::string>& notes) {
  if (!shape.HasShapeParameter()) return;
  NoteWidthNotPositive(slice.Parameter(kWidthParameter), k, notes);
  NoteShapeParameterOutside(slice.Parameter(kShapeParameter), shape, k, notes);
  if (!shape.split) return;
  NoteWidthNotPositive(slice.Parameter(kRightWidthParameter), k, notes);
  NoteShapeParameterOutside(slice.Parameter(kRightShapeParameter), shape, k, notes);
}

bool AreCounts(const double y[], int npt) {
  if (npt == 0) return false;
  for (int i = 1; i <= npt; ++i) {
    if (!(y[i] >= 0.0) || y[i] != std::floor(y[i])) return false;
  }
  return true;
}

// Three significant digits, whatever the locale.
std::string GofText(double gof) {
  char buffer[32];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, gof, std::chars_format::general, 3);
  return std::string(buffer, result.ptr);
}

// Above this goodness of fit the model leaves more than counting noise.
constexpr double kPoorGoodnessOfFit = 1.5;

// What the table's σ stand for, which points the weights left out, and
// whether the model describes the data within their noise.
void AddWeightNotes(PeakReport& report) {
  std::vector<std::string>& notes = report.notes;
  const FitStatistics& s = report.statistics;
  if (report.pointsLeftOut > 0) {
    notes.push_back(
        TranslatedFormat(QT_TRANSLATE_NOOP("tav", "σ が正の数でない %1 点をフィットから外しました"),
                         {std::to_string(report.pointsLeftOut)}));
  }
  switch (s.weights) {
    case FitWeights::kUnit:
      notes.push_back(Translated(QT_TRANSLATE_NOOP(
          "tav", "標準不確かさは単位重みのフィットによるもので、χ²/(N−P) で尺度化しています")));
      if (report.countLikeData) {
        notes.push_back(Translated(QT_TRANSLATE_NOOP(
            "tav",
            "強度は計数のようです: 計数統計の重み (weights counts) で計数データに見合った"
            "不確かさが得られます")));
      }
      return;
    case FitWeights::kCounts:
      notes.push_back(Translated(QT_TRANSLATE_NOOP(
          "tav", "標準不確かさは計数統計の重み (σ² = N + 1) による (JᵀWJ)⁻¹ そのものです")));
      break;
    case FitWeights::kSigma:
      notes.push_back(Translated(QT_TRANSLATE_NOOP(
          "tav", "標準不確かさはプロファイルの σ を重みとする (JᵀWJ)⁻¹ そのものです")));
      break;
  }
  if (s.gof > kPoorGoodnessOfFit) {
    notes.push_back(TranslatedFormat(
        QT_TRANSLATE_NOOP("tav", "gof = %1: モデルはデータを雑音の範囲内で表していません"),
        {GofText(s.gof)}));
  }
}

// A note for each parameter of peak k that the fit held: its σ is left
// empty.
void NoteHeldParameters(const PeakSlice& slice, const PeakShape& shape, int k,
                        std::vector<std::string>& notes) {
  for (int i = 0; i < shape.parametersPerPeak; ++i) {
    if (!slice.IsHeld(i)) continue;
    notes.push_back(PeakNote(
        k,
        TranslatedFormat(
            QT_TRANSLATE_NOOP("tav", "%1 = %2 は固定されているか境界にあります (fixed)"),
            {shape.parameterNames[static_cast<std::size_t>(i)], UncertainText(slice.p[i], {})})));
  }
}

PeakQuantity Asymmetry(const double p[]) {
  const double left = p[kWidthParameter];
  const double right = p[kRightWidthParameter];
  PeakQuantity q;
  q.value = right / left;
  q.gradient[kRightWidthParameter] = 1.0 / left;
  q.gradient[kWidthParameter] = -q.value / left;
  return q;
}

PeakResult DescribePeak(const PeakSlice& slice, const PeakShape& shape,
                        const ReportSettings& settings, const UsableSettings& usable, int k,
                        std::vector<std::string>& notes) {
  PeakResult r;
  r.peak = k;
  r.shape = &shape;
  r.height = slice.Parameter(kHeightParameter);
  r.position = slice.Parameter(kPositionParameter);
  r.width = slice.Parameter(kWidthParameter);
  if (shape.HasShapeParameter()) r.shapeParameter = slice.Parameter(kShapeParameter);
  if (shape.split) {
    r.asymmetry = slice.Of(Asymmetry(slice.p));
    r.shapeParameterRight = slice.Parameter(kRightShapeParameter);
  }
  const PeakQuantity fwhm = shape.fwhm(slice.p);
  const PeakQuantity area = shape.area(slice.p);
  r.fwhm = slice.Of(fwhm);
  r.area = slice.Of(area);
  const PeakQuantity breadth = IntegralBreadth(area, slice.p[kHeightParameter]);
  r.integralBreadth = slice.Of(breadth);
  NoteOutOfRange(slice, shape, k, notes);
  AddBraggAndScherrer(slice, shape, fwhm, breadth, settings, usable, r, notes);
  return r;
}

// The terms of a background other than the line, each with its σ, or held
// with a note.
void DescribeBackground(PeakReport& report, const double a[], int npar) {
  report.backgroundTerms.clear();
  const BackgroundBasis& b = report.background;
  if (b.IsLine() || npar < b.Terms()) return;
  const int first = npar - b.Terms() + 1;
  for (int k = 0; k < b.Terms(); ++k) {
    const int i = first + k;
    Estimate e;
    e.value = a[i];
    std::vector<double> gradient(static_cast<std::size_t>(npar) + 1, 0.0);
    gradient[static_cast<std::size_t>(i)] = 1.0;
    e.error = report.covariance.Propagate(gradient);
    const bool held = static_cast<std::size_t>(i) < report.held.size() &&
                      report.held[static_cast<std::size_t>(i)];
    if (held) {
      e.error.reset();
      report.notes.push_back(TranslatedFormat(
          QT_TRANSLATE_NOOP("tav", "%1 = %2 は固定されているか境界にあります (fixed)"),
          {BackgroundTermName(b.order, k), NumberForNote(a[i])}));
    }
    report.backgroundTerms.push_back(e);
  }
}

}  // namespace

std::vector<PeakResult> DescribePeaks(const double a[], int npar, int shape,
                                      const ParameterCovariance& covariance,
                                      const ReportSettings& settings,
                                      std::vector<std::string>& notes,
                                      const std::vector<bool>& held, int backgroundTerms) {
  const PeakShape* description = FindPeakShape(shape);
  if (description == nullptr) {
    notes.push_back(Translated(
        QT_TRANSLATE_NOOP("tav", "ピーク形状が選ばれていないため、ピークの値は求められません")));
    return {};
  }
  const int perPeak = description->parametersPerPeak;
  if (npar < backgroundTerms || (npar - backgroundTerms) % perPeak != 0) {
    notes.push_back(
        TranslatedFormat(QT_TRANSLATE_NOOP("tav",
                                           "%1 個のパラメータは %2 のピークとバックグラウンド直線に"
                                           "分けられないため、ピークの値は求められません"),
                         {std::to_string(npar), description->name}));
    return {};
  }
  const int n = (npar - backgroundTerms) / perPeak;
  std::vector<PeakResult> peaks;
  if (n == 0) return peaks;
  const UsableSettings usable = CheckSettings(settings, notes);
  for (int k = 1; k <= n; ++k) {
    const int first = (k - 1) * perPeak + 1;
    const PeakSlice slice{a + first, first, perPeak, npar, covariance, &held};
    peaks.push_back(DescribePeak(slice, *description, settings, usable, k, notes));
    NoteHeldParameters(slice, *description, k, notes);
  }
  return peaks;
}

PeakReport MakePeakReport(const double x[], const double y[], int npt, const double a[], int npar,
                          const PeakModel& model, const ReportSettings& settings,
                          const Weighting& weighting) {
  PeakReport report;
  report.shape = model.Shape();
  report.background = model.Background();
  report.statistics = ComputeFitStatistics(x, y, npt, a, npar, model, weighting);
  report.covariance = EstimateCovariance(x, y, npt, a, npar, model, weighting);
  report.countLikeData = AreCounts(y, npt);
  report.pointsLeftOut = weighting.leftOut;
  RedescribePeaks(report, a, npar, settings);
  return report;
}

PeakReport MakePeakReport(const double x[], const double y[], int npt, const double a[], int npar,
                          const PeakModel& model, const ReportSettings& settings,
                          const NormalEquations& normal, const Weighting& weighting) {
  PeakReport report;
  report.shape = model.Shape();
  report.background = model.Background();
  report.statistics = ComputeFitStatistics(x, y, npt, a, npar, model, weighting);
  report.covariance = CovarianceOfNormalEquations(normal, npt, weighting.Absolute());
  report.countLikeData = AreCounts(y, npt);
  report.pointsLeftOut = weighting.leftOut;
  RedescribePeaks(report, a, npar, settings);
  return report;
}

void RedescribePeaks(PeakReport& report, const double a[], int npar,
                     const ReportSettings& settings) {
  report.notes.clear();
  if (!report.covariance.Known()) report.notes.push_back(report.covariance.Reason());
  const int terms = report.background.Terms();
  report.peaks = DescribePeaks(a, npar, report.shape, report.covariance, settings, report.notes,
                               report.held, terms);
  DescribeBackground(report, a, npar);
  AddWeightNotes(report);
}

PeakReport MakeConstrainedPeakReport(const double x[], const double y[], int npt, const double a[],
                                     int npar, const PeakModel& model,
                                     const ReportSettings& settings, ParameterCovariance covariance,
                                     const Weighting& weighting, int freeCount,
                                     std::vector<bool> held) {
  PeakReport report;
  report.shape = model.Shape();
  report.background = model.Background();
  report.statistics = ComputeFitStatistics(x, y, npt, a, npar, model, weighting);
  FitStatistics& s = report.statistics;
  const double kept = npt > freeCount && npt > npar
                          ? std::sqrt(static_cast<double>(npt - freeCount) / (npt - npar))
                          : std::nan("");
  s.npar = freeCount;
  s.reducedChisq = npt > freeCount ? s.chisq / (npt - freeCount) : std::nan("");
  if (weighting.Absolute()) {
    s.rexp *= kept;
    s.gof = std::sqrt(s.reducedChisq);
  }
  report.covariance = std::move(covariance);
  report.countLikeData = AreCounts(y, npt);
  report.pointsLeftOut = weighting.leftOut;
  report.held = std::move(held);
  RedescribePeaks(report, a, npar, settings);
  return report;
}
