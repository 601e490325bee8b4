#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "app/CalibrationDlg.h"
#include "app/CalibrationPlot.h"
#include "app/LatticeDlg.h"
#include "app/PeakTableDock.h"
#include "app/WilliamsonHallPanel.h"
#include "commands/Commands.h"
#include "fit/PeakShapes.h"
#include "history/UndoHistory.h"
#include "tests/app/GuiFixture.h"
#include "tests/support/SyntheticStandard.h"
#include "tests/support/TempFile.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kLambda = 1.5406;
constexpr double kCell = 4.1569;
constexpr double kZero = 0.03;
constexpr double kU = 0.004, kV = -0.002, kW = 0.003;

double CagliotiFwhm(double twoTheta) {
  const double t = std::tan(twoTheta * kPi / 360.0);
  return std::sqrt(kU * t * t + kV * t + kW);
}

// Six Gaussian lines of a primitive cubic cell (100 to 211) shifted by a zero
// error, their widths from U, V, W, with seeded counting noise.
std::string SyntheticStandard(std::vector<double>& peaks) {
  for (int n = 1; n <= 6; ++n) {
    const double d = kCell / std::sqrt(static_cast<double>(n));
    peaks.push_back(2.0 * std::asin(kLambda / (2.0 * d)) * 180.0 / kPi + kZero);
  }
  return GaussianStandardProfile(peaks, CagliotiFwhm, 18.0, 4000, 4711);
}

class CalibrationGuiTest : public GuiFixture {
 protected:
  // Opens the standard, fits its six lines in one window and adds them to
  // the calibration set through the menu.
  void FitStandardAndAdd() {
    const std::string path = WriteTempFile("tav-gui-standard.xy", SyntheticStandard(peaks));
    answers.fileType = FileType::Xy;
    answers.openPath = path;
    answers.column = ColumnSettings{1, 2, 0, limits::kLastLineMax};
    Action(cmd::ID_FILE_OPEN)->trigger();
    ASSERT_GT(View().GetDocument().m_nData, 0);
    SetProfileWavelengths(View(), Wavelengths{kLambda, std::nullopt, std::nullopt});
    View().StateForTests().range = {18.0, 58.0, 0.0, 25000.0};
    frame->UpdateCommandStates();
    EXPECT_FALSE(Action(cmd::ID_CALIBRATE_ADD)->isEnabled());
    FitConditions gauss;
    gauss.tolerance = 1e-5;
    gauss.function = FindPeakShapeNamed("gauss")->function;
    gauss.stepMessages = false;
    answers.fitCondition = gauss;
    Action(cmd::ID_LSQ_CONDITION)->trigger();
    Action(cmd::ID_FIND_PEAKS)->trigger();
    ASSERT_EQ(View().Peaks().m_nPeak, 6);
    Action(cmd::ID_LSQ_START)->trigger();
    Action(cmd::ID_LSQ_START)->trigger();
    ASSERT_TRUE(Action(cmd::ID_CALIBRATE_ADD)->isEnabled());
    Action(cmd::ID_CALIBRATE_ADD)->trigger();
    ASSERT_EQ(View().Calibration().peaks.size(), 6u);
  }

  std::vector<double> peaks;
};

TEST_F(CalibrationGuiTest, TheDialogFitsSavesAndUsesTheFunctionAsOneUndoStep) {
  FitStandardAndAdd();
  const std::string saved = ::testing::TempDir() + "tav-gui.instrument.json";
  std::remove(saved.c_str());
  int bandPixels = 0;
  {
    ModalScript script({[&](QWidget* w) {
      auto* dialog = qobject_cast<CCalibrationDlg*>(w);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->SetTable()->rowCount(), 6);
      EXPECT_FALSE(dialog->UseCheck()->isEnabled());
      dialog->FitButton()->click();
      EXPECT_TRUE(dialog->ResultLabel()->text().contains(QStringLiteral("U = ")));
      dialog->UseCheck()->click();
      answers.savePath = saved;
      dialog->SaveButton()->click();
      const QImage picture = dialog->Plot()->Picture();
      for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
          if (picture.pixel(x, y) == qRgb(180, 200, 240)) ++bandPixels;
        }
      }
      dialog->reject();
    }});
    Action(cmd::ID_CALIBRATION)->trigger();
  }
  const CalibrationState& c = View().Calibration();
  ASSERT_TRUE(c.instrument);
  EXPECT_TRUE(c.useInstrument);
  EXPECT_EQ(c.instrumentPath, saved);
  EXPECT_FALSE(ReadFileBytes(saved).empty());
  EXPECT_GT(bandPixels, 0);
  // Six lines over 21..54° leave U, V and W strongly correlated: the curve
  // they make is what is known, within its band, at every line.
  const ResolutionFunction& f = c.instrument->resolution;
  for (const double p : peaks) {
    EXPECT_LT(std::fabs(f.FwhmAt(p) - CagliotiFwhm(p)), 3.0 * f.FwhmErrorAt(p)) << p;
  }
  // The report names the file in use.
  bool named = false;
  for (const std::string& note : View().Report()->notes) {
    named = named || note.find(saved) != std::string::npos;
  }
  EXPECT_TRUE(named);

  // The dialog's changes go back as one step; the set added before stays.
  Action(cmd::ID_EDIT_UNDO)->trigger();
  EXPECT_FALSE(View().Calibration().instrument);
  EXPECT_FALSE(View().Calibration().useInstrument);
  EXPECT_EQ(View().Calibration().peaks.size(), 6u);
  Action(cmd::ID_EDIT_UNDO)->trigger();
  EXPECT_TRUE(View().Calibration().peaks.empty());
  Action(cmd::ID_EDIT_REDO)->trigger();
  Action(cmd::ID_EDIT_REDO)->trigger();
  EXPECT_TRUE(View().Calibration().useInstrument);
}

TEST_F(CalibrationGuiTest, ARefusedFitIsAMessageAndChangesNothing) {
  FitStandardAndAdd();
  ModalScript script({[&](QWidget* w) {
    auto* dialog = qobject_cast<CCalibrationDlg*>(w);
    ASSERT_NE(dialog, nullptr);
    dialog->SetTable()->selectRow(0);
    dialog->RemoveButton()->click();
    EXPECT_EQ(dialog->SetTable()->rowCount(), 5);
    dialog->ClearButton()->click();
    EXPECT_EQ(dialog->SetTable()->rowCount(), 0);
    EXPECT_FALSE(dialog->FitButton()->isEnabled());
    dialog->UseCheck()->click();  // disabled: nothing happens
    dialog->reject();
  }});
  const CalibrationState before = View().Calibration();
  Action(cmd::ID_CALIBRATION)->trigger();
  EXPECT_TRUE(View().Calibration().peaks.empty());
  EXPECT_FALSE(View().Calibration().useInstrument);
  Action(cmd::ID_EDIT_UNDO)->trigger();
  EXPECT_EQ(View().Calibration(), before);
}

TEST_F(CalibrationGuiTest, TheLatticeDialogRefinesAndThePeakTableShowsHklAndChoices) {
  FitStandardAndAdd();
  {
    ModalScript script({[&](QWidget* w) {
      auto* dialog = qobject_cast<CLatticeDlg*>(w);
      ASSERT_NE(dialog, nullptr);
      dialog->SystemChoice()->setCurrentIndex(0);  // cubic
      EXPECT_FALSE(dialog->LengthEdit(2)->isEnabled());
      dialog->CentringChoice()->setCurrentIndex(dialog->CentringChoice()->findText("P"));
      dialog->LengthEdit(0)->setText(QStringLiteral("4.15"));
      dialog->ZeroCheck()->setChecked(true);
      dialog->RefineButton()->click();
      EXPECT_TRUE(dialog->ResultLabel()->text().contains(QStringLiteral("a = 4.15")))
          << dialog->ResultLabel()->text().toStdString();
      EXPECT_EQ(dialog->ReflectionTable()->rowCount(), 6);
      dialog->CorrectCheck()->click();
      dialog->reject();
    }});
    Action(cmd::ID_LATTICE)->trigger();
  }
  const CalibrationState& c = View().Calibration();
  ASSERT_TRUE(c.phase && c.correction);
  EXPECT_NEAR(c.phase->a, kCell, 2e-4);
  EXPECT_NEAR(c.correction->zero, kZero, 0.01);
  EXPECT_TRUE(c.correctPositions);

  // The peak table: the hkl column, then the Williamson–Hall boxes.
  PeakTableDock& dock = frame->PeakTable();
  QTableWidget& table = *dock.Table();
  const int wh = dock.WilliamsonHallColumn();
  ASSERT_GE(wh, 1);
  EXPECT_EQ(table.horizontalHeaderItem(wh - 1)->text(), QStringLiteral("hkl"));
  QStringList hkl;
  for (int r = 0; r < table.rowCount(); ++r) hkl << table.item(r, wh - 1)->text();
  hkl.sort();
  EXPECT_EQ(hkl.join(' '), QStringLiteral("100 110 111 200 210 211"));
  EXPECT_EQ(table.item(2, wh)->checkState(), Qt::Checked);
  EXPECT_EQ(dock.WilliamsonHall()->Analysis().points.size(), 6u);

  table.item(2, wh)->setCheckState(Qt::Unchecked);
  EXPECT_EQ(View().Calibration().williamsonHallExcluded, std::vector<int>{3});
  EXPECT_EQ(dock.WilliamsonHall()->Analysis().points.size(), 5u);
  EXPECT_EQ(dock.Table()->item(2, dock.WilliamsonHallColumn())->checkState(), Qt::Unchecked);
  Action(cmd::ID_EDIT_UNDO)->trigger();
  EXPECT_TRUE(View().Calibration().williamsonHallExcluded.empty());
  EXPECT_EQ(dock.WilliamsonHall()->Analysis().points.size(), 6u);
  EXPECT_EQ(dock.Table()->item(2, dock.WilliamsonHallColumn())->checkState(), Qt::Checked);
}

TEST_F(CalibrationGuiTest, TheLatticeDialogRefusesABadCellWithoutChangingThePhase) {
  ModalScript script({[&](QWidget* w) {
    auto* dialog = qobject_cast<CLatticeDlg*>(w);
    ASSERT_NE(dialog, nullptr);
    dialog->LengthEdit(0)->setText(QStringLiteral("-3"));
    dialog->SetButton()->click();
    dialog->LengthEdit(0)->setText(QStringLiteral("4"));
    dialog->RadiusEdit()->setText(QStringLiteral("x"));
    dialog->RefineButton()->click();
    dialog->reject();
  }});
  Action(cmd::ID_LATTICE)->trigger();
  EXPECT_FALSE(View().Calibration().phase);
  EXPECT_EQ(answers.failures.size(), 2u);
}

}  // namespace
