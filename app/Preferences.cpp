#include "app/Preferences.h"

#include <QVariant>

namespace {

const QString kReportGroup = QStringLiteral("Report");
const QString kPeakTableGroup = QStringLiteral("Peak Table");

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
