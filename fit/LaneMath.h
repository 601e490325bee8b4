#pragma once

// exp, and pow with the logarithm, for one point: the block kernels' lane
// arithmetic (fit/VectorMath.inc) on a single lane, so that the line
// functions give the same bits as the blocks. Accuracy: see VectorMath.inc.
double LaneExp(double x);

// t^y into power and log t into log.
void LanePowAndLog(double t, double y, double& power, double& log);
