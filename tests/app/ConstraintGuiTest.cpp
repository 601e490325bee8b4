#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <cmath>
#include <limits>

#include "app/BoundsDlg.h"
#include "app/FitConditionDlg.h"
#include "app/PeakTableDock.h"
#include "history/UndoHistory.h"
#include "tests/app/GuiFixture.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

QAction* ActionNamed(QMenu* menu, const QString& text) {
  for (QAction* action : menu->actions()) {
    if (action->text() == text) return action;
  }
  ADD_FAILURE() << "no menu item " << text.toStdString();
  return nullptr;
}

class ConstraintGui : public GuiFixture {
 protected:
  // Peaks 1..3 at 15, 11 and 13 (so that the order by position differs from
  // the order by number), a report of them on screen, the given shape.
  void ShowThreePeaks(int shape) {
    LoadSpectrum(View(), {10, 12, 15, 20}, {0, 250, 1000, 400});
    View().OnPeakPosition();
    for (const double x : {15.0, 11.0, 13.0}) View().AppendPeakAt(x, 500.0);
    FitProblem problem = View().Problem();
    problem.shape = shape;
    View().SetFitProblem(problem);
    PeakReport report;
    report.shape = shape;
    for (int k = 1; k <= 3; ++k) {
      PeakResult peak;
      peak.peak = k;
      peak.position.value = View().Peaks().m_position[k];
      peak.height.value = 500.0;
      peak.fwhm.value = 0.3;
      peak.shapeParameter.value = 0.5;
      report.peaks.push_back(peak);
    }
    View().StoreReport(report);
    frame->UpdateCommandStates();
  }
  PeakTableDock& Table() { return frame->PeakTable(); }
  const FitConstraints& Constraints() { return View().Problem().constraints; }
  // Chooses the item of the cell menu of row r, column c.
  void Choose(int r, int c, const QString& item) {
    QMenu* menu = Table().CellMenu(r, c, nullptr);
    ASSERT_NE(menu, nullptr);
    QAction* action = ActionNamed(menu, item);
    if (action != nullptr) action->trigger();
    delete menu;
  }
  std::size_t Steps() { return frame->History().UndoSteps(); }
};

TEST_F(ConstraintGui, CellMenuFixesAndFreesTheColumnsParameterWithALockAndUndo) {
  ShowThreePeaks(kPseudoVoigt);
  const std::size_t steps = Steps();
  Choose(1, 0, QStringLiteral("固定"));  // row 1 is peak 2: its position
  EXPECT_TRUE(Constraints().Peak(2, kPositionParameter).fixed);
  EXPECT_FALSE(Constraints().Peak(2, kHeightParameter).fixed);
  EXPECT_FALSE(Constraints().Peak(1, kPositionParameter).fixed);
  EXPECT_EQ(Steps(), steps + 1);
  EXPECT_TRUE(Table().ShowsLock(1, 0));
  EXPECT_FALSE(Table().ShowsLock(1, 1));
  EXPECT_FALSE(Table().ShowsLock(0, 0));

  Choose(1, 1, QStringLiteral("固定"));  // its height
  Choose(1, 6, QStringLiteral("固定"));  // its η
  EXPECT_TRUE(Constraints().Peak(2, kHeightParameter).fixed);
  EXPECT_TRUE(Constraints().Peak(2, kShapeParameter).fixed);
  EXPECT_TRUE(Table().ShowsLock(1, 6));
  Choose(1, 0, QStringLiteral("固定を解除"));
  EXPECT_FALSE(Constraints().Peak(2, kPositionParameter).fixed);
  EXPECT_FALSE(Table().ShowsLock(1, 0));
  EXPECT_TRUE(Table().ShowsLock(1, 1));

  // Undo walks back one menu choice at a time.
  Action(cmd::ID_EDIT_UNDO)->trigger();
  EXPECT_TRUE(Constraints().Peak(2, kPositionParameter).fixed);
  EXPECT_TRUE(Table().ShowsLock(1, 0));
  for (int i = 0; i < 3; ++i) Action(cmd::ID_EDIT_UNDO)->trigger();
  EXPECT_TRUE(Constraints().None());
  EXPECT_FALSE(Table().ShowsLock(1, 0));
  EXPECT_FALSE(Table().ShowsLock(1, 1));
  Action(cmd::ID_EDIT_REDO)->trigger();
  EXPECT_TRUE(Table().ShowsLock(1, 0));
}

TEST_F(ConstraintGui, DerivedColumnsOfferNoParameterItemsButSharingAndRemoval) {
  ShowThreePeaks(kGaussian);
  EXPECT_TRUE(Table().ParametersOfColumn(3).isEmpty());  // area
  EXPECT_TRUE(Table().ParametersOfColumn(4).isEmpty());  // d
  QMenu* menu = Table().CellMenu(0, 3, nullptr);
  ASSERT_NE(menu, nullptr);
  EXPECT_FALSE(ActionNamed(menu, QStringLiteral("固定"))->isEnabled());
  EXPECT_FALSE(ActionNamed(menu, QStringLiteral("範囲を設定..."))->isEnabled());
  EXPECT_FALSE(ActionNamed(menu, QStringLiteral("範囲を解除"))->isEnabled());
  EXPECT_TRUE(ActionNamed(menu, QStringLiteral("幅を共通にする"))->isEnabled());
  // A Gaussian has no η or m to share.
  EXPECT_FALSE(ActionNamed(menu, QStringLiteral("形状パラメータを共通にする"))->isEnabled());
  ActionNamed(menu, QStringLiteral("ピーク 1 を削除"))->trigger();
  delete menu;
  EXPECT_EQ(View().Peaks().m_nPeak, 2);
  EXPECT_EQ(View().Peaks().m_position[1], 11.0);
  EXPECT_EQ(Table().CellMenu(-1, 0, nullptr), nullptr);
}

TEST_F(ConstraintGui, BoundsOfASplitWidthCoverBothHalvesAndUnboundClearsThem) {
  ShowThreePeaks(kSplitPseudoVoigt);
  EXPECT_EQ(Table().ParametersOfColumn(2), (QList<int>{kWidthParameter, kRightWidthParameter}));
  EXPECT_EQ(Table().ParametersOfColumn(6), (QList<int>{kShapeParameter, kRightShapeParameter}));
  QString asked;
  double shownLower = 0.0;
  double shownUpper = 0.0;
  Table().SetBoundsAsker([&](const QString& what, double& lower, double& upper) {
    asked = what;
    shownLower = lower;
    shownUpper = upper;
    lower = 0.05;
    upper = 0.8;
    return true;
  });
  const std::size_t steps = Steps();
  Choose(0, 2, QStringLiteral("範囲を設定..."));  // row 0 is peak 1
  EXPECT_EQ(asked, QStringLiteral("ピーク 1: 半値幅"));
  EXPECT_EQ(shownLower, -kInf);
  EXPECT_EQ(shownUpper, kInf);
  for (const int m : {kWidthParameter, kRightWidthParameter}) {
    EXPECT_EQ(Constraints().Peak(1, m).lower, 0.05);
    EXPECT_EQ(Constraints().Peak(1, m).upper, 0.8);
    EXPECT_FALSE(Constraints().Peak(1, m).fixed);
  }
  EXPECT_EQ(Steps(), steps + 1);
  EXPECT_FALSE(Table().ShowsLock(0, 2));  // bounded, not held
  EXPECT_TRUE(Table().Table()->item(0, 2)->toolTip().contains(QStringLiteral("0.05")));

  // The dialog opens on the bounds set; a cancel changes nothing.
  Table().SetBoundsAsker([&](const QString&, double& lower, double& upper) {
    shownLower = lower;
    shownUpper = upper;
    lower = 1.0;
    return false;
  });
  Choose(0, 2, QStringLiteral("範囲を設定..."));
  EXPECT_EQ(shownLower, 0.05);
  EXPECT_EQ(shownUpper, 0.8);
  EXPECT_EQ(Constraints().Peak(1, kWidthParameter).lower, 0.05);
  EXPECT_EQ(Steps(), steps + 1);

  Choose(0, 2, QStringLiteral("範囲を解除"));
  EXPECT_TRUE(Constraints().None());
  EXPECT_TRUE(Table().Table()->item(0, 2)->toolTip().isEmpty());
  Action(cmd::ID_EDIT_UNDO)->trigger();
  EXPECT_EQ(Constraints().Peak(1, kRightWidthParameter).upper, 0.8);
}

TEST_F(ConstraintGui, SharingItemsAreCheckItemsOfTheFitProblem) {
  ShowThreePeaks(kPearson7);
  Choose(2, 0, QStringLiteral("幅を共通にする"));
  EXPECT_TRUE(Constraints().shareWidth);
  EXPECT_FALSE(Constraints().shareShape);
  Choose(2, 0, QStringLiteral("形状パラメータを共通にする"));
  EXPECT_TRUE(Constraints().shareShape);
  QMenu* menu = Table().CellMenu(0, 0, nullptr);
  EXPECT_TRUE(ActionNamed(menu, QStringLiteral("幅を共通にする"))->isChecked());
  ActionNamed(menu, QStringLiteral("幅を共通にする"))->trigger();  // unchecks
  delete menu;
  EXPECT_FALSE(Constraints().shareWidth);
  EXPECT_TRUE(Constraints().shareShape);
  Action(cmd::ID_EDIT_UNDO)->trigger();
  EXPECT_TRUE(Constraints().shareWidth);
}

TEST_F(ConstraintGui, SortingByPositionReordersWholeRowsAndTheMenuFollows) {
  ShowThreePeaks(kPseudoVoigt);
  PeakTableWidget* table = Table().Table();
  const auto order = [&] {
    std::vector<int> peaks;
    for (int r = 0; r < table->rowCount(); ++r) peaks.push_back(Table().PeakOfRow(r));
    return peaks;
  };
  EXPECT_EQ(order(), (std::vector<int>{1, 2, 3}));
  Choose(0, 1, QStringLiteral("固定"));  // peak 1's height, before sorting
  const int whColumn = Table().WilliamsonHallColumn();
  ASSERT_GE(whColumn, 0);
  table->item(0, whColumn)->setCheckState(Qt::Unchecked);  // peak 1 out of W–H

  // A click on the position header sorts; the lock and the check go along.
  const QHeaderView* header = table->horizontalHeader();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
  EXPECT_TRUE(Table().SortedByPosition());
  EXPECT_EQ(order(), (std::vector<int>{2, 3, 1}));
  EXPECT_TRUE(table->item(0, 0)->text().startsWith(QStringLiteral("11")));
  EXPECT_TRUE(Table().ShowsLock(2, 1));
  EXPECT_FALSE(Table().ShowsLock(0, 1));
  EXPECT_EQ(table->item(2, whColumn)->checkState(), Qt::Unchecked);
  EXPECT_EQ(table->item(0, whColumn)->checkState(), Qt::Checked);
  EXPECT_TRUE(table->TabSeparatedText().split('\n')[1].startsWith(QStringLiteral("2\t11")));

  Choose(0, 0, QStringLiteral("固定"));  // row 0 is now peak 2
  EXPECT_TRUE(Constraints().Peak(2, kPositionParameter).fixed);
  // A new report keeps the order asked for.
  frame->UpdateCommandStates();
  View().StoreReport(*View().Report());
  frame->UpdateCommandStates();
  EXPECT_EQ(order(), (std::vector<int>{2, 3, 1}));
  EXPECT_TRUE(Table().ShowsLock(0, 0));

  QMenu* menu = Table().CellMenu(0, 0, nullptr);
  QAction* sort = ActionNamed(menu, QStringLiteral("位置の順に並べる"));
  EXPECT_TRUE(sort->isChecked());
  sort->trigger();
  delete menu;
  EXPECT_EQ(order(), (std::vector<int>{1, 2, 3}));
}

TEST_F(ConstraintGui, FitConditionsCarryPhysicalBoundsAndMaxPeaksAsOneStep) {
  ShowThreePeaks(kPseudoVoigt);
  FitConditions conditions;
  conditions.tolerance = 0.001;
  conditions.function = kPseudoVoigt;
  conditions.physicalBounds = false;
  conditions.maxPeaks = 40;
  answers.fitCondition = conditions;
  const std::size_t steps = Steps();
  Action(cmd::ID_LSQ_CONDITION)->trigger();
  EXPECT_FALSE(Constraints().physicalBounds);
  EXPECT_EQ(View().Problem().maxPeaks, 40);
  EXPECT_EQ(Steps(), steps + 1);
  Action(cmd::ID_EDIT_UNDO)->trigger();
  EXPECT_TRUE(Constraints().physicalBounds);
  EXPECT_EQ(View().Problem().maxPeaks, 10);
}

TEST_F(ConstraintGui, FitConditionDialogShowsAndReadsTheNewControls) {
  FitConditions preset;
  preset.tolerance = 0.001;
  preset.function = kPearson7;
  preset.physicalBounds = false;
  preset.maxPeaks = 24;
  preset.backgroundOrder = 3;
  CFitConditionDlg dialog(preset);
  EXPECT_EQ(dialog.BackgroundOrderBox()->value(), 3);
  EXPECT_EQ(dialog.BackgroundOrderBox()->minimum(), 0);
  EXPECT_EQ(dialog.BackgroundOrderBox()->maximum(), 6);
  EXPECT_FALSE(dialog.PhysicalBoundsBox()->isChecked());
  EXPECT_EQ(dialog.MaxPeaksBox()->value(), 24);
  EXPECT_EQ(dialog.MaxPeaksBox()->minimum(), 10);
  EXPECT_EQ(dialog.MaxPeaksBox()->maximum(), 200);
  dialog.PhysicalBoundsBox()->click();
  dialog.MaxPeaksBox()->setValue(500);  // clamped to the range
  dialog.BackgroundOrderBox()->setValue(5);
  dialog.OkButton()->click();
  EXPECT_EQ(dialog.m_conditions.backgroundOrder, 5);
  EXPECT_TRUE(dialog.m_conditions.physicalBounds);
  EXPECT_EQ(dialog.m_conditions.maxPeaks, 200);
  EXPECT_EQ(dialog.m_conditions.function, kPearson7);
}

TEST_F(ConstraintGui, BoundsDialogReadsEmptyFieldsAsUnboundedAndRefusesCrossedBounds) {
  CBoundsDlg open(QStringLiteral("ピーク 1: 高さ"), 0.0, kInf);
  EXPECT_EQ(open.LowerEdit()->text(), QStringLiteral("0"));
  EXPECT_TRUE(open.UpperEdit()->text().isEmpty());
  open.LowerEdit()->clear();
  open.UpperEdit()->setText(QStringLiteral("2.5e3"));
  open.OkButton()->click();
  EXPECT_EQ(open.result(), QDialog::Accepted);
  EXPECT_EQ(open.m_lower, -kInf);
  EXPECT_EQ(open.m_upper, 2500.0);

  CBoundsDlg crossed(QStringLiteral("ピーク 1: 高さ"), -kInf, kInf);
  crossed.LowerEdit()->setText(QStringLiteral("5"));
  crossed.UpperEdit()->setText(QStringLiteral("4"));
  ModalScript script({[](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("上限は下限以上にしてください。"));
    box->accept();
  }});
  crossed.OkButton()->click();
  EXPECT_NE(crossed.result(), QDialog::Accepted);
  EXPECT_EQ(crossed.m_lower, -kInf);
  EXPECT_EQ(crossed.m_upper, kInf);
}

}  // namespace
