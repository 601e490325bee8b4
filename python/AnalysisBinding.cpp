// tav.find_peaks and tav.williamson_hall.
#include <pybind11/stl.h>

#include <optional>

#include "commands/Commands.h"
#include "commands/PeakAnalysis.h"
#include "commands/PeakFit.h"
#include "python/Bindings.h"

namespace py = pybind11;

namespace {

py::list FindPeaksIn(const PyProfile& profile, double xmin, double xmax, std::optional<int> max,
                     double snr, bool doublet) {
  if (!std::isfinite(xmin) || !std::isfinite(xmax) || !(xmin < xmax)) {
    throw py::value_error("the range needs finite xmin < xmax");
  }
  if (max && (*max < 1 || *max > kPeakCapacity)) {
    throw py::value_error("max must be 1.." + std::to_string(kPeakCapacity));
  }
  if (!(snr > 0)) throw py::value_error("snr must be positive");
  const Wavelengths& w = profile.doc->m_wavelengths;
  if (doublet && (!w.lambda1 || !w.lambda2)) throw FitError(std::string(kDoubletNeedsWavelengths));
  std::vector<std::pair<double, double>> found;
  {
    py::gil_scoped_release release;
    FitSession session(*profile.doc);
    session.SetWindow(xmin, xmax);
    FitProblem problem = session.View().Problem();
    problem.maxPeaks = std::max(kMaxPeaks, max.value_or(kMaxPeaks));
    problem.options.m_doublet = doublet;
    session.SetProblem(problem);
    OnFindPeaks(session.View(), max.value_or(kMaxPeaks), snr);
    const PeakTable& t = session.View().Peaks();
    for (int k = 1; k <= t.m_nPeak; ++k) found.emplace_back(t.m_position[k], t.m_height[k]);
  }
  py::list peaks;
  for (const auto& [position, height] : found) peaks.append(py::make_tuple(position, height));
  return peaks;
}

py::dict WilliamsonHallOfResult(const PyFitResult& result, const std::string& breadth,
                                std::optional<double> scherrerK,
                                std::optional<double> instrumentalFwhm) {
  if (breadth != "fwhm" && breadth != "integral") {
    throw py::value_error("breadth: fwhm or integral, not " + breadth);
  }
  if (scherrerK && !(*scherrerK > 0)) throw py::value_error("scherrer_k must be positive");
  if (instrumentalFwhm && !(*instrumentalFwhm >= 0)) {
    throw py::value_error("instrumental_fwhm must be 0 or more");
  }
  FitSession session(*result.session);
  CTavView& view = session.View();
  if (scherrerK || instrumentalFwhm) {
    SetScherrerSettings(view, scherrerK.value_or(view.Scherrer().m_k),
                        instrumentalFwhm.value_or(view.Scherrer().m_instrumentalFwhm));
  }
  const BreadthMeasure measure =
      breadth == "integral" ? BreadthMeasure::kIntegralBreadth : BreadthMeasure::kFwhm;
  const std::optional<WilliamsonHall> wh = WilliamsonHallOf(view, measure);
  if (!wh || !wh->line) {
    std::string why = "Williamson-Hall needs two or more usable peaks";
    if (wh) {
      for (const std::string& note : wh->notes) why += "\n" + note;
    }
    throw FitError(why);
  }
  py::dict out;
  out["peaks"] = wh->points.size();
  out["size_nm"] = NumberOrNone(wh->sizeNm.value.value_or(NAN));
  out["size_nm_err"] = NumberOrNone(wh->sizeNm.error.value_or(NAN));
  out["strain"] = NumberOrNone(wh->strain.value.value_or(NAN));
  out["strain_err"] = NumberOrNone(wh->strain.error.value_or(NAN));
  out["reduced_chisq"] = NumberOrNone(wh->line->reducedChisq);
  out["errors_scaled"] = wh->line->errorsScaled;
  py::list points;
  for (const WilliamsonHallPoint& p : wh->points) {
    points.append(py::make_tuple(p.peak, p.x, p.y, p.error));
  }
  out["points"] = points;
  out["notes"] = wh->notes;
  return out;
}

}  // namespace

void BindAnalysis(py::module_& m) {
  m.def("find_peaks", FindPeaksIn, py::arg("profile"), py::arg("xmin"), py::arg("xmax"),
        py::arg("max") = py::none(), py::arg("snr") = 3.0, py::arg("doublet") = false,
        "Finds the peaks of the profile between xmin and xmax as tav-cli's `find-peaks MAX SNR`\n"
        "does after `range`: up to max of them (default 10), strongest first, each a prominence\n"
        "of more than snr standard deviations of counting noise; with doublet=True (as after\n"
        "`doublet on`) a Kα2 line is no peak of its own. Returns a list of\n"
        "(position, height) tuples, height the smoothed top, ready for Fit(peaks=...).");
  m.def(
      "williamson_hall", WilliamsonHallOfResult, py::arg("result"), py::arg("breadth") = "fwhm",
      py::arg("scherrer_k") = py::none(), py::arg("instrumental_fwhm") = py::none(),
      "The Williamson-Hall line of a fit's peaks, as tav-cli's `williamson-hall [fwhm|integral]`\n"
      "(after `scherrer K INSTR_FWHM` when scherrer_k or instrumental_fwhm is given): a dict\n"
      "with peaks, size_nm, size_nm_err, strain, strain_err, reduced_chisq, errors_scaled,\n"
      "the points (peak, 4 sin(theta), beta cos(theta), sigma) and the notes. Fewer than two\n"
      "usable peaks raise tav.FitError.");
}
