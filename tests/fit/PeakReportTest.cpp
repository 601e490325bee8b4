#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "fit/Diffraction.h"
#include "fit/PeakModel.h"
#include "fit/PeakReport.h"
#include "fit/PeakShapes.h"

namespace {

ReportSettings Settings(double wavelength, double k = 0.9, double instrumental = 0.0) {
  ReportSettings s;
  s.wavelength = wavelength;
  s.scherrerK = k;
  s.instrumentalFwhm = instrumental;
  return s;
}

const double kRootLn2 = std::sqrt(std::numbers::ln2);

// The points of a model on a regular grid, with residuals −2, 0, 2, −2, ...
struct Profile {
  std::vector<double> x{0.0}, y{0.0};
  Profile(const std::vector<double>& a, int shape, double from, double to, int n) {
    const PeakModel model(shape);
    for (int i = 0; i < n; ++i) {
      x.push_back(from + (to - from) * i / (n - 1));
      const double v = model.ValueAt(x.back(), a.data(), static_cast<int>(a.size()) - 1);
      y.push_back(v + (i % 3 - 1) * 2.0);
    }
  }
  int npt() const { return static_cast<int>(x.size()) - 1; }
};

TEST(PeakShapes, HalfMaximumAndAreaOfTheModelItself) {
  for (const int shape : {kGaussian, kLorentzian}) {
    const PeakModel model(shape);
    const double a[] = {0, 40.0, 30.0, -0.2, 0, 0};  // a negative width draws the same peak
    const PeakShape& s = *FindPeakShape(shape);
    double half = 0, sum = 0, v = 0;
    model.Value(30.0 + s.fwhm(a + 1).value / 2, a, half, 5);
    EXPECT_NEAR(half, 20.0, 1e-12) << s.name;
    // Midpoint sums over ±400 widths; a Lorentzian's tails beyond add 2hw/400.
    for (int i = 0; i < 800000; ++i) {
      model.Value(-50.0 + (i + 0.5) * 2e-4, a, v, 5);
      sum += v;
    }
    const double tails = shape == kLorentzian ? 2 * 40.0 * 0.2 / 400 : 0.0;
    EXPECT_NEAR(s.area(a + 1).value, sum * 2e-4 + tails, 1e-6) << s.name;
  }
}

// FWHM and area of the mixed shapes against the model itself, the area's
// derivative by the shape parameter against a difference, and the instrumental
// width taken off as β = B − b²/B.
TEST(PeakShapes, MixedShapesHalfMaximumAreaAndInstrumentalWidth) {
  for (const int shape : {kPseudoVoigt, kPearson7}) {
    const PeakModel model(shape);
    const double q = shape == kPseudoVoigt ? 0.35 : 2.5;
    const double a[] = {0, 40.0, 30.0, 0.2, q, 0, 0};
    const PeakShape& s = *FindPeakShape(shape);
    double half = 0, sum = 0, v = 0;
    model.Value(30.0 + s.fwhm(a + 1).value / 2, a, half, 6);
    EXPECT_NEAR(half, 20.0, 1e-12) << s.name;
    for (int i = 0; i < 800000; ++i) {
      model.Value(-50.0 + (i + 0.5) * 2e-4, a, v, 6);
      sum += v;
    }
    const double tails = shape == kPseudoVoigt ? q * 2 * 40.0 * 0.2 / 400 : 0.0;
    const PeakQuantity area = s.area(a + 1);
    EXPECT_NEAR(area.value, sum * 2e-4 + tails, 1e-6) << s.name;
    double up[] = {40.0, 30.0, 0.2, q + 1e-6}, down[] = {40.0, 30.0, 0.2, q - 1e-6};
    EXPECT_NEAR(area.gradient[kShapeParameter], (s.area(up).value - s.area(down).value) / 2e-6,
                1e-6)
        << s.name;
  }
  const SampleFwhm beta = RemoveInstrumentalFwhm(0.4, 0.1, WidthRemoval::kMixed);
  EXPECT_DOUBLE_EQ(beta.fwhm, 0.375);
  EXPECT_DOUBLE_EQ(beta.byObserved, 1.0625);
}

// A mixed shape's parameters outside their range are kept as fitted and
// named in the notes; a Pearson VII area with m <= 1/2 is infinite: empty.
TEST(PeakReport, MixedShapesOutOfRangeAreWarnedNotClamped) {
  const ParameterCovariance unknown;
  std::vector<std::string> notes;
  const double voigt[] = {0, 100, 30.0, 0.1, 1.25, 100, 31.0, -0.1, 0.5, 0, 0};
  const std::vector<PeakResult> v =
      DescribePeaks(voigt, 10, kPseudoVoigt, unknown, ReportSettings{}, notes);
  ASSERT_EQ(v.size(), 2u);
  EXPECT_STREQ(v[0].shape->name, "pvoigt");
  EXPECT_EQ(*v[0].shapeParameter.value, 1.25);
  EXPECT_EQ(*v[1].width.value, -0.1);
  const std::vector<std::string> voigtNotes = {
      "波長が不明のため、面間隔と結晶子径は求められません",
      "ピーク 1: η 1.25 が 0〜1 の範囲外です（制限せずそのまま示しています）",
      "ピーク 2: 幅 -0.1 が正の数ではありません（制限せずそのまま示しています）"};
  EXPECT_EQ(notes, voigtNotes);

  notes.clear();
  const double pearson[] = {0, 100, 30.0, 0.1, 0.4, 0, 0};
  const PeakResult p = DescribePeaks(pearson, 6, kPearson7, unknown, Settings(1.5406), notes)[0];
  EXPECT_STREQ(p.shape->name, "pearson7");
  EXPECT_EQ(*p.shapeParameter.value, 0.4);
  EXPECT_FALSE(p.area.value);
  EXPECT_EQ(*p.fwhm.value, 0.2);
  const std::vector<std::string> pearsonNotes = {
      "ピーク 1: 指数 m 0.4 が 0.5 未満です（制限せずそのまま示しています）"};
  EXPECT_EQ(notes, pearsonNotes);
}

TEST(Diffraction, BraggAndScherrerAgainstHandWorkedValues) {
  ReportSettings settings = Settings(1.54059, 0.9, 0.05);
  ParameterCovariance c = ParameterCovariance::Zero(5);
  c.Set(2, 2, 0.01 * 0.01);
  std::vector<std::string> notes;
  // At 2θ = 60°, sin θ = 1/2, so d = λ and σ_d = d·cot θ·σ_θ = 2.3286e-4 Å.
  // Lorentzian: FWHM 2w = 0.2°, β = 0.2 − 0.05 = 0.15° = 2.617994e-3 rad,
  // D = 0.9 × 1.54059 Å / (2.617994e-3 × cos 30°) = 611.5477 Å.
  const double lorentz[] = {0, 1000, 60.0, 0.1, 0, 0};
  const PeakResult r = DescribePeaks(lorentz, 5, kLorentzian, c, settings, notes)[0];
  EXPECT_NEAR(*r.dSpacing.value, 1.54059, 1e-14);
  EXPECT_NEAR(*r.dSpacing.error, 2.3286009687879e-4, 1e-15);
  EXPECT_NEAR(*r.sizeNm.value, 61.154768375846, 1e-9);
  // Gaussian: FWHM 0.25°, β = √(0.25² − 0.15²) = 0.2°, D = 458.6608 Å.
  settings.instrumentalFwhm = 0.15;
  const double gauss[] = {0, 1000, 60.0, 0.125 / kRootLn2, 0, 0};
  EXPECT_NEAR(*DescribePeaks(gauss, 5, kGaussian, c, settings, notes)[0].sizeNm.value,
              45.866076281884, 1e-9);
  EXPECT_TRUE(notes.empty());
}

TEST(Propagation, UsesTheOffDiagonalTerms) {
  // Height and width anticorrelated (ρ = −0.9), position and width correlated (ρ = 0.6).
  const double h = 800, pos = 40, w = 0.12, sh = 20, sp = 0.004, sw = 0.006;
  const double a[] = {0, h, pos, w, 0, 0};
  ParameterCovariance c = ParameterCovariance::Zero(5);
  c.Set(1, 1, sh * sh), c.Set(2, 2, sp * sp), c.Set(3, 3, sw * sw);
  c.Set(1, 3, -0.9 * sh * sw), c.Set(2, 3, 0.6 * sp * sw);
  std::vector<std::string> notes;
  const PeakResult r = DescribePeaks(a, 5, kGaussian, c, Settings(1.54059, 0.9, 0.0), notes)[0];

  const double rootPi = std::sqrt(std::numbers::pi);
  const double full = rootPi * std::sqrt(w * w * sh * sh + h * h * sw * sw - 1.8 * h * w * sh * sw);
  const double diagonal = rootPi * std::sqrt(w * w * sh * sh + h * h * sw * sw);
  EXPECT_NEAR(*r.area.error, full, 1e-9 * full);
  EXPECT_GT(diagonal / full, 1.5);  // dropping the correlation would show
  EXPECT_NEAR(*r.fwhm.error, 2 * kRootLn2 * sw, 1e-15);
  EXPECT_NEAR(*r.integralBreadth.error, rootPi * sw, 1e-12);  // A/h = √π·w

  // Size D(position, FWHM B): σ² = D_p²σp² + D_B²σB² + 2 D_p D_B cov(p, B).
  const double size = *r.sizeNm.value, sB = 2 * kRootLn2 * sw;
  const double byPos = size * std::tan(pos * std::numbers::pi / 360) * std::numbers::pi / 360;
  const double byFwhm = -size / *r.fwhm.value;
  const double sizeErr = std::sqrt(byPos * byPos * sp * sp + byFwhm * byFwhm * sB * sB +
                                   2 * byPos * byFwhm * 0.6 * sp * sB);
  EXPECT_NEAR(*r.sizeNm.error, sizeErr, 1e-9 * sizeErr);
}

TEST(PeakReport, StatisticsByHand) {
  // The background line alone (npar = 2): f = 2x + 1, residuals 0, 1, −1, 1.
  const double x[] = {0, 1, 2, 3, 4}, y[] = {0, 3, 6, 6, 10}, line[] = {0, 2.0, 1.0};
  const FitStatistics s = MakePeakReport(x, y, 4, line, 2, PeakModel(kGaussian), {}).statistics;
  EXPECT_EQ(s.chisq, 3.0);
  EXPECT_EQ(s.reducedChisq, 1.5);
  EXPECT_NEAR(s.rwp, 100 * std::sqrt(3.0 / 181), 1e-13);  // Σy² = 181
  EXPECT_NEAR(s.rp, 100 * 3.0 / 25, 1e-13);               // Σ|y| = 25

  // The report evaluates the model it is given, its shape and its doublet.
  const std::vector<double> a{0, 500, 40.0, 0.1, 0.0, 30.0};
  const Profile p(a, kGaussian, 39.5, 40.5, 30);
  const PeakReport g =
      MakePeakReport(p.x.data(), p.y.data(), 30, a.data(), 5, PeakModel(kGaussian), {});
  EXPECT_EQ(g.shape, kGaussian);
  EXPECT_NEAR(g.statistics.chisq, 20 * 4.0, 1e-9);
  const PeakReport l =
      MakePeakReport(p.x.data(), p.y.data(), 30, a.data(), 5, PeakModel(kLorentzian), {});
  EXPECT_EQ(l.shape, kLorentzian);
  EXPECT_GT(l.statistics.chisq, 10 * g.statistics.chisq);
  const PeakModel doublet(kGaussian, DoubletLines{true, 1.544426 / 1.540593, 0.5});
  const PeakReport d = MakePeakReport(p.x.data(), p.y.data(), 30, a.data(), 5, doublet, {});
  EXPECT_GT(d.statistics.chisq, 10 * g.statistics.chisq);
}

constexpr const char* kUnitWeightsNote =
    "標準不確かさは単位重みのフィットによるもので、χ²/(N−P) で尺度化しています";

TEST(PeakReport, UnknownsGiveEmptyValuesWithNotes) {
  const std::vector<double> one{0, 500, 40.0, 0.1, 0.0, 30.0};
  const Profile p(one, kGaussian, 39.5, 40.5, 5);
  PeakReport r = MakePeakReport(p.x.data(), p.y.data(), 5, one.data(), 5, PeakModel(kGaussian), {});
  EXPECT_EQ(r.notes, (std::vector<std::string>{
                         "不確かさは求められません: データ点 5 個に対しパラメータが 5 個です",
                         "波長が不明のため、面間隔と結晶子径は求められません", kUnitWeightsNote}));
  EXPECT_TRUE(std::isnan(r.statistics.reducedChisq));
  EXPECT_EQ(r.peaks.at(0).fwhm.value, 2 * kRootLn2 * 0.1);
  EXPECT_FALSE(r.peaks[0].fwhm.error || r.peaks[0].dSpacing.value || r.peaks[0].sizeNm.value);

  // Two identical peaks make the normal matrix singular; the instrumental
  // FWHM equals the observed one.
  const std::vector<double> twin{0, 250, 40.0, 0.1, 250, 40.0, 0.1, 0.0, 30.0};
  const Profile q(twin, kLorentzian, 39.0, 41.0, 41);
  r = MakePeakReport(q.x.data(), q.y.data(), q.npt(), twin.data(), 8, PeakModel(kLorentzian),
                     Settings(1.54059, 0.9, 0.2));
  EXPECT_EQ(r.notes, (std::vector<std::string>{
                         "不確かさは求められません: 正規方程式の行列の逆行列がありません "
                         "(gaussj: Singular Matrix-2)",
                         "ピーク 1: 装置の半値幅 0.2 が観測された半値幅 0.2 以上のため、"
                         "結晶子径は求められません",
                         "ピーク 2: 装置の半値幅 0.2 が観測された半値幅 0.2 以上のため、"
                         "結晶子径は求められません",
                         kUnitWeightsNote}));
  for (const PeakResult& peak : r.peaks) {
    EXPECT_TRUE(peak.dSpacing.value && !peak.dSpacing.error && !peak.sizeNm.value);
  }

  std::vector<std::string> notes;
  const double far[] = {0, 10, 190.0, 0.1, 0, 0};
  EXPECT_FALSE(
      DescribePeaks(far, 5, kGaussian, {}, Settings(1.5, 0.0, -1.0), notes)[0].dSpacing.value);
  EXPECT_EQ(notes, (std::vector<std::string>{
                       "Scherrer定数 K = 0 が正の数でないため、結晶子径は求められません",
                       "装置の半値幅 -1 が負または数値でないため、結晶子径は求められません",
                       "ピーク 1: 位置 190 が 2θ 0〜180° の範囲外のため、面間隔と結晶子径は"
                       "求められません"}));
  EXPECT_TRUE(DescribePeaks(far, 5, kNoShape, {}, {}, notes).empty());
  EXPECT_EQ(notes.back(), "ピーク形状が選ばれていないため、ピークの値は求められません");
}

TEST(PeakReport, XInQGivesDSpacingsWithoutWavelengthAndOtherAxesNeither) {
  // A peak at Q = 2.5 per ångström (noisy rows, so the position has an uncertainty).
  const std::vector<double> a{0, 500, 2.5, 0.01, 0.0, 30.0};
  const Profile p(a, kGaussian, 2.4, 2.6, 41);
  ReportSettings q;  // no wavelength
  q.xQuantity = "q";
  q.xUnit = "1/angstrom";
  const PeakReport inQ =
      MakePeakReport(p.x.data(), p.y.data(), p.npt(), a.data(), 5, PeakModel(kGaussian), q);
  const PeakResult& peak = inQ.peaks.at(0);
  ASSERT_TRUE(peak.dSpacing.value && peak.dSpacing.error && peak.position.error);
  EXPECT_NEAR(*peak.dSpacing.value, 2 * 3.14159265358979 / 2.5, 1e-12);  // 2.51327 Å
  // σ_d = 2π/Q² σ_Q.
  EXPECT_NEAR(*peak.dSpacing.error, 2 * 3.14159265358979 / 6.25 * *peak.position.error, 1e-12);
  EXPECT_FALSE(peak.sizeNm.value || peak.fwhmCosTheta.value);
  EXPECT_EQ(inQ.notes.at(0), "X が Q のため、面間隔は d = 2π/Q から求め、結晶子径は求めません");

  // Per nanometre: 25 nm⁻¹ is the same spacing.
  q.xUnit = "1/nm";
  std::vector<double> perNm = a;
  perNm[2] = 25.0;
  std::vector<std::string> notes;
  const std::vector<PeakResult> nm = DescribePeaks(perNm.data(), 5, kGaussian, {}, q, notes);
  EXPECT_NEAR(*nm.at(0).dSpacing.value, 2 * 3.14159265358979 / 2.5, 1e-12);

  // A pole figure's φ: nothing, even with a wavelength.
  ReportSettings phi = Settings(1.54059);
  phi.xQuantity = "phi";
  notes.clear();
  const std::vector<PeakResult> angle = DescribePeaks(a.data(), 5, kGaussian, {}, phi, notes);
  EXPECT_FALSE(angle.at(0).dSpacing.value || angle.at(0).sizeNm.value);
  EXPECT_EQ(notes.at(0), "X が 2θ ではなく phi のため、面間隔と結晶子径は求められません");
}

}  // namespace
