#include "app/PlotWidget.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "app/UndoSteps.h"
#include "render/ImageCanvas.h"
#include "view/TavView.h"

namespace {

// The wheel's angle of one notch, in eighths of a degree.
constexpr int kWheelStepAngle = 120;
// Ctrl with an arrow key pans by this fraction of the plot.
constexpr int kKeyPanDivisor = 10;

}  // namespace

PlotWidget::PlotWidget(QWidget* parent) : QWidget(parent) {
  // Moves arrive without a button too: the band follows the pointer while
  // the view says it is dragging, whatever the buttons.
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(200, 150);
}

void PlotWidget::SetOverlay(std::function<void(Canvas&)> draw) {
  m_overlay = std::move(draw);
  // The frame on screen is the current picture (a repaint came just before):
  // draw over it instead of drawing the whole plot again.
  if (m_overlay && isVisible() && m_frame.size() == size()) {
    ImageCanvas canvas(m_frame);
    m_overlay(canvas);
    m_reuseFrame = true;
  }
  repaint();
}

void PlotWidget::ClearOverlay() { m_overlay = nullptr; }

void PlotWidget::SetFollowsSize(bool follows) {
  m_followsSize = follows;
  TellViewTheSize();
}

void PlotWidget::TellViewTheSize() {
  if (m_view == nullptr) return;
  PlotOptions options = m_view->Plot();
  options.size = m_followsSize ? PlotSize{width(), height()} : PlotSize{};
  if (options == m_view->Plot()) return;
  m_view->SetPlotOptions(options);
  update();
}

void PlotWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (m_followsSize) TellViewTheSize();
}

template <class Handler>
void PlotWidget::Handle(Handler handler) {
  {
    const UndoSteps::Scope step(m_steps);
    handler();
  }
  emit ViewInputHandled();
}

void PlotWidget::StartPan(const QPoint& at) {
  EndPan();
  if (m_steps != nullptr) m_steps->Begin();
  m_panning = true;
  m_panFrom = at;
}

void PlotWidget::EndPan() {
  if (!m_panning) return;
  m_panning = false;
  if (m_steps != nullptr) m_steps->End();
  emit ViewInputHandled();
}

void PlotWidget::paintEvent(QPaintEvent*) {
  ++m_paints;
  if (!m_reuseFrame || m_frame.size() != size()) {
    if (m_frame.size() != size()) m_frame = QImage(size(), QImage::Format_RGB32);
    m_frame.fill(Qt::white);
    if (m_view != nullptr) {
      ImageCanvas canvas(m_frame);
      m_view->OnDraw(canvas);
      if (m_overlay) m_overlay(canvas);
    }
  }
  m_reuseFrame = false;
  QPainter painter(this);
  painter.drawImage(0, 0, m_frame);
}

void PlotWidget::mousePressEvent(QMouseEvent* event) {
  if (m_view == nullptr) return;
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    Handle([&] { m_view->OnLButtonDown(p.x(), p.y()); });
  } else if (event->button() == Qt::RightButton) {
    if (OfferMarkerMenu(*event)) return;
    Handle([&] { m_view->OnRButtonDown(p.x(), p.y()); });
  } else if (event->button() == Qt::MiddleButton) {
    StartPan(p);
  }
}

bool PlotWidget::OfferMarkerMenu(const QMouseEvent& event) {
  if (!(event.modifiers() & Qt::ShiftModifier)) return false;
  const QPoint p = event.position().toPoint();
  const int k = m_view->PeakMarkerNear(p.x(), kMarkerReach);
  if (k == 0) return false;
  QMenu menu(this);
  connect(menu.addAction(tr("ピーク %1 を削除").arg(k)), &QAction::triggered, this,
          [this, k] { emit RemovePeakRequested(k); });
  menu.exec(event.globalPosition().toPoint());
  return true;
}

void PlotWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (m_view == nullptr) return;
  if (event->button() == Qt::MiddleButton) return EndPan();
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  Handle([&] { m_view->OnLButtonUp(p.x(), p.y()); });
}

void PlotWidget::mouseMoveEvent(QMouseEvent* event) {
  if (m_view == nullptr) return;
  const QPoint p = event->position().toPoint();
  m_view->OnMouseMove(p.x(), p.y());
  if (m_panning && (event->buttons() & Qt::MiddleButton)) {
    const QPoint by = p - m_panFrom;
    m_panFrom = p;
    m_view->PanBy(by.x(), by.y());
  }
  emit ViewInputHandled();
}

void PlotWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  // Only the left button has a double-click handler; a right double-click
  // ends there, like the platform's unhandled double-click message. The
  // middle button's second press starts a pan as its first did.
  if (m_view == nullptr) return;
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::MiddleButton) return StartPan(p);
  if (event->button() != Qt::LeftButton) return;
  Handle([&] { m_view->OnLButtonDblClk(p.x(), p.y()); });
}

void PlotWidget::keyPressEvent(QKeyEvent* event) {
  if (m_view != nullptr && !PanByKey(*event)) {
    Handle([&] { m_view->OnKeyDown(VirtualKey(event->key())); });
  }
  // Then the key goes on to default processing.
  QWidget::keyPressEvent(event);
}

bool PlotWidget::PanByKey(const QKeyEvent& event) {
  if (!(event.modifiers() & Qt::ControlModifier)) return false;
  const PlotLayout layout = m_view->Layout();
  const int dx = layout.Width() / kKeyPanDivisor, dy = layout.Height() / kKeyPanDivisor;
  // The arrow shows more of its side: the picture moves the other way.
  QPoint by;
  switch (event.key()) {
    case Qt::Key_Left:
      by = QPoint(dx, 0);
      break;
    case Qt::Key_Right:
      by = QPoint(-dx, 0);
      break;
    case Qt::Key_Up:
      by = QPoint(0, dy);
      break;
    case Qt::Key_Down:
      by = QPoint(0, -dy);
      break;
    default:
      return false;
  }
  Handle([&] { m_view->PanBy(by.x(), by.y()); });
  return true;
}

void PlotWidget::wheelEvent(QWheelEvent* event) {
  event->accept();
  if (m_view == nullptr) return;
  m_wheelAngle += event->angleDelta().y();
  const int steps = m_wheelAngle / kWheelStepAngle;
  if (steps == 0) return;
  m_wheelAngle -= steps * kWheelStepAngle;
  const QPoint p = event->position().toPoint();
  Handle([&] { m_view->ZoomAbout(p.x(), p.y(), steps); });
}

unsigned PlotWidget::VirtualKey(int qtKey) {
  // Letters and digits share their codes; Qt's codes for punctuation would
  // collide with other keys' codes (Key_Percent is VK_LEFT), so they map to 0.
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
    return static_cast<unsigned>(qtKey);
  }
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
    return 0x70 + static_cast<unsigned>(qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Backspace:
      return 0x08;
    case Qt::Key_Tab:
      return 0x09;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 0x0D;
    case Qt::Key_Shift:
      return 0x10;
    case Qt::Key_Control:
      return 0x11;
    case Qt::Key_Alt:
      return 0x12;
    case Qt::Key_Pause:
      return 0x13;
    case Qt::Key_CapsLock:
      return 0x14;
    case Qt::Key_Escape:
      return 0x1B;
    case Qt::Key_Space:
      return 0x20;
    case Qt::Key_PageUp:
      return 0x21;
    case Qt::Key_PageDown:
      return 0x22;
    case Qt::Key_End:
      return 0x23;
    case Qt::Key_Home:
      return 0x24;
    case Qt::Key_Left:
      return keys::kLeft;
    case Qt::Key_Up:
      return 0x26;
    case Qt::Key_Right:
      return keys::kRight;
    case Qt::Key_Down:
      return 0x28;
    case Qt::Key_Insert:
      return 0x2D;
    case Qt::Key_Delete:
      return 0x2E;
    default:
      return 0;
  }
}
