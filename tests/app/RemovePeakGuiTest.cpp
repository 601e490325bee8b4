#include <QApplication>
#include <QMenu>
#include <QTimer>

#include "app/PeakTableDock.h"
#include "history/UndoHistory.h"
#include "tests/app/GuiFixture.h"

namespace {

class RemovePeakGui : public GuiFixture {
 protected:
  // Three peaks over X 10..20.
  void PlaceThree() {
    LoadSpectrum(View(), {10, 12, 15, 20}, {0, 250, 1000, 400});
    View().OnPeakPosition();
    for (const double x : {11.0, 13.0, 15.0}) View().AppendPeakAt(x, 500.0);
    frame->UpdateCommandStates();
  }
  // Right-clicks the plot at column px, choosing the first item of a menu
  // that opens (and noting whether one did).
  void RightClick(int px, Qt::KeyboardModifiers modifiers) {
    menuOpened = false;
    QTimer::singleShot(50, [this] {
      if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        menuOpened = true;
        menu->actions().front()->trigger();
        menu->close();
      }
    });
    QTest::mouseClick(&Plot(), Qt::RightButton, modifiers, QPoint(px, 200));
    QTest::qWait(100);
  }

  bool menuOpened = false;
};

TEST_F(RemovePeakGui, ShiftRightClickOnAMarkerRemovesThatPeakElsewhereTheLast) {
  PlaceThree();
  RightClick(View().XToPixel(13.0) + 2, Qt::ShiftModifier);  // beside the second marker
  EXPECT_TRUE(menuOpened);
  ASSERT_EQ(View().Peaks().m_nPeak, 2);
  EXPECT_EQ(View().Peaks().m_position[1], 11.0);
  EXPECT_EQ(View().Peaks().m_position[2], 15.0);

  Action(cmd::ID_EDIT_UNDO)->trigger();
  ASSERT_EQ(View().Peaks().m_nPeak, 3);
  EXPECT_EQ(View().Peaks().m_position[2], 13.0);

  RightClick(View().XToPixel(13.0), Qt::NoModifier);  // a plain right-click: the last one, no menu
  EXPECT_FALSE(menuOpened);
  EXPECT_EQ(View().Peaks().m_nPeak, 2);
  EXPECT_EQ(View().Peaks().m_position[2], 13.0);
  RightClick(View().XToPixel(14.0), Qt::ShiftModifier);  // far from every marker: the last one
  EXPECT_FALSE(menuOpened);
  EXPECT_EQ(View().Peaks().m_nPeak, 1);
}

TEST_F(RemovePeakGui, TableRowMenuRemovesItsPeakAsOneStep) {
  PlaceThree();
  PeakReport report;
  for (int k = 1; k <= 3; ++k) {
    PeakResult peak;
    peak.peak = k;
    report.peaks.push_back(peak);
  }
  View().StoreReport(report);
  frame->UpdateCommandStates();
  PeakTableDock& dock = frame->PeakTable();
  ASSERT_EQ(dock.Table()->rowCount(), 3);
  EXPECT_EQ(dock.RowMenu(-1, nullptr), nullptr);
  QMenu* menu = dock.RowMenu(0, nullptr);
  ASSERT_NE(menu, nullptr);
  const std::size_t steps = frame->History().UndoSteps();
  menu->actions().front()->trigger();
  delete menu;
  ASSERT_EQ(View().Peaks().m_nPeak, 2);
  EXPECT_EQ(View().Peaks().m_position[1], 13.0);
  EXPECT_EQ(View().Report(), nullptr);
  EXPECT_EQ(dock.Table()->rowCount(), 0);
  EXPECT_EQ(frame->History().UndoSteps(), steps + 1);
}

TEST_F(RemovePeakGui, SnipMenuItemShowsTheEstimateAndUndoTakesItBack) {
  std::vector<double> x, y;
  for (int i = 0; i < 200; ++i) {
    x.push_back(10 + 0.05 * i);
    y.push_back(100 + (i == 100 ? 900 : 0));
  }
  LoadSpectrum(View(), x, y);
  frame->UpdateCommandStates();
  ASSERT_TRUE(Action(cmd::ID_BACK_SNIP)->isEnabled());
  Action(cmd::ID_BACK_SNIP)->trigger();
  EXPECT_EQ(View().Background().m_kind, BackgroundKind::kSnip);
  EXPECT_TRUE(Action(cmd::ID_BACK_SUBTRACT)->isEnabled());
  Action(cmd::ID_EDIT_UNDO)->trigger();
  EXPECT_EQ(View().Background().m_bBackShown, 0);
}

}  // namespace
