#pragma once

#include <pybind11/pybind11.h>

#include <string>
#include <vector>

#include "fit/PeakReport.h"

// The peak report as Python rows: the columns of tav-cli's `report` CSV, in
// its order, with the numbers as floats (None where the CSV's cell is empty).

// The CSV's column names.
std::vector<std::string> ReportColumns();
// One peak's cells, in the columns' order.
std::vector<pybind11::object> ReportCells(const PeakResult& peak);
// One dict a peak.
pybind11::list ReportRows(const PeakReport& report);
