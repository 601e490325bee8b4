#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "fit/Caglioti.h"
#include "fit/Lattice.h"

namespace {

const Reflection* Named(const std::vector<Reflection>& list, const std::string& name) {
  for (const Reflection& r : list) {
    for (const std::string& n : r.names) {
      if (n == name) return &r;
    }
  }
  return nullptr;
}

TEST(Lattice, DSpacingsFollowTheCellFormulasAndTheCentring) {
  UnitCell hex = WithCellParameters({CrystalSystem::kHexagonal, Centring::kP}, {3.21, 5.21});
  const std::vector<Reflection> h = ListReflections(hex, 1.0);
  ASSERT_NE(Named(h, "102"), nullptr);
  // 1/d² = 4/3·(h² + hk + k²)/a² + l²/c², written out for 102 and 110.
  EXPECT_NEAR(Named(h, "102")->d, 1.0 / std::sqrt(4.0 / 3.0 / (3.21 * 3.21) + 4.0 / (5.21 * 5.21)),
              1e-12);
  EXPECT_NEAR(Named(h, "110")->d, 1.0 / std::sqrt(4.0 / 3.0 * 3.0 / (3.21 * 3.21)), 1e-12);

  UnitCell ortho =
      WithCellParameters({CrystalSystem::kOrthorhombic, Centring::kC}, {4.0, 5.0, 6.0});
  const std::vector<Reflection> o = ListReflections(ortho, 1.5);
  EXPECT_EQ(Named(o, "100"), nullptr);  // h + k odd: absent for C
  ASSERT_NE(Named(o, "111"), nullptr);
  EXPECT_NEAR(Named(o, "111")->d, 1.0 / std::sqrt(1 / 16.0 + 1 / 25.0 + 1 / 36.0), 1e-12);

  const std::vector<Reflection> f =
      ListReflections(WithCellParameters({CrystalSystem::kCubic, Centring::kF}, {5.64}), 1.2);
  EXPECT_EQ(Named(f, "100"), nullptr);
  EXPECT_EQ(Named(f, "210"), nullptr);
  EXPECT_NE(Named(f, "111"), nullptr);
  EXPECT_NE(Named(f, "200"), nullptr);
  // In order of falling d.
  for (std::size_t i = 1; i < f.size(); ++i) EXPECT_GT(f[i - 1].d, f[i].d);
}

TEST(Lattice, PeaksNearTwoReflectionsOrNoneAreNotGuessed) {
  const UnitCell cell = WithCellParameters({CrystalSystem::kCubic, Centring::kP}, {4.0});
  const double lambda = 1.5406;
  const double at111 = BraggTwoTheta(lambda, 4.0 / std::sqrt(3.0));
  HklAssignment a = AssignHkl(cell, lambda, at111 + 0.05);
  ASSERT_EQ(a.kind, HklAssignment::Kind::kAssigned);
  EXPECT_EQ(ReflectionLabel(*a.reflection), "111");
  EXPECT_EQ(AssignHkl(cell, lambda, at111 + 1.0).kind, HklAssignment::Kind::kNone);
  // A tetragonal cell with c near a: 001 and 100 lie 0.1° apart.
  const UnitCell tetragonal =
      WithCellParameters({CrystalSystem::kTetragonal, Centring::kP}, {4.0, 4.02});
  const double between = 0.5 * (BraggTwoTheta(lambda, 4.0) + BraggTwoTheta(lambda, 4.02));
  a = AssignHkl(tetragonal, lambda, between);
  EXPECT_EQ(a.kind, HklAssignment::Kind::kAmbiguous);
  EXPECT_EQ(a.candidates.size(), 2u);
}

TEST(Caglioti, RecoversExactTermsAndRefusesANegativeWidth) {
  std::vector<CalibrationPeak> peaks;
  for (double tt = 20.0; tt <= 120.0; tt += 10.0) {
    const double t = std::tan(tt * M_PI / 360.0);
    CalibrationPeak p;
    p.position = tt;
    p.fwhm = std::sqrt(0.01 * t * t - 0.004 * t + 0.002);
    p.fwhmError = 1e-4;
    peaks.push_back(p);
  }
  const ResolutionFit fit = FitResolution(peaks);
  ASSERT_TRUE(fit.function) << fit.refusal;
  EXPECT_NEAR(fit.function->u, 0.01, 1e-10);
  EXPECT_NEAR(fit.function->v, -0.004, 1e-10);
  EXPECT_NEAR(fit.function->w, 0.002, 1e-10);
  EXPECT_NEAR(fit.function->FwhmAt(70.0), peaks[5].fwhm, 1e-10);

  ResolutionFunction dipping;
  dipping.u = 0.01;
  dipping.v = -0.02;
  dipping.w = 0.005;  // below zero around tan θ = 1
  EXPECT_FALSE(FwhmSquaredPositiveOver(dipping, 60.0, 120.0));
  EXPECT_TRUE(FwhmSquaredPositiveOver(dipping, 10.0, 20.0));
  peaks.resize(2);
  EXPECT_FALSE(FitResolution(peaks).function);
}

}  // namespace
