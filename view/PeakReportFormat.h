#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "fit/Correlations.h"
#include "fit/FitStatistics.h"
#include "fit/PeakReport.h"

// The peak report as text, the same in every locale.

// The peak table as CSV: the header line
//   peak,shape,position,position_err,height,height_err,fwhm,fwhm_err,area,area_err,
//   shape_param,shape_param_err,d,d_err,size_nm,size_nm_err
// (one line), then one row per peak. Numbers as printf's "%.10g" in the C
// locale; a cell is empty where the value does not apply, is unknown or is
// not a finite number. "\n" line ends. A background other than the line
// follows after an empty line (FormatBackgroundTermsCsv).
std::string FormatPeakTableCsv(const PeakReport& report);
// The terms of a background other than the line: "term,value,value_err",
// then window_min and window_max of its series (no error), then c0…cN with
// their σ (empty for a held term); nothing for the line.
std::string FormatBackgroundTermsCsv(const PeakReport& report);

// The header line of that table without its line end, and one peak's row
// without its line end.
std::string PeakTableCsvHeader();
std::string FormatPeakRowCsv(const PeakResult& peak);
// The estimates of a peak's row in the CSV's order of columns, after the
// peak's number and shape: the first kPeakRowEstimates of them in
// FormatPeakRowCsv, the rest in FormatSplitHalfCsv.
constexpr std::size_t kPeakRowEstimates = 7;
std::array<const Estimate*, kPeakRowEstimates + 2> RowEstimates(const PeakResult& peak);
// The columns of a split peak's right half that tables append at their end
// (empty for the symmetric shapes): w_right / w_left and η_right, each with
// its standard uncertainty; the header without its line end and one peak's
// cells, each starting with a comma.
std::string SplitHalfCsvHeader();
std::string FormatSplitHalfCsv(const PeakResult& peak);
// A number as a cell of the table: "%.10g", empty when not finite.
std::string FormatCsvNumber(double value);

// The fit statistics as one line of JSON without a line end:
//   {"npt": N, "npar": N, "chisq": X, "reduced_chisq": X, "rwp": X, "rp": X,
//    "converged": true|false, "steps": N}
// Numbers as printf's "%.17g" in the C locale; a number that is not finite
// (reduced χ² with npt <= npar, Rwp and Rp when every count is 0) is null.
std::string FormatFitStatisticsJson(const FitStatistics& statistics);
// The free parameters' names and their correlation matrix as one line of
// JSON without a line end: {"parameters": [...], "correlations": [[...], ...]}
// (numbers as above; the matrix is null while the covariance is unknown).
std::string FormatCorrelationsJson(const Correlations& correlations);
// A number of such JSON: "%.17g", null when not finite.
std::string FormatJsonNumber(double value);
