#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>

#include "app/CommandIds.h"
#include "app/Printing.h"
#include "profile/FileTypeDetect.h"
#include "tests/app/GuiFixture.h"

namespace {

using OpenAndPrintTest = GuiFixture;

TEST_F(OpenAndPrintTest, OpenThroughTheMenuAsksTypeFileAndColumnsThenShowsTheData) {
  SKIP_WITHOUT_SHARED_DATA();
  answers.column = ColumnSettings{1, 2, 1, 9999};
  OpenShared("datalab__example_ocx.xy", FileType::Xy);
  EXPECT_EQ(answers.fileTypeDialogs, 1);
  EXPECT_EQ(answers.openDialogs, 1);
  EXPECT_EQ(answers.columnDialogs, 1);
  EXPECT_EQ(doc.m_nData, 1876);
  EXPECT_DOUBLE_EQ(View().Range().m_xMin, 5.0);
  EXPECT_DOUBLE_EQ(View().Range().m_xMax, 80.0);
  EXPECT_EQ(View().Modes().m_dragState, DragState::Disarmed);
  // The plot shows data: blue squares inside the plot window.
  int blue = 0;
  const QImage& picture = Plot().LastFrame();
  for (int x = 100; x <= 650; ++x) {
    for (int y = 50; y <= 350; ++y) blue += picture.pixel(x, y) == qRgb(0, 0, 255);
  }
  EXPECT_GT(blue, 500);

  // Cancelling the file dialog reads nothing.
  Action(cmd::ID_FILE_OPEN)->trigger();
  EXPECT_EQ(answers.openDialogs, 2);
  EXPECT_EQ(doc.m_nData, 1876);
}

TEST_F(OpenAndPrintTest, CommandLineOpenDetectsTheFormatWithoutDialogs) {
  SKIP_WITHOUT_SHARED_DATA();
  const std::string rigaku =
      SharedData("AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc");
  const std::string xy = SharedData("dara__tutorial_data_CaNiPO3_4_800_240.xy");
  ASSERT_EQ(DetectFileType(rigaku), FileType::Rigaku);
  ASSERT_EQ(DetectFileType(xy), FileType::Xy);

  frame->OpenWithoutDialogs(rigaku, DetectFileType(rigaku));
  EXPECT_EQ(doc.m_nData, 3400);
  EXPECT_DOUBLE_EQ(View().Range().m_xMin, 2.01);
  frame->OpenWithoutDialogs(xy, DetectFileType(xy));
  EXPECT_EQ(doc.m_nData, 8301);
  EXPECT_EQ(answers.fileTypeDialogs + answers.openDialogs + answers.columnDialogs, 0);

  // A missing file is reported, and no answer given ahead is left over for
  // the next open.
  frame->OpenWithoutDialogs("/nonexistent/profile.asc", FileType::Xy);
  EXPECT_EQ(answers.messages.size(), 1u);
  EXPECT_EQ(doc.m_nData, 8301);
  Action(cmd::ID_FILE_OPEN)->trigger();
  EXPECT_EQ(answers.fileTypeDialogs, 1);
  EXPECT_EQ(answers.openDialogs, 1);
}

// Drags data onto the main window and drops it there; whether the window
// took the drag.
bool DragAndDrop(QWidget* window, QMimeData& data) {
  const QPoint at = window->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &drop);
  // The file opens once the drop is over.
  QCoreApplication::processEvents();
  return drop.isAccepted();
}

TEST_F(OpenAndPrintTest, AFileDroppedOnTheWindowOpensByItsContents) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("dropped.dat"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(
      "<?xml version=\"1.0\"?><xrdMeasurements><xrdMeasurement><scan><dataPoints>"
      "<positions axis=\"2Theta\"><startPosition>20</startPosition><endPosition>21</endPosition>"
      "</positions><counts>3 9 4</counts></dataPoints></scan></xrdMeasurement></xrdMeasurements>");
  file.close();
  QSignalSpy dropped(frame.get(), &CMainFrame::FileDropped);

  QMimeData data;
  data.setUrls(
      {QUrl(QStringLiteral("https://example.org/profile.xrdml")), QUrl::fromLocalFile(path)});
  ASSERT_TRUE(DragAndDrop(frame.get(), data));
  EXPECT_EQ(doc.m_nData, 3);
  ASSERT_TRUE(doc.m_format);
  EXPECT_EQ(*doc.m_format, ProfileFormat::Xrdml);
  EXPECT_DOUBLE_EQ(View().Range().m_xMax, 21.0);
  EXPECT_EQ(View().Range().m_yMax, 9.0);
  EXPECT_EQ(answers.fileTypeDialogs + answers.openDialogs + answers.columnDialogs, 0);
  ASSERT_EQ(dropped.count(), 1);
  EXPECT_EQ(dropped.first().first().toString(), path);

  // Text alone, or a remote address, is not taken.
  QMimeData text;
  text.setText(path);
  EXPECT_FALSE(DragAndDrop(frame.get(), text));
  QMimeData remote;
  remote.setUrls({QUrl(QStringLiteral("https://example.org/profile.xrdml"))});
  EXPECT_FALSE(DragAndDrop(frame.get(), remote));
  EXPECT_EQ(dropped.count(), 1);
}

TEST_F(OpenAndPrintTest, PrintsThePlotToAPdfThatPdftoppmReads) {
  SKIP_WITHOUT_SHARED_DATA();
  OpenShared("rigakuXRD__2Theta.asc", FileType::Rigaku);
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString pdf = dir.filePath(QStringLiteral("plot.pdf"));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  ASSERT_TRUE(PrintView(View(), printer));
  ASSERT_TRUE(QFile::exists(pdf));

  QProcess pdftoppm;
  pdftoppm.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                  QStringLiteral("-singlefile"), pdf, dir.filePath(QStringLiteral("page"))});
  ASSERT_TRUE(pdftoppm.waitForFinished(20000));
  ASSERT_EQ(pdftoppm.exitCode(), 0) << pdftoppm.readAllStandardError().toStdString();
  const QImage page(dir.filePath(QStringLiteral("page.png")));
  ASSERT_FALSE(page.isNull());
  // The data points come out blue, and the grey frame is there too.
  int blue = 0, grey = 0;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      const QColor c = page.pixelColor(x, y);
      blue += c.blue() > 200 && c.red() < 80 && c.green() < 80;
      grey += std::abs(c.red() - 0x7D) < 40 && c.red() == c.green() && c.green() == c.blue();
    }
  }
  EXPECT_GT(blue, 50);
  EXPECT_GT(grey, 50);
}

TEST_F(OpenAndPrintTest, CtrlPOpensThePrintDialogWhoseCancelPrintsNothing) {
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  bool asked = false;
  ModalScript script({[&asked](QWidget* w) {
    auto* dialog = qobject_cast<QPrintDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    asked = true;
    dialog->reject();
  }});
  QTest::keyClick(frame.get(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_TRUE(asked);
  EXPECT_TRUE(answers.messages.empty());
}

}  // namespace
