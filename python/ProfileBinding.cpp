// tav.open and the profile it returns.
#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cmath>
#include <optional>

#include "commands/Commands.h"
#include "profile/ProfileFormat.h"
#include "python/Bindings.h"

namespace py = pybind11;

namespace {

// Points 1..n of a 1-based array of the document, without a copy: the array
// keeps the document alive and cannot be written.
py::array_t<double> PointsOf(const std::shared_ptr<const CTavDoc>& doc,
                             const std::vector<double>& values) {
  auto* owner = new std::shared_ptr<const CTavDoc>(doc);
  const py::capsule base(owner,
                         [](void* p) { delete static_cast<std::shared_ptr<const CTavDoc>*>(p); });
  const py::ssize_t n = doc->m_nData;
  py::array_t<double> array({n}, {static_cast<py::ssize_t>(sizeof(double))}, values.data() + 1,
                            base);
  array.attr("flags").attr("writeable") = false;
  return array;
}

py::object OptionalNumber(const std::optional<double>& value) {
  return value ? py::object(py::float_(*value)) : py::none();
}

PyProfile OpenProfile(const py::object& path, const std::string& format, std::optional<int> scan) {
  if (format != "auto" && format != "rigaku" && format != "xy") {
    throw py::value_error("format: auto, rigaku or xy, not " + format);
  }
  if (scan && *scan < 1) throw py::value_error("scan counts from 1");
  const std::string file = py::str(py::module_::import("os").attr("fspath")(path));
  auto session = std::make_unique<FitSession>();
  std::optional<ProfileRefused> refused;
  {
    py::gil_scoped_release release;
    refused = session->Open(format, file, scan);
  }
  if (refused) throw FormatError(refused->message);
  PyProfile profile;
  profile.doc = std::make_shared<const CTavDoc>(session->Document());
  profile.messages = session->Messages();
  // A file shorter than it announces is read as far as it goes, and said so.
  for (const std::string& failure : session->Failures()) {
    if (PyErr_WarnEx(PyExc_UserWarning, failure.c_str(), 2) != 0) throw py::error_already_set();
  }
  return profile;
}

// The profile with the wavelengths the user states, as `wavelength L1 [L2
// [RATIO]]` sets them.
PyProfile WithWavelengths(const PyProfile& p, double lambda1, std::optional<double> lambda2,
                          std::optional<double> ratio) {
  for (const std::optional<double>& v : {std::optional<double>(lambda1), lambda2, ratio}) {
    if (v && !(*v > 0 && std::isfinite(*v))) {
      throw py::value_error("wavelengths and ratio must be positive numbers");
    }
  }
  FitSession session(*p.doc);
  SetProfileWavelengths(session.View(), Wavelengths{lambda1, lambda2, ratio});
  PyProfile out;
  out.doc = std::make_shared<const CTavDoc>(session.Document());
  out.messages = p.messages;
  return out;
}

const CTavDoc& Doc(const PyProfile& p) { return *p.doc; }

std::string Repr(const PyProfile& p) {
  const CTavDoc& d = Doc(p);
  return "<tav.Profile " + std::string(d.m_format ? FormatName(*d.m_format) : "none") + " '" +
         d.m_path + "', " + std::to_string(d.m_nData) + " points>";
}

}  // namespace

void BindProfile(py::module_& m) {
  py::class_<PyProfile>(m, "Profile",
                        "A measured profile as a reader read it. Its arrays look into the "
                        "profile without a copy and are read-only.")
      .def_property_readonly(
          "x", [](const PyProfile& p) { return PointsOf(p.doc, p.doc->m_x); },
          "The abscissae (degrees 2θ, or the file's axis) as a float64 array.")
      .def_property_readonly(
          "y", [](const PyProfile& p) { return PointsOf(p.doc, p.doc->m_y); },
          "The intensities as a float64 array.")
      .def_property_readonly(
          "sigma",
          [](const PyProfile& p) -> py::object {
            if (p.doc->m_sigma.empty()) return py::none();
            return PointsOf(p.doc, p.doc->m_sigma);
          },
          "The standard uncertainties the file gives (an XYE file's third column), or None.")
      .def_property_readonly(
          "format", [](const PyProfile& p) { return std::string(FormatName(*p.doc->m_format)); },
          "The format read: rigaku, xy, xrdml, ras, rasx, brml, raw, uxd, gsas, chi or cif.")
      .def_property_readonly(
          "path", [](const PyProfile& p) { return p.doc->m_path; }, "The file read.")
      .def_property_readonly(
          "wavelengths",
          [](const PyProfile& p) {
            const Wavelengths& w = p.doc->m_wavelengths;
            return py::make_tuple(OptionalNumber(w.lambda1), OptionalNumber(w.lambda2));
          },
          "(λ1, λ2) in Å as the file states them; None for each unknown.")
      .def_property_readonly(
          "ratio",
          [](const PyProfile& p) { return OptionalNumber(p.doc->m_wavelengths.alpha2Ratio); },
          "The Kα2/Kα1 intensity ratio the file states, or None.")
      .def_property_readonly(
          "sample",
          [](const PyProfile& p) -> py::object {
            return p.doc->m_sample ? py::object(py::str(*p.doc->m_sample)) : py::none();
          },
          "The sample name the file states, or None.")
      .def_property_readonly(
          "scans", [](const PyProfile& p) { return p.doc->m_scans; },
          "How many scans the file holds.")
      .def_property_readonly(
          "scan", [](const PyProfile& p) { return p.doc->m_scan; }, "The scan read, from 1.")
      .def_property_readonly(
          "x_quantity", [](const PyProfile& p) { return p.doc->m_xQuantity; },
          "What X is: 2theta, q, or the file's axis.")
      .def_property_readonly(
          "x_unit", [](const PyProfile& p) { return p.doc->m_xUnit; },
          "The unit of X: deg, 1/angstrom, 1/nm, or the file's.")
      .def_property_readonly(
          "messages", [](const PyProfile& p) { return p.messages; },
          "What the reader said while reading (several scans, a file cut short).")
      .def("with_wavelengths", WithWavelengths, py::arg("lambda1"), py::arg("lambda2") = py::none(),
           py::arg("ratio") = py::none(),
           "A copy of the profile with the wavelengths (Å) and the Kα2/Kα1 ratio stated, as\n"
           "tav-cli's `wavelength L1 [L2 [RATIO]]` states them for a file that gives none.")
      .def("__len__", [](const PyProfile& p) { return p.doc->m_nData; })
      .def("__repr__", Repr);

  m.def("open", OpenProfile, py::arg("path"), py::arg("format") = "auto",
        py::arg("scan") = py::none(),
        "Reads a profile.\n\n"
        "format='auto' tells the format by the file's content (XRDML, RAS, RASX, BRML, RAW,\n"
        "UXD, GSAS, CHI, CIF, RINT, or an X-Y list read whole), as tav-cli's `open auto`;\n"
        "'rigaku' and 'xy' read as `open rigaku` and `open xy` do. scan picks a scan (from 1)\n"
        "of a file with several; without it the first is read. A file the reader refuses\n"
        "raises tav.FormatError with the reader's message; a file shorter than it announces\n"
        "is read as far as it goes, with a UserWarning. The GIL is released while reading.");
}
