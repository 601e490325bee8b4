// tav.Fit and the result of its run.
#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <cmath>

#include "commands/PeakFit.h"
#include "fit/Correlations.h"
#include "python/Bindings.h"
#include "python/FitKeywords.h"
#include "python/ReportRows.h"
#include "text/Translate.h"
#include "view/PeakParameters.h"

namespace py = pybind11;

namespace {

constexpr int kDefaultFitRuns = 10;

// What makes the fit impossible before it starts: the checks the commands
// make when the option is set.
void CheckProblemFits(const FitProblem& problem, const CTavDoc& doc,
                      const std::vector<PeakStart>& peaks) {
  const Wavelengths& w = doc.m_wavelengths;
  if (problem.options.m_doublet && (!w.lambda1 || !w.lambda2)) {
    throw FitError(std::string(kDoubletNeedsWavelengths));
  }
  if (problem.weights == FitWeights::kSigma && doc.m_sigma.empty()) {
    throw FitError(std::string(kSigmaWeightsNeedUncertainties));
  }
  for (const PeakStart& peak : peaks) {
    if (peak.width && problem.options.m_widthFromData) {
      throw py::value_error(
          "peaks: a starting width needs initial_width='range' (with 'data' the widths are "
          "measured)");
    }
  }
}

PyFit MakeFit(const PyProfile& profile, double xmin, double xmax, const py::object& peaks,
              const py::kwargs& keywords) {
  if (!std::isfinite(xmin) || !std::isfinite(xmax) || !(xmin < xmax)) {
    throw py::value_error("the fit window needs finite xmin < xmax");
  }
  const std::vector<PeakStart> starts = PeakStartsFrom(peaks);
  const FitProblem problem = FitProblemFromKeywords(keywords, static_cast<int>(starts.size()));
  CheckProblemFits(problem, *profile.doc, starts);
  PyFit fit;
  fit.session = std::make_unique<FitSession>(*profile.doc);
  fit.session->SetWindow(xmin, xmax);
  fit.session->SetProblem(problem);
  fit.session->PlacePeaks(starts);
  return fit;
}

PyFitResult Run(PyFit& fit, int maxRuns) {
  if (maxRuns < 1) throw py::value_error("max_runs must be 1 or more");
  if (fit.session->View().Peaks().m_nPeak == 0) throw FitError("no peaks to fit");
  std::string failure;
  PyFitResult result;
  {
    py::gil_scoped_release release;
    const std::lock_guard<std::mutex> lock(*fit.running);
    const std::size_t messagesBefore = fit.session->Messages().size();
    for (int run = 1; run <= maxRuns; ++run) {
      result.runs = run;
      failure = fit.session->Fit();
      if (!failure.empty() || fit.session->View().Report()->statistics.converged) break;
    }
    const std::vector<std::string>& messages = fit.session->Messages();
    result.messages.assign(messages.begin() + static_cast<std::ptrdiff_t>(messagesBefore),
                           messages.end());
    if (failure.empty()) result.session = std::make_shared<const FitSession>(*fit.session);
  }
  if (!failure.empty()) throw FitError(failure);
  return result;
}

const PeakReport& ReportOf(const PyFitResult& r) { return *r.session->View().Report(); }

// The fitted parameters a[1..npar] of the result's view.
std::vector<double> FittedParameters(const CTavView& view) {
  std::vector<double> a(static_cast<std::size_t>(ParameterCount(view)) + 1, 0.0);
  FillFittedParameters(view, a.data());
  return a;
}

py::dict Parameters(const PyFitResult& r) {
  const CTavView& view = r.session->View();
  const std::vector<double> a = FittedParameters(view);
  const int npar = static_cast<int>(a.size()) - 1;
  const std::vector<std::string> names =
      ParameterNames(view.Problem().shape, npar, view.BackgroundOrder());
  py::dict out;
  for (int i = 1; i <= npar; ++i) out[py::str(names[static_cast<std::size_t>(i - 1)])] = a[i];
  return out;
}

py::dict Stats(const PyFitResult& r) {
  const FitStatistics& s = ReportOf(r).statistics;
  py::dict out;
  out["npt"] = s.npt;
  out["npar"] = s.npar;
  out["chisq"] = NumberOrNone(s.chisq);
  out["reduced_chisq"] = NumberOrNone(s.reducedChisq);
  out["rwp"] = NumberOrNone(s.rwp);
  out["rp"] = NumberOrNone(s.rp);
  out["converged"] = s.converged;
  out["steps"] = s.steps;
  out["weights"] = FitWeightsName(s.weights);
  out["rexp"] = NumberOrNone(s.rexp);
  out["gof"] = NumberOrNone(s.gof);
  return out;
}

py::dict CorrelationMatrix(const PyFitResult& r) {
  const Correlations c = CorrelationsOf(ReportOf(r));
  py::dict out;
  out["parameters"] = c.names;
  if (c.matrix.empty()) {
    out["correlations"] = py::none();
  } else {
    const auto n = static_cast<py::ssize_t>(c.names.size());
    py::array_t<double> matrix({n, n});
    std::copy(c.matrix.begin(), c.matrix.end(), matrix.mutable_data());
    out["correlations"] = matrix;
  }
  out["notes"] = c.notes;
  return out;
}

using Abscissae = py::array_t<double, py::array::c_style | py::array::forcecast>;

// The model at each x, with the fitted parameters a (or a variant of them).
py::array_t<double> ModelAt(const PeakModel& model, const std::vector<double>& a,
                            const Abscissae& x) {
  const int npar = static_cast<int>(a.size()) - 1;
  py::array_t<double> out(x.size());
  const double* in = x.data();
  double* values = out.mutable_data();
  {
    py::gil_scoped_release release;
    for (py::ssize_t i = 0; i < x.size(); ++i) values[i] = model.ValueAt(in[i], a.data(), npar);
  }
  return out;
}

py::array_t<double> Model(const PyFitResult& r, const Abscissae& x) {
  const CTavView& view = r.session->View();
  return ModelAt(ModelOf(view), FittedParameters(view), x);
}

// The refined background: the model with every peak's height 0.
py::array_t<double> Background(const PyFitResult& r, const Abscissae& x) {
  const CTavView& view = r.session->View();
  std::vector<double> a = FittedParameters(view);
  const int per = PeakParameterCount(view.Problem().shape);
  for (int k = 0; k < view.Peaks().m_nPeak; ++k) a[static_cast<std::size_t>(per * k + 1)] = 0.0;
  return ModelAt(ModelOf(view), a, x);
}

// Each peak alone, without the background (both lines of a doublet), as the
// fit's data export has them: one row a peak.
py::array_t<double> Components(const PyFitResult& r, const Abscissae& x) {
  const CTavView& view = r.session->View();
  std::vector<double> bare = FittedParameters(view);
  const int npar = static_cast<int>(bare.size()) - 1;
  const int peaks = view.Peaks().m_nPeak;
  // The background's terms follow the peaks' parameters.
  const int peakParameters = PeakParameterCount(view.Problem().shape) * peaks;
  std::fill(bare.begin() + 1 + peakParameters, bare.end(), 0.0);
  const PeakModel model = ModelOf(view);
  py::array_t<double> out({static_cast<py::ssize_t>(peaks), x.size()});
  const double* in = x.data();
  double* values = out.mutable_data();
  {
    py::gil_scoped_release release;
    for (int k = 1; k <= peaks; ++k) {
      for (py::ssize_t i = 0; i < x.size(); ++i) {
        values[(k - 1) * x.size() + i] = OnePeakValue(model, bare.data(), npar, k, in[i]);
      }
    }
  }
  return out;
}

py::object ReportFrame(const PyFitResult& r) {
  py::module_ pandas;
  try {
    pandas = py::module_::import("pandas");
  } catch (const py::error_already_set&) {
    throw py::import_error(
        "report_frame() needs pandas (Debian: python3-pandas); .report has the same rows as "
        "dicts");
  }
  return pandas.attr("DataFrame")(ReportRows(ReportOf(r)), py::arg("columns") = ReportColumns());
}

}  // namespace

void BindFit(py::module_& m) {
  py::class_<PyFitResult>(m, "FitResult",
                          "The outcome of Fit.run(): the fitted parameters, the peak report, "
                          "the fit statistics and the correlations, as tav-cli prints them.")
      .def_property_readonly("parameters", Parameters,
                             "Every parameter by name (height_1, position_1, width_1, ..., "
                             "slope, intercept) with its fitted value.")
      .def_property_readonly(
          "report", [](const PyFitResult& r) { return ReportRows(ReportOf(r)); },
          "The peak report: one dict a peak with exactly the columns of tav-cli's `report` CSV "
          "(None where the CSV has an empty cell).")
      .def("report_frame", ReportFrame, "The peak report as a pandas DataFrame (needs pandas).")
      .def_property_readonly("stats", Stats,
                             "The fit statistics with the fields of tav-cli's `fit-stats` "
                             "(None for a number that is not finite).")
      .def_property_readonly("correlations", CorrelationMatrix,
                             "The free parameters' names ('parameters'), their correlation "
                             "matrix ('correlations', an n x n array, or None while the "
                             "covariance is unknown) and the notes on pairs above 0.95.")
      .def_property_readonly(
          "notes", [](const PyFitResult& r) { return ReportOf(r).notes; },
          "Why a cell of the report is empty, and what the uncertainties stand for.")
      .def_property_readonly(
          "messages", [](const PyFitResult& r) { return r.messages; },
          "The messages of the run, as tav-cli's `message:` lines.")
      .def_property_readonly(
          "runs", [](const PyFitResult& r) { return r.runs; },
          "How many fit commands the run took (each up to ten steps).")
      .def_property_readonly(
          "converged", [](const PyFitResult& r) { return ReportOf(r).statistics.converged; },
          "Whether the last fit converged.")
      .def("model", Model, py::arg("x"), "The fitted model (peaks and background) at each x.")
      .def("background", Background, py::arg("x"), "The refined background at each x.")
      .def("components", Components, py::arg("x"),
           "Each peak alone at each x, without the background (both lines of a doublet): an "
           "array of one row a peak.")
      .def("__repr__", [](const PyFitResult& r) {
        const FitStatistics& s = ReportOf(r).statistics;
        return "<tav.FitResult " + std::to_string(ReportOf(r).peaks.size()) + " peaks, " +
               (s.converged ? "converged" : "not converged") + ">";
      });

  std::string doc =
      "Fit(profile, xmin, xmax, peaks=None, **options)\n\n"
      "A least-squares fit of peaks to the points of profile with xmin <= x <= xmax, as tav-cli\n"
      "fits after `range`, `conditions`, `peak` and the options. peaks: (position, height) or\n"
      "(position, height, width) for each peak, height the intensity at its top (the\n"
      "background included), as tav.find_peaks gives them. Options (keyword only):\n"
      "  shape='pvoigt'        gauss, lorentz, pvoigt, pearson7 or spvoigt\n"
      "  tolerance=0.001       converged when a step lowers chi-square by less than this share\n"
      "  weights='unit'        unit, counts or sigma\n"
      "  doublet=False         fit each peak as a K-alpha1/K-alpha2 doublet (needs both\n"
      "                        wavelengths); doublet_ratio: the Ka2/Ka1 ratio (default: the\n"
      "                        file's, else 0.5)\n"
      "  initial_width='data'  starting widths measured in the data, or 'range' (a tenth of\n"
      "                        the window, or the width a peak gives)\n"
      "  max_peaks=10          the peaks the fit takes (10..200)\n"
      "  background_order=1    1: the line A*x + B; 0 or 2..6: a Chebyshev series c0..cN\n"
      "                        over the fit window, refined with the peaks\n"
      "  constraints=None      a list of {'peak': k|'all'|'background', 'name': NAME,\n"
      "                        'fixed': bool, 'lower': x, 'upper': x}, or a dict with that list\n"
      "                        as 'parameters' and 'share_width', 'share_shape',\n"
      "                        'bounds_default' (as tav-cli's state prints them)\n"
      "Keywords read:";
  for (const char* name : FitKeywordNames()) doc += std::string(" ") + name;
  py::class_<PyFit>(m, "Fit", doc.c_str())
      .def(py::init(&MakeFit), py::arg("profile"), py::arg("xmin"), py::arg("xmax"),
           py::arg("peaks") = py::none())
      .def("run", Run, py::arg("max_runs") = kDefaultFitRuns,
           "Fits until the fit converges, each run as tav-cli's `fit` (up to ten steps), at\n"
           "most max_runs runs; the next run() goes on from the fitted values. Returns a\n"
           "FitResult; a fit that cannot be made raises tav.FitError with the program's\n"
           "message. The GIL is released while fitting.")
      .def_property_readonly(
          "peak_count", [](const PyFit& f) { return f.session->View().Peaks().m_nPeak; },
          "How many peaks the fit has.");
}
