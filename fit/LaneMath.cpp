#include "fit/LaneMath.h"

namespace {
namespace single {
typedef double Vec __attribute__((vector_size(8)));
constexpr int kLanes = 1;
#include "fit/VectorMath.inc"
}  // namespace single
}  // namespace

double LaneExp(double x) { return single::ExpLanes(single::Splat(x))[0]; }

void LanePowAndLog(double t, double y, double& power, double& log) {
  const single::PowerAndLog out = single::PowAndLogLanes(single::Splat(t), y);
  power = out.power[0];
  log = out.log[0];
}
