// The peak report's settings and its CSV file.
#include <vector>

#include "commands/Commands.h"
#include "commands/SaveThroughDialog.h"
#include "view/PeakParameters.h"
#include "view/PeakReportFormat.h"
#include "view/TavView.h"

void RefreshReport(CTavView& view) {
  const PeakReport* current = view.Report();
  if (current == nullptr) return;
  PeakReport report = *current;
  std::vector<double> a(ParameterCount(view) + 1, 0.0);
  FillFittedParameters(view, a.data());
  RedescribePeaks(report, a.data(), ParameterCount(view), ReportSettingsOf(view));
  view.StoreReport(std::move(report));
}

ReportSettings ReportSettingsOf(const CTavView& view) {
  ReportSettings settings;
  settings.wavelength = view.GetDocument().m_wavelengths.lambda1;
  settings.scherrerK = view.Scherrer().m_k;
  settings.instrumentalFwhm = view.Scherrer().m_instrumentalFwhm;
  settings.xQuantity = view.GetDocument().m_xQuantity;
  settings.xUnit = view.GetDocument().m_xUnit;
  AddCalibrationSettings(view, settings);
  return settings;
}

void SetProfileWavelengths(CTavView& view, const Wavelengths& wavelengths) {
  view.GetDocument().SetWavelengths(wavelengths, WavelengthSource::kUser);
  RefreshReport(view);
}

void SetScherrerSettings(CTavView& view, double k, double instrumentalFwhm) {
  view.SetScherrer(k, instrumentalFwhm);
  RefreshReport(view);
}

void OnSaveReport(CTavView& view) {
  if (const PeakReport* report = view.Report()) {
    SaveThroughDialog(
        view.GetHost(), [report] { return FormatPeakTableCsv(*report); }, "*.csv");
  }
}
