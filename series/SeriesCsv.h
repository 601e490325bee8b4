#pragma once

#include <string>
#include <vector>

#include "series/SeriesFit.h"

// A series as CSV: the header line
//   file,index,status,peak,shape,position,position_err,height,height_err,
//   fwhm,fwhm_err,area,area_err,shape_param,shape_param_err,d,d_err,size_nm,
//   size_nm_err,chisq,reduced_chisq,rwp
// (one line), then for each file, by index, one row per peak: the file's
// path, its index, "ok" or "failed: REASON", the peak's cells as the peak
// table has them (a failed file's rows hold only the peak number) and the
// fit's χ², reduced χ² and Rwp. A cell holding a comma, a double quote or a
// line end is quoted, its quotes doubled. "\n" line ends.
std::string FormatSeriesCsv(const SeriesResult& result);

// The same table as cells, unquoted: the column names, then the rows.
struct SeriesTable {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;
};
SeriesTable SeriesCells(const SeriesResult& result);

// Writes FormatSeriesCsv to path as every save does (WriteFileReplacing);
// false with a short reason in error.
bool WriteSeriesCsv(const std::string& path, const SeriesResult& result, std::string& error);
