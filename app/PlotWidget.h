#pragma once

#include <QWidget>
#include <functional>

class Canvas;
class CTavView;

// The view's window: paints the whole picture with OnDraw and turns mouse and
// key events into the view's handlers. It decides nothing itself.
class PlotWidget : public QWidget {
  Q_OBJECT
 public:
  explicit PlotWidget(QWidget* parent = nullptr);

  void SetView(CTavView* view) { m_view = view; }
  // Draws over the picture on screen now and over every later paint, until
  // ClearOverlay.
  void SetOverlay(std::function<void(Canvas&)> draw);
  void ClearOverlay();
  // The picture of the last paint, overlay included.
  const QImage& LastFrame() const { return m_frame; }
  int PaintCount() const { return m_paints; }

  // Qt key to the virtual-key code the view's key handler reads; 0 for a key
  // without one.
  static unsigned VirtualKey(int qtKey);

 signals:
  // After every handler call: the view's state may have changed.
  void ViewInputHandled();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  CTavView* m_view = nullptr;
  std::function<void(Canvas&)> m_overlay;
  QImage m_frame;
  // The next paint shows m_frame as it is: the overlay was just drawn on it.
  bool m_reuseFrame = false;
  int m_paints = 0;
};
