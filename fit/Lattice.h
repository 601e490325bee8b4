#pragma once

#include <optional>
#include <string>
#include <vector>

// A phase's cell and the d-spacings of its reflections. Only the lattice
// absences of the centring are applied (no space group): P none, I h+k+l
// even, F h, k, l all even or all odd, C h+k even.
//
//   cubic          1/d² = (h² + k² + l²)/a²
//   tetragonal     1/d² = (h² + k²)/a² + l²/c²
//   hexagonal      1/d² = 4/3·(h² + hk + k²)/a² + l²/c²
//   orthorhombic   1/d² = h²/a² + k²/b² + l²/c²
//
// Reflections whose 1/d² has the same terms for every cell of the system
// (300 and 221 of a cubic cell, 210 and 120 of a tetragonal one) are one
// reflection with several names.

enum class CrystalSystem { kCubic, kTetragonal, kHexagonal, kOrthorhombic };
enum class Centring { kP, kI, kF, kC };

struct UnitCell {
  CrystalSystem system = CrystalSystem::kCubic;
  Centring centring = Centring::kP;
  double a = 0.0;
  double b = 0.0;  // a's value where the system ties it to a
  double c = 0.0;  // a's value for a cubic cell
  friend bool operator==(const UnitCell&, const UnitCell&) = default;
};

// The cell's free lengths: a; a, c; a, c; a, b, c.
int CellParameterCount(CrystalSystem system);
std::vector<double> CellParameters(const UnitCell& cell);
UnitCell WithCellParameters(UnitCell cell, const std::vector<double>& parameters);
// "cubic", "tetragonal", "hexagonal", "orthorhombic"; "P", "I", "F", "C".
const char* SystemName(CrystalSystem system);
const char* CentringName(Centring centring);
// Whether the system allows the centring (cubic P, I, F; tetragonal P, I;
// hexagonal P; orthorhombic all four).
bool AllowsCentring(CrystalSystem system, Centring centring);

struct Reflection {
  // The terms 1/d² is a sum of, one per cell length: with the cell's lengths
  // L_j, 1/d² = Σ_j terms[j] / L_j² (cubic: h²+k²+l²; tetragonal and
  // hexagonal: the in-plane term, l²; orthorhombic: h², k², l²).
  std::vector<double> terms;
  std::vector<std::string> names;  // "111", "300", "221", ...; "1-10" never arises
  double d = 0.0;                  // Å, of the cell it was listed for
};

// 1/d² of the terms for the cell lengths (as CellParameters gives them).
double InverseDSquared(const std::vector<double>& terms, const std::vector<double>& lengths);

// The allowed reflections with d ≥ dMin, in order of falling d (names of
// equal terms joined, in order of their first index).
std::vector<Reflection> ListReflections(const UnitCell& cell, double dMin);

// The name a reflection is shown with: its names joined by "/".
std::string ReflectionLabel(const Reflection& reflection);

// What a peak was found to be.
struct HklAssignment {
  enum class Kind { kAssigned, kAmbiguous, kNone };
  Kind kind = Kind::kNone;
  std::optional<Reflection> reflection;  // kAssigned only
  std::vector<Reflection> candidates;    // kAmbiguous: every reflection within the tolerance
};

// How far (degrees 2θ) a peak may lie from a reflection's Bragg angle to be
// taken for it: wide enough for an approximate cell and a zero shift of a
// tenth of a degree, narrow enough to tell neighbours apart at high angles.
constexpr double kHklTolerance = 0.2;

// The reflection of a peak at 2θ (degrees, the Kα1 line) for λ (Å): the one
// whose Bragg angle lies within kHklTolerance of the peak; two or more
// reflections of different d within it make the peak ambiguous, none leaves
// it unassigned.
HklAssignment AssignHkl(const UnitCell& cell, double wavelength, double twoTheta);

// Bragg's 2θ (degrees) of d for λ, NaN where λ/(2d) > 1.
double BraggTwoTheta(double wavelength, double d);
