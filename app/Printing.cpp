#include "app/Printing.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>

#include "render/PainterCanvas.h"
#include "view/PlotGeometry.h"
#include "view/TavView.h"

namespace {

constexpr double kScreenDpi = 96.0;

}  // namespace

bool PrintView(const CTavView& view, QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  const double screenScale = printer.resolution() / kScreenDpi;
  const double fitScale = std::min(page.width() / static_cast<double>(plot::kPictureWidth),
                                   page.height() / static_cast<double>(plot::kPictureHeight));
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
