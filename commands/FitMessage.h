#pragma once

#include <string>

struct PeakReport;

// The box after a fit in its detailed form: the shape, χ², whether the fit
// converged (and in how many steps), and the first peak's height with its
// uncertainty, in the language of the translation.
std::string DetailedFitMessage(const PeakReport& report);
