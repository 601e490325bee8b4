// The Python module tav: the readers, the fit, the report, the peak search,
// the Williamson-Hall line and the series fit of the program, as bindings.
#include <pybind11/pybind11.h>

#include "python/Bindings.h"

namespace py = pybind11;

PYBIND11_MODULE(tav, m) {
  m.doc() =
      "X-ray powder diffraction profiles: read instrument files, find and fit peaks, report\n"
      "positions, widths, areas, d-spacings and sizes with their uncertainties, as the tav\n"
      "program and tav-cli do (the same code).\n\n"
      "    p = tav.open('scan.xrdml')\n"
      "    peaks = tav.find_peaks(p, 30, 34)\n"
      "    result = tav.Fit(p, 30, 34, peaks=peaks, shape='pvoigt').run()\n"
      "    result.report    # one dict a peak, the columns of tav-cli's report CSV";
  m.attr("__version__") = TAV_VERSION;
  static py::exception<FormatError> formatError(m, "FormatError", PyExc_ValueError);
  formatError.attr("__doc__") = "A file that the reader refuses; the message says why.";
  static py::exception<FitError> fitError(m, "FitError", PyExc_RuntimeError);
  fitError.attr("__doc__") = "A fit or an analysis that cannot be made; the message says why.";
  py::register_exception_translator([](std::exception_ptr p) {
    try {
      if (p) std::rethrow_exception(p);
    } catch (const FormatError& e) {
      PyErr_SetString(formatError.ptr(), e.what());
    } catch (const FitError& e) {
      PyErr_SetString(fitError.ptr(), e.what());
    }
  });
  BindLanguage(m);
  BindProfile(m);
  BindFit(m);
  BindAnalysis(m);
  BindSeries(m);
}
