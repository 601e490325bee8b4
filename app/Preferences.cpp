#include "app/Preferences.h"

#include <QDir>
#include <QFileInfo>
#include <QVariant>

namespace {

const QString kReportGroup = QStringLiteral("Report");
const QString kPeakTableGroup = QStringLiteral("Peak Table");
const QString kViewGroup = QStringLiteral("View");
const QString kFoldersGroup = QStringLiteral("Folders");

std::optional<double> ReadOptional(const QSettings& settings, const QString& key) {
  bool ok = false;
  const double value = settings.value(key).toDouble(&ok);
  if (!ok || !(value > 0.0)) return std::nullopt;
  return value;
}

void WriteOptional(QSettings& settings, const QString& key, const std::optional<double>& value) {
  if (value) {
    settings.setValue(key, *value);
  } else {
    settings.remove(key);
  }
}

bool IsDockArea(int area) {
  return area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea ||
         area == Qt::BottomDockWidgetArea;
}

IntensityScale ScaleFromSetting(int value) {
  switch (value) {
    case int(IntensityScale::kSqrt):
      return IntensityScale::kSqrt;
    case int(IntensityScale::kLog):
      return IntensityScale::kLog;
    default:
      return IntensityScale::kLinear;
  }
}

}  // namespace

QSettings ProgramSettings() {
  return QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("tav"));
}

std::optional<Wavelengths> LoadDefaultWavelengths() {
  QSettings settings = ProgramSettings();
  settings.beginGroup(kReportGroup);
  Wavelengths w;
  w.lambda1 = ReadOptional(settings, QStringLiteral("DefaultLambda1"));
  w.lambda2 = ReadOptional(settings, QStringLiteral("DefaultLambda2"));
  w.alpha2Ratio = ReadOptional(settings, QStringLiteral("DefaultRatio"));
  // A default without λ1 gives nothing to compute with.
  if (!w.lambda1) return std::nullopt;
  return w;
}

void SaveDefaultWavelengths(const std::optional<Wavelengths>& wavelengths) {
  QSettings settings = ProgramSettings();
  settings.beginGroup(kReportGroup);
  const Wavelengths none;
  const Wavelengths& w = wavelengths ? *wavelengths : none;
  WriteOptional(settings, QStringLiteral("DefaultLambda1"), w.lambda1);
  WriteOptional(settings, QStringLiteral("DefaultLambda2"), w.lambda2);
  WriteOptional(settings, QStringLiteral("DefaultRatio"), w.alpha2Ratio);
}

PeakTableLayout LoadPeakTableLayout() {
  QSettings settings = ProgramSettings();
  settings.beginGroup(kPeakTableGroup);
  PeakTableLayout layout;
  layout.wanted = settings.value(QStringLiteral("Shown"), true).toBool();
  const int area = settings.value(QStringLiteral("Area"), int(Qt::RightDockWidgetArea)).toInt();
  if (IsDockArea(area)) layout.area = static_cast<Qt::DockWidgetArea>(area);
  layout.floating = settings.value(QStringLiteral("Floating"), false).toBool();
  layout.floatingGeometry = settings.value(QStringLiteral("FloatingGeometry")).toByteArray();
  layout.dockedWidth = std::max(0, settings.value(QStringLiteral("Width"), 0).toInt());
  return layout;
}

void SavePeakTableLayout(const PeakTableLayout& layout) {
  QSettings settings = ProgramSettings();
  settings.beginGroup(kPeakTableGroup);
  settings.setValue(QStringLiteral("Shown"), layout.wanted);
  settings.setValue(QStringLiteral("Area"), int(layout.area));
  settings.setValue(QStringLiteral("Floating"), layout.floating);
  settings.setValue(QStringLiteral("FloatingGeometry"), layout.floatingGeometry);
  settings.setValue(QStringLiteral("Width"), layout.dockedWidth);
}

ViewPreferences LoadViewPreferences() {
  QSettings settings = ProgramSettings();
  settings.beginGroup(kViewGroup);
  ViewPreferences p;
  p.plot.scale = ScaleFromSetting(settings.value(QStringLiteral("Scale"), 0).toInt());
  p.plot.ticks = settings.value(QStringLiteral("Ticks"), false).toBool();
  p.plot.grid = settings.value(QStringLiteral("Grid"), false).toBool();
  p.plot.residuals = settings.value(QStringLiteral("Residuals"), false).toBool();
  p.plot.clip = settings.value(QStringLiteral("Clip"), false).toBool();
  p.plot.titles = settings.value(QStringLiteral("Titles"), false).toBool();
  p.plot.legend = settings.value(QStringLiteral("Legend"), false).toBool();
  p.plot.style = settings.value(QStringLiteral("Style"), 0).toInt() == 1 ? PlotStyle::kModern
                                                                         : PlotStyle::kClassic;
  p.fitWindow = settings.value(QStringLiteral("FitWindow"), false).toBool();
  return p;
}

void SaveViewPreferences(const ViewPreferences& preferences) {
  QSettings settings = ProgramSettings();
  settings.beginGroup(kViewGroup);
  const PlotOptions& plot = preferences.plot;
  settings.setValue(QStringLiteral("Scale"), int(plot.scale));
  settings.setValue(QStringLiteral("Ticks"), plot.ticks);
  settings.setValue(QStringLiteral("Grid"), plot.grid);
  settings.setValue(QStringLiteral("Residuals"), plot.residuals);
  settings.setValue(QStringLiteral("Clip"), plot.clip);
  settings.setValue(QStringLiteral("Titles"), plot.titles);
  settings.setValue(QStringLiteral("Legend"), plot.legend);
  settings.setValue(QStringLiteral("Style"), plot.style == PlotStyle::kModern ? 1 : 0);
  settings.setValue(QStringLiteral("FitWindow"), preferences.fitWindow);
}

QString LoadLastFolder() {
  QSettings settings = ProgramSettings();
  settings.beginGroup(kFoldersGroup);
  return settings.value(QStringLiteral("LastFolder")).toString();
}

void SaveLastFolder(const QString& folder) {
  QSettings settings = ProgramSettings();
  settings.beginGroup(kFoldersGroup);
  settings.setValue(QStringLiteral("LastFolder"), folder);
}

QString StartFolder() {
  const QString folder = LoadLastFolder();
  return !folder.isEmpty() && QDir(folder).exists() ? folder : QString();
}

void RememberFolderOf(const QString& file) {
  if (!file.isEmpty()) SaveLastFolder(QFileInfo(file).absolutePath());
}
