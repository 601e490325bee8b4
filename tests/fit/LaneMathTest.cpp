#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>

#include "fit/LaneMath.h"

namespace pairs {
typedef double Vec __attribute__((vector_size(16)));
constexpr int kLanes = 2;
#include "fit/VectorMath.inc"
}  // namespace pairs

namespace {

constexpr int kArguments = 10'000'000;
const double kInf = std::numeric_limits<double>::infinity();

// Doubles in the order of their values as integers: neighbours differ by one.
std::int64_t Ordered(double v) {
  std::int64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return bits < 0 ? std::numeric_limits<std::int64_t>::min() - bits : bits;
}

// How many doubles apart two results are; NaN only matches NaN.
std::int64_t UlpsApart(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b) ? 0 : 1 << 30;
  if (a == b) return 0;
  const std::int64_t d = Ordered(a) - Ordered(b);
  return d < 0 ? -d : d;
}

// |got − exact| in units of the last place of the double nearest the exact
// value (the subnormal spacing below the normal range), the exact value taken
// from the 64-bit long double functions.
double ErrorInUlps(double got, long double exact) {
  const double nearest = static_cast<double>(exact);
  if (std::isinf(nearest) || nearest == 0.0) return got == nearest ? 0.0 : kInf;
  const double magnitude = std::fabs(nearest);
  const long double ulp = static_cast<long double>(std::nextafter(magnitude, kInf)) - magnitude;
  return static_cast<double>(std::fabs(static_cast<long double>(got) - exact) / ulp);
}

// Every result against the C library's; one in ten against the long double
// function too, whose extra eleven bits give the error in fractions of an ulp.
struct Tally {
  double worstUlps = 0.0;
  std::int64_t worstFromLibrary = 0;
  long subnormal = 0;
  long count = 0;

  template <class Exact>
  void Add(double got, double library, Exact exact) {
    worstFromLibrary = std::max(worstFromLibrary, UlpsApart(got, library));
    if (count % 10 == 0) worstUlps = std::max(worstUlps, ErrorInUlps(got, exact()));
    if (got != 0.0 && std::fabs(got) < std::numeric_limits<double>::min()) ++subnormal;
    ++count;
  }
};

}  // namespace

// The mixed shapes take exp of −ln 2·u², anything from 0 down to −∞; the
// whole finite range is checked, results below the normal range included.
TEST(LaneMath, ExpIsWithinOneUlpOverTheWholeRange) {
  std::mt19937_64 random(20261209);
  std::uniform_real_distribution<double> whole(-746.0, 710.0), small(-1.0, 0.0),
      subnormalResults(-745.2, -708.3);
  Tally tally;
  for (int i = 0; i < kArguments; ++i) {
    const double x = i % 3 == 0   ? whole(random)
                     : i % 3 == 1 ? small(random)
                                  : subnormalResults(random);
    tally.Add(LaneExp(x), std::exp(x), [x] { return std::exp(static_cast<long double>(x)); });
  }
  EXPECT_EQ(tally.count, kArguments);
  EXPECT_LT(tally.worstUlps, 1.0);
  EXPECT_LE(tally.worstFromLibrary, 1);
  EXPECT_GT(tally.subnormal, kArguments / 4);
  std::printf("exp: worst %.3f ulp, at most %lld from the C library, %ld subnormal results\n",
              tally.worstUlps, static_cast<long long>(tally.worstFromLibrary), tally.subnormal);

  EXPECT_EQ(LaneExp(0.0), 1.0);
  EXPECT_EQ(LaneExp(-0.0), 1.0);
  EXPECT_EQ(LaneExp(-kInf), 0.0);
  EXPECT_EQ(LaneExp(-746.0), 0.0);
  EXPECT_EQ(LaneExp(-1e300), 0.0);
  EXPECT_EQ(LaneExp(710.0), kInf);
  EXPECT_EQ(LaneExp(kInf), kInf);
  EXPECT_TRUE(std::isnan(LaneExp(std::nan(""))));
  EXPECT_EQ(LaneExp(-744.4), 5e-324);  // the smallest subnormal, rounded up to
}

// Below about −745.13 exp rounds to +0, above it to the smallest subnormal:
// lanes on either side of that edge, and of the point below which the
// result is set to 0 without its last product, each as the C library has
// it, whatever the other lane holds.
TEST(LaneMath, ExpAtTheEdgeOfZeroTakesEachLaneOnItsOwn) {
  for (double x = -745.8; x < -744.9; x += 0.0137) {
    const double want = std::exp(x);
    EXPECT_EQ(UlpsApart(LaneExp(x), want), 0) << x;
    EXPECT_FALSE(std::signbit(LaneExp(x)));
    for (const double other : {-1000.0, -745.3, 0.0, std::nan("")}) {
      const pairs::Vec out = pairs::ExpLanes(pairs::Vec{x, other});
      EXPECT_EQ(UlpsApart(out[0], want), 0) << x << " beside " << other;
    }
  }
  EXPECT_EQ(LaneExp(-745.13), 5e-324);
  EXPECT_EQ(LaneExp(-745.14), 0.0);
}

// The Pearson VII takes (1 + c·u²)^−m and its logarithm: t from 1 up to the
// largest double, m from far below to far above its usual range, so results
// run down through the subnormals to 0; beside them t below 1 and positive
// powers up to overflow.
TEST(LaneMath, PowAndLogAreWithinOneUlpOverTheWholeRange) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  Tally power, logarithm;
  for (int i = 0; i < kArguments; ++i) {
    double t, y;
    if (i % 4 == 0) {  // near the peak: t a little above 1
      t = 1.0 + std::pow(10.0, -16.0 + 16.0 * unit(random));
      y = -std::pow(10.0, -1.5 + 4.5 * unit(random));
    } else if (i % 4 == 1) {  // anywhere in the tails
      t = std::pow(10.0, 308.0 * unit(random));
      y = -std::pow(10.0, -1.5 + 4.5 * unit(random));
    } else if (i % 4 == 2) {  // results just above and below the smallest normal
      t = std::pow(10.0, 0.5 + 300.0 * unit(random));
      y = -(708.0 + 37.2 * unit(random)) / std::log(t);
    } else {  // t below 1, powers of either sign
      t = std::pow(10.0, -307.0 + 614.0 * unit(random));
      y = -40.0 + 80.0 * unit(random);
    }
    double p = 0.0, l = 0.0;
    LanePowAndLog(t, y, p, l);
    power.Add(p, std::pow(t, y), [t, y] {
      return std::pow(static_cast<long double>(t), static_cast<long double>(y));
    });
    logarithm.Add(l, std::log(t), [t] { return std::log(static_cast<long double>(t)); });
  }
  EXPECT_LT(power.worstUlps, 1.0);
  EXPECT_LE(power.worstFromLibrary, 1);
  EXPECT_GT(power.subnormal, kArguments / 10);
  EXPECT_LT(logarithm.worstUlps, 1.0);
  EXPECT_LE(logarithm.worstFromLibrary, 1);
  std::printf("pow: worst %.3f ulp, at most %lld from the C library, %ld subnormal results\n",
              power.worstUlps, static_cast<long long>(power.worstFromLibrary), power.subnormal);
  std::printf("log: worst %.3f ulp, at most %lld from the C library\n", logarithm.worstUlps,
              static_cast<long long>(logarithm.worstFromLibrary));
}

// Lanes whose t is no normal positive number take the C library's pow and
// log, whatever their neighbour lane holds; the others are unaffected by them.
TEST(LaneMath, LanesOutsideTheNormalNumbersTakeTheLibrary) {
  const double odd[] = {0.0, -0.0, -2.0, 1e-310, kInf, std::nan(""), -kInf};
  for (const double y : {-1.7, -2.0, 3.0, 0.5}) {
    for (const double t : odd) {
      const pairs::PowerAndLog out = pairs::PowAndLogLanes(pairs::Vec{t, 9.5}, y);
      const double wantPower = std::pow(t, y), wantLog = std::log(t);
      EXPECT_EQ(UlpsApart(out.power[0], wantPower), 0) << t << "^" << y;
      EXPECT_EQ(UlpsApart(out.log[0], wantLog), 0) << "log " << t;
      double p = 0.0, l = 0.0;
      LanePowAndLog(9.5, y, p, l);
      EXPECT_EQ(UlpsApart(out.power[1], p), 0);
      EXPECT_EQ(UlpsApart(out.log[1], l), 0);
      LanePowAndLog(t, y, p, l);
      EXPECT_EQ(UlpsApart(p, wantPower), 0);
      EXPECT_EQ(UlpsApart(l, wantLog), 0);
    }
  }
  double p = 0.0, l = 0.0;
  LanePowAndLog(1.0, -3.5, p, l);
  EXPECT_EQ(p, 1.0);
  EXPECT_EQ(l, 0.0);
  LanePowAndLog(2.0, -1e300, p, l);
  EXPECT_EQ(p, 0.0);
  LanePowAndLog(1.0 + 0x1p-52, -1e300, p, l);  // a huge exponent on a t next to 1
  EXPECT_EQ(p, 0.0);
  LanePowAndLog(1.0 + 0x1p-52, -1e-300, p, l);
  EXPECT_EQ(p, 1.0);
}
