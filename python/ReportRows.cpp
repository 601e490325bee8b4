#include "python/ReportRows.h"

#include <pybind11/stl.h>

#include <cmath>

#include "python/Bindings.h"
#include "view/PeakReportFormat.h"

namespace py = pybind11;

namespace {

py::object Cell(const std::optional<double>& value) {
  return value ? NumberOrNone(*value) : py::none();
}

void AppendPair(std::vector<py::object>& cells, const Estimate& e) {
  cells.push_back(Cell(e.value));
  cells.push_back(Cell(e.error));
}

}  // namespace

py::object NumberOrNone(double value) {
  return std::isfinite(value) ? py::object(py::float_(value)) : py::none();
}

std::vector<std::string> ReportColumns() {
  const py::str header(PeakTableCsvHeader() + SplitHalfCsvHeader());
  return header.attr("split")(",").cast<std::vector<std::string>>();
}

// The order of FormatPeakRowCsv and FormatSplitHalfCsv.
std::vector<py::object> ReportCells(const PeakResult& peak) {
  std::vector<py::object> cells;
  cells.push_back(py::int_(peak.peak));
  cells.push_back(peak.shape != nullptr ? py::object(py::str(peak.shape->name)) : py::none());
  for (const Estimate* estimate : RowEstimates(peak)) AppendPair(cells, *estimate);
  return cells;
}

py::list ReportRows(const PeakReport& report) {
  const std::vector<std::string> columns = ReportColumns();
  py::list rows;
  for (const PeakResult& peak : report.peaks) {
    const std::vector<py::object> cells = ReportCells(peak);
    py::dict row;
    for (std::size_t i = 0; i < columns.size(); ++i) row[py::str(columns[i])] = cells[i];
    rows.append(row);
  }
  return rows;
}
