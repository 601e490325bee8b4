#include <gtest/gtest.h>

#include <limits>

#include "fit/PeakModel.h"
#include "fit/PeakShapes.h"
#include "view/PeakReportFormat.h"

namespace {

TEST(PeakReportFormat, CsvRowsWithEmptyCellsForUnknowns) {
  PeakReport report;
  PeakResult first;
  first.peak = 1;
  first.shape = FindPeakShape(kGaussian);
  first.position = {31.6912345678901, 0.000123456789012};
  first.height = {2816.0, 12.5};
  first.fwhm = {0.1, std::nullopt};
  first.area = {1e-12, 3e20};
  first.dSpacing = {2.8212, 1.5e-5};
  first.sizeNm = {std::numeric_limits<double>::infinity(), std::nullopt};
  PeakResult second;
  second.peak = 2;
  second.shape = FindPeakShape(kLorentzian);
  second.position = {-0.5, std::nullopt};
  report.peaks = {first, second};
  EXPECT_EQ(FormatPeakTableCsv(report),
            "peak,shape,position,position_err,height,height_err,fwhm,fwhm_err,area,area_err,"
            "shape_param,shape_param_err,d,d_err,size_nm,size_nm_err,asymmetry,asymmetry_err,"
            "shape_param_right,shape_param_right_err\n"
            "1,gauss,31.69123457,0.000123456789,2816,12.5,0.1,,1e-12,3e+20,,,2.8212,1.5e-05,,,,,,\n"
            "2,lorentz,-0.5,,,,,,,,,,,,,,,,,\n");
}

TEST(PeakReportFormat, StatisticsJsonWithNullForNonFinite) {
  FitStatistics s;
  s.npt = 50;
  s.npar = 5;
  s.chisq = 0.1;
  s.reducedChisq = 1.0 / 3.0;
  s.rwp = 2.5;
  s.rp = std::numeric_limits<double>::quiet_NaN();
  s.converged = true;
  s.steps = 7;
  EXPECT_EQ(FormatFitStatisticsJson(s),
            "{\"npt\": 50, \"npar\": 5, \"chisq\": 0.10000000000000001, \"reduced_chisq\": "
            "0.33333333333333331, \"rwp\": 2.5, \"rp\": null, \"converged\": true, \"steps\": 7, "
            "\"weights\": \"unit\", \"rexp\": null, \"gof\": null}");
}

}  // namespace
