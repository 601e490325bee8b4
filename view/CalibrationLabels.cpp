#include "view/CalibrationLabels.h"

#include "fit/Lattice.h"
#include "view/TavView.h"

std::vector<std::string> HklLabelsOfPeaks(const CTavView& view) {
  const CalibrationState& c = view.Calibration();
  const std::optional<double> lambda = view.GetDocument().m_wavelengths.lambda1;
  if (!c.phase || !lambda) return {};
  std::vector<std::string> labels;
  const PeakTable& t = view.Peaks();
  for (int k = 1; k <= t.m_nPeak; ++k) {
    const double position =
        c.correction ? t.m_position[k] - c.correction->ShiftAt(t.m_position[k]) : t.m_position[k];
    const HklAssignment a = AssignHkl(*c.phase, *lambda, position);
    if (a.kind == HklAssignment::Kind::kAssigned) {
      labels.push_back(ReflectionLabel(*a.reflection));
    } else {
      labels.push_back(a.kind == HklAssignment::Kind::kAmbiguous ? "?" : "");
    }
  }
  return labels;
}
