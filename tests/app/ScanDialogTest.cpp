#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>

#include "app/ScanDlg.h"
#include "tests/app/GuiFixture.h"

namespace {

// Two data blocks with a profile: 3 points from 10° and 2 points from 40°.
const char kTwoScans[] =
    "data_first\n_pd_meas_2theta_range_min 10\n_pd_meas_2theta_range_max 10.4\n"
    "_pd_meas_2theta_range_inc 0.2\nloop_\n_pd_meas_counts_total\n1 2 3\n"
    "data_second\n_diffrn_ambient_temperature 295\n"
    "loop_\n_pd_meas_2theta_scan\n_pd_meas_counts_total\n40 7\n41 8\n";

// The window's own dialogs answer the open from a drop.
class ScanDialogTest : public GuiFixture {
 protected:
  void SetUp() override {
    GuiFixture::SetUp();
    frame->Answers().SetPlatform(&frame->GuiHost());
  }

  // Drops a file holding text on the window.
  void DropFile(const QByteArray& text) {
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("pattern.cif"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at = frame->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &drop);
    QCoreApplication::processEvents();
  }

  QTemporaryDir dir;
};

CScanDlg* AsScanDialog(QWidget* w) {
  auto* dialog = qobject_cast<CScanDlg*>(w);
  EXPECT_NE(dialog, nullptr);
  return dialog;
}

void CloseMessageBox(QWidget* w) {
  auto* box = qobject_cast<QMessageBox*>(w);
  EXPECT_NE(box, nullptr);
  if (box != nullptr) box->accept();
}

TEST_F(ScanDialogTest, ADroppedFileWithTwoScansAsksWhichAndReadsTheChosenOne) {
  ModalScript script({[](QWidget* w) {
                        CScanDlg* dialog = AsScanDialog(w);
                        if (dialog == nullptr) return;
                        QListWidget* list = dialog->List();
                        ASSERT_EQ(list->count(), 2);
                        EXPECT_EQ(list->currentRow(), 0);  // the first scan is offered
                        const QString first = list->item(0)->text();
                        const QString second = list->item(1)->text();
                        EXPECT_TRUE(first.startsWith(QStringLiteral("1: 10 – 10.4 deg 2θ")))
                            << first.toStdString();
                        EXPECT_TRUE(first.contains(QStringLiteral("3"))) << first.toStdString();
                        EXPECT_TRUE(second.contains(QStringLiteral("data_second")));
                        EXPECT_TRUE(second.contains(QStringLiteral("295 K")));
                        list->setCurrentRow(1);
                        dialog->OkButton()->click();
                      },
                      CloseMessageBox});
  DropFile(kTwoScans);
  EXPECT_EQ(doc.m_nData, 2);
  EXPECT_EQ(doc.m_scan, 2);
  ASSERT_TRUE(doc.m_format);
  EXPECT_EQ(*doc.m_format, ProfileFormat::Cif);
  EXPECT_DOUBLE_EQ(View().Range().m_xMax, 41.0);
}

TEST_F(ScanDialogTest, CancellingTheChoiceKeepsTheProfileOpenBefore) {
  const int before = doc.m_nData;
  ModalScript script({[](QWidget* w) {
    if (CScanDlg* dialog = AsScanDialog(w)) dialog->CancelButton()->click();
  }});
  DropFile(kTwoScans);
  EXPECT_EQ(doc.m_nData, before);
  EXPECT_FALSE(doc.m_format && *doc.m_format == ProfileFormat::Cif);
}

TEST_F(ScanDialogTest, AScanThatCannotBeReadIsListedButCannotBeChosen) {
  std::vector<ScanSummary> scans(2);
  scans[0].number = 1;
  scans[0].points = 5;
  scans[0].last = 4;
  scans[0].xQuantity = std::string(1, 'q');  // not = "q": a false -Wrestrict of GCC 12 at -O3
  scans[0].xUnit = "1/angstrom";
  scans[1].number = 2;
  scans[1].error = "broken";
  int scan = 2;
  ModalScript script({[](QWidget* w) {
    CScanDlg* dialog = AsScanDialog(w);
    if (dialog == nullptr) return;
    EXPECT_FALSE(dialog->List()->item(1)->flags() & Qt::ItemIsEnabled);
    EXPECT_EQ(dialog->List()->item(1)->text(), QStringLiteral("2: broken"));
    EXPECT_TRUE(dialog->List()->item(0)->text().contains(QStringLiteral("1/angstrom q")));
    dialog->List()->setCurrentRow(0);
    dialog->OkButton()->click();
  }});
  EXPECT_TRUE(frame->GuiHost().ScanDialog(scans, scan));
  EXPECT_EQ(scan, 1);
}

TEST_F(ScanDialogTest, TheOpenDialogNamesTheNewFormatsAndListsThemAsProfiles) {
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  std::string path = "*.*";
  ModalScript script({[](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    const QStringList filters = dialog->nameFilters();
    for (const char* filter : {"Bruker RAW (*.raw)", "Bruker UXD (*.uxd)", "CHI (*.chi)",
                               "CIF (*.cif)", "GSAS (*.gsas *.gsa *.gda *.fxye *.xra *.cwn)"})
      EXPECT_TRUE(filters.contains(QLatin1String(filter))) << filter;
    // The filter of every profile holds them too.
    for (const char* pattern : {"*.raw", "*.uxd", "*.chi", "*.cif", "*.fxye", "*.xrdml"})
      EXPECT_TRUE(filters.at(1).contains(QLatin1String(pattern))) << pattern;
    dialog->reject();
  }});
  EXPECT_FALSE(frame->GuiHost().OpenFileDialog(path));
}

}  // namespace
