#include "cli/SeriesCommands.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/ScriptError.h"
#include "commands/SaveThroughDialog.h"
#include "series/SeriesCsv.h"
#include "series/SeriesFileList.h"
#include "series/SeriesFit.h"
#include "text/Translate.h"
#include "view/AnsweringHost.h"
#include "view/TavView.h"

namespace {

constexpr int kBarWidth = 40;

// Tells how a series goes: a line per file, or a bar redrawn in place on a
// terminal; a closing line either way.
class ProgressPrinter {
 public:
  ProgressPrinter(std::ostream& err, bool terminal) : m_err(err), m_terminal(terminal) {}

  void Done(const SeriesFileResult& file, int done, int total) {
    if (!file.Succeeded()) ++m_failed;
    if (!m_terminal) {
      m_err << "series: " << done << '/' << total << ' ' << file.path << ": "
            << (file.Succeeded() ? "ok" : "failed: " + file.failure) << '\n';
      return;
    }
    const int filled =
        total > 0 ? static_cast<int>(static_cast<long long>(done) * kBarWidth / total) : kBarWidth;
    if (filled == m_filled && done != total) return;
    m_filled = filled;
    m_err << "\rseries: [" << std::string(static_cast<std::size_t>(filled), '#')
          << std::string(static_cast<std::size_t>(kBarWidth - filled), ' ') << "] " << done << '/'
          << total << std::flush;
  }

  // The closing line, once the table is written (or could not be).
  void Finish(const SeriesResult& result, const std::string& out, bool written) {
    if (m_terminal && !result.files.empty()) m_err << '\n';
    m_err << "series: " << result.files.size() << " files, " << m_failed << " failed";
    if (written) {
      m_err << " -> " << out << '\n';
    } else {
      m_err << ", nothing written\n";
    }
  }

 private:
  std::ostream& m_err;
  bool m_terminal;
  int m_filled = -1;
  int m_failed = 0;
};

bool IsTerminal(const std::ostream& err) { return &err == &std::cerr && isatty(STDERR_FILENO); }

// Why the table may not go to out: a pattern for a name, or one of the files
// the series reads (an input or a list of them). Empty when it may.
std::string RefusedOutput(const std::string& out, const Args& a,
                          const std::vector<std::string>& paths) {
  if (NameHasWildcard(out)) return WildcardNameReason();
  std::vector<std::string> read = paths;
  for (std::size_t i = 1; i < a.size(); ++i) {
    if (std::optional<std::string> list = ListFileOf(a[i])) read.push_back(std::move(*list));
  }
  if (const std::optional<std::string> input = SameFileAmong(out, read)) {
    return TranslatedFormat(QT_TRANSLATE_NOOP("tav", "シリーズが読むファイル %1 です"), {*input});
  }
  return {};
}

}  // namespace

void SeriesCommand(ScriptSession& s, const Args& a) {
  if (a.size() < 2) throw ScriptError("usage: series OUT.csv FILE...");
  std::vector<std::string> paths;
  for (std::size_t i = 1; i < a.size(); ++i) {
    std::string error;
    if (!ExpandSeriesArgument(a[i], paths, error)) throw ScriptError(error);
  }
  if (paths.empty()) throw ScriptError("series: no files");
  if (!s.view.IsLsqStartEnabled()) {
    ReportDisabled(s, "series");
    return;
  }
  const std::string& out = a[0];
  if (const std::string refused = RefusedOutput(out, a, paths); !refused.empty()) {
    s.host.ReportFailure(CannotSaveText(out, refused));
    return;
  }
  ProgressPrinter printer(s.err, IsTerminal(s.err));
  SeriesResult result;
  try {
    result = RunSeries(SeriesSetupOf(s.view), std::move(paths), s.seriesOptions,
                       [&](const SeriesFileResult& file, int done, int total) {
                         printer.Done(file, done, total);
                       });
  } catch (const std::exception& e) {
    // No thread could be started, or memory ran out: nothing is written.
    s.host.ReportFailure(TranslatedFormat(
        QT_TRANSLATE_NOOP("tav", "シリーズフィットできませんでした: %1"), {e.what()}));
    return;
  }
  std::string error;
  const bool written = WriteSeriesCsv(out, result, error);
  printer.Finish(result, out, written);
  if (!written) s.host.ReportFailure(CannotSaveText(out, error));
  // A series with files to fit that fitted none of them failed, though its
  // table (of failed rows) was written.
  const bool anySucceeded = std::any_of(result.files.begin(), result.files.end(),
                                        [](const SeriesFileResult& f) { return f.Succeeded(); });
  if (!result.files.empty() && !anySucceeded) ++s.quietFailures;
}

void SeriesModeCommand(ScriptSession& s, const Args& a) {
  constexpr const char* kUsage = "series-mode chain|independent";
  ExpectCount(a, 1, 1, kUsage);
  if (a[0] == "chain") {
    s.seriesOptions.mode = SeriesMode::kChained;
  } else if (a[0] == "independent") {
    s.seriesOptions.mode = SeriesMode::kIndependent;
  } else {
    throw ScriptError(std::string("usage: ") + kUsage);
  }
}

void SeriesJobsCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 1, 1, "series-jobs N");
  s.seriesOptions.jobs = ParseIntIn(a[0], 1, kMaxSeriesJobs, "N");
}

void SeriesScanCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 1, 1, "series-scan N");
  s.seriesOptions.scan = ParseIntIn(a[0], 1, INT_MAX, "N");
}

void SeriesShardCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 2, 2, "series-shard I N");
  const int count = ParseIntIn(a[1], 1, INT_MAX, "N");
  s.seriesOptions.shardIndex = ParseIntIn(a[0], 0, count - 1, "I");
  s.seriesOptions.shardCount = count;
}
