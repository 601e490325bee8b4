#include "view/PictureWriters.h"

#include "view/PlotGeometry.h"
#include "view/TavView.h"

void DefaultExportSize(const CTavView& view, int& width, int& height) {
  const PlotSize& size = view.Plot().size;
  width = size.width > 0 ? size.width : plot::kPictureWidth;
  height = size.width > 0 ? size.height : plot::kPictureHeight;
}
