#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>

#include "app/PeakTableDock.h"
#include "app/Preferences.h"
#include "app/ReportSettingsDlg.h"
#include "commands/Commands.h"
#include "tests/app/GuiFixture.h"

namespace {

TEST(EstimateText, RoundsTheUncertaintyToTwoDigitsAndTheValueToItsPlace) {
  EXPECT_EQ(EstimateText({31.69234, 0.001234}), QStringLiteral("31.6923 ± 0.0012"));
  // Rounding up to the next power of ten keeps two significant digits.
  EXPECT_EQ(EstimateText({2.71828, 0.0996}), QStringLiteral("2.72 ± 0.10"));
  EXPECT_EQ(EstimateText({123456.7, 2345.6}), QStringLiteral("123500 ± 2300"));
  EXPECT_EQ(EstimateText({-0.0004, 0.05}), QStringLiteral("0.000 ± 0.050"));
  EXPECT_EQ(EstimateText({2.8201234567, std::nullopt}), QStringLiteral("2.82012"));
  EXPECT_EQ(EstimateText({2.5, 0.0}), QStringLiteral("2.5"));
  EXPECT_EQ(EstimateText({std::nullopt, 0.1}), QString());
}

class PeakTableTest : public GuiFixture {
 protected:
  void SetUp() override {
    GuiFixture::SetUp();
    SKIP_WITHOUT_SHARED_DATA();
    OpenShared("AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc", FileType::Rigaku);
    ASSERT_GT(doc.m_nData, 0);
  }

  // Fits the NaCl (200) reflection alone.
  void FitOnePeak() {
    View().StateForTests().range.m_xMin = 31.2;
    View().StateForTests().range.m_xMax = 32.2;
    View().OnPeakPosition();
    View().AppendPeakAt(31.69, 2700.0);
    frame->UpdateCommandStates();
    Action(cmd::ID_LSQ_START)->trigger();
    ASSERT_NE(View().Report(), nullptr);
  }

  PeakTableDock& Dock() { return frame->PeakTable(); }
};

TEST_F(PeakTableTest, AFitFillsTheTableANewPeakClearsItCtrlCCopiesTheRows) {
  EXPECT_FALSE(Dock().isVisible());
  EXPECT_FALSE(Action(cmd::ID_SAVE_REPORT)->isEnabled());
  FitOnePeak();
  EXPECT_TRUE(Dock().isVisible());
  EXPECT_TRUE(Action(cmd::ID_SAVE_REPORT)->isEnabled());
  PeakTableWidget& table = *Dock().Table();
  ASSERT_EQ(table.rowCount(), 1);
  for (int c = 0; c < table.columnCount(); ++c) {
    EXPECT_TRUE(table.item(0, c)->text().contains(QStringLiteral(" ± "))) << c;
  }
  EXPECT_TRUE(Dock().StatisticsLabel()->text().startsWith(QStringLiteral("χ² = ")));
  EXPECT_TRUE(Dock().StatisticsLabel()->text().contains(QStringLiteral("Rwp = ")));
  // The free parameters' correlations: a unit diagonal, symmetric.
  const QTableWidget& r = *Dock().CorrelationTable();
  ASSERT_EQ(r.rowCount(), 5);  // height, position, width, slope, intercept
  EXPECT_EQ(r.verticalHeaderItem(0)->text(), QStringLiteral("height_1"));
  EXPECT_EQ(r.horizontalHeaderItem(4)->text(), QStringLiteral("intercept"));
  for (int j = 0; j < 5; ++j) {
    EXPECT_EQ(r.item(j, j)->text(), QStringLiteral("1.000"));
    for (int k = 0; k < 5; ++k) EXPECT_EQ(r.item(j, k)->text(), r.item(k, j)->text());
  }

  table.setFocus();
  QApplication::clipboard()->clear();
  QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
  const QStringList lines = QApplication::clipboard()->text().split('\n');
  ASSERT_EQ(lines.size(), 3);  // header, one row, the final line end
  EXPECT_EQ(lines[0],
            QStringLiteral("ピーク\t位置 (2θ)\t高さ\t半値幅\t面積\td (Å)\t結晶子径 (nm)"));
  EXPECT_EQ(lines[1].split('\t').size(), 7);
  EXPECT_TRUE(lines[1].startsWith(QStringLiteral("1\t31.")));

  View().AppendPeakAt(33.0, 100.0);
  frame->UpdateCommandStates();
  EXPECT_EQ(View().Report(), nullptr);
  EXPECT_EQ(table.rowCount(), 0);
  EXPECT_TRUE(Dock().StatisticsLabel()->text().isEmpty());
  EXPECT_FALSE(Action(cmd::ID_SAVE_REPORT)->isEnabled());
}

TEST_F(PeakTableTest, SettingsDialogRefusesANonPositiveWavelengthAndAppliesValidValues) {
  FitOnePeak();
  const std::optional<double> fileLambda = doc.m_wavelengths.lambda1;
  ASSERT_TRUE(fileLambda);
  {
    ModalScript script({
        [&](QWidget* w) {
          auto* dialog = qobject_cast<CReportSettingsDlg*>(w);
          ASSERT_NE(dialog, nullptr);
          EXPECT_TRUE(dialog->SourceLabel()->text().endsWith(QStringLiteral("ファイルから")));
          EXPECT_EQ(dialog->Lambda1Edit()->text(), DoubleFieldText(*fileLambda));
          dialog->Lambda1Edit()->setText(QStringLiteral("0"));
          dialog->OkButton()->click();
        },
        [](QWidget* w) {
          auto* box = qobject_cast<QMessageBox*>(w);
          ASSERT_NE(box, nullptr);
          EXPECT_EQ(box->text(), QStringLiteral("正の数値を入力してください。"));
          box->accept();
        },
        [](QWidget* w) {
          auto* dialog = qobject_cast<CReportSettingsDlg*>(w);
          ASSERT_NE(dialog, nullptr);
          dialog->Lambda1Edit()->setText(QStringLiteral("1.5406"));
          dialog->Lambda2Edit()->clear();
          dialog->RatioEdit()->clear();
          dialog->KEdit()->setText(QStringLiteral("0.94"));
          dialog->InstrumentalEdit()->setText(QStringLiteral("0.05"));
          dialog->OkButton()->click();
        },
    });
    frame->Execute(cmd::ID_REPORT_SETTINGS);
  }
  EXPECT_EQ(doc.m_wavelengths.lambda1, 1.5406);
  EXPECT_FALSE(doc.m_wavelengths.lambda2);
  EXPECT_FALSE(doc.m_wavelengths.alpha2Ratio);
  EXPECT_DOUBLE_EQ(View().Scherrer().m_k, 0.94);
  EXPECT_DOUBLE_EQ(View().Scherrer().m_instrumentalFwhm, 0.05);
  // The report on screen, and so the table, follow the new settings.
  ASSERT_NE(View().Report(), nullptr);
  const double d = *View().Report()->peaks[0].dSpacing.value;
  EXPECT_EQ(Dock().Table()->item(0, 4)->text().left(4), QString::number(d, 'f', 2));
  {
    ModalScript script({[](QWidget* w) {
      auto* dialog = qobject_cast<CReportSettingsDlg*>(w);
      ASSERT_NE(dialog, nullptr);
      EXPECT_TRUE(dialog->SourceLabel()->text().endsWith(QStringLiteral("入力値")));
      dialog->CancelButton()->click();
    }});
    frame->Execute(cmd::ID_REPORT_SETTINGS);
  }
}

}  // namespace

namespace {

TEST_F(PeakTableTest, AClosedTableStaysClosedUntilAskedForAndTheDefaultWavelengthIsKept) {
  FitOnePeak();
  frame->UpdateCommandStates();
  EXPECT_TRUE(Action(cmd::ID_PEAK_TABLE)->isChecked());
  Dock().close();
  Action(cmd::ID_LSQ_START)->trigger();
  EXPECT_FALSE(Dock().isVisible());
  EXPECT_FALSE(Action(cmd::ID_PEAK_TABLE)->isChecked());
  EXPECT_FALSE(LoadPeakTableLayout().wanted);
  frame->Execute(cmd::ID_PEAK_TABLE);
  EXPECT_TRUE(Dock().isVisible());
  EXPECT_TRUE(Action(cmd::ID_PEAK_TABLE)->isChecked());
  EXPECT_TRUE(LoadPeakTableLayout().wanted);

  {
    ModalScript script({[](QWidget* w) {
      auto* dialog = qobject_cast<CReportSettingsDlg*>(w);
      ASSERT_NE(dialog, nullptr);
      EXPECT_FALSE(dialog->UseDefaultCheck()->isChecked());
      EXPECT_FALSE(dialog->DefaultLambda1Edit()->isEnabled());
      dialog->UseDefaultCheck()->setChecked(true);
      dialog->DefaultLambda1Edit()->setText(QStringLiteral("1.5406"));
      dialog->OkButton()->click();
    }});
    frame->Execute(cmd::ID_REPORT_SETTINGS);
  }
  const Wavelengths copper{1.5406, std::nullopt, std::nullopt};
  EXPECT_EQ(View().DefaultWavelengths(), copper);
  EXPECT_EQ(LoadDefaultWavelengths(), copper);
  // The file's own wavelengths stay.
  EXPECT_EQ(doc.m_wavelengthSource, WavelengthSource::kFile);
  ProgramSettings().clear();
}

}  // namespace
