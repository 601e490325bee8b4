#include "series/SeriesCsv.h"

#include "profile/AtomicFile.h"
#include "view/PeakReportFormat.h"

namespace {

std::string Quoted(const std::string& cell) {
  if (cell.find_first_of(",\"\r\n") == std::string::npos) return cell;
  std::string out = "\"";
  for (const char c : cell) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

// The cells of a line the peak report formats, split at its commas (none of
// its cells holds one).
std::vector<std::string> SplitCells(const std::string& line) {
  std::vector<std::string> cells(1);
  for (const char c : line) {
    if (c == ',') {
      cells.emplace_back();
    } else {
      cells.back() += c;
    }
  }
  return cells;
}

std::vector<std::string> Header() {
  std::vector<std::string> header{"file", "index", "status"};
  for (std::string& name : SplitCells(PeakTableCsvHeader())) header.push_back(std::move(name));
  for (const char* name : {"chisq", "reduced_chisq", "rwp"}) header.emplace_back(name);
  for (std::string& name : SplitCells(SplitHalfCsvHeader().substr(1)))
    header.push_back(std::move(name));
  return header;
}

std::string StatusOf(const SeriesFileResult& file) {
  return file.Succeeded() ? "ok" : "failed: " + file.failure;
}

void AppendFile(SeriesTable& table, const SeriesFileResult& file, int peakCount) {
  const std::vector<std::string> lead{file.path, std::to_string(file.index), StatusOf(file)};
  if (!file.report) {
    for (int k = 1; k <= peakCount; ++k) {
      std::vector<std::string> row = lead;
      row.push_back(std::to_string(k));
      row.resize(table.header.size());
      table.rows.push_back(std::move(row));
    }
    return;
  }
  const FitStatistics& s = file.report->statistics;
  for (const PeakResult& peak : file.report->peaks) {
    std::vector<std::string> row = lead;
    for (std::string& cell : SplitCells(FormatPeakRowCsv(peak))) row.push_back(std::move(cell));
    for (const double value : {s.chisq, s.reducedChisq, s.rwp}) {
      row.push_back(FormatCsvNumber(value));
    }
    for (std::string& cell : SplitCells(FormatSplitHalfCsv(peak).substr(1)))
      row.push_back(std::move(cell));
    table.rows.push_back(std::move(row));
  }
}

void AppendLine(std::string& out, const std::vector<std::string>& cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) out += ',';
    out += Quoted(cells[i]);
  }
  out += '\n';
}

}  // namespace

SeriesTable SeriesCells(const SeriesResult& result) {
  SeriesTable table;
  table.header = Header();
  for (const SeriesFileResult& file : result.files) AppendFile(table, file, result.peakCount);
  return table;
}

std::string FormatSeriesCsv(const SeriesResult& result) {
  const SeriesTable table = SeriesCells(result);
  std::string out;
  AppendLine(out, table.header);
  for (const std::vector<std::string>& row : table.rows) AppendLine(out, row);
  return out;
}

bool WriteSeriesCsv(const std::string& path, const SeriesResult& result, std::string& error) {
  return WriteFileReplacing(path, FormatSeriesCsv(result), error);
}
