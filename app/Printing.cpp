#include "app/Printing.h"

#include <algorithm>

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "app/canvas/PainterCanvas.h"
#include "view/TavView.h"

namespace {

// The picture's extent in device pixels: the plot window with its labels.
constexpr int kPictureWidth = 700;
constexpr int kPictureHeight = 400;
constexpr double kScreenDpi = 96.0;

}  // namespace

bool PrintView(const CTavView& view, QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  const double screenScale = printer.resolution() / kScreenDpi;
  const double fitScale = std::min(page.width() / static_cast<double>(kPictureWidth),
                                   page.height() / static_cast<double>(kPictureHeight));
  const double scale = std::min(screenScale, fitScale);
  painter.scale(scale, scale);
  {
    // The canvas hands its last pixels to the painter when it goes.
    PainterCanvas canvas(painter);
    view.OnDraw(canvas);
  }
  return painter.end();
}

bool PrintWithDialog(const CTavView& view, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  return PrintView(view, printer);
}

void PrintPreview(const CTavView& view, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog preview(&printer, parent);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                   [&view](QPrinter* target) { PrintView(view, *target); });
  preview.exec();
}
