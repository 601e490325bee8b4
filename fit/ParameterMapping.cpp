#include "fit/ParameterMapping.h"

#include <algorithm>
#include <limits>

#include "fit/Allocators.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
// A width may not reach 0 (the model divides by it): its lower bound.
constexpr double kSmallestWidth = 1e-6;

bool IsWidth(int m) { return m == kWidthParameter || m == kRightWidthParameter; }
bool IsShapeParameter(int m) { return m == kShapeParameter || m == kRightShapeParameter; }

// The physical range of a mixed shape's parameter m (none for the others).
ParameterConstraint PhysicalRange(const PeakShape& shape, int m) {
  ParameterConstraint c;
  if (!shape.HasShapeParameter()) return c;
  if (m == kHeightParameter) c.lower = 0.0;
  if (IsWidth(m)) c.lower = kSmallestWidth;
  if (IsShapeParameter(m)) {
    if (shape.function == kPearson7) {
      c.lower = 0.6;
    } else {
      c.lower = 0.0;
      c.upper = 1.0;
    }
  }
  return c;
}

}  // namespace

ParameterMapping ParameterMapping::Build(int shape, int peaks, int backgroundTerms,
                                         const FitConstraints& constraints) {
  const PeakShape* description = FindPeakShape(shape);
  const int per = PeakParameterCount(shape);
  ParameterMapping m;
  m.m_npar = per * peaks + backgroundTerms;
  m.m_freeOf.assign(static_cast<std::size_t>(m.m_npar) + 1, 0);
  m.m_lower.assign(1, -kInf);
  m.m_upper.assign(1, kInf);
  int sharedWidth[2] = {0, 0};  // the p of the shared (left, right) width
  int sharedShape[2] = {0, 0};
  const auto add = [&m](const ParameterConstraint& c) {
    ++m.m_nfree;
    m.m_lower.push_back(c.lower);
    m.m_upper.push_back(c.upper);
    return m.m_nfree;
  };
  const auto narrow = [&m](int p, const ParameterConstraint& c) {
    m.m_lower[static_cast<std::size_t>(p)] =
        std::max(m.m_lower[static_cast<std::size_t>(p)], c.lower);
    m.m_upper[static_cast<std::size_t>(p)] =
        std::min(m.m_upper[static_cast<std::size_t>(p)], c.upper);
  };
  for (int k = 1; k <= peaks; ++k) {
    for (int q = 0; q < per; ++q) {
      const int i = per * (k - 1) + 1 + q;
      ParameterConstraint c = constraints.Peak(k, q);
      if (c.fixed) continue;
      if (!c.Bounded() && constraints.physicalBounds && description != nullptr)
        c = PhysicalRange(*description, q);
      int* shared = nullptr;
      const int half = q >= kRightWidthParameter ? 1 : 0;
      if (constraints.shareWidth && IsWidth(q)) shared = &sharedWidth[half];
      if (constraints.shareShape && IsShapeParameter(q)) shared = &sharedShape[half];
      if (shared != nullptr && *shared != 0) {
        m.m_freeOf[static_cast<std::size_t>(i)] = *shared;
        narrow(*shared, c);
        continue;
      }
      const int p = add(c);
      m.m_freeOf[static_cast<std::size_t>(i)] = p;
      if (shared != nullptr) *shared = p;
    }
  }
  for (int b = 0; b < backgroundTerms; ++b) {
    const ParameterConstraint& c =
        constraints.background[static_cast<std::size_t>(std::min(b, kMaxBackgroundTerms - 1))];
    if (c.fixed) continue;
    m.m_freeOf[static_cast<std::size_t>(per * peaks + 1 + b)] = add(c);
  }
  for (int p = 1; p <= m.m_nfree; ++p) {
    m.m_bounded = m.m_bounded || m.m_lower[static_cast<std::size_t>(p)] > -kInf ||
                  m.m_upper[static_cast<std::size_t>(p)] < kInf;
  }
  m.m_identity = m.m_nfree == m.m_npar && !m.m_bounded;
  for (int i = 1; i <= m.m_npar && m.m_identity; ++i) m.m_identity = m.FreeIndexOf(i) == i;
  return m;
}

std::vector<double> ParameterMapping::Reduce(const std::vector<double>& a) const {
  std::vector<double> p(static_cast<std::size_t>(m_nfree) + 1, 0.0);
  std::vector<bool> seen(p.size(), false);
  for (int i = 1; i <= m_npar; ++i) {
    const int j = FreeIndexOf(i);
    if (j == 0 || seen[static_cast<std::size_t>(j)]) continue;
    seen[static_cast<std::size_t>(j)] = true;
    p[static_cast<std::size_t>(j)] = a[static_cast<std::size_t>(i)];
  }
  return p;
}

void ParameterMapping::Expand(const double p[], double a[]) const {
  for (int i = 1; i <= m_npar; ++i) {
    if (const int j = FreeIndexOf(i); j != 0) a[i] = p[j];
  }
}

ConstrainedModel::ConstrainedModel(const FitModel& model, const ParameterMapping& mapping,
                                   std::vector<double> a)
    : m_model(model), m_mapping(mapping), m_a(std::move(a)), m_deriv(m_a.size(), 0.0) {}

std::vector<double> ConstrainedModel::FullParameters(const double p[]) const {
  std::vector<double> a = m_a;
  m_mapping.Expand(p, a.data());
  return a;
}

void ConstrainedModel::Evaluate(double x, const double p[], double& value, double deriv[],
                                int nfree) const {
  m_mapping.Expand(p, m_a.data());
  m_model.Evaluate(x, m_a.data(), value, m_deriv.data(), m_mapping.Full());
  for (int j = 1; j <= nfree; ++j) deriv[j] = 0.0;
  for (int i = 1; i <= m_mapping.Full(); ++i) {
    if (const int j = m_mapping.FreeIndexOf(i); j != 0)
      deriv[j] += m_deriv[static_cast<std::size_t>(i)];
  }
}

void ConstrainedModel::Curvature(const double x[], const double y[], const double sig[], int npt,
                                 const double p[], int nfree, const int lista[], int nfit,
                                 double** alpha, double beta[], double& chisq) const {
  const int npar = m_mapping.Full();
  m_mapping.Expand(p, m_a.data());
  std::vector<int> all(static_cast<std::size_t>(npar) + 1);
  for (int i = 1; i <= npar; ++i) all[static_cast<std::size_t>(i)] = i;
  double** full = matrix(1, npar, 1, npar);
  ReleaseOnExit releaseFull([&] { release_matrix(full, 1, npar, 1, npar); });
  std::vector<double> fullBeta(static_cast<std::size_t>(npar) + 1, 0.0);
  m_model.Curvature(x, y, sig, npt, m_a.data(), npar, all.data(), npar, full, fullBeta.data(),
                    chisq);
  // Rows and columns of a folded onto those of p, in the order of lista.
  std::vector<int> row(static_cast<std::size_t>(nfree) + 1, 0);
  for (int j = 1; j <= nfit; ++j) row[static_cast<std::size_t>(lista[j])] = j;
  for (int j = 1; j <= nfit; ++j) {
    beta[j] = 0.0;
    for (int k = 1; k <= nfit; ++k) alpha[j][k] = 0.0;
  }
  for (int i = 1; i <= npar; ++i) {
    const int fi = m_mapping.FreeIndexOf(i);
    const int j = fi != 0 ? row[static_cast<std::size_t>(fi)] : 0;
    if (j == 0) continue;
    beta[j] += fullBeta[static_cast<std::size_t>(i)];
    for (int l = 1; l <= npar; ++l) {
      const int fl = m_mapping.FreeIndexOf(l);
      const int k = fl != 0 ? row[static_cast<std::size_t>(fl)] : 0;
      if (k != 0) alpha[j][k] += full[i][l];
    }
  }
}

ParameterCovariance ExpandedCovariance(const NormalEquations& normal, int npt, bool absolute,
                                       const ParameterMapping& mapping,
                                       const std::vector<bool>& heldA) {
  const int nfree = mapping.Free();
  // The free parameters still varied: those no held a follows.
  std::vector<int> reducedOf(static_cast<std::size_t>(nfree) + 1, 0);
  for (int j = 1; j <= nfree; ++j) reducedOf[static_cast<std::size_t>(j)] = -1;
  for (int i = 1; i <= mapping.Full(); ++i) {
    const int j = mapping.FreeIndexOf(i);
    if (j != 0 && heldA[static_cast<std::size_t>(i)]) reducedOf[static_cast<std::size_t>(j)] = 0;
  }
  std::vector<int> kept;
  for (int j = 1; j <= nfree; ++j) {
    if (reducedOf[static_cast<std::size_t>(j)] == 0) continue;
    kept.push_back(j);
    reducedOf[static_cast<std::size_t>(j)] = static_cast<int>(kept.size());
  }
  NormalEquations reduced;
  reduced.npar = static_cast<int>(kept.size());
  reduced.chisq = normal.chisq;
  for (const int j : kept) {
    for (const int k : kept) {
      reduced.alpha.push_back(
          normal.alpha[static_cast<std::size_t>((j - 1) * normal.npar + k - 1)]);
    }
  }
  const ParameterCovariance c = CovarianceOfNormalEquations(reduced, npt, absolute);
  if (!c.Known()) return c;
  const int npar = mapping.Full();
  ParameterCovariance full = ParameterCovariance::Zero(npar);
  for (int i = 1; i <= npar; ++i) {
    const int ri = mapping.FreeIndexOf(i) != 0
                       ? reducedOf[static_cast<std::size_t>(mapping.FreeIndexOf(i))]
                       : 0;
    if (ri <= 0) continue;
    for (int l = 1; l <= i; ++l) {
      const int rl = mapping.FreeIndexOf(l) != 0
                         ? reducedOf[static_cast<std::size_t>(mapping.FreeIndexOf(l))]
                         : 0;
      if (rl > 0) full.Set(i, l, c(ri, rl));
    }
  }
  return full;
}
