#include <QImage>

#include "app/CommandIds.h"
#include "render/ImageCanvas.h"
#include "tests/app/GuiFixture.h"

namespace {

class PlotWidgetTest : public GuiFixture {
 protected:
  void SetUp() override {
    GuiFixture::SetUp();
    SKIP_WITHOUT_SHARED_DATA();
    OpenShared("rigakuXRD__2Theta.asc", FileType::Rigaku);
    ASSERT_EQ(doc.m_nData, 7601);
  }

  // The picture OnDraw gives now, as the widget would paint it.
  QImage FreshPicture() {
    QImage image(Plot().size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    ImageCanvas canvas(image);
    View().OnDraw(canvas);
    return image;
  }
};

constexpr QRgb kBandBlack = 0xFF000000;

TEST_F(PlotWidgetTest, DragAfterRangeSetZoomsAndTheBandLastsUntilTheNextRepaint) {
  const double x0 = View().PixelToX(200), x1 = View().PixelToX(400);
  const double yTop = View().PixelToY(120), yBottom = View().PixelToY(300);
  frame->Execute(cmd::ID_RANGE_SET);

  QTest::mousePress(&Plot(), Qt::LeftButton, {}, QPoint(400, 300));
  QTest::mouseMove(&Plot(), QPoint(200, 120));
  // The band's outline over the plot: corners and edges, not clipped.
  const QImage& frameNow = Plot().LastFrame();
  EXPECT_EQ(frameNow.pixel(400, 200), kBandBlack);
  EXPECT_EQ(frameNow.pixel(300, 300), kBandBlack);
  EXPECT_EQ(frameNow.pixel(200, 200), kBandBlack);
  EXPECT_EQ(frameNow.pixel(300, 120), kBandBlack);
  // A second move removes the first outline.
  QTest::mouseMove(&Plot(), QPoint(250, 130));
  EXPECT_NE(Plot().LastFrame().pixel(200, 200), kBandBlack);
  EXPECT_EQ(Plot().LastFrame().pixel(250, 200), kBandBlack);

  QTest::mouseRelease(&Plot(), Qt::LeftButton, {}, QPoint(200, 120));
  // Dragged up and left: the smaller ends still go to the minima.
  EXPECT_DOUBLE_EQ(View().Range().m_xMin, x0);
  EXPECT_DOUBLE_EQ(View().Range().m_xMax, x1);
  EXPECT_DOUBLE_EQ(View().Range().m_yMin, yBottom);
  EXPECT_DOUBLE_EQ(View().Range().m_yMax, yTop);
  EXPECT_EQ(View().Modes().m_dragState, DragState::Armed);
  EXPECT_TRUE(Action(cmd::ID_RANGE_SET)->isChecked());
  // The release repainted the zoomed plot without the band.
  EXPECT_EQ(Plot().LastFrame(), FreshPicture());
}

TEST_F(PlotWidgetTest, DragRightAfterALoadDoesNothing) {
  const double xMin = View().Range().m_xMin, xMax = View().Range().m_xMax;
  QTest::mousePress(&Plot(), Qt::LeftButton, {}, QPoint(200, 100));
  QTest::mouseMove(&Plot(), QPoint(400, 300));
  QTest::mouseRelease(&Plot(), Qt::LeftButton, {}, QPoint(400, 300));
  EXPECT_EQ(View().Range().m_xMin, xMin);
  EXPECT_EQ(View().Range().m_xMax, xMax);
  EXPECT_EQ(View().Modes().m_dragState, DragState::Disarmed);
}

TEST_F(PlotWidgetTest, DoubleClickPlacesAPeakTheReleaseRepaintsARightClickRemovesIt) {
  Action(cmd::ID_PEAK_POSITION)->trigger();
  const double x = View().PixelToX(300), y = View().PixelToY(150);
  QTest::mouseClick(&Plot(), Qt::LeftButton, {}, QPoint(300, 150));
  const int paintsBefore = Plot().PaintCount();
  QTest::mouseDClick(&Plot(), Qt::LeftButton, {}, QPoint(300, 150));
  ASSERT_EQ(View().Peaks().m_nPeak, 1);
  EXPECT_EQ(View().Peaks().m_curPeak, 1);
  EXPECT_DOUBLE_EQ(View().Peaks().m_position[1], x);
  EXPECT_DOUBLE_EQ(View().Peaks().m_height[1], y);
  EXPECT_EQ(Plot().PaintCount(), paintsBefore);  // the double-click itself draws nothing
  EXPECT_TRUE(Action(cmd::ID_LSQ_START)->isEnabled());

  QTest::mouseRelease(&Plot(), Qt::LeftButton, {}, QPoint(300, 150));
  EXPECT_GT(Plot().PaintCount(), paintsBefore);
  EXPECT_EQ(Plot().LastFrame(), FreshPicture());

  QTest::mouseClick(&Plot(), Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_EQ(View().Peaks().m_nPeak, 0);
  EXPECT_FALSE(Action(cmd::ID_LSQ_START)->isEnabled());
}

TEST_F(PlotWidgetTest, KeysReachTheViewAsVirtualKeyCodes) {
  View().OnPeakPosition();
  View().AppendPeakAt(30.0, 1000.0);
  View().AppendPeakAt(40.0, 1000.0);
  ASSERT_EQ(View().Peaks().m_curPeak, 2);

  QTest::keyClick(&Plot(), Qt::Key_W);
  EXPECT_DOUBLE_EQ(View().Peaks().m_widthFactor[2], 1.05);
  QTest::keyClick(&Plot(), Qt::Key_N, Qt::ShiftModifier);
  EXPECT_DOUBLE_EQ(View().Peaks().m_widthFactor[2], 1.05 * 0.95);
  // '%' shares its Qt code with VK_LEFT: it must not move the selection.
  QTest::keyClick(&Plot(), Qt::Key_Percent);
  EXPECT_EQ(View().Peaks().m_curPeak, 2);
  QTest::keyClick(&Plot(), Qt::Key_Left);
  EXPECT_EQ(View().Peaks().m_curPeak, 1);
  QTest::keyClick(&Plot(), Qt::Key_Right);
  EXPECT_EQ(View().Peaks().m_curPeak, 2);

  // Any other key still repaints.
  const int paints = Plot().PaintCount();
  QTest::keyClick(&Plot(), Qt::Key_Q);
  EXPECT_GT(Plot().PaintCount(), paints);
}

TEST_F(PlotWidgetTest, TheSmallestWindowShowsTheTopLeftOfThePictureAndTheBand) {
  View().OnPeakPosition();
  View().AppendPeakAt(30.0, 1000.0);
  frame->resize(1, 1);
  QCoreApplication::processEvents();
  // The picture is 700 x 400; labels and markers run past the window's edges.
  ASSERT_EQ(Plot().size(), Plot().minimumSize());
  ASSERT_LT(Plot().width(), 640);
  Plot().repaint();
  EXPECT_EQ(Plot().LastFrame(), FreshPicture());
  QImage whole(700, 400, QImage::Format_RGB32);
  whole.fill(Qt::white);
  {
    ImageCanvas canvas(whole);
    View().OnDraw(canvas);
  }
  EXPECT_EQ(Plot().LastFrame(), whole.copy(QRect(QPoint(0, 0), Plot().size())));

  // A band dragged out past the window's corner keeps the edges that show.
  frame->Execute(cmd::ID_RANGE_SET);
  QTest::mousePress(&Plot(), Qt::LeftButton, {}, QPoint(120, 100));
  QTest::mouseMove(&Plot(), QPoint(Plot().width() + 300, Plot().height() + 300));
  EXPECT_EQ(Plot().LastFrame().pixel(150, 100), kBandBlack);
  EXPECT_EQ(Plot().LastFrame().pixel(120, Plot().height() - 1), kBandBlack);
  QTest::mouseRelease(&Plot(), Qt::LeftButton, {}, QPoint(150, 120));
  EXPECT_EQ(Plot().LastFrame(), FreshPicture());
}

}  // namespace
