#include "app/PlotWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "render/ImageCanvas.h"
#include "view/TavView.h"

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
    m_view->OnLButtonDown(p.x(), p.y());
  } else if (event->button() == Qt::RightButton) {
    m_view->OnRButtonDown(p.x(), p.y());
  } else {
    return;
  }
  emit ViewInputHandled();
}

void PlotWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (m_view == nullptr || event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  m_view->OnLButtonUp(p.x(), p.y());
  emit ViewInputHandled();
}

void PlotWidget::mouseMoveEvent(QMouseEvent* event) {
  if (m_view == nullptr) return;
  const QPoint p = event->position().toPoint();
  m_view->OnMouseMove(p.x(), p.y());
  emit ViewInputHandled();
}

void PlotWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  // Only the left button has a double-click handler; a right double-click
  // ends there, like the platform's unhandled double-click message.
  if (m_view == nullptr || event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  m_view->OnLButtonDblClk(p.x(), p.y());
  emit ViewInputHandled();
}

void PlotWidget::keyPressEvent(QKeyEvent* event) {
  if (m_view != nullptr) {
    m_view->OnKeyDown(VirtualKey(event->key()));
    emit ViewInputHandled();
  }
  // Then the key goes on to default processing.
  QWidget::keyPressEvent(event);
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
