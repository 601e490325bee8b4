#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "app/PeakTableDock.h"
#include "app/WilliamsonHallPanel.h"
#include "app/WilliamsonHallPlot.h"
#include "tests/app/GuiFixture.h"
#include "tests/support/TempFile.h"

namespace {

class WilliamsonHallGuiTest : public GuiFixture {};

TEST_F(WilliamsonHallGuiTest, FindPeaksThenAFitShowTheResultAndThePlotSaves) {
  SKIP_WITHOUT_SHARED_DATA();
  EXPECT_FALSE(Action(cmd::ID_FIND_PEAKS)->isEnabled());
  OpenShared("AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc", FileType::Rigaku);
  View().StateForTests().range = {26.0, 68.0, 0.0, 3000.0};
  frame->UpdateCommandStates();
  ASSERT_TRUE(Action(cmd::ID_FIND_PEAKS)->isEnabled());
  Action(cmd::ID_FIND_PEAKS)->trigger();
  // The five NaCl lines, the weak 311 and a weak line of another phase.
  EXPECT_EQ(View().Peaks().m_nPeak, 7);
  EXPECT_EQ(View().Modes().m_bPeakMode, 0);
  Action(cmd::ID_LSQ_START)->trigger();
  Action(cmd::ID_LSQ_START)->trigger();

  WilliamsonHallPanel& panel = *frame->PeakTable().WilliamsonHall();
  ASSERT_TRUE(panel.isVisible());
  ASSERT_TRUE(panel.Analysis().line);
  EXPECT_TRUE(panel.ResultLabel()->text().contains(QStringLiteral(" nm")));
  // The line's scatter exceeds the points' σ: the panel says they were scaled.
  EXPECT_TRUE(panel.Analysis().line->errorsScaled);
  EXPECT_TRUE(panel.ResultLabel()->text().contains(QStringLiteral("√(換算χ²) 倍しています")));
  const double fwhmSlope = panel.Analysis().line->slope;
  panel.BreadthChoice()->setCurrentIndex(1);  // the integral breadth
  EXPECT_NE(panel.Analysis().line->slope, fwhmSlope);

  panel.PlotButton()->click();
  ASSERT_NE(panel.PlotWindow(), nullptr);
  EXPECT_TRUE(panel.PlotWindow()->isVisible());
  EXPECT_EQ(panel.PlotWindow()->Analysis().points.size(), 7u);
  QString error;
  const QString png = QString::fromStdString(::testing::TempDir() + "wh.png");
  const QString svg = QString::fromStdString(::testing::TempDir() + "wh.svg");
  ASSERT_TRUE(panel.PlotWindow()->SaveTo(png, error)) << error.toStdString();
  ASSERT_TRUE(panel.PlotWindow()->SaveTo(svg, error)) << error.toStdString();
  EXPECT_EQ(ReadFileBytes(png.toStdString()).substr(1, 3), "PNG");
  EXPECT_NE(ReadFileBytes(svg.toStdString()).find("<svg"), std::string::npos);
}

}  // namespace
