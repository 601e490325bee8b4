#include "fit/Lattice.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>

namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

bool Even(int n) { return n % 2 == 0; }

bool Allowed(Centring centring, int h, int k, int l) {
  switch (centring) {
    case Centring::kP:
      return true;
    case Centring::kI:
      return Even(h + k + l);
    case Centring::kF:
      return (Even(h) && Even(k) && Even(l)) || (!Even(h) && !Even(k) && !Even(l));
    case Centring::kC:
      return Even(h + k);
  }
  return false;
}

// The terms of hkl in the system's 1/d² (see Reflection::terms).
std::vector<double> TermsOf(CrystalSystem system, int h, int k, int l) {
  const double h2 = h * h, k2 = k * k, l2 = l * l;
  switch (system) {
    case CrystalSystem::kCubic:
      return {h2 + k2 + l2};
    case CrystalSystem::kTetragonal:
      return {h2 + k2, l2};
    case CrystalSystem::kHexagonal:
      return {4.0 / 3.0 * (h2 + h * k + k2), l2};
    case CrystalSystem::kOrthorhombic:
      return {h2, k2, l2};
  }
  return {};
}

// Whether hkl is an index triple a reflection is named by: h ≥ k ≥ l ≥ 0 for
// the cubic system (its permutations are equivalent), every h, k, l ≥ 0
// otherwise (triples of equal terms then join as names of one reflection;
// the hexagonal h, −k is h − k, k).
bool Listed(CrystalSystem system, int h, int k, int l) {
  if (system == CrystalSystem::kCubic) return h >= k && k >= l;
  return true;
}

std::string Name(int h, int k, int l) {
  return std::to_string(h) + std::to_string(k) + std::to_string(l);
}

int IndexLimit(double length, double dMin) {
  return static_cast<int>(std::floor(length / dMin)) + 1;
}

}  // namespace

int CellParameterCount(CrystalSystem system) {
  switch (system) {
    case CrystalSystem::kCubic:
      return 1;
    case CrystalSystem::kTetragonal:
    case CrystalSystem::kHexagonal:
      return 2;
    case CrystalSystem::kOrthorhombic:
      return 3;
  }
  return 0;
}

std::vector<double> CellParameters(const UnitCell& cell) {
  switch (cell.system) {
    case CrystalSystem::kCubic:
      return {cell.a};
    case CrystalSystem::kTetragonal:
    case CrystalSystem::kHexagonal:
      return {cell.a, cell.c};
    case CrystalSystem::kOrthorhombic:
      return {cell.a, cell.b, cell.c};
  }
  return {};
}

UnitCell WithCellParameters(UnitCell cell, const std::vector<double>& p) {
  switch (cell.system) {
    case CrystalSystem::kCubic:
      cell.a = cell.b = cell.c = p.at(0);
      break;
    case CrystalSystem::kTetragonal:
    case CrystalSystem::kHexagonal:
      cell.a = cell.b = p.at(0);
      cell.c = p.at(1);
      break;
    case CrystalSystem::kOrthorhombic:
      cell.a = p.at(0);
      cell.b = p.at(1);
      cell.c = p.at(2);
      break;
  }
  return cell;
}

const char* SystemName(CrystalSystem system) {
  switch (system) {
    case CrystalSystem::kCubic:
      return "cubic";
    case CrystalSystem::kTetragonal:
      return "tetragonal";
    case CrystalSystem::kHexagonal:
      return "hexagonal";
    case CrystalSystem::kOrthorhombic:
      return "orthorhombic";
  }
  return "";
}

const char* CentringName(Centring centring) {
  switch (centring) {
    case Centring::kP:
      return "P";
    case Centring::kI:
      return "I";
    case Centring::kF:
      return "F";
    case Centring::kC:
      return "C";
  }
  return "";
}

bool AllowsCentring(CrystalSystem system, Centring centring) {
  switch (system) {
    case CrystalSystem::kCubic:
      return centring != Centring::kC;
    case CrystalSystem::kTetragonal:
      return centring == Centring::kP || centring == Centring::kI;
    case CrystalSystem::kHexagonal:
      return centring == Centring::kP;
    case CrystalSystem::kOrthorhombic:
      return true;
  }
  return false;
}

double InverseDSquared(const std::vector<double>& terms, const std::vector<double>& lengths) {
  double q = 0.0;
  for (std::size_t j = 0; j < terms.size() && j < lengths.size(); ++j) {
    q += terms[j] / (lengths[j] * lengths[j]);
  }
  return q;
}

std::vector<Reflection> ListReflections(const UnitCell& cell, double dMin) {
  std::vector<Reflection> out;
  const std::vector<double> lengths = CellParameters(cell);
  if (!(dMin > 0.0)) return out;
  for (double length : lengths) {
    if (!(length > 0.0) || !std::isfinite(length)) return out;
  }
  const int hMax = IndexLimit(cell.a, dMin);
  const int kMax = IndexLimit(cell.b, dMin);
  const int lMax = IndexLimit(cell.c, dMin);
  std::map<std::vector<double>, std::size_t> byTerms;
  for (int h = 0; h <= hMax; ++h) {
    for (int k = 0; k <= kMax; ++k) {
      for (int l = 0; l <= lMax; ++l) {
        if (h == 0 && k == 0 && l == 0) continue;
        if (!Listed(cell.system, h, k, l) || !Allowed(cell.centring, h, k, l)) continue;
        std::vector<double> terms = TermsOf(cell.system, h, k, l);
        const double d = 1.0 / std::sqrt(InverseDSquared(terms, lengths));
        if (d < dMin) continue;
        const auto found = byTerms.find(terms);
        if (found != byTerms.end()) {
          out[found->second].names.push_back(Name(h, k, l));
          continue;
        }
        byTerms.emplace(terms, out.size());
        out.push_back({std::move(terms), {Name(h, k, l)}, d});
      }
    }
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const Reflection& x, const Reflection& y) { return x.d > y.d; });
  return out;
}

std::string ReflectionLabel(const Reflection& reflection) {
  std::string label;
  for (const std::string& name : reflection.names) {
    if (!label.empty()) label += '/';
    label += name;
  }
  return label;
}

double BraggTwoTheta(double wavelength, double d) {
  const double s = wavelength / (2.0 * d);
  if (!(s <= 1.0)) return std::numeric_limits<double>::quiet_NaN();
  return 2.0 * std::asin(s) * kDegreesPerRadian;
}

HklAssignment AssignHkl(const UnitCell& cell, double wavelength, double twoTheta) {
  HklAssignment result;
  if (!(wavelength > 0.0) || !(twoTheta > 0.0 && twoTheta < 180.0)) return result;
  const double upper = std::min(twoTheta + kHklTolerance, 179.999);
  const double dMin = wavelength / (2.0 * std::sin(0.5 * upper / kDegreesPerRadian));
  for (const Reflection& r : ListReflections(cell, dMin)) {
    if (std::fabs(BraggTwoTheta(wavelength, r.d) - twoTheta) <= kHklTolerance) {
      result.candidates.push_back(r);
    }
  }
  if (result.candidates.size() == 1) {
    result.kind = HklAssignment::Kind::kAssigned;
    result.reflection = result.candidates.front();
    result.candidates.clear();
  } else if (result.candidates.size() > 1) {
    result.kind = HklAssignment::Kind::kAmbiguous;
  }
  return result;
}
