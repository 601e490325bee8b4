#pragma once

class CTavView;

// The view's peak table as the peak model's parameters a[1..3n+2]
// (n = m_nPeak): height, position and width of each peak, then the
// background's slope and intercept. `a` holds at least 3n + 3 elements.

// The number of model parameters of the view's peaks, 3n + 2.
int ParameterCount(const CTavView& v);

// The fitted table with its background line.
void FillFittedParameters(const CTavView& v, double a[]);

// Placed, unfitted peaks standing on a flat background at y0: heights
// measured from y0, widths from PlacedWidth.
void FillPlacedParameters(const CTavView& v, double y0, double a[]);

// The starting width of placed peak k: a tenth of the displayed X span times
// the peak's width factor.
double PlacedWidth(const CTavView& v, int k);
