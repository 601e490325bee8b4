#pragma once

#include "fit/KAlphaDoublet.h"
#include "fit/PeakModel.h"

class CTavView;

// The view's peak table as the peak model's parameters a[1..pn+b]
// (n = m_nPeak, p the parameters a peak of the fit problem's shape has, b the
// terms of its background): height, position, width (and shape parameter)
// of each peak, then the background's terms (the line's slope and intercept,
// or c0…cN). `a` holds at least pn + b + 1 elements.

// The number of model parameters of the view's peaks, pn + b.
int ParameterCount(const CTavView& v);

// The background the view's peaks are drawn and reported with: the fit
// problem's order over the window of the fit on screen (over the fit window
// of the display range before any fit).
BackgroundBasis BackgroundBasisOf(const CTavView& v);
// The fit problem's order over the X range of the fit window's points.
BackgroundBasis FitWindowBackground(const CTavView& v);

// The fitted table with its background, in BackgroundBasisOf(v). A slot whose
// shape parameter no fit of the current shape wrote starts from the shape's
// own value.
void FillFittedParameters(const CTavView& v, double a[]);
// The same with the background in the given basis: the fitted background
// expanded over that window and order (cut after it when lower).
void FillFittedParameters(const CTavView& v, double a[], const BackgroundBasis& background);

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

// Peak k of a[1..npar] alone on the background at x, both lines of it
// while the model's doublet is on.
double OnePeakValue(const PeakModel& model, const double a[], int npar, int k, double x);

// The doublet the view's model has: on while the option is on and the open
// profile has both wavelengths; its height ratio the one given with the
// option, else the profile's, else 0.5.
DoubletLines DoubletLinesOf(const CTavView& v);
// The model the view's peaks are drawn with: the fit problem's shape with
// the view's doublet lines on BackgroundBasisOf(v), or on the background
// given (a fit's own).
PeakModel ModelOf(const CTavView& v);
PeakModel ModelOf(const CTavView& v, const BackgroundBasis& background);
// Whether the doublet option is on but the profile lacks λ1 or λ2.
bool DoubletLacksWavelengths(const CTavView& v);
