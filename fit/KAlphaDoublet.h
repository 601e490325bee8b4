#pragma once

// The Kα1/Kα2 doublet of the peak model: while it is on, every peak is a Kα1
// line at its position and a Kα2 line of the same shape and width at
// 2θ2 = 2·asin((λ2/λ1)·sin θ1), its height times the Kα2/Kα1 ratio.
struct DoubletLines {
  bool on = false;
  double wavelengthRatio = 1.0;  // λ2 / λ1
  double heightRatio = 0.5;      // Kα2 / Kα1
};

// The Kα2 position (degrees 2θ) of a Kα1 line at position, and its derivative
// by position. NaN where no Kα2 angle exists.
struct Kalpha2Line {
  double position = 0.0;
  double byPosition = 0.0;
};
Kalpha2Line Kalpha2Position(double position, double wavelengthRatio);
