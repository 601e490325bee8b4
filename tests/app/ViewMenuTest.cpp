#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QWheelEvent>

#include "app/CommandIds.h"
#include "app/Preferences.h"
#include "app/ViewStyleMenu.h"
#include "history/UndoHistory.h"
#include "tests/app/GuiFixture.h"

namespace {

// A window with the bundled profile open; the view menu's choices are the
// defaults before and after each test.
class ViewMenuTest : public GuiFixture {
 protected:
  void SetUp() override {
    SaveViewPreferences({});
    GuiFixture::SetUp();
    frame->OpenWithoutDialogs(TAV_SOURCE_DIR "/data/sample.asc", FileType::Rigaku);
    ASSERT_GT(doc.m_nData, 0);
  }
  void TearDown() override {
    GuiFixture::TearDown();
    SaveViewPreferences({});
  }

  void Wheel(const QPoint& at, int angle) {
    QWheelEvent event(at, Plot().mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&Plot(), &event);
  }
};

TEST_F(ViewMenuTest, TheTitleNamesTheFileAndTheEditMenuTakesBackAPeakAndAZoom) {
  EXPECT_EQ(frame->windowTitle(),
            QStringLiteral("カーブフィッティングプログラム（バックグランド自動） - sample.asc"));
  QAction* undo = Action(cmd::ID_EDIT_UNDO);
  QAction* redo = Action(cmd::ID_EDIT_REDO);
  // The open above came from the command line: nothing to take back yet.
  EXPECT_FALSE(undo->isEnabled());

  Action(cmd::ID_PEAK_POSITION)->trigger();
  QTest::mouseDClick(&Plot(), Qt::LeftButton, {}, QPoint(300, 150));
  QTest::mouseRelease(&Plot(), Qt::LeftButton, {}, QPoint(300, 150));
  ASSERT_EQ(View().Peaks().m_nPeak, 1);
  const PeakTable placed = View().Peaks();
  ASSERT_TRUE(undo->isEnabled());

  undo->trigger();
  EXPECT_EQ(View().Peaks().m_nPeak, 0);
  EXPECT_FALSE(Action(cmd::ID_LSQ_START)->isEnabled());
  EXPECT_TRUE(redo->isEnabled());
  redo->trigger();
  EXPECT_EQ(View().Peaks(), placed);
  EXPECT_TRUE(Action(cmd::ID_LSQ_START)->isEnabled());
  EXPECT_FALSE(redo->isEnabled());

  // A notch of the wheel zooms about the pointer, as one step of its own;
  // half a notch waits for the other half.
  const DisplayRange before = View().Range();
  Wheel(QPoint(300, 150), 60);
  EXPECT_EQ(View().Range(), before);
  Wheel(QPoint(300, 150), 60);
  EXPECT_LT(View().Range().m_xMax - View().Range().m_xMin, before.m_xMax - before.m_xMin);
  undo->trigger();
  EXPECT_EQ(View().Range(), before);
  EXPECT_EQ(View().Peaks(), placed);
  EXPECT_EQ(frame->History().UndoSteps(), 1u);
}

TEST_F(ViewMenuTest, TheScaleReachesTheViewIsRememberedAndStatusMessagesShow) {
  Action(cmd::ID_VIEW_SCALE_LOG)->trigger();
  EXPECT_EQ(View().Plot().scale, IntensityScale::kLog);
  EXPECT_TRUE(Action(cmd::ID_VIEW_SCALE_LOG)->isChecked());
  EXPECT_FALSE(Action(cmd::ID_VIEW_SCALE_LINEAR)->isChecked());
  // Ticks switch on and off again; only the scale is left changed.
  Action(cmd::ID_VIEW_TICKS)->trigger();
  EXPECT_TRUE(View().Plot().ticks);
  Action(cmd::ID_VIEW_TICKS)->trigger();
  EXPECT_FALSE(View().Plot().ticks);
  // A display choice is no step to take back.
  EXPECT_FALSE(Action(cmd::ID_EDIT_UNDO)->isEnabled());

  // The next run starts with it.
  CTavDoc otherDoc;
  CMainFrame next(otherDoc);
  EXPECT_EQ(next.View().Plot().scale, IntensityScale::kLog);
  EXPECT_TRUE(next.Action(cmd::ID_VIEW_SCALE_LOG)->isChecked());

  // What the commands put in the status line reaches the window's status bar.
  View().GetHost().StatusMessage("反復 3");
  EXPECT_EQ(frame->statusBar()->currentMessage(), QStringLiteral("反復 3"));
}

// The data under a pixel of the fixed picture, and under the pixel that
// shows the same place of a plot following the window.
TEST_F(ViewMenuTest, AWindowSizedPlotGivesDragsAndDoubleClicksTheDataOfTheFixedOne) {
  const double x0 = View().PixelToX(200), x1 = View().PixelToX(400);
  const double yTop = View().PixelToY(120), yBottom = View().PixelToY(300);
  const double peakX = View().PixelToX(300), peakY = View().PixelToY(150);
  const DisplayRange start = View().Range();

  Action(cmd::ID_VIEW_FIT_WINDOW)->trigger();
  frame->resize(1500, 900);
  QCoreApplication::processEvents();
  const PlotLayout l = View().Layout();
  ASSERT_EQ(View().Plot().size, (PlotSize{Plot().width(), Plot().height()}));
  ASSERT_GT(l.Width(), plot::kWidth);
  const auto scaled = [&l](int px, int py) {
    return QPoint(l.left + (px - plot::kLeft) * l.Width() / plot::kWidth,
                  l.top + (py - plot::kTop) * l.Height() / plot::kHeight);
  };
  // One pixel of the scaled plot in data units.
  const double dx = (start.m_xMax - start.m_xMin) / l.Width();
  const double dy = (start.m_yMax - start.m_yMin) / l.Height();

  Action(cmd::ID_PEAK_POSITION)->trigger();
  QTest::mouseDClick(&Plot(), Qt::LeftButton, {}, scaled(300, 150));
  QTest::mouseRelease(&Plot(), Qt::LeftButton, {}, scaled(300, 150));
  ASSERT_EQ(View().Peaks().m_nPeak, 1);
  EXPECT_NEAR(View().Peaks().m_position[1], peakX, dx);
  EXPECT_NEAR(View().Peaks().m_height[1], peakY, dy);

  frame->Execute(cmd::ID_RANGE_SET);
  QTest::mousePress(&Plot(), Qt::LeftButton, {}, scaled(400, 300));
  QTest::mouseMove(&Plot(), scaled(200, 120));
  QTest::mouseRelease(&Plot(), Qt::LeftButton, {}, scaled(200, 120));
  EXPECT_NEAR(View().Range().m_xMin, x0, dx);
  EXPECT_NEAR(View().Range().m_xMax, x1, dx);
  EXPECT_NEAR(View().Range().m_yMin, yBottom, dy);
  EXPECT_NEAR(View().Range().m_yMax, yTop, dy);
}

}  // namespace

// The view menu's item named text, or nullptr.
QAction* ViewMenuItem(CMainFrame& frame, const QString& text) {
  for (QAction* item : frame.menuBar()->actions()[2]->menu()->actions()) {
    if (item->text() == text) return item;
  }
  return nullptr;
}

// One click gives the modern view (every decoration, the plot following the
// window, the detailed box after a fit, the further prompts and keys),
// remembered for the next run; the classic one takes it all back. While the
// classic picture is chosen the status bar says where the modern view is.
TEST_F(ViewMenuTest, TheModernViewIsOneClickAwayAndRemembered) {
  AddViewStyleMenu(*frame);
  EXPECT_EQ(View().Plot(), PlotOptions{});
  QAction* classic = ViewMenuItem(*frame, QStringLiteral("標準表示"));
  QAction* modern = ViewMenuItem(*frame, QStringLiteral("見やすい表示"));
  QAction* legend = ViewMenuItem(*frame, QStringLiteral("凡例"));
  ASSERT_TRUE(classic && modern && legend);
  EXPECT_TRUE(classic->isChecked());
  EXPECT_NE(frame->statusBar()->currentMessage().indexOf(modern->text()), -1);
  EXPECT_TRUE(Action(cmd::ID_LSQ_START)->shortcuts().isEmpty());
  frame->ChangeInOneStep([this] { View().SetScherrer(0.8, 0.0); });

  modern->trigger();
  const PlotOptions& plot = View().Plot();
  EXPECT_EQ(plot.style, PlotStyle::kModern);
  EXPECT_TRUE(plot.ticks && plot.grid && plot.titles && plot.legend && plot.residuals && plot.clip);
  EXPECT_GT(plot.size.width, 0);
  EXPECT_TRUE(View().Options().m_detailedMessage);
  EXPECT_EQ(Action(cmd::ID_LSQ_START)->shortcut(), QKeySequence(Qt::Key_F5));
  EXPECT_EQ(Action(cmd::ID_FIND_PEAKS)->shortcut(), QKeySequence(QStringLiteral("Ctrl+F")));
  EXPECT_FALSE(Action(cmd::ID_POLAR_CORRECT)->statusTip().isEmpty());
  frame->UpdateCommandStates();
  EXPECT_TRUE(Action(cmd::ID_VIEW_FIT_WINDOW)->isChecked());
  // The legend can go on its own; the style stays chosen.
  legend->trigger();
  EXPECT_FALSE(View().Plot().legend);

  CTavDoc otherDoc;
  CMainFrame next(otherDoc);
  AddViewStyleMenu(next);
  EXPECT_EQ(next.View().Plot().style, PlotStyle::kModern);
  EXPECT_TRUE(next.View().Plot().titles);
  EXPECT_FALSE(next.View().Plot().legend);
  EXPECT_FALSE(ViewMenuItem(next, QStringLiteral("凡例"))->isChecked());
  EXPECT_TRUE(next.statusBar()->currentMessage().isEmpty());

  // A step taken back to before the style was chosen keeps the box of the
  // style chosen.
  ASSERT_TRUE(frame->History().CanUndo());
  Action(cmd::ID_EDIT_UNDO)->trigger();
  EXPECT_EQ(View().Scherrer().m_k, 0.9);
  EXPECT_TRUE(View().Options().m_detailedMessage);

  classic->trigger();
  EXPECT_EQ(View().Plot(), PlotOptions{});
  EXPECT_FALSE(View().Options().m_detailedMessage);
  EXPECT_TRUE(Action(cmd::ID_LSQ_START)->shortcuts().isEmpty());
  EXPECT_TRUE(Action(cmd::ID_POLAR_CORRECT)->statusTip().isEmpty());
}
