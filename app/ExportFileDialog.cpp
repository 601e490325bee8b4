#include "app/ExportFileDialog.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QStringList>
#include <iterator>

#include "app/Preferences.h"

namespace {

// The picture types of the export, in the dialog's order.
struct ExportType {
  const char* filter;  // marked for translation
  const char* suffix;
};

constexpr ExportType kExportTypes[] = {
    {QT_TRANSLATE_NOOP("CMainFrame", "PNG 画像 (*.png)"), "png"},
    {QT_TRANSLATE_NOOP("CMainFrame", "SVG 画像 (*.svg)"), "svg"},
    {QT_TRANSLATE_NOOP("CMainFrame", "PDF 文書 (*.pdf)"), "pdf"},
};

QString Text(const char* source) { return QCoreApplication::translate("CMainFrame", source); }

}  // namespace

QString ChooseExportFile(QWidget* parent) {
  QFileDialog dialog(parent, QCoreApplication::translate("CMainFrame", "プロットを書き出す"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  if (const QString folder = StartFolder(); !folder.isEmpty()) dialog.setDirectory(folder);
  QStringList filters;
  for (const ExportType& type : kExportTypes) filters << Text(type.filter);
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(QString::fromLatin1(kExportTypes[0].suffix));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog, filters](const QString& filter) {
                     const auto i = static_cast<std::size_t>(filters.indexOf(filter));
                     if (i < std::size(kExportTypes)) {
                       dialog.setDefaultSuffix(QString::fromLatin1(kExportTypes[i].suffix));
                     }
                   });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString path = dialog.selectedFiles().first();
  RememberFolderOf(path);
  return path;
}
