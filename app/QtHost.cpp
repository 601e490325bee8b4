#include "app/QtHost.h"

#include <QFileDialog>
#include <QMessageBox>

#include "app/ColumnDlg.h"
#include "app/FileTypeDlg.h"
#include "app/FitConditionDlg.h"
#include "app/PlotWidget.h"
#include "app/RangeDlg.h"

namespace {

std::string ToStd(const QString& text) { return text.toStdString(); }

// The common file dialog: no filter list, the given initial file name.
bool RunFileDialog(QWidget* parent, QFileDialog::AcceptMode mode, const QString& initialName,
                   const QString& defaultSuffix, std::string& path) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setDefaultSuffix(defaultSuffix);
  dialog.selectFile(initialName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  path = ToStd(dialog.selectedFiles().first());
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
  return RunFileDialog(DialogParent(), QFileDialog::AcceptOpen, QStringLiteral("*.*"), QString(),
                       path);
}

bool QtHost::ColumnDialog(ColumnSettings& settings) {
  CColumnDlg dialog(settings, DialogParent());
  if (dialog.exec() != QDialog::Accepted) return false;
  settings = dialog.m_settings;
  return true;
}

bool QtHost::RangeDialog(RangeValues& range) {
  CRangeDlg dialog(range, DialogParent());
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

bool QtHost::SaveFileDialog(std::string& path) {
  return RunFileDialog(DialogParent(), QFileDialog::AcceptSave, QStringLiteral("*.dat"),
                       QStringLiteral("dat"), path);
}

void QtHost::MessageBox(const std::string& text, MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                  QStringLiteral("tav"), QString::fromStdString(text), QMessageBox::Ok,
                  DialogParent());
  box.exec();
}
