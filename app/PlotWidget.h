#pragma once

#include <QWidget>
#include <functional>

class Canvas;
class CTavView;
class UndoSteps;

// The view's window: paints the whole picture with OnDraw and turns mouse and
// key events into the view's handlers, each bracketed as one undo step. It
// decides nothing itself. Besides the view's own input, the wheel zooms
// about the pointer, a middle-button drag pans (one step from press to
// release) and Ctrl with an arrow key pans by a tenth of the plot.
class PlotWidget : public QWidget {
  Q_OBJECT
 public:
  explicit PlotWidget(QWidget* parent = nullptr);

  void SetView(CTavView* view) { m_view = view; }
  const CTavView* View() const { return m_view; }
  // The undo steps every input is bracketed with (nullptr: none).
  void SetUndoSteps(UndoSteps* steps) { m_steps = steps; }
  // Whether the plot follows the widget's size; on, the view's plot options
  // take the size now and after every resize.
  void SetFollowsSize(bool follows);
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
  // How near (pixels) a marker Shift+right-click opens its menu.
  static constexpr int kMarkerReach = 5;

 signals:
  // After every handler call: the view's state may have changed.
  void ViewInputHandled();
  // The marker's context menu asked to remove peak k.
  void RemovePeakRequested(int k);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Runs a view handler as one undo step, then tells the window.
  template <class Handler>
  void Handle(Handler handler);
  void StartPan(const QPoint& at);
  void EndPan();
  // Ctrl with an arrow key: pans and returns true.
  bool PanByKey(const QKeyEvent& event);
  void TellViewTheSize();
  // Shift with the right button near a peak's marker opens the marker's
  // menu; false (nothing shown) elsewhere or without Shift.
  bool OfferMarkerMenu(const QMouseEvent& event);

  CTavView* m_view = nullptr;
  UndoSteps* m_steps = nullptr;
  bool m_followsSize = false;
  bool m_panning = false;
  QPoint m_panFrom;
  // Wheel angle not yet turned into a whole step (high-resolution wheels).
  int m_wheelAngle = 0;
  std::function<void(Canvas&)> m_overlay;
  QImage m_frame;
  // The next paint shows m_frame as it is: the overlay was just drawn on it.
  bool m_reuseFrame = false;
  int m_paints = 0;
};
