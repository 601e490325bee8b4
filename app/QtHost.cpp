#include "app/QtHost.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <QStringList>

#include "app/ColumnDlg.h"
#include "app/FileTypeDlg.h"
#include "app/FitConditionDlg.h"
#include "app/PlotWidget.h"
#include "app/Preferences.h"
#include "app/RangeDlg.h"
#include "app/ScanDlg.h"
#include "commands/SaveThroughDialog.h"
#include "view/TavView.h"

namespace {

// How long a status message stays before the idle text comes back.
constexpr int kStatusMessageMs = 15000;

std::string ToStd(const QString& text) { return text.toStdString(); }

// A text of the file dialogs, marked with QT_TRANSLATE_NOOP("QtHost", ...).
QString Text(const char* source) { return QCoreApplication::translate("QtHost", source); }

QString AllFilesFilter() { return Text(QT_TRANSLATE_NOOP("QtHost", "すべてのファイル (*)")); }

// "*.*" stands for every name, which is "*" here.
bool NamesEveryFile(const QString& pattern) {
  return pattern == QStringLiteral("*") || pattern == QStringLiteral("*.*");
}

// The filters of a dialog that a command starts with a pattern: "*.dat"
// lists the DAT files, then all files; a pattern of every name lists all.
QStringList NameFilters(const QString& pattern) {
  if (NamesEveryFile(pattern)) return {AllFilesFilter()};
  const QString label =
      pattern.startsWith(QStringLiteral("*."))
          ? Text(QT_TRANSLATE_NOOP("QtHost", "%1 ファイル")).arg(pattern.mid(2).toUpper())
          : pattern;
  return {QStringLiteral("%1 (%2)").arg(label, pattern), AllFilesFilter()};
}

// The common file dialog, started with what the command gives: a pattern
// becomes the dialog's filter (it is no file name), a plain name is offered
// as the file.
void PresetFileDialog(QFileDialog& dialog, QFileDialog::AcceptMode mode, const std::string& start) {
  dialog.setAcceptMode(mode);
  if (const QString folder = StartFolder(); !folder.isEmpty()) dialog.setDirectory(folder);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  if (NameHasWildcard(start)) {
    dialog.setNameFilters(NameFilters(QString::fromStdString(start)));
  } else {
    dialog.setNameFilters({AllFilesFilter()});
    dialog.selectFile(QString::fromStdString(start));
  }
}

// The extension a save dialog adds to a name without one: that of the
// pattern it lists ("*.csv"), "dat" for any other start.
QString DefaultSuffix(const std::string& start) {
  const QString pattern = QString::fromStdString(start);
  const QString suffix = pattern.startsWith(QStringLiteral("*.")) ? pattern.mid(2) : QString();
  if (suffix.isEmpty() || NameHasWildcard(suffix.toStdString())) return QStringLiteral("dat");
  return suffix;
}

// The open dialog's filters: every file first, as it has always listed, then
// the profiles of every format the program reads, together and one by one.
QStringList OpenFilters() {
  const QString xy = QStringLiteral("*.xy *.xye *.txt *.dat *.csv");
  const QString gsas = QStringLiteral("*.gsas *.gsa *.gda *.fxye *.xra *.cwn");
  return {AllFilesFilter(),
          Text(QT_TRANSLATE_NOOP("QtHost", "回折プロファイル (%1)"))
              .arg(QStringLiteral("*.asc *.ras *.rasx *.xrdml *.brml *.raw *.uxd *.chi *.cif ") +
                   gsas + QLatin1Char(' ') + xy),
          QStringLiteral("Rigaku RINT ASCII (*.asc)"),
          QStringLiteral("Rigaku RAS (*.ras)"),
          QStringLiteral("Rigaku RASX (*.rasx)"),
          QStringLiteral("PANalytical XRDML (*.xrdml)"),
          QStringLiteral("Bruker BRML (*.brml)"),
          QStringLiteral("Bruker RAW (*.raw)"),
          QStringLiteral("Bruker UXD (*.uxd)"),
          QStringLiteral("GSAS (%1)").arg(gsas),
          QStringLiteral("CHI (*.chi)"),
          QStringLiteral("CIF (*.cif)"),
          Text(QT_TRANSLATE_NOOP("QtHost", "X-Y リスト (%1)")).arg(xy)};
}

bool RunFileDialog(QFileDialog& dialog, std::string& path) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  const QString chosen = dialog.selectedFiles().first();
  RememberFolderOf(chosen);
  path = ToStd(chosen);
  return true;
}

}  // namespace

QtHost::QtHost(PlotWidget& plot) : m_plot(plot) {}

QWidget* QtHost::DialogParent() const { return m_plot.window(); }

void QtHost::Repaint() {
  m_plot.ClearOverlay();
  m_plot.repaint();
}

void QtHost::DrawOverlay(const std::function<void(Canvas&)>& draw) { m_plot.SetOverlay(draw); }

bool QtHost::FileTypeDialog(FileType& type) {
  CFileTypeDlg dialog(DialogParent());
  if (dialog.exec() != QDialog::Accepted) return false;
  type = dialog.m_type;
  return true;
}

bool QtHost::OpenFileDialog(std::string& path) {
  QFileDialog dialog(DialogParent());
  PresetFileDialog(dialog, QFileDialog::AcceptOpen, path);
  if (NamesEveryFile(QString::fromStdString(path))) dialog.setNameFilters(OpenFilters());
  return RunFileDialog(dialog, path);
}

bool QtHost::ScanDialog(const std::vector<ScanSummary>& scans, int& scan) {
  if (scans.size() < 2) return true;
  CScanDlg dialog(scans, scan, DialogParent());
  if (dialog.exec() != QDialog::Accepted) return false;
  scan = dialog.m_scan;
  return true;
}

bool QtHost::ColumnDialog(ColumnSettings& settings) {
  CColumnDlg dialog(settings, DialogParent());
  if (dialog.exec() != QDialog::Accepted) return false;
  settings = dialog.m_settings;
  return true;
}

bool QtHost::RangeDialog(RangeValues& range) {
  // The modern view widens the fields to show their whole numbers.
  const bool modern = m_plot.View() != nullptr && m_plot.View()->Plot().style == PlotStyle::kModern;
  CRangeDlg dialog(range, DialogParent(), modern);
  if (dialog.exec() != QDialog::Accepted) return false;
  range = dialog.m_range;
  return true;
}

bool QtHost::FitConditionDialog(FitConditions& conditions) {
  CFitConditionDlg dialog(conditions, DialogParent());
  if (dialog.exec() != QDialog::Accepted) return false;
  conditions = dialog.m_conditions;
  return true;
}

// A name with a wildcard is a pattern, not a file to write: it is refused
// and the dialog comes back where it was.
bool QtHost::SaveFileDialog(std::string& path) {
  QFileDialog dialog(DialogParent());
  PresetFileDialog(dialog, QFileDialog::AcceptSave, path);
  dialog.setDefaultSuffix(DefaultSuffix(path));
  std::string chosen;
  while (RunFileDialog(dialog, chosen)) {
    if (!NameHasWildcard(chosen)) {
      path = chosen;
      m_savedFile = chosen;
      return true;
    }
    MessageBox(CannotSaveText(chosen, WildcardNameReason()), MessageIcon::None);
  }
  return false;
}

void QtHost::MessageBox(const std::string& text, MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                  QStringLiteral("tav"), QString::fromStdString(text), QMessageBox::Ok,
                  DialogParent());
  box.exec();
}

void QtHost::ReportFailure(const std::string& text) {
  m_savedFile.clear();
  MessageBox(text, MessageIcon::None);
}

void QtHost::StatusMessage(const std::string& text) { ShowStatus(QString::fromStdString(text)); }

void QtHost::ShowStatus(const QString& text) {
  auto* window = qobject_cast<QMainWindow*>(DialogParent());
  if (window == nullptr) return;
  QStatusBar* bar = window->statusBar();
  bar->showMessage(text, kStatusMessageMs);
  // A fit's steps come one after another without the event loop.
  bar->repaint();
}
