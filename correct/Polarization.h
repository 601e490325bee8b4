#pragma once

// The polarization correction of a profile measured in 2θ degrees: each
// intensity is divided by (cos²θ' + 3) / cos θ', θ' being X taken whole as the
// angle in degrees (with the program's value 3.14159 for π). x and y are
// 1-based, points 1..n.
void CorrectPolarization(const double x[], double y[], int n);
