#include "session/FitExport.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <vector>

#include "commands/SaveThroughDialog.h"
#include "profile/AtomicFile.h"
#include "view/Host.h"
#include "view/PeakParameters.h"
#include "view/TavView.h"

namespace {

std::string Number(double v) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}

// The σ of point i: the one the fit's weights gave it, else the profile's,
// else none (empty).
std::string SigmaCell(const CTavView& view, int i) {
  const CTavDoc& doc = view.GetDocument();
  double sigma = NAN;
  if (view.Problem().weights == FitWeights::kCounts) {
    sigma = doc.CountingSigma(i);
  } else if (!doc.m_sigma.empty()) {
    sigma = doc.m_sigma[i];
  }
  return std::isfinite(sigma) ? Number(sigma) : std::string();
}

std::string Header(int peaks, char sep) {
  std::string line = "x";
  for (const char* name : {"y", "sigma", "model", "background", "residual"}) {
    line += sep;
    line += name;
  }
  for (int k = 1; k <= peaks; ++k) line += sep + std::string("peak") + std::to_string(k);
  return line + '\n';
}

}  // namespace

bool WantsTabs(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  const std::size_t slash = path.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == "tsv" || ext == "txt";
}

std::string FormatFitData(const CTavView& view, bool tabs) {
  const char sep = tabs ? '\t' : ',';
  const int peaks = view.Peaks().m_nPeak;
  const int npar = ParameterCount(view);
  std::vector<double> a(npar + 1, 0.0);
  FillFittedParameters(view, a.data());
  const PeakModel model = ModelOf(view);
  // The same parameters without the background: each peak alone.
  std::vector<double> bare = a;
  for (int b = 0; b < model.Background().Terms(); ++b) bare[npar - b] = 0.0;
  const CTavDoc& doc = view.GetDocument();
  std::string out = Header(peaks, sep);
  for (const int i : view.FitWindow()) {
    const double x = doc.m_x[i];
    const double y = doc.m_y[i];
    const double fitted = model.ValueAt(x, a.data(), npar);
    const double background = model.BackgroundAt(x, a.data(), npar);
    out += Number(x) + sep + Number(y) + sep + SigmaCell(view, i) + sep + Number(fitted) + sep +
           Number(background) + sep + Number(y - fitted);
    for (int k = 1; k <= peaks; ++k) {
      out += sep + Number(OnePeakValue(model, bare.data(), npar, k, x));
    }
    out += '\n';
  }
  return out;
}

void OnExportFit(CTavView& view) {
  if (!view.IsSaveResultEnabled()) return;
  Host& host = view.GetHost();
  std::string path = "*.csv";
  if (!host.SaveFileDialog(path)) return;
  if (NameHasWildcard(path)) return host.ReportFailure(CannotSaveText(path, WildcardNameReason()));
  std::string reason;
  if (!WriteFileReplacing(path, FormatFitData(view, WantsTabs(path)), reason)) {
    host.ReportFailure(CannotSaveText(path, reason));
  }
}
