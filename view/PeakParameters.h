#pragma once

#include "fit/KAlphaDoublet.h"
#include "fit/PeakModel.h"

class CTavView;

// The view's peak table as the peak model's parameters a[1..pn+2]
// (n = m_nPeak, p the parameters a peak of the fit problem's shape has): height, position, width
// (and shape parameter) of each peak, then the background's slope and intercept. `a` holds at least
// pn + 3 elements.

// The number of model parameters of the view's peaks, pn + 2.
int ParameterCount(const CTavView& v);

// The fitted table with its background line. A slot whose shape parameter no
// fit of the current shape wrote starts from the shape's own value.
void FillFittedParameters(const CTavView& v, double a[]);

// Placed, unfitted peaks standing on a flat background at y0: heights
// measured from y0, widths from PlacedWidth, shape parameters at the shape's
// starting value.
void FillPlacedParameters(const CTavView& v, double y0, double a[]);

// The starting width of placed peak k: a tenth of the displayed X span times
// the peak's width factor; with the width from the data, the half width
// measured in the fit window (as the shape's width parameter) times the
// factor, kept between two data steps and that tenth of the span (also for
// a peak the peak search placed).
double PlacedWidth(const CTavView& v, int k);

// Peak k of a[1..npar] alone on the background line at x, both lines of it
// while the model's doublet is on.
double OnePeakValue(const PeakModel& model, const double a[], int npar, int k, double x);

// The doublet the view's model has: on while the option is on and the open
// profile has both wavelengths; its height ratio the one given with the
// option, else the profile's, else 0.5.
DoubletLines DoubletLinesOf(const CTavView& v);
// The model the view's peaks are fitted and drawn with: the fit problem's
// shape with the view's doublet lines.
PeakModel ModelOf(const CTavView& v);
// Whether the doublet option is on but the profile lacks λ1 or λ2.
bool DoubletLacksWavelengths(const CTavView& v);
